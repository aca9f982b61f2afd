#include "OB_SysShims.h"

#include "Sandbox.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

namespace {

TEST(OBSYS_Shims, IntegerParsing)
{
    struct Case
    {
        const char* text;
        long long expected64;
        int expected32;
    };
    const Case cases[] = {
        {" 12", 0, 0},        {"-12x", -12, -12}, {"+", 0, 0},           {"+7", 7, 7},
        {"", 0, 0},           {"x1", 0, 0},       {"--1", 0, 0},         {"2147483648", 2147483648LL, -2147483647 - 1},
        {"-2147483648", -2147483648LL, -2147483647 - 1},
        {"9223372036854775807", 9223372036854775807LL, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(OBSYS_atoi(c.text), c.expected32);
        EXPECT_EQ(OBSYS_atoi64(c.text), c.expected64);
        std::wstring wide(c.text, c.text + std::strlen(c.text));
        EXPECT_EQ(OBSYS_wtoi(wide.c_str()), c.expected32);
        EXPECT_EQ(OBSYS_wtoi64(wide.c_str()), c.expected64);
    }
    EXPECT_EQ(OBSYS_atoi(nullptr), 0);
    EXPECT_EQ(OBSYS_wtoi64(nullptr), 0);
}

TEST(OBSYS_Shims, IntegerWritingIsAlwaysDecimal)
{
    char buffer[24];
    wchar_t wide[24];
    EXPECT_STREQ(OBSYS_itoa(255, buffer, 16), "255");
    EXPECT_STREQ(OBSYS_itoa(0, buffer, 10), "0");
    EXPECT_STREQ(OBSYS_itoa(-2147483647 - 1, buffer, 10), "-2147483648");
    EXPECT_STREQ(OBSYS_i64toa(-9223372036854775807LL - 1, buffer, 2), "-9223372036854775808");
    EXPECT_STREQ(OBSYS_i64toa(1234567890123LL, buffer, 10), "1234567890123");
    EXPECT_STREQ(OBSYS_i64tow(-45, wide, 10), L"-45");
}

TEST(OBSYS_Shims, CaseAndComparison)
{
    char text[] = "Mixed Case \xC4 123";
    EXPECT_STREQ(OBSYS_strlwr(text), "mixed case \xC4 123");
    EXPECT_STREQ(OBSYS_strupr(text), "MIXED CASE \xC4 123");
    wchar_t wide[] = L"Ab\u00C4z";
    EXPECT_STREQ(OBSYS_wcslwr(wide), L"ab\u00C4z");
    EXPECT_STREQ(OBSYS_wcsupr(wide), L"AB\u00C4Z");
    EXPECT_EQ(OBSYS_strlwr(nullptr), nullptr);

    EXPECT_LT(OBSYS_stricmp("ABC", "abd"), 0);
    EXPECT_EQ(OBSYS_stricmp("abc", "ABC"), 0);
    EXPECT_LT(OBSYS_stricmp("ab", "abc"), 0);
    EXPECT_GT(OBSYS_stricmp("\xE9", "a"), 0); // bytes compare unsigned
    EXPECT_EQ(OBSYS_stricmp("[", "["), 0);
    EXPECT_LT(OBSYS_stricmp("_", "A"), 0); // compared as "a": above "_"
    EXPECT_EQ(OBSYS_wcsicmp(L"HeLLo", L"hello"), 0);
    EXPECT_GT(OBSYS_wcsicmp(L"b", L"A"), 0);
}

TEST(OBSYS_Shims, PathsAndModule)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(OBSYS_GetFullPathName("abc", 3, buffer), 4);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(OBSYS_GetFullPathName("abc", 4, buffer), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(OBSYS_GetFullPathName("abc", 100, nullptr), 4);
    EXPECT_EQ(OBSYS_GetModuleFileName(nullptr, buffer, 8), 0xFFFFFFFFu);
}

class LocaleConversion : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr); }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(LocaleConversion, WideToMultiByteHonoursTheSourceLength)
{
    const wchar_t* source = L"h\u00E9llo";
    char out[16];
    std::memset(out, '#', sizeof out);
    struct Case
    {
        int length, outSize;
        int result;
        const char* text; // what out holds afterwards (null: not looked at)
    };
    const Case cases[] = {
        {-1, 0, 6, nullptr},   // measure the whole string
        {2, 0, 3, nullptr},    // measure "hé" only
        {2, 16, 3, "h\xC3\xA9"},
        {-1, 16, 6, "h\xC3\xA9llo"},
        {0, 16, 0, ""},
        {-1, 2, 1, nullptr}, // "é" does not fit after "h"
        {100, 16, 6, "h\xC3\xA9llo"}, // never past the terminating zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << "/" << c.outSize);
        int result = OBSYS_WideCharToMultiByte(0, 0, source, c.length, c.outSize ? out : nullptr, c.outSize);
        EXPECT_EQ(result, c.result);
        if (c.text) {
            EXPECT_STREQ(out, c.text);
        }
    }
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(OBSYS_WideCharToMultiByte(0, 0, source, 3, out, 3), 3); // full: no terminator written
    EXPECT_EQ(out[3], '#');
    EXPECT_EQ(OBSYS_WideCharToMultiByte(0, 0, nullptr, -1, out, 16), 0);
    // A buffer without room receives nothing and nothing is reported as written.
    for (int outSize : {0, -1}) {
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(OBSYS_WideCharToMultiByte(0, 0, source, -1, out, outSize), 0) << outSize;
        EXPECT_EQ(out[0], '#');
    }
}

TEST_F(LocaleConversion, MultiByteToWideHonoursTheSourceLength)
{
    const char* source = "h\xC3\xA9llo";
    wchar_t out[16];
    EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, source, -1, nullptr, 0), 5);
    EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, source, 3, nullptr, 0), 2);
    EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, source, 3, out, 16), 2);
    EXPECT_STREQ(out, L"h\u00E9");
    // A length that cuts a character in two stops before it.
    EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, source, 2, out, 16), 1);
    EXPECT_STREQ(out, L"h");
    EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, source, -1, out, 3), 3);
    EXPECT_EQ(std::wstring(out, 3), L"h\u00E9l");
    EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, "\xFF\xFE", -1, out, 16), 0); // invalid: failure
    for (int outSize : {0, -1}) {
        out[0] = L'#';
        EXPECT_EQ(OBSYS_MultiByteToWideChar(0, 0, source, -1, out, outSize), 0) << outSize;
        EXPECT_EQ(out[0], L'#');
    }
}

int CallVsnprintf(char* buffer, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int result = _vsnprintf(buffer, size, format, args);
    va_end(args);
    return result;
}

TEST(OBSYS_Shims, VsnprintfForwards)
{
    char buffer[8];
    EXPECT_EQ(CallVsnprintf(buffer, sizeof buffer, "%d-%s", 42, "long text"), 12);
    EXPECT_STREQ(buffer, "42-long");
}

TEST(OBSYS_Shims, WfopenConvertsPathAndMode)
{
    Sandbox sandbox;
    std::string path = sandbox.tmp().toStdString() + "/wfopen-test.txt";
    std::wstring widePath(path.begin(), path.end());
    FILE* f = OBSYS_wfopen(widePath.c_str(), L"w");
    ASSERT_NE(f, nullptr);
    std::fputs("x", f);
    std::fclose(f);
    EXPECT_EQ(std::remove(path.c_str()), 0);
    EXPECT_EQ(OBSYS_wfopen(nullptr, L"r"), nullptr);
}

} // namespace
