#include "NumberChars.h"

#include "AUILibConfig.h"

#include <QLocale>

namespace AUILib {

NumberChars::NumberChars()
{
    const QLocale locale;
    decimalChar = static_cast<wchar_t>(locale.decimalPoint().unicode());
    minusChar = static_cast<wchar_t>(locale.negativeSign().unicode());
}

bool NormalizeRtlDigit(wchar_t &c, const NumberChars &chars)
{
    if (c >= 0x0660 && c <= 0x0669)
        c = static_cast<wchar_t>(L'0' + (c - 0x0660));
    else if (c >= 0x06F0 && c <= 0x06F9)
        c = static_cast<wchar_t>(L'0' + (c - 0x06F0));
    else if (c == 0x061C || c == 0x066C) // Arabic letter mark, thousands separator
        return false;
    else if (c == 0x066B) // Arabic decimal separator
        c = chars.decimalChar;
    else if (c == 0x2212) // minus sign
        c = chars.minusChar;
    return true;
}

std::wstring NormalizeRtlDigits(const std::wstring &text)
{
    if (GetReadingDirection() == ReadingDirectionLeftToRight)
        return text;
    const NumberChars chars;
    std::wstring result;
    result.reserve(text.size());
    for (wchar_t c : text) {
        if (NormalizeRtlDigit(c, chars))
            result += c;
    }
    return result;
}

} // namespace AUILib
