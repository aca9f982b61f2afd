#ifndef OB_HASH_H
#define OB_HASH_H

#include <cstdint>

// String hashes of the maps: h = h x 31 + c over the bytes taken as signed chars (byte form) or
// h = h x 1313 + c over wchar_t units (wide form), in 32 bits. A negative length reads up to the
// terminating zero; ignoreCase folds only 'A'..'Z'.
uint32_t OB_HashCode_String_GetA(const char* text, int length, bool ignoreCase);
uint32_t OB_HashCode_String_GetW(const wchar_t* text, int length, bool ignoreCase);

#endif
