#include "OB_SysHelpers.h"

#include <cmath>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

template <typename Char>
Char FoldAscii(Char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c + 32) : c;
}

} // namespace

void* OBSYS_memcpy32(void* dest, const void* src, uint32_t n)
{
    if (dest && src && n)
        std::memcpy(dest, src, n);
    return dest;
}

int OBSYS_memcmp32(const void* a, const void* b, uint32_t n)
{
    return n ? std::memcmp(a, b, n) : 0;
}

void* OBSYS_memset32(void* dest, int byte, uint32_t n)
{
    return n ? std::memset(dest, byte, n) : dest;
}

void* OBSYS_memset8(void* dest, int byte, uint32_t n)
{
    return OBSYS_memset32(dest, byte, n);
}

void* OBSYS_memmove32(void* dest, const void* src, uint32_t n)
{
    return n ? std::memmove(dest, src, n) : dest;
}

float OBSYS_tan(float radians)
{
    return std::tan(radians);
}

float OBSYS_logb(float base, float x)
{
    return std::log(x) / std::log(base);
}

float OBSYS_wcstof(const wchar_t* text, int length, int* used)
{
    if (!text)
        return 0.0f;
    const int n = length < 0 ? static_cast<int>(std::wcslen(text)) : length;
    if (n == 0)
        return 0.0f;
    int i = 0;
    const bool negative = text[0] == L'-';
    if (text[0] == L'-' || text[0] == L'+')
        ++i;
    float value = 0.0f;
    for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = value * 10.0f + static_cast<float>(text[i] - L'0');
    if (i + 1 < n && text[i] == L'.') {
        ++i;
        float scale = 0.1f;
        for (; i < n && text[i] >= L'0' && text[i] <= L'9'; ++i) {
            value += static_cast<float>(text[i] - L'0') * scale;
            scale *= 0.1f;
        }
    }
    if (used)
        *used = i;
    return negative ? -value : value;
}

float OBSYS_strtof(const char* text, int length, int* used)
{
    if (!text)
        return 0.0f;
    const int n = length < 0 ? static_cast<int>(std::strlen(text)) : length;
    if (n == 0)
        return 0.0f;
    // Widened only as far as the local code page reads it: a number is followed by text of any
    // kind, and a byte the code page cannot read must not turn "2.5 \xE9" into nothing at all.
    std::vector<wchar_t> wide;
    wide.reserve(static_cast<size_t>(n));
    std::mbstate_t state{};
    for (int i = 0; i < n;) {
        wchar_t c = 0;
        const size_t step = std::mbrtowc(&c, text + i, static_cast<size_t>(n - i), &state);
        if (step == 0 || step == static_cast<size_t>(-1) || step == static_cast<size_t>(-2))
            break;
        wide.push_back(c);
        i += static_cast<int>(step);
    }
    if (wide.empty()) {
        if (used)
            *used = 0;
        return 0.0f;
    }
    return OBSYS_wcstof(wide.data(), static_cast<int>(wide.size()), used);
}

wchar_t* OBSYS_wcsncpy(wchar_t* dest, const wchar_t* src, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        dest[i] = src[i];
        if (src[i] == 0)
            break;
    }
    return dest;
}

int OBSYS_wcsnicmp(const wchar_t* a, const wchar_t* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const wchar_t x = FoldAscii(a[i]);
        const wchar_t y = FoldAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            break;
    }
    return 0;
}

int OBSYS_strnicmp(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const signed char x = FoldAscii(static_cast<signed char>(a[i]));
        const signed char y = FoldAscii(static_cast<signed char>(b[i]));
        if (x != y)
            return x - y;
        if (x == 0)
            break;
    }
    return 0;
}
