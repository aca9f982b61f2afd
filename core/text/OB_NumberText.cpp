#include "OB_NumberText.h"

#include "OB_Round.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

int g_iPrecision = 0;

namespace {

const char kLowerDigits[] = "0123456789abcdef";
const char kUpperDigits[] = "0123456789ABCDEF";

inline int rnd(float x)
{
    return OBSYS_round(x);
}

// Writes the decimal digits of v (no sign); returns the count.
int WriteUnsigned(uint64_t v, char* out)
{
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    for (int i = 0; i < n; ++i)
        out[i] = tmp[n - 1 - i];
    return n;
}

int DigitCount(uint64_t v)
{
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

// Every float of 2^31 and above is an integer; its exact decimal text has up to 39 digits, which
// is what gets written instead of clamping to the 32-bit limit.
const float kTwo31 = 2147483648.0f;

int WriteLargeInteger(float a, char* out)
{
    if (std::isinf(a))
        a = FLT_MAX; // nearest finite value, as the rounding helper clamps to its nearest limit
    int exp = 0;
    float m = std::frexp(a, &exp);
    uint32_t mant = static_cast<uint32_t>(std::ldexp(m, 24));
    exp -= 24;
    const uint32_t kBase = 1000000000u;
    uint32_t limbs[6] = {mant, 0, 0, 0, 0, 0};
    int count = 1;
    while (exp > 0) {
        int shift = exp < 29 ? exp : 29;
        uint64_t carry = 0;
        for (int i = 0; i < count; ++i) {
            uint64_t v = (static_cast<uint64_t>(limbs[i]) << shift) + carry;
            limbs[i] = static_cast<uint32_t>(v % kBase);
            carry = v / kBase;
        }
        if (carry)
            limbs[count++] = static_cast<uint32_t>(carry);
        exp -= shift;
    }
    int len = WriteUnsigned(limbs[count - 1], out);
    for (int i = count - 2; i >= 0; --i) {
        uint32_t v = limbs[i];
        for (int d = 8; d >= 0; --d) {
            out[len + d] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
        len += 9;
    }
    return len;
}

int FixedDecimals(float value, char* buffer)
{
    buffer[0] = '0';
    buffer[1] = 0;
    if (value == 0 || std::isnan(value))
        return 1;
    float a = std::fabs(value);
    int decimals = g_iPrecision < 8 ? g_iPrecision : 8;
    int64_t P = 1;
    for (int k = 0; k < decimals; ++k)
        P *= 10;
    char* p = buffer;
    if (a >= kTwo31) {
        if (value < 0)
            *p++ = '-';
        p += WriteLargeInteger(a, p);
        *p++ = '.';
        *p++ = '0';
        *p = 0;
        return static_cast<int>(p - buffer);
    }
    int64_t i = static_cast<int64_t>(std::floor(a));
    int64_t fd = 0;
    float f = a - static_cast<float>(i);
    for (int64_t scale = 10; scale <= P; scale *= 10)
        fd = rnd(static_cast<float>(scale) * f);
    if (fd >= P) { // the fraction rounded up to a whole unit
        ++i;
        fd -= P;
    }
    if (i == 0 && fd == 0)
        return 1;
    if (value < 0)
        *p++ = '-';
    p += WriteUnsigned(static_cast<uint64_t>(i), p);
    *p++ = '.';
    if (fd == 0) {
        *p++ = '0';
    } else {
        for (int64_t q = P / 10; fd && q; q /= 10) {
            *p++ = static_cast<char>('0' + fd / q);
            fd %= q;
        }
    }
    *p = 0;
    return static_cast<int>(p - buffer);
}

// The default writer; smallForm selects the significant-digit text of values below 0.1.
int DefaultFloat(float value, char* buffer, int appendZero, bool smallForm)
{
    buffer[0] = '0';
    buffer[1] = 0;
    if (value == 0 || std::isnan(value))
        return 1;
    float a = std::fabs(value);
    char* p = buffer;
    if (a >= kTwo31) {
        if (value < 0)
            *p++ = '-';
        p += WriteLargeInteger(a, p);
        if (appendZero > 0) {
            *p++ = '.';
            *p++ = '0';
        }
        *p = 0;
        return static_cast<int>(p - buffer);
    }

    int n = rnd(a);
    int scale = 1;
    if (n < 100000) {
        int k = 0;
        do {
            scale *= 10;
            n = rnd(static_cast<float>(scale) * a);
            if (a > 10) {
                if (k == 2)
                    break;
                ++k;
            }
        } while (scale != 1000000 && n < 100000);
    }

    if (smallForm && scale == 1000000 && n < 100000) {
        float power = 1;
        for (int k = 0; k < 6; ++k)
            power *= 10;
        int e = 6;
        float v = 0;
        for (; e <= 28; ++e, power *= 10) {
            v = a * power;
            if (rnd(v) > 0)
                break;
        }
        if (e > 28)
            return 1;
        int d = v < 1 ? 1 : DigitCount(static_cast<uint64_t>(v));
        int extra = d <= 5 ? 6 - d : 0;
        if (v < 1)
            extra = 5;
        if (e + extra > 28)
            extra = 28 - e;
        float extraPower = 1;
        for (int k = 0; k < extra; ++k)
            extraPower *= 10;
        int64_t r = rnd(v * extraPower);
        int decimals = e + extra;
        while (r != 0 && r % 10 == 0) {
            r /= 10;
            --decimals;
        }
        if (value < 0)
            *p++ = '-';
        *p++ = '0';
        *p++ = '.';
        for (int zeros = decimals - DigitCount(static_cast<uint64_t>(r)); zeros > 0; --zeros)
            *p++ = '0';
        p += WriteUnsigned(static_cast<uint64_t>(r), p);
        *p = 0;
        return static_cast<int>(p - buffer);
    }
    if (!smallForm && n == 0)
        return 1;

    if (value < 0)
        *p++ = '-';
    p += WriteUnsigned(static_cast<uint64_t>(n / scale), p);
    int rest = n % scale;
    if (rest != 0) {
        *p++ = '.';
        while (rest != 0) {
            scale /= 10;
            *p++ = static_cast<char>('0' + rest / scale);
            rest %= scale;
        }
    } else if (appendZero > 0) {
        *p++ = '.';
        *p++ = '0';
    }
    *p = 0;
    return static_cast<int>(p - buffer);
}

} // namespace

int OB_ftoa_s(float value, char* buffer, int appendZero)
{
    if (g_iPrecision >= 1)
        return FixedDecimals(value, buffer);
    return DefaultFloat(value, buffer, appendZero, true);
}

int OB_ftoa(float value, char* buffer, int appendZero)
{
    if (g_iPrecision >= 1)
        return FixedDecimals(value, buffer);
    return DefaultFloat(value, buffer, appendZero, false);
}

float OB_wtof(const wchar_t* text, int len)
{
    if (len <= 0 || !text)
        return 0.0f;
    bool negative = false;
    int i = 0;
    if (text[0] == L'+') {
        i = 1;
    } else if (text[0] == L'-') {
        negative = true;
        i = 1;
    }
    // Both parts end at the first character that is not a digit: "1e5" is 1, not a digit 'e'.
    uint32_t whole = 0; // wraps like the 32-bit accumulator it stands for
    for (; i < len && text[i] >= L'0' && text[i] <= L'9'; ++i)
        whole = whole * 10u + static_cast<uint32_t>(text[i] - L'0');
    float fraction = 0.0f;
    if (i < len && text[i] == L'.') {
        float weight = 0.1f;
        for (++i; i < len && text[i] >= L'0' && text[i] <= L'9'; ++i) {
            fraction += static_cast<float>(text[i] - L'0') * weight;
            weight *= 0.1f;
        }
    }
    float result = static_cast<float>(static_cast<int32_t>(whole)) + fraction;
    return negative ? -result : result;
}

int OB_wtoi(const wchar_t* text)
{
    bool negative = false;
    if (*text == L'+') {
        ++text;
    } else if (*text == L'-') {
        negative = true;
        ++text;
    }
    uint32_t value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - L'0');
    return static_cast<int>(negative ? 0u - value : value);
}

int OB_FormatIntegerText(int value, unsigned flags, char* buffer)
{
    if (value == 0) {
        buffer[0] = '0';
        buffer[1] = 0;
        return 1;
    }
    bool negative = (flags & OB_INT_SIGNED) && value < 0;
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (negative)
        magnitude = 0u - magnitude;
    uint32_t base = (flags & OB_INT_HEX) ? 16 : 10;
    const char* digits = (flags & OB_INT_HEX) && (flags & OB_INT_UPPER) ? kUpperDigits : kLowerDigits;
    char tmp[12];
    int n = 0;
    while (magnitude) {
        tmp[n++] = digits[magnitude % base];
        magnitude /= base;
    }
    int len = 0;
    if (negative)
        buffer[len++] = '-';
    while (n)
        buffer[len++] = tmp[--n];
    buffer[len] = 0;
    return len;
}
