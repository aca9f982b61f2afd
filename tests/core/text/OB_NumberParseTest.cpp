#include "BuiltLocales.h"
#include "OB_NumberParse.h"

#include "Sandbox.h"

#include <gtest/gtest.h>


#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

TEST(OB_NumberParse, Atof)
{
    struct Case
    {
        const char* text;
        float value;
    } const cases[] = {
        {"", 0.0f},         {"-2.5", -2.5f},   {"+-3", 3.0f},       {"-+3", -3.0f},     {"+-", 0.0f},
        {"1a", 1.0f},        // stops at the first non-digit (it used to count 'a' as the digit 49)
        {"12.5kg", 12.5f},   {"7 ", 7.0f},      {".25", 0.25f},      {"3.", 3.0f},       {"1.5e3", 1.5f},
        {"0.12345678901", 0.12345678901f},      // 11 characters after the point: the digit path
        {"1.0000000000001", 1.0f},              // 13 from the point on: the C runtime's reader
        {"-1234.56789012345", -1234.56789012345f}, {"2.5000000000e2", 250.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(OB_atof(c.text), c.value) << c.text;
    EXPECT_FLOAT_EQ(OB_atof(COB_ByteStringC("42.5", 2)), 42.0f); // the view's length, not the zero
}

class OB_NumberParseLocale : public SandboxTest
{
};

TEST_F(OB_NumberParseLocale, AtofReadsAPointInADecimalCommaLocale)
{
    // A German locale compiled with the build; machines without localedef skip.
    if (!useBuiltLocales(sandbox))
        GTEST_SKIP() << "localedef was not found when the build was configured";
    if (!setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the generated locale cannot be loaded";
    ASSERT_FLOAT_EQ(strtof("0,5", nullptr), 0.5f);
    // The long form goes through the C runtime, which would stop at the '.' here.
    EXPECT_FLOAT_EQ(OB_atof("0.5000000000001"), 0.5f);
    EXPECT_FLOAT_EQ(OB_atof("-12.2500000000000"), -12.25f);
    setlocale(LC_ALL, "C");
}

TEST(OB_NumberParse, Atonum)
{
    struct Case
    {
        const char* text;
        int size;
        bool isInteger;
        int64_t integer;
        float real;
    } const cases[] = {
        {"42", 4, true, 42, 0},          {"-17", 8, true, -17, 0},     {"+5x", 4, true, 5, 0},
        {"-", 4, true, 0, 0},            {"", 8, true, 0, 0},          {"4.5", 4, false, 0, 4.5f},
        {"-0.25", 8, false, 0, -0.25f},  {"9223372036854775807", 8, true, INT64_MAX, 0},
        {"9223372036854775808", 8, true, 0, 0}, // overflows 64 bits
        {"99999999999999999999", 8, true, 0, 0}, {"4294967297", 4, true, 1, 0}, // a 32-bit store keeps the low bits
    };
    for (const Case& c : cases) {
        bool isInteger = !c.isInteger;
        unsigned char out[8];
        memset(out, 0xAA, sizeof out);
        OB_atonum(c.text, isInteger, out, c.size);
        EXPECT_EQ(isInteger, c.isInteger) << c.text;
        float real = 0;
        int32_t small = 0;
        int64_t large = 0;
        memcpy(&real, out, sizeof real);
        memcpy(&small, out, sizeof small);
        memcpy(&large, out, sizeof large);
        if (!c.isInteger)
            EXPECT_FLOAT_EQ(real, c.real) << c.text;
        else if (c.size == 8)
            EXPECT_EQ(large, c.integer) << c.text;
        else
            EXPECT_EQ(small, static_cast<int32_t>(c.integer)) << c.text;
        if (c.size == 4 || !c.isInteger) {
            EXPECT_EQ(out[4], 0xAA) << c.text; // 4-byte stores stay within 4 bytes
        }
    }
}

TEST(OB_NumberParse, Atofix32)
{
    struct Case
    {
        const char* text;
        int integer;
        unsigned fraction;
    } const cases[] = {
        {"", 0, 0},
        {"3.25", 3, 1073741825u},
        {"-0.5", -1, 2147483646u},
        {"-1.5", -2, 2147483646u},
        {"+7", 7, 0},
        {"-7", -7, 0},
        {"2.", 2, 0},
        {"1.999999999999", 1, 4294967292u}, // nine digits read
        {"0.5x5", 0, 2147483650u},
        {"2147483647", 2147483647, 0},
        {"2147483648.5", 16777215, 0},
        {"-2147483648", -16777215, 0},
        {"9999999999", 16777215, 0}, // wraps to a positive 32-bit value, still an overflow
    };
    for (const Case& c : cases) {
        int integer = -99;
        unsigned fraction = 99;
        OB_atofix32(c.text, integer, fraction);
        EXPECT_EQ(integer, c.integer) << c.text;
        EXPECT_EQ(fraction, c.fraction) << c.text;
    }
}

} // namespace
