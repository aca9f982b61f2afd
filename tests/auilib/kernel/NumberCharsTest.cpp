#include "NumberChars.h"

#include "AUILibConfig.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(NumberCharsTest, TakesTheDefaultLocalesCharacters)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const NumberChars french;
    QLocale::setDefault(QLocale::c());
    const NumberChars c;
    QLocale::setDefault(before);
    EXPECT_EQ(french.decimalChar, L',');
    EXPECT_EQ(french.minusChar, L'-');
    EXPECT_EQ(c.decimalChar, L'.');
}

TEST(NumberCharsTest, RightToLeftDigitsBecomeLatinDigits)
{
    const ReadingDirection before = GetReadingDirection();
    const std::wstring mixed = L"\u0660\u0669\u06F0\u06F9\u061C\u066C\u066B\u2212x7";
    SetReadingDirection(ReadingDirectionLeftToRight);
    EXPECT_EQ(NormalizeRtlDigits(mixed), mixed);
    SetReadingDirection(ReadingDirectionRightToLeft);
    const NumberChars chars;
    EXPECT_EQ(NormalizeRtlDigits(mixed), std::wstring(L"0909") + chars.decimalChar + chars.minusChar + L"x7");
    EXPECT_EQ(NormalizeRtlDigits(L""), L"");
    SetReadingDirection(before);
}
