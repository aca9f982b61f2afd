#pragma once

#include <string>

namespace AUILib {

// The characters a number is written with in the current language: taken from
// the default QLocale when made. Kept as wide characters, so that a separator
// outside Latin-1 (the Arabic decimal separator) compares equal to the one typed.
struct NumberChars
{
    NumberChars();

    wchar_t decimalChar = L'.';
    wchar_t minusChar = L'-';
};

// Under a right-to-left reading direction: Arabic-Indic and extended
// Arabic-Indic digits become '0'..'9', the Arabic decimal separator and the
// minus sign U+2212 become the locale's decimal and minus characters, and the
// Arabic letter mark and thousands separator are dropped. Left to right, the
// text comes back unchanged.
std::wstring NormalizeRtlDigits(const std::wstring &text);

// One character of NormalizeRtlDigits, whatever the reading direction, with the
// language's characters `chars`: false when the character is dropped. Lets a
// caller walk a text once instead of normalizing it again for every part.
bool NormalizeRtlDigit(wchar_t &c, const NumberChars &chars);

} // namespace AUILib
