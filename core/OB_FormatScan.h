#ifndef OB_FORMATSCAN_H
#define OB_FORMATSCAN_H

// Checks a printf format before it is printed: a width or precision above 131072 (a negative one
// taken from the argument list included) refuses the whole format. Shared by the byte and wide
// formatters; internal to the library.

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cwchar>

enum OB_FormatVerdict { OB_FORMAT_OK, OB_FORMAT_BAD_WIDTH, OB_FORMAT_BAD_PRECISION };

const uint32_t OB_FORMAT_SIZE_LIMIT = 0x20000;

// args is consumed; pass a copy. Arguments are only walked when the format takes a width or
// precision from them ('*'), since only then do their positions matter.
template <typename CharT>
OB_FormatVerdict OB_CheckFormat(const CharT* format, va_list args)
{
    bool star = false;
    for (const CharT* p = format; *p; ++p) {
        if (*p == '*') {
            star = true;
            break;
        }
    }

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

    const CharT* p = format;
    while (*p) {
        if (*p++ != '%')
            continue;
        if (*p == '%') {
            ++p;
            continue;
        }
        uint32_t width = 0;
        for (; *p && *p < '1'; ++p) {
            if (*p == '*')
                width = star ? static_cast<uint32_t>(va_arg(args, int)) : 0;
            else if (*p != ' ' && *p != '+' && *p != '-' && *p != '0' && *p != '#')
                break;
        }
        if (width == 0)
            width = readNumber(p);
        if (width > OB_FORMAT_SIZE_LIMIT)
            return OB_FORMAT_BAD_WIDTH;
        if (*p == '.') {
            ++p;
            uint32_t precision;
            if (*p == '*') {
                precision = star ? static_cast<uint32_t>(va_arg(args, int)) : 0;
                ++p;
            } else {
                precision = readNumber(p);
            }
            if (precision > OB_FORMAT_SIZE_LIMIT)
                return OB_FORMAT_BAD_PRECISION;
        }
        // Size prefix: 0 int, 1 long, 2 long long, 3 long double, 4 size_t, 5 ptrdiff_t, 6 intmax_t.
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
        if (!conversion)
            break; // a format ending in a bare '%'
        ++p;
        if (!star)
            continue;
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
            break;
        case 'c': case 'C':
            (void)va_arg(args, int);
            break;
        case 'a': case 'A': case 'e': case 'E': case 'f': case 'F': case 'g': case 'G':
            if (size == 3)
                (void)va_arg(args, long double);
            else
                (void)va_arg(args, double);
            break;
        case 's': case 'S': case 'p': case 'n':
            (void)va_arg(args, void*);
            break;
        default:
            break;
        }
    }
    return OB_FORMAT_OK;
}

#endif
