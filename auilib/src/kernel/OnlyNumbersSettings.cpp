#include "OnlyNumbersSettings.h"

#include "AUILibConfig.h"
#include "PromptsPopup.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>
#include <utility>

namespace AUILib {

namespace {

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool hasDigit(const std::string &number)
{
    return std::any_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits and one leading '-' only; values beyond the 32-bit range are kept as
// a step past its ends, so that the bounds still see them as too large or too small.
bool parseInteger(const std::string &number, long long &value)
{
    if (!hasDigit(number))
        return false;
    const bool negative = number[0] == '-';
    long long magnitude = 0;
    for (std::size_t i = negative ? 1 : 0; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9')
            return false;
        magnitude = std::min(magnitude * 10 + (number[i] - '0'), 1LL + INT_MAX + 1);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

// Read in the C locale whatever the process's locale: a value too large for a
// double comes back as an infinity of its sign.
bool parseFloating(const std::string &number, double &value)
{
    if (!hasDigit(number) || number.find('?') != std::string::npos)
        return false;
    std::istringstream in(number);
    in.imbue(std::locale::classic());
    in >> value;
    if (in.fail())
        value = number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    else if (in.peek() != std::char_traits<char>::eof())
        return false;
    return true;
}

// The first decimal character; under a right-to-left reading direction the
// Arabic decimal separator counts as one.
std::size_t findDecimal(const std::wstring &text, wchar_t decimalChar)
{
    const bool rtl = GetReadingDirection() != ReadingDirectionLeftToRight;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] == decimalChar && decimalChar != 0) || (rtl && text[i] == 0x066B))
            return i;
    }
    return std::wstring::npos;
}

std::string formatFloating(double value)
{
    // Six digits after the point, as the fields have always shown a bound.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(6) << value;
    return out.str();
}

} // namespace

bool OnlyNumbersSettings::isMinus(wchar_t c) const
{
    // The keyboard's hyphen-minus counts as well: languages whose minus is
    // U+2212 have no key for it.
    return c == numberChars.minusChar || c == L'-';
}

bool OnlyNumbersSettings::IsValidText(const std::wstring &text) const
{
    return !text.empty() && validLength(text) == text.size();
}

std::size_t OnlyNumbersSettings::validLength(const std::wstring &text) const
{
    const bool rtl = GetReadingDirection() != ReadingDirectionLeftToRight;
    const NumberChars languageChars;
    bool first = true; // no character kept by the normalization yet
    bool seenDecimal = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (rtl && !NormalizeRtlDigit(c, languageChars))
            continue;
        const bool leadingMinus = first && allowMinus && isMinus(c);
        first = false;
        if (leadingMinus || isDigit(c))
            continue;
        if (integersOnly || c != numberChars.decimalChar || c == 0 || seenDecimal)
            return i;
        seenDecimal = true;
    }
    return text.size();
}

void OnlyNumbersSettings::SetIntegerRange(bool enable, int minimum, int maximum,
                                          std::shared_ptr<PromptsPopup> invalidChar,
                                          std::shared_ptr<PromptsPopup> outOfRange)
{
    enabled = enable ? 1 : 0;
    integersOnly = true;
    allowMinus = minimum < 0;
    integerMinimum = minimum;
    integerMaximum = maximum;
    invalidCharPopup = std::move(invalidChar);
    outOfRangePopup = std::move(outOfRange);
}

void OnlyNumbersSettings::CorrectText(std::wstring &text, bool applyLowerBound)
{
    if (!enabled || text.empty())
        return;

    // Every start of the text up to its first misplaced character is valid,
    // and none past it: one walk finds the longest.
    const std::size_t valid = validLength(text);
    const bool dropped = valid < text.size();
    text.resize(valid);
    if (!integersOnly) {
        const std::size_t point = findDecimal(text, numberChars.decimalChar);
        if (point != std::wstring::npos)
            text.resize(std::min(text.size(), point + std::max(decimals, 0) + 1));
    }
    if (invalidCharPopup)
        invalidCharPopup->Show(dropped, -1, -1);
    if (text.empty())
        return;

    Range range = Range::Inside;
    if (text.size() != 1 || !isMinus(text[0])) {
        range = integersOnly ? correctInteger(text, applyLowerBound) : correctFloating(text, applyLowerBound);
        if (range == Range::NotANumber)
            return;
    }
    if (outOfRangePopup)
        outOfRangePopup->Show(range == Range::Corrected, -1, -1);
}

OnlyNumbersSettings::Range OnlyNumbersSettings::correctInteger(std::wstring &text, bool applyLowerBound) const
{
    long long value = 0;
    if (!parseInteger(forConversion(text), value))
        return Range::NotANumber;
    Range range = Range::Inside;
    if (integerMaximum != kNoIntegerMaximum && value > integerMaximum) {
        text = forField(std::to_string(integerMaximum));
        range = Range::Corrected;
    }
    if (integerMinimum != kNoIntegerMinimum && value < integerMinimum && (integerMinimum < 0 || applyLowerBound)) {
        text = forField(std::to_string(integerMinimum));
        range = Range::Corrected;
    }
    // A number past the 32-bit range that no bound took in is left as typed.
    if (range == Range::Inside && (value > INT_MAX || value < INT_MIN))
        return Range::NotANumber;
    return range;
}

OnlyNumbersSettings::Range OnlyNumbersSettings::correctFloating(std::wstring &text, bool applyLowerBound) const
{
    double value = 0.0;
    if (!parseFloating(forConversion(text), value))
        return Range::NotANumber;
    if (std::fabs(floatingMaximum - kNoFloatingBounds) < 0.01)
        return std::isinf(value) ? Range::NotANumber : Range::Inside;
    Range range = Range::Inside;
    if (value > floatingMaximum) {
        text = forField(formatFloating(floatingMaximum));
        range = Range::Corrected;
    }
    if ((floatingMinimum < 0 || applyLowerBound) && value < floatingMinimum) {
        text = forField(formatFloating(floatingMinimum));
        range = Range::Corrected;
    }
    if (range == Range::Inside && std::isinf(value))
        return Range::NotANumber;
    return range;
}

std::wstring OnlyNumbersSettings::forField(const std::string &number) const
{
    const std::size_t point = std::min(number.find('.'), number.size());
    std::wstring text;
    for (std::size_t i = 0; i < point; ++i)
        text += number[i] == '-' ? numberChars.minusChar : static_cast<wchar_t>(number[i]);
    // Cut to the decimals the field keeps; a field without a decimal character
    // shows the whole part only.
    if (point == number.size() || integersOnly || numberChars.decimalChar == 0 || decimals <= 0)
        return text;
    text += numberChars.decimalChar;
    const std::size_t end = std::min(number.size(), point + 1 + static_cast<std::size_t>(decimals));
    text.append(number.begin() + static_cast<std::ptrdiff_t>(point) + 1, number.begin() + static_cast<std::ptrdiff_t>(end));
    return text;
}

std::string OnlyNumbersSettings::forConversion(const std::wstring &text) const
{
    std::string number;
    for (const wchar_t c : NormalizeRtlDigits(text)) {
        if (isDigit(c))
            number += static_cast<char>(c);
        else if (isMinus(c) && number.empty())
            number += '-';
        else if (c == numberChars.decimalChar && c != 0)
            number += '.';
        else
            number += '?'; // not part of a number: the conversion fails
    }
    return number;
}

} // namespace AUILib
