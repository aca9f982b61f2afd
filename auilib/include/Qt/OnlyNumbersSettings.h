#pragma once

#include "NumberChars.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace AUILib {

class PromptsPopup;

// The rules that keep the text of an edit or of an editable combo box a number:
// what is not part of a number is cut away from the end, the digits after the
// decimal character are limited, and the value is brought into the range. Two
// optional balloons, made and worded by the application, tell the user that
// characters were dropped and that the value was brought into the range.
// The owner fills the fields and passes every changed text through CorrectText.
// GUI thread only.
struct OnlyNumbersSettings
{
    // The values that mean "no bound".
    static constexpr int kNoIntegerMinimum = INT_MIN;
    static constexpr int kNoIntegerMaximum = INT_MAX;
    // A floating maximum within 0.01 of this turns off both floating bounds.
    static constexpr double kNoFloatingBounds = 2147483647.0;

    // Whole numbers within [minimum, maximum]; a minus only where the minimum
    // is negative. Null balloons show nothing.
    void SetIntegerRange(bool enable, int minimum, int maximum, std::shared_ptr<PromptsPopup> invalidChar,
                         std::shared_ptr<PromptsPopup> outOfRange);

    // Corrects the text in place and shows or hides the balloons. The lower
    // bound is applied when it is negative or when `applyLowerBound` is set: a
    // positive minimum would otherwise make the first digits typed impossible.
    void CorrectText(std::wstring &text, bool applyLowerBound);
    // Whether every character may stand in a number: digits, a leading minus
    // where allowed, and in floating mode one decimal character. A lone minus
    // is valid; the empty text is not.
    bool IsValidText(const std::wstring &text) const;

    std::int32_t enabled = 0;
    int integerMinimum = kNoIntegerMinimum;
    int integerMaximum = kNoIntegerMaximum;
    // The smallest positive normal double, as the controls have always started.
    double floatingMinimum = 2.2250738585072014e-308;
    double floatingMaximum = 1.7976931348623157e+308;
    bool allowMinus = true;
    bool integersOnly = true;
    int decimals = 2;
    NumberChars numberChars;
    std::shared_ptr<PromptsPopup> invalidCharPopup;
    // Declared last, released first.
    std::shared_ptr<PromptsPopup> outOfRangePopup;

private:
    enum class Range { Inside, Corrected, NotANumber };
    bool isMinus(wchar_t c) const;
    // The length of the text before its first character that cannot stand
    // where it is; the whole length when every character can.
    std::size_t validLength(const std::wstring &text) const;
    Range correctInteger(std::wstring &text, bool applyLowerBound) const;
    Range correctFloating(std::wstring &text, bool applyLowerBound) const;
    // A number of the C locale ('.' and '-') written with the rule's characters,
    // cut to `decimals` digits after the decimal character.
    std::wstring forField(const std::string &number) const;
    // The text with the rule's characters replaced by the C locale's ones.
    std::string forConversion(const std::wstring &text) const;
};

} // namespace AUILib
