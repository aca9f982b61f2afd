#ifndef OB_SYSHELPERS_H
#define OB_SYSHELPERS_H

#include <cstddef>
#include <cstdint>

// Thin wrappers over the C runtime's memory, math and string routines.

// Copies n bytes; nothing when either pointer is null or n is 0. Returns dest.
void* OBSYS_memcpy32(void* dest, const void* src, uint32_t n);
int OBSYS_memcmp32(const void* a, const void* b, uint32_t n);
void* OBSYS_memset32(void* dest, int byte, uint32_t n);
void* OBSYS_memset8(void* dest, int byte, uint32_t n);
void* OBSYS_memmove32(void* dest, const void* src, uint32_t n);

float OBSYS_tan(float radians);
// log(x) / log(base) in single precision.
float OBSYS_logb(float base, float x);

// Decimal text: optional sign, digits, optional '.' and fraction digits; no exponent. A negative
// length reads up to the terminating zero. used (when not null) receives the number of
// characters consumed; an empty text leaves it alone. The byte form widens through the local
// code page first.
float OBSYS_strtof(const char* text, int length, int* used);
float OBSYS_wcstof(const wchar_t* text, int length, int* used);

// Copies up to and including the first zero, at most n characters; the rest of dest is untouched.
wchar_t* OBSYS_wcsncpy(wchar_t* dest, const wchar_t* src, size_t n);
// At most n characters, 'A'..'Z' folded: 0 when equal, else -1 or 1 by the first difference.
int OBSYS_wcsnicmp(const wchar_t* a, const wchar_t* b, size_t n);
// At most n bytes (signed), 'A'..'Z' folded: the difference of the first differing bytes.
int OBSYS_strnicmp(const char* a, const char* b, size_t n);

#endif
