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

std::wstring NormalizeRtlDigits(const std::wstring &text)
{
    if (GetReadingDirection() == ReadingDirectionLeftToRight)
        return text;
    const NumberChars chars;
    std::wstring result;
    result.reserve(text.size());
    for (const wchar_t c : text) {
        if (c >= 0x0660 && c <= 0x0669)
            result += static_cast<wchar_t>(L'0' + (c - 0x0660));
        else if (c >= 0x06F0 && c <= 0x06F9)
            result += static_cast<wchar_t>(L'0' + (c - 0x06F0));
        else if (c == 0x061C || c == 0x066C) // Arabic letter mark, thousands separator
            continue;
        else if (c == 0x066B) // Arabic decimal separator
            result += chars.decimalChar;
        else if (c == 0x2212) // minus sign
            result += chars.minusChar;
        else
            result += c;
    }
    return result;
}

} // namespace AUILib
