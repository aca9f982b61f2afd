// Formatting and number text of the byte string.
#include "COB_ByteString.h"

#include "OB_FormatScan.h"
#include "OB_NumberText.h"
#include "OB_SysShims.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace {

// Numbers are always printed as in the C locale ('.' as the decimal point, no grouping), while
// the rest of the current locale (the character set that %ls converts to, for one) stays. The
// locale is switched only when its numeric conventions differ from C's, which keeps the common
// case as cheap as a plain vsnprintf.
class NumericCLocale
{
public:
    explicit NumericCLocale(bool grouping)
    {
        const char* radix = nl_langinfo(RADIXCHAR);
        if (radix[0] == '.' && radix[1] == 0 && (!grouping || nl_langinfo(THOUSEP)[0] == 0))
            return;
        locale_t current = uselocale(static_cast<locale_t>(0));
        locale_t base = duplocale(current);
        if (base) {
            m_Made = newlocale(LC_NUMERIC_MASK, "C", base);
            if (!m_Made)
                freelocale(base);
        }
        if (!m_Made)
            m_Made = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        if (m_Made)
            m_Previous = uselocale(m_Made);
    }
    ~NumericCLocale()
    {
        if (!m_Made)
            return;
        uselocale(m_Previous);
        freelocale(m_Made);
    }
    NumericCLocale(const NumericCLocale&) = delete;
    NumericCLocale& operator=(const NumericCLocale&) = delete;

private:
    locale_t m_Made = static_cast<locale_t>(0);
    locale_t m_Previous = static_cast<locale_t>(0);
};

// Writes a format of plain conversions only (OB_FormatPlan::simple) the way printf would, without
// printf's set-up cost. Returns the length, or -1 when capacity would be exceeded.
int WriteSimple(char* out, int capacity, const char* format, va_list args)
{
    char* o = out;
    char* end = out + capacity;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            if (o == end)
                return -1;
            *o++ = *p++;
            continue;
        }
        ++p;
        if (*p == '%') {
            if (o == end)
                return -1;
            *o++ = '%';
            ++p;
            continue;
        }
        int size = 0; // 0 int, 1 long, 2 long long, 4 size_t
        for (; *p == 'l' || *p == 'z'; ++p)
            size = *p == 'z' ? 4 : size + 1;
        char conversion = *p++;
        char digits[24];
        const char* text = digits;
        size_t length = 0;
        if (conversion == 's') {
            text = va_arg(args, const char*);
            if (!text)
                text = "(null)";
            length = strlen(text);
        } else if (conversion == 'c') {
            digits[0] = static_cast<char>(va_arg(args, int));
            length = 1;
        } else {
            bool negative = false;
            unsigned long long value;
            if (conversion == 'd' || conversion == 'i') {
                long long v = size == 0   ? va_arg(args, int)
                              : size == 1 ? va_arg(args, long)
                              : size == 2 ? va_arg(args, long long)
                                          : static_cast<long long>(va_arg(args, ssize_t));
                negative = v < 0;
                value = negative ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            } else {
                value = size == 0   ? va_arg(args, unsigned int)
                        : size == 1 ? va_arg(args, unsigned long)
                        : size == 2 ? va_arg(args, unsigned long long)
                                    : va_arg(args, size_t);
            }
            unsigned base = conversion == 'x' || conversion == 'X' ? 16 : 10;
            const char* set = conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
            char* d = digits + sizeof digits;
            do {
                *--d = set[value % base];
                value /= base;
            } while (value);
            if (negative)
                *--d = '-';
            text = d;
            length = static_cast<size_t>(digits + sizeof digits - d);
        }
        if (length > static_cast<size_t>(end - o))
            return -1;
        memcpy(o, text, length);
        o += length;
    }
    return static_cast<int>(o - out);
}

} // namespace

void COB_ByteString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void COB_ByteString::FormatV(const char* format, va_list args)
{
    if (!format) {
        Empty();
        return;
    }
    va_list scan;
    va_copy(scan, args);
    OB_FormatPlan plan = OB_ScanFormat(format, scan);
    va_end(scan);
    if (plan.verdict == OB_FORMAT_BAD_WIDTH) {
        *this = "Bad width";
        return;
    }
    if (plan.verdict == OB_FORMAT_BAD_PRECISION) {
        *this = "Bad precision";
        return;
    }

    va_list attempt;
    if (plan.simple && plan.estimate < INT32_MAX) {
        // Short texts on the stack, then into an exact block; longer ones straight into a block
        // of the estimated size (a separate string: the arguments may point into this one).
        char local[512];
        COB_ByteString result;
        char* out = local;
        if (plan.estimate > static_cast<int64_t>(sizeof local))
            out = result.GetBuffer(static_cast<int>(plan.estimate));
        if (out) {
            int capacity = out == local ? static_cast<int>(sizeof local) : static_cast<int>(plan.estimate);
            va_copy(attempt, args);
            int n = WriteSimple(out, capacity, format, attempt);
            va_end(attempt);
            if (n >= 0) {
                if (plan.mayHoldZero)
                    n = static_cast<int>(strnlen(out, static_cast<size_t>(n)));
                if (out == local) {
                    AssignCopy(n, local);
                } else {
                    result.ReleaseBuffer(n);
                    *this = result;
                }
                return;
            }
        }
    }

    NumericCLocale numericC(plan.grouping);
    // Short texts are printed on the stack and copied into an exact block. (Measuring a long text
    // by letting it overflow a small buffer is slow in the C library, hence the estimate.)
    char local[512];
    int64_t room = plan.estimate;
    if (room < 0 || room < static_cast<int64_t>(sizeof local)) {
        va_copy(attempt, args);
        int n = vsnprintf(local, sizeof local, format, attempt);
        va_end(attempt);
        if (n < 0) {
            Empty();
            return;
        }
        if (n < static_cast<int>(sizeof local)) {
            // As with ReleaseBuffer(-1): the text ends at its first 0 byte.
            AssignCopy(plan.mayHoldZero ? static_cast<int>(strlen(local)) : n, local);
            return;
        }
        room = n;
    }
    // A separate string, since the arguments may point into this one. When the estimate falls
    // short, the measured length is printed again: the text is never cut off.
    COB_ByteString result;
    int printed = 0;
    for (int pass = 0; pass < 2; ++pass) {
        if (room >= INT32_MAX) {
            Empty();
            return;
        }
        char* buffer = result.GetBuffer(static_cast<int>(room));
        if (!buffer) {
            Empty();
            return;
        }
        va_copy(attempt, args);
        int n = vsnprintf(buffer, static_cast<size_t>(room) + 1, format, attempt);
        va_end(attempt);
        if (n < 0) {
            Empty();
            return;
        }
        printed = n;
        if (n <= room)
            break;
        room = n;
    }
    if (printed > room) { // the arguments changed under us
        Empty();
        return;
    }
    result.ReleaseBuffer(plan.mayHoldZero ? -1 : printed);
    *this = result;
}

COB_ByteString COB_ByteString::FormatInteger(int value, unsigned flags)
{
    char text[16];
    int len = OB_FormatIntegerText(value, flags, text);
    return COB_ByteString(text, len);
}

COB_ByteString COB_ByteString::FormatInteger64(long long value)
{
    char text[24];
    OBSYS_i64toa(value, text, 10);
    return COB_ByteString(text, -1);
}

COB_ByteString COB_ByteString::FormatFloat(float value, int appendZero)
{
    char text[OB_FTOA_BUFSIZE];
    int len = OB_ftoa_s(value, text, appendZero);
    if (len <= 0)
        return COB_ByteString();
    return COB_ByteString(text, len);
}
