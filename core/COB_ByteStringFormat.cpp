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
        const char* separator = nl_langinfo(THOUSEP);
        if (radix[0] == '.' && radix[1] == 0 && (!grouping || separator[0] == 0))
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
    OB_FormatVerdict verdict = OB_CheckFormat(format, scan);
    va_end(scan);
    if (verdict == OB_FORMAT_BAD_WIDTH) {
        *this = "Bad width";
        return;
    }
    if (verdict == OB_FORMAT_BAD_PRECISION) {
        *this = "Bad precision";
        return;
    }

    NumericCLocale numericC(strchr(format, '\'') != nullptr);
    // Most results fit on the stack; a longer one is measured there and printed again into a
    // block of its exact size, so nothing is ever cut off.
    char local[512];
    va_list first;
    va_copy(first, args);
    int n = vsnprintf(local, sizeof local, format, first);
    va_end(first);
    if (n < 0) {
        Empty();
        return;
    }
    if (n < static_cast<int>(sizeof local)) {
        // As with ReleaseBuffer(-1): the text ends at its first 0 byte.
        AssignCopy(static_cast<int>(strlen(local)), local);
        return;
    }
    if (n == INT32_MAX) {
        Empty();
        return;
    }
    // A separate string, since the arguments may point into this one.
    COB_ByteString result;
    char* buffer = result.GetBuffer(n);
    if (!buffer) {
        Empty();
        return;
    }
    vsnprintf(buffer, static_cast<size_t>(n) + 1, format, args);
    result.ReleaseBuffer(-1);
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
