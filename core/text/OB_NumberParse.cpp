#include "OB_NumberParse.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <vector>

namespace {

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// The C runtime's float reader in the C locale, whatever locale the process runs in: a decimal
// comma locale would otherwise stop at the '.'.
float CLocaleStrtof(const unsigned char* text, int length)
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    std::vector<char> copy(text, text + length);
    copy.push_back(0);
    return cLocale ? strtof_l(copy.data(), nullptr, cLocale) : std::strtof(copy.data(), nullptr);
}

const float kFractionWeights[11] = {0.1f, 0.01f, 0.001f, 0.0001f, 1e-5f, 1e-6f, 1e-7f, 1e-8f, 1e-9f, 1e-10f, 1e-11f};
const uint32_t kFixedWeights[9] = {429496730u, 42949673u, 4294967u, 429497u, 42950u, 4295u, 429u, 43u, 4u};

} // namespace

float OB_atof(const COB_ByteStringC& text)
{
    const unsigned char* p = text.GetPtr();
    const int length = p ? text.GetLength() : 0;
    if (length <= 0)
        return 0.0f;
    int i = 0;
    const bool negative = p[0] == '-';
    while (i < length && (p[i] == '-' || p[i] == '+'))
        ++i;
    const int start = i;
    float value = 0.0f;
    for (; i < length && IsDigit(p[i]); ++i)
        value = value * 10.0f + static_cast<float>(p[i] - '0');
    if (i < length && p[i] == '.') {
        if (length - i >= 12) {
            value = CLocaleStrtof(p + start, length - start);
        } else {
            ++i;
            for (int k = 0; k < 11 && i < length && IsDigit(p[i]); ++k, ++i)
                value += static_cast<float>(p[i] - '0') * kFractionWeights[k];
        }
    }
    return negative ? -value : value;
}

void OB_atonum(const COB_ByteStringC& text, bool& isInteger, void* out, int size)
{
    const unsigned char* p = text.GetPtr();
    const int length = p ? text.GetLength() : 0;
    bool hasPoint = false;
    for (int i = 0; i < length && !hasPoint; ++i)
        hasPoint = p[i] == '.';
    isInteger = !hasPoint;
    if (!out)
        return;
    if (hasPoint) {
        *static_cast<float*>(out) = OB_atof(text);
        return;
    }
    int i = 0;
    bool negative = false;
    if (i < length && (p[i] == '+' || p[i] == '-')) {
        negative = p[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < length && IsDigit(p[i]); ++i) {
        const int digit = p[i] - '0';
        if (value > (INT64_MAX - digit) / 10) {
            value = 0;
            negative = false;
            break;
        }
        value = value * 10 + digit;
    }
    if (negative)
        value = -value;
    if (size == 8)
        *static_cast<int64_t*>(out) = value;
    else
        *static_cast<int32_t*>(out) = static_cast<int32_t>(value);
}

void OB_atofix32(const COB_ByteStringC& text, int& integer, unsigned int& fraction)
{
    integer = 0;
    fraction = 0;
    const unsigned char* p = text.GetPtr();
    const int length = p ? text.GetLength() : 0;
    if (length <= 0)
        return;
    int i = 0;
    bool negative = false;
    if (p[0] == '+' || p[0] == '-') {
        negative = p[0] == '-';
        ++i;
    }
    // Checked in 64 bits: a product that wraps back to a positive 32-bit value is an overflow too.
    int64_t whole = 0;
    for (; i < length && IsDigit(p[i]); ++i) {
        whole = whole * 10 + (p[i] - '0');
        if (whole > INT32_MAX) {
            integer = negative ? -16777215 : 16777215;
            return;
        }
    }
    integer = static_cast<int>(negative ? -whole : whole);
    if (i + 1 < length && p[i] == '.') {
        ++i;
        for (int k = 0; k < 9 && i < length && IsDigit(p[i]); ++k, ++i)
            fraction += static_cast<uint32_t>(p[i] - '0') * kFixedWeights[k];
    }
    if (negative && fraction != 0) {
        integer -= 1;
        fraction = 0u - fraction;
    }
}
