#include "OB_NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {

std::string Ftoa(float value, int appendZero = 0, bool small = true)
{
    char buffer[OB_FTOA_BUFSIZE];
    memset(buffer, 'x', sizeof buffer);
    int len = small ? OB_ftoa_s(value, buffer, appendZero) : OB_ftoa(value, buffer, appendZero);
    EXPECT_EQ(static_cast<size_t>(len), strlen(buffer)) << "text must be terminated right after its length";
    return std::string(buffer, static_cast<size_t>(len));
}

struct FloatCase
{
    float value;
    int appendZero;
    const char* text;
};

} // namespace

TEST(OB_NumberText, DefaultWriterKeepsAboutSixDigitsAndNoExponent)
{
    const FloatCase cases[] = {
        {0.0f, 0, "0"},
        {-0.0f, 1, "0"},
        {1.5f, 0, "1.5"},
        {2.0f, 1, "2.0"},
        {2.0f, 0, "2"},
        {-2.5f, 0, "-2.5"},
        {1234.5678f, 0, "1234.57"},
        {12.3456789f, 0, "12.346"},
        {3.14159265f, 0, "3.14159"},
        {123456.7f, 0, "123457"},
        {99999.5f, 0, "100000"},
        {0.1f, 0, "0.1"},
        {0.05f, 0, "0.05"},
        {-0.05f, 0, "-0.05"},
        {1e-7f, 0, "0.0000001"},
        {1.234567e-5f, 0, "0.0000123457"},
        {1e-30f, 0, "0"}, // beyond 28 decimals
        {NAN, 0, "0"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(Ftoa(c.value, c.appendZero), c.text) << c.value;
}

TEST(OB_NumberText, LargeValuesKeepTheirWholeIntegerPart)
{
    // Values of 2^31 and above keep every digit of their integer part instead of capping at "2147483647".
    const FloatCase cases[] = {
        {2147483520.0f, 0, "2147483520"}, // the largest float below 2^31
        {2147483648.0f, 0, "2147483648"},
        {2147483648.0f, 1, "2147483648.0"},
        {3e9f, 0, "3000000000"},
        {-1e10f, 0, "-10000000000"},
        {18446744073709551616.0f, 0, "18446744073709551616"},
        {FLT_MAX, 0, "340282346638528859811704183484516925440"},
        {-FLT_MAX, 1, "-340282346638528859811704183484516925440.0"},
        {INFINITY, 0, "340282346638528859811704183484516925440"},
    };
    for (const FloatCase& c : cases) {
        EXPECT_EQ(Ftoa(c.value, c.appendZero), c.text) << c.value;
        EXPECT_EQ(Ftoa(c.value, c.appendZero, false), c.text) << c.value;
    }
}

TEST(OB_NumberText, PlainWriterCutsSmallValuesAtSixDecimals)
{
    EXPECT_EQ(Ftoa(1e-7f, 0, false), "0");
    EXPECT_EQ(Ftoa(-1e-7f, 0, false), "0");
    EXPECT_EQ(Ftoa(0.05f, 0, false), "0.05");
    EXPECT_EQ(Ftoa(1.234567e-5f, 0, false), "0.000012");
    EXPECT_EQ(Ftoa(1234.5678f, 0, false), "1234.57");
}

TEST(OB_NumberText, FixedDecimalsWriter)
{
    g_iPrecision = 2;
    const FloatCase cases[] = {
        {0.0f, 0, "0"},     {1.5f, 0, "1.5"},   {2.0f, 0, "2.0"},   {-3.25f, 0, "-3.25"},
        {1.999f, 0, "2.0"}, {0.004f, 0, "0"},   {0.07f, 0, "0.07"}, {3e9f, 0, "3000000000.0"},
    };
    for (const FloatCase& c : cases) {
        EXPECT_EQ(Ftoa(c.value), c.text) << c.value;
        EXPECT_EQ(Ftoa(c.value, 0, false), c.text) << c.value;
    }
    g_iPrecision = 0;
}

TEST(OB_NumberText, WideDecimalParser)
{
    struct Case
    {
        const wchar_t* text;
        int len;
        float value;
    } const cases[] = {
        {L"-12.5", 5, -12.5f}, {L"3", 1, 3.0f},  {L".5", 2, 0.5f},     {L"1.", 2, 1.0f},  {L"", 0, 0.0f},
        {L"+7.25", 5, 7.25f},  {L"12.5", 2, 12.0f}, {L"-0.75", 5, -0.75f}, {L"1e5", 3, 1.0f}, // no exponent: the 'e' ends the number
        {L"1a", 2, 1.0f},      {L"2.5x7", 5, 2.5f}, {L"-", 1, 0.0f},    {L"--3", 3, -0.0f}
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(OB_wtof(c.text, c.len), c.value) << c.text;
}

TEST(OB_NumberText, IntegerText)
{
    struct Case
    {
        int value;
        unsigned flags;
        const char* text;
    } const cases[] = {
        {-5, 0, "4294967291"}, {-5, 1, "-5"},         {255, 2, "ff"},   {255, 6, "FF"},
        {255, 4, "255"},       {0, 2, "0"},           {0, 1, "0"},      {-2147483647 - 1, 1, "-2147483648"},
        {-1, 2, "ffffffff"},   {2147483647, 1, "2147483647"},
    };
    for (const auto& c : cases) {
        char buffer[16];
        int len = OB_FormatIntegerText(c.value, c.flags, buffer);
        EXPECT_EQ(std::string(buffer, static_cast<size_t>(len)), c.text);
        EXPECT_EQ(buffer[len], 0);
    }
}
