#ifndef OB_FORMATSCAN_H
#define OB_FORMATSCAN_H

// Reads a printf format and its arguments before anything is printed, for the byte and wide
// formatters (internal to the library):
// - a width or precision above 131072 (a negative one taken from the argument list included)
//   refuses the whole format;
// - an estimate of the printed length, so that one block of the right size can be printed into.
//   The estimate only saves work: the formatters still check what was printed and print again
//   into a larger block when it fell short.

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

enum OB_FormatVerdict { OB_FORMAT_OK, OB_FORMAT_BAD_WIDTH, OB_FORMAT_BAD_PRECISION };

const uint32_t OB_FORMAT_SIZE_LIMIT = 0x20000;

struct OB_FormatPlan
{
    OB_FormatVerdict verdict = OB_FORMAT_OK;
    // Characters (bytes or wchar_t) the text probably needs; -1 when unknown (positional
    // arguments, which this scan does not follow).
    int64_t estimate = 0;
    // A thousands-grouping flag (') was seen.
    bool grouping = false;
    // A character conversion may put a 0 inside the text.
    bool mayHoldZero = false;
    // Only literal text and the plain conversions %d %i %u %x %X %s %c (optionally with l, ll or z)
    // without flags, width or precision: text that needs no locale and can be written directly.
    bool simple = true;
};

namespace ob_format_detail {

// With a precision printf reads at most that many characters: the array need not be terminated.
inline size_t Length(const char* s, int64_t precision)
{
    return precision >= 0 ? strnlen(s, static_cast<size_t>(precision)) : strlen(s);
}
inline size_t Length(const wchar_t* s, int64_t precision)
{
    return precision >= 0 ? wcsnlen(s, static_cast<size_t>(precision)) : wcslen(s);
}

// Digits before the point of a fixed-point number of magnitude m.
inline int64_t WholeDigits(long double m)
{
    if (!(m >= 1.0L) || std::isinf(m))
        return 1;
    return static_cast<int64_t>(std::log10(m)) + 2;
}

} // namespace ob_format_detail

// args is consumed: pass a copy.
// Arguments are walked with the types the conversions name, as printf itself reads them.
// Positional arguments ("%1$d") cannot be walked that way; on meeting one the scan starts again
// with positional set, checking only literal widths and precisions and leaving the length unknown.
template <typename CharT>
OB_FormatPlan OB_ScanFormat(const CharT* format, va_list args, bool positional = false)
{
    using namespace ob_format_detail;
    OB_FormatPlan plan;
    const bool wide = sizeof(CharT) > 1;

    // Decimal digits, saturated just above the limit so that long runs cannot wrap to a small value.
    auto readNumber = [](const CharT*& p) -> uint32_t {
        uint32_t v = 0;
        while (*p >= '0' && *p <= '9') {
            v = v * 10 + static_cast<uint32_t>(*p - '0');
            if (v > OB_FORMAT_SIZE_LIMIT)
                v = OB_FORMAT_SIZE_LIMIT + 1;
            ++p;
        }
        return v;
    };
    auto nextInt = [&]() -> int { return positional ? 0 : va_arg(args, int); };

    int64_t total = 0;
    const CharT* p = format;
    while (*p) {
        if (*p++ != '%') {
            ++total;
            continue;
        }
        if (*p == '%') {
            ++p;
            ++total;
            continue;
        }
        const CharT* start = p;
        if (!positional) {
            const CharT* q = p;
            while (*q >= '0' && *q <= '9')
                ++q;
            if (*q == '$' && q != p)
                return OB_ScanFormat(format, args, true);
        } else {
            while (*p >= '0' && *p <= '9')
                ++p;
            if (*p == '$')
                ++p;
        }
        uint32_t width = 0;
        bool grouping = false;
        for (; *p && *p < '1'; ++p) {
            if (*p == '*') {
                width = static_cast<uint32_t>(nextInt());
                if (positional) { // "*2$"
                    while (p[1] >= '0' && p[1] <= '9')
                        ++p;
                    if (p[1] == '$')
                        ++p;
                }
            }
            else if (*p == '\'')
                grouping = true;
            else if (*p != ' ' && *p != '+' && *p != '-' && *p != '0' && *p != '#')
                break;
        }
        if (width == 0)
            width = readNumber(p);
        if (width > OB_FORMAT_SIZE_LIMIT) {
            plan.verdict = OB_FORMAT_BAD_WIDTH;
            return plan;
        }
        int64_t precision = -1;
        if (*p == '.') {
            ++p;
            uint32_t value;
            if (*p == '*') {
                value = static_cast<uint32_t>(nextInt());
                ++p;
                if (positional) {
                    while (*p >= '0' && *p <= '9')
                        ++p;
                    if (*p == '$')
                        ++p;
                }
            } else {
                value = readNumber(p);
            }
            if (value > OB_FORMAT_SIZE_LIMIT) {
                plan.verdict = OB_FORMAT_BAD_PRECISION;
                return plan;
            }
            precision = value;
        }
        // Size prefix: 0 int, 1 long, 2 long long, 3 long double, 4 size_t, 5 ptrdiff_t, 6 intmax_t;
        // 'h' and "hh" read an int.
        int size = 0;
        for (;; ++p) {
            if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
                size = 2;
                p += 2;
            } else if (*p == 'l') {
                size = size == 1 ? 2 : 1;
            } else if (*p == 'q') {
                size = 2;
            } else if (*p == 'L') {
                size = 3;
            } else if (*p == 'z') {
                size = 4;
            } else if (*p == 't') {
                size = 5;
            } else if (*p == 'j') {
                size = 6;
            } else if (*p != 'h') {
                break;
            }
        }
        CharT conversion = *p;
        if (!conversion) {
            plan.simple = false;
            break; // a format ending in a bare '%'
        }
        if (plan.simple) {
            const CharT* q = start;
            while (*q == 'l' || *q == 'z')
                ++q;
            bool plainSize = q == p && (size == 0 || size == 1 || size == 2 || size == 4) &&
                             (p - start <= 2) && (p - start != 2 || (start[0] == 'l' && start[1] == 'l'));
            bool plainConversion = conversion == 'd' || conversion == 'i' || conversion == 'u' ||
                                   conversion == 'x' || conversion == 'X' ||
                                   ((conversion == 's' || conversion == 'c') && size == 0);
            if (!plainSize || !plainConversion)
                plan.simple = false;
        }
        ++p;
        if (grouping)
            plan.grouping = true;
        if (conversion == 'c' || conversion == 'C')
            plan.mayHoldZero = true;
        if (positional)
            continue;

        int64_t item = 0;
        switch (conversion) {
        case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
            if (size == 1)
                (void)va_arg(args, long);
            else if (size == 2 || size == 3)
                (void)va_arg(args, long long);
            else if (size == 4)
                (void)va_arg(args, size_t);
            else if (size == 5)
                (void)va_arg(args, ptrdiff_t);
            else if (size == 6)
                (void)va_arg(args, intmax_t);
            else
                (void)va_arg(args, int);
            item = (precision > 0 ? precision : 0) + 32;
            break;
        case 'c': case 'C':
            (void)va_arg(args, int);
            item = MB_LEN_MAX;
            break;
        case 's': case 'S': {
            bool wideArg = conversion == 'S' || size == 1;
            const void* s = va_arg(args, const void*);
            if (!s) {
                item = 6; // "(null)"
            } else if (wideArg) {
                item = static_cast<int64_t>(Length(static_cast<const wchar_t*>(s), precision));
                if (!wide)
                    item *= static_cast<int64_t>(MB_CUR_MAX);
            } else {
                // In a wide format each character takes at least one byte of the narrow text.
                item = static_cast<int64_t>(Length(static_cast<const char*>(s), precision));
            }
            if (precision >= 0 && precision < item)
                item = precision;
            break;
        }
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A': {
            long double value = size == 3 ? va_arg(args, long double) : va_arg(args, double);
            int64_t digits = precision >= 0 ? precision : 6;
            if (conversion == 'f' || conversion == 'F')
                item = WholeDigits(std::fabs(value)) + digits + 8;
            else
                item = digits + 40; // mantissa digits, point, sign and exponent
            if (grouping)
                item += item / 2;
            break;
        }
        case 'p':
            (void)va_arg(args, void*);
            item = 32;
            break;
        case 'n':
            (void)va_arg(args, void*);
            break;
        case 'm':
            item = 256; // the text of errno
            break;
        default:
            item = 32;
            break;
        }
        if (grouping && item < 64)
            item += item;
        total += item > static_cast<int64_t>(width) ? item : static_cast<int64_t>(width);
    }
    if (positional)
        plan.simple = false;
    plan.estimate = positional ? -1 : total;
    return plan;
}

#endif
