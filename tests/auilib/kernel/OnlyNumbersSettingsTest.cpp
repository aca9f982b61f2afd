#include "OnlyNumbersSettings.h"

#include "AUILibConfig.h"
#include "BuiltLocales.h"
#include "PromptsPopup.h"
#include "Sandbox.h"

#include <QElapsedTimer>
#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

using namespace AUILib;

namespace {

// Records what the rules ask of a balloon.
class RecordingPopup : public PromptsPopup
{
public:
    void Show(bool show, int, int) override { shows.push_back(show ? L'1' : L'0'); }
    std::wstring shows; // one character per call: '1' shown, '0' hidden
};

struct Rules
{
    bool integers;
    double minimum;
    double maximum;
    int decimals;
};

const Rules kInteger{true, INT_MIN, INT_MAX, 2};
const Rules kZeroTo100{true, 0, 100, 2};
const Rules kPlusMinus10{true, -10, 10, 2};
const Rules kFiveUp{true, 5, 100, 2};
const Rules kFloating{false, -1e6, 1e6, 2};
const Rules kUpTo12_5{false, 0.0, 12.5, 2};
const Rules kUpTo12_75{false, 0.0, 12.75, 2};
const Rules kMinus3_5To10{false, -3.5, 10.0, 1};
const Rules kWholeFloating{false, 0.0, 12.5, 0};
const Rules kUnbounded{false, 5.0, 2147483647.0, 2};

// The settings as the edit fills them, with '.' and '-' whatever the locale.
struct Fixture
{
    explicit Fixture(const Rules &rules)
    {
        settings.enabled = 1;
        settings.integersOnly = rules.integers;
        if (rules.integers) {
            settings.integerMinimum = static_cast<int>(rules.minimum);
            settings.integerMaximum = static_cast<int>(rules.maximum);
        } else {
            settings.floatingMinimum = rules.minimum;
            settings.floatingMaximum = rules.maximum;
            settings.decimals = rules.decimals;
        }
        settings.allowMinus = rules.minimum < 0;
        settings.numberChars.decimalChar = L'.';
        settings.numberChars.minusChar = L'-';
        settings.invalidCharPopup = invalid;
        settings.outOfRangePopup = range;
    }

    std::shared_ptr<RecordingPopup> invalid = std::make_shared<RecordingPopup>();
    std::shared_ptr<RecordingPopup> range = std::make_shared<RecordingPopup>();
    OnlyNumbersSettings settings;
};

struct Case
{
    const Rules *rules;
    std::wstring text;
    std::wstring expected;
    std::wstring invalidShows; // "" not called, "1" shown, "0" hidden
    std::wstring rangeShows;
    bool applyLowerBound = false;
};

void runCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(QString::fromStdWString(c.text).toStdString());
        Fixture fixture(*c.rules);
        std::wstring text = c.text;
        fixture.settings.CorrectText(text, c.applyLowerBound);
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(fixture.invalid->shows, c.invalidShows);
        EXPECT_EQ(fixture.range->shows, c.rangeShows);
    }
}

class ReadingDirectionScope
{
public:
    explicit ReadingDirectionScope(ReadingDirection direction)
        : m_before(GetReadingDirection())
    {
        SetReadingDirection(direction);
    }
    ~ReadingDirectionScope() { SetReadingDirection(m_before); }

private:
    ReadingDirection m_before;
};

} // namespace

TEST(OnlyNumbersSettingsTest, StartsOffWithTheRecordsDefaults)
{
    OnlyNumbersSettings settings;
    EXPECT_EQ(settings.enabled, 0);
    EXPECT_EQ(settings.integerMinimum, INT_MIN);
    EXPECT_EQ(settings.integerMaximum, INT_MAX);
    EXPECT_EQ(settings.floatingMinimum, 2.2250738585072014e-308);
    EXPECT_EQ(settings.floatingMaximum, 1.7976931348623157e+308);
    EXPECT_TRUE(settings.allowMinus);
    EXPECT_TRUE(settings.integersOnly);
    EXPECT_EQ(settings.decimals, 2);

    auto popup = std::make_shared<RecordingPopup>();
    settings.invalidCharPopup = popup;
    settings.outOfRangePopup = popup;
    std::wstring text = L"12abc";
    settings.CorrectText(text, false);
    EXPECT_EQ(text, L"12abc") << "disabled rules change nothing";
    EXPECT_EQ(popup->shows, L"");
    text.clear();
    settings.enabled = 1;
    settings.CorrectText(text, false);
    EXPECT_EQ(popup->shows, L"") << "an empty text touches no balloon";
}

TEST(OnlyNumbersSettingsTest, IntegerRules)
{
    runCases({
        {&kInteger, L"12a34", L"12", L"1", L"0"},
        {&kInteger, L"123", L"123", L"0", L"0"},
        {&kInteger, L"abc", L"", L"1", L""},
        {&kInteger, L"-", L"-", L"0", L"0"},
        {&kInteger, L"--5", L"-", L"1", L"0"},
        {&kInteger, L"4-", L"4", L"1", L"0"},
        // Past 32 bits with no bound to take it in: left as typed, no range verdict.
        {&kInteger, L"12345678901", L"12345678901", L"0", L""},
        {&kZeroTo100, L"150", L"100", L"0", L"1"},
        {&kZeroTo100, L"-5", L"", L"1", L""},
        {&kZeroTo100, L"7", L"7", L"0", L"0"},
        // Past 32 bits but above the bound: brought down to it.
        {&kZeroTo100, L"12345678901", L"100", L"0", L"1"},
        {&kPlusMinus10, L"-20", L"-10", L"0", L"1"},
        {&kPlusMinus10, L"-", L"-", L"0", L"0"},
        {&kPlusMinus10, L"-98765432109", L"-10", L"0", L"1"},
        {&kPlusMinus10, L"10", L"10", L"0", L"0"},
        {&kFiveUp, L"3", L"3", L"0", L"0"},
        {&kFiveUp, L"3", L"5", L"0", L"1", true},
        {&kInteger, L"1.5", L"1", L"1", L"0"},
    });
}

TEST(OnlyNumbersSettingsTest, FloatingRules)
{
    runCases({
        {&kFloating, L"3.14159", L"3.14", L"0", L"0"},
        {&kFloating, L"1.2.3", L"1.2", L"1", L"0"},
        {&kFloating, L".", L".", L"0", L""},
        {&kFloating, L"-.", L"-.", L"0", L""},
        {&kFloating, L".5", L".5", L"0", L"0"},
        {&kFloating, L"-2x", L"-2", L"1", L"0"},
        {&kUpTo12_5, L"13", L"12.50", L"0", L"1"},
        {&kUpTo12_75, L"13", L"12.75", L"0", L"1"},
        {&kUpTo12_75, L"12.74", L"12.74", L"0", L"0"},
        {&kUpTo12_5, L"-1", L"", L"1", L""},
        {&kMinus3_5To10, L"-7", L"-3.5", L"0", L"1"},
        {&kMinus3_5To10, L"-3.45", L"-3.4", L"0", L"0"},
        {&kMinus3_5To10, L"99.99", L"10.0", L"0", L"1"},
        // No digits after the decimal character: the bound shows its whole part.
        {&kWholeFloating, L"3.7", L"3.", L"0", L"0"},
        {&kWholeFloating, L"13", L"12", L"0", L"1"},
        // A maximum of 2147483647 means no bounds, not even the minimum.
        {&kUnbounded, L"3", L"3", L"0", L"0", true},
        {&kUnbounded, L"99999999999.5", L"99999999999.5", L"0", L"0"},
        {&kUpTo12_5, std::wstring(400, L'9'), L"12.50", L"0", L"1"},
    });
}

TEST(OnlyNumbersSettingsTest, RightToLeftDigitsAreReadAndChecked)
{
    ReadingDirectionScope rtl(ReadingDirectionRightToLeft);
    runCases({
        {&kZeroTo100, L"\u0661\u0665\u0660", L"100", L"0", L"1"},
        {&kZeroTo100, L"\u06F4\u06F2", L"\u06F4\u06F2", L"0", L"0"},
        {&kZeroTo100, L"\u0661\u061C\u0662", L"\u0661\u061C\u0662", L"0", L"0"},
        {&kPlusMinus10, L"\u2212\u0665", L"\u2212\u0665", L"0", L"0"},
        {&kPlusMinus10, L"\u2212\u0662\u0660", L"-10", L"0", L"1"},
        {&kFloating, L"\u0663\u066B\u0661\u0664\u0661", L"\u0663\u066B\u0661\u0664", L"0", L"0"},
        {&kUpTo12_5, L"\u0661\u0663\u066B\u0665", L"12.50", L"0", L"1"},
        // Characters the reading drops are neither digits nor a start of their own.
        {&kPlusMinus10, L"\u061C\u22125", L"\u061C\u22125", L"0", L"0"},
        {&kZeroTo100, L"\u061Cx", L"\u061C", L"1", L""},
        {&kFloating, L"\u0661\u066B\u0662\u066B", L"\u0661\u066B\u0662", L"1", L"0"},
    });
}

// A long text is corrected in one walk. Dropping one character at a time and
// checking the whole text again each time took minutes at this length; the
// bound is generous for a loaded machine under sanitizers, where the walk
// takes milliseconds.
TEST(OnlyNumbersSettingsTest, AMillionCharactersAreCorrectedAtOnce)
{
    const std::size_t n = 1000000;
    const struct
    {
        const Rules *rules;
        ReadingDirection direction;
        std::wstring text;
        std::wstring expected;
    } cases[] = {
        {&kInteger, ReadingDirectionLeftToRight, L"1" + std::wstring(n, L'x'), L"1"},
        {&kZeroTo100, ReadingDirectionLeftToRight, std::wstring(n, L'7') + L"x", L"100"},
        {&kFloating, ReadingDirectionLeftToRight, L"2.5" + std::wstring(n, L'.'), L"2.5"},
        {&kPlusMinus10, ReadingDirectionLeftToRight, L"-" + std::wstring(n, L'-'), L"-"},
        {&kZeroTo100, ReadingDirectionRightToLeft, L"\u0661" + std::wstring(n, L'\u061C') + L"x",
         L"\u0661" + std::wstring(n, L'\u061C')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromStdWString(c.text.substr(0, 4)).toStdString());
        ReadingDirectionScope direction(c.direction);
        Fixture fixture(*c.rules);
        std::wstring text = c.text;
        QElapsedTimer timer;
        timer.start();
        fixture.settings.CorrectText(text, false);
        EXPECT_LT(timer.elapsed(), 2000);
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(fixture.invalid->shows, L"1");
    }
}

TEST(OnlyNumbersSettingsTest, LeftToRightTheArabicDigitsAreNotDigits)
{
    ReadingDirectionScope ltr(ReadingDirectionLeftToRight);
    runCases({{&kZeroTo100, L"5\u0665", L"5", L"1", L"0"}});
}

class OnlyNumbersLocaleTest : public SandboxTest
{
protected:
    void TearDown() override
    {
        QLocale::setDefault(m_qtLocale);
        std::setlocale(LC_ALL, m_cLocale.c_str());
    }

    QLocale m_qtLocale;
    std::string m_cLocale = std::setlocale(LC_ALL, nullptr);
};

// The process's C locale writes and reads numbers with a comma here: the rules
// convert in the C locale and write bounds with the field's own decimal character.
TEST_F(OnlyNumbersLocaleTest, ACommaLocaleKeepsItsCommaAndItsBounds)
{
    if (!useBuiltLocales(sandbox))
        GTEST_SKIP() << "localedef was not found when the build was configured";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the generated locale cannot be loaded";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    OnlyNumbersSettings settings;
    ASSERT_EQ(settings.numberChars.decimalChar, L',');
    settings.enabled = 1;
    settings.integersOnly = false;
    settings.allowMinus = true;
    settings.floatingMinimum = -1.5;
    settings.floatingMaximum = 3.25;
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"3,5", L"3,25"}, {L"3,1", L"3,1"}, {L"2,999", L"2,99"}, {L"-7", L"-1,50"}, {L"1.5", L"1"},
    };
    for (const auto &c : cases) {
        std::wstring text = c.first;
        settings.CorrectText(text, false);
        EXPECT_EQ(text, c.second) << QString::fromStdWString(c.first).toStdString();
    }
}

// A decimal separator outside Latin-1 is kept as it is and can be typed.
TEST_F(OnlyNumbersLocaleTest, AnArabicDecimalSeparatorIsKept)
{
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::SaudiArabia));
    OnlyNumbersSettings settings;
    ASSERT_EQ(settings.numberChars.decimalChar, L'\u066B');
    settings.enabled = 1;
    settings.integersOnly = false;
    settings.allowMinus = false;
    settings.floatingMaximum = 3.5;
    settings.decimals = 1;
    std::wstring text = L"3\u066B25";
    settings.CorrectText(text, false);
    EXPECT_EQ(text, L"3\u066B2");
    text = L"4";
    settings.CorrectText(text, false);
    EXPECT_EQ(text, L"3\u066B5");
    EXPECT_FALSE(settings.IsValidText(L"3.5"));
}

// The locale's minus is U+2212 here, which no keyboard has: the hyphen-minus
// is taken as well, and a bound is written with the locale's minus.
TEST_F(OnlyNumbersLocaleTest, AMinusSignLocaleTakesTheKeyboardsMinusToo)
{
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    OnlyNumbersSettings settings;
    ASSERT_EQ(settings.numberChars.minusChar, L'\u2212');
    settings.enabled = 1;
    settings.integerMinimum = -10;
    settings.integerMaximum = 10;
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"-5", L"-5"}, {L"\u22125", L"\u22125"}, {L"-", L"-"}, {L"-20", L"\u221210"}, {L"5-", L"5"},
    };
    for (const auto &c : cases) {
        std::wstring text = c.first;
        settings.CorrectText(text, false);
        EXPECT_EQ(text, c.second) << QString::fromStdWString(c.first).toStdString();
    }
}
