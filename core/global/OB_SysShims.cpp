#include "OB_SysShims.h"

#include "COB_ByteString.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <type_traits>

namespace {

template <class Char, class Int>
Int ParseInt(const Char* text)
{
    if (!text)
        return 0;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Accumulated unsigned so that long inputs wrap instead of overflowing.
    typedef typename std::make_unsigned<Int>::type UInt;
    UInt value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + static_cast<UInt>(*text - '0');
        ++text;
    }
    if (negative)
        value = UInt(0) - value;
    return static_cast<Int>(value);
}

template <class Char>
Char* WriteDecimal(long long value, Char* buffer)
{
    if (!buffer)
        return buffer;
    // The magnitude is taken unsigned so that the most negative value is written in full.
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    Char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<Char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    Char* out = buffer;
    if (value < 0)
        *out++ = '-';
    while (count)
        *out++ = digits[--count];
    *out = 0;
    return buffer;
}

template <class Char>
Char* MapCase(Char* text, bool lower)
{
    if (!text)
        return text;
    for (Char* p = text; *p; ++p) {
        if (lower && *p >= 'A' && *p <= 'Z')
            *p = static_cast<Char>(*p + ('a' - 'A'));
        else if (!lower && *p >= 'a' && *p <= 'z')
            *p = static_cast<Char>(*p - ('a' - 'A'));
    }
    return text;
}

template <class Unsigned>
Unsigned Lowered(Unsigned c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<Unsigned>(c + ('a' - 'A')) : c;
}

} // namespace

int OBSYS_atoi(const char* text)
{
    return ParseInt<char, int>(text);
}

int OBSYS_wtoi(const wchar_t* text)
{
    return ParseInt<wchar_t, int>(text);
}

long long OBSYS_atoi64(const char* text)
{
    return ParseInt<char, long long>(text);
}

long long OBSYS_wtoi64(const wchar_t* text)
{
    return ParseInt<wchar_t, long long>(text);
}

char* OBSYS_itoa(int value, char* buffer, int)
{
    return WriteDecimal(value, buffer);
}

char* OBSYS_i64toa(long long value, char* buffer, int)
{
    return WriteDecimal(value, buffer);
}

wchar_t* OBSYS_i64tow(long long value, wchar_t* buffer, int)
{
    return WriteDecimal(value, buffer);
}

char* OBSYS_strlwr(char* text)
{
    return MapCase(text, true);
}

char* OBSYS_strupr(char* text)
{
    return MapCase(text, false);
}

wchar_t* OBSYS_wcslwr(wchar_t* text)
{
    return MapCase(text, true);
}

wchar_t* OBSYS_wcsupr(wchar_t* text)
{
    return MapCase(text, false);
}

int OBSYS_stricmp(const char* a, const char* b)
{
    const unsigned char* pa = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* pb = reinterpret_cast<const unsigned char*>(b);
    for (;; ++pa, ++pb) {
        int ca = Lowered(*pa);
        int cb = Lowered(*pb);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

int OBSYS_wcsicmp(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        wchar_t ca = Lowered(*a);
        wchar_t cb = Lowered(*b);
        if (ca != cb || ca == 0)
            return static_cast<int>(ca) - static_cast<int>(cb);
    }
}

int OBSYS_GetFullPathName(const char* path, int bufferLength, char* buffer)
{
    if (!path)
        return 0;
    size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(INT_MAX))
        return 0;
    if (!buffer || static_cast<long long>(length) >= bufferLength)
        return static_cast<int>(length) + 1;
    std::memcpy(buffer, path, length + 1);
    return static_cast<int>(length);
}

unsigned int OBSYS_GetModuleFileName(void*, char*, unsigned int)
{
    return 0xFFFFFFFFu;
}

FILE* OBSYS_wfopen(const wchar_t* path, const wchar_t* mode)
{
    if (!path || !mode)
        return nullptr;
    COB_ByteString bytePath = COB_ByteString::FromUnicode(path);
    COB_ByteString byteMode = COB_ByteString::FromUnicode(mode);
    return std::fopen(bytePath.c_str(), byteMode.c_str());
}

int OBSYS_WideCharToMultiByte(unsigned int, unsigned int, const wchar_t* source, int sourceLength, char* out,
                              int outSize, const char*, bool*)
{
    // A buffer without room takes nothing (a negative size never means "unbounded").
    if (!source || (out && outSize < 1))
        return 0;
    const bool measure = !out;
    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    long long written = 0;
    // Reads no further than the given length, and never past a terminating zero.
    for (long long i = 0; (sourceLength < 0 || i < sourceLength) && source[i]; ++i) {
        size_t n = std::wcrtomb(bytes, source[i], &state);
        if (n == static_cast<size_t>(-1))
            return 0;
        if (!measure) {
            if (written + static_cast<long long>(n) > outSize)
                break;
            std::memcpy(out + written, bytes, n);
        }
        written += static_cast<long long>(n);
        if (written > INT_MAX)
            return 0;
    }
    if (!measure && written < outSize)
        out[written] = 0;
    return static_cast<int>(written);
}

int OBSYS_MultiByteToWideChar(unsigned int, unsigned int, const char* source, int sourceLength, wchar_t* out,
                              int outSize)
{
    if (!source || (out && outSize < 1))
        return 0;
    const bool measure = !out;
    size_t remaining = sourceLength < 0 ? std::strlen(source) : static_cast<size_t>(sourceLength);
    std::mbstate_t state{};
    long long written = 0;
    while (remaining > 0) {
        if (!measure && written >= outSize)
            break;
        wchar_t wc = 0;
        size_t n = std::mbrtowc(&wc, source, remaining, &state);
        if (n == static_cast<size_t>(-1))
            return 0;
        if (n == static_cast<size_t>(-2) || n == 0) // cut off by the length, or a terminating zero
            break;
        if (!measure)
            out[written] = wc;
        ++written;
        if (written > INT_MAX)
            return 0;
        source += n;
        remaining -= n;
    }
    if (!measure && written < outSize)
        out[written] = 0;
    return static_cast<int>(written);
}

int _vsnprintf(char* buffer, size_t size, const char* format, va_list arguments)
{
    return std::vsnprintf(buffer, size, format, arguments);
}
