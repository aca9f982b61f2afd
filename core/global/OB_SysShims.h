#ifndef OB_SYSSHIMS_H
#define OB_SYSSHIMS_H

#include <cstdarg>
#include <cstddef>
#include <cstdio>

int OBSYS_atoi(const char* text);
int OBSYS_wtoi(const wchar_t* text);
long long OBSYS_atoi64(const char* text);
long long OBSYS_wtoi64(const wchar_t* text);
// Always decimal: the radix is ignored. Buffers hold 12 (int) or 21 (long long) characters.
char* OBSYS_itoa(int value, char* buffer, int radix);
char* OBSYS_i64toa(long long value, char* buffer, int radix);
wchar_t* OBSYS_i64tow(long long value, wchar_t* buffer, int radix);

char* OBSYS_strlwr(char* text);
char* OBSYS_strupr(char* text);
wchar_t* OBSYS_wcslwr(wchar_t* text);
wchar_t* OBSYS_wcsupr(wchar_t* text);
int OBSYS_stricmp(const char* a, const char* b);
int OBSYS_wcsicmp(const wchar_t* a, const wchar_t* b);

int OBSYS_GetFullPathName(const char* path, int bufferLength, char* buffer);
unsigned int OBSYS_GetModuleFileName(void* module, char* buffer, unsigned int size);
FILE* OBSYS_wfopen(const wchar_t* path, const wchar_t* mode);

// Conversions in the platform's current locale; the code page and flags are ignored.
// A negative source length reads up to the terminating zero; otherwise exactly that many
// characters are converted. With a null output the needed size is returned; an output of size
// below 1 receives nothing and gives 0.
// Results exclude the terminator, which is written only when there is room; failure gives 0.
int OBSYS_WideCharToMultiByte(unsigned int codePage, unsigned int flags, const wchar_t* source, int sourceLength,
                              char* out, int outSize, const char* defaultChar = nullptr,
                              bool* usedDefault = nullptr);
int OBSYS_MultiByteToWideChar(unsigned int codePage, unsigned int flags, const char* source, int sourceLength,
                              wchar_t* out, int outSize);

int _vsnprintf(char* buffer, size_t size, const char* format, va_list arguments);

#endif
