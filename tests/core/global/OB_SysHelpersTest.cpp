#include "OB_SysHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TEST(OB_SysHelpers, MemoryAndMath)
{
    char dest[8] = "xxxxxxx";
    EXPECT_EQ(OBSYS_memcpy32(dest, "abc", 3), dest);
    EXPECT_STREQ(dest, "abcxxxx");
    EXPECT_EQ(OBSYS_memcpy32(dest, nullptr, 3), dest);
    EXPECT_EQ(OBSYS_memcpy32(nullptr, "abc", 3), nullptr);
    OBSYS_memmove32(dest + 1, dest, 3);
    EXPECT_STREQ(dest, "aabcxxx");
    OBSYS_memset32(dest, 'z', 2);
    OBSYS_memset8(dest + 6, 'y', 1);
    EXPECT_STREQ(dest, "zzbcxxy");
    EXPECT_LT(OBSYS_memcmp32("abc", "abd", 3), 0);
    EXPECT_EQ(OBSYS_memcmp32("abc", "abd", 2), 0);
    EXPECT_NEAR(OBSYS_tan(0.5f), std::tan(0.5f), 1e-6);
    EXPECT_FLOAT_EQ(OBSYS_logb(2.0f, 8.0f), 3.0f);
    EXPECT_FLOAT_EQ(OBSYS_logb(10.0f, 0.001f), -3.0f);
}

TEST(OB_SysHelpers, DecimalReaders)
{
    struct Case
    {
        const wchar_t* text;
        int length;
        float value;
        int used;
    } const cases[] = {
        {L"-12.5x", -1, -12.5f, 5}, {L"1e5", -1, 1.0f, 1},    {L"+3", -1, 3.0f, 2},  {L"0.25", 3, 0.2f, 3},
        {L"7.", -1, 7.0f, 1},       {L"x", -1, 0.0f, 0},      {L"-", -1, -0.0f, 1}, {L".5", -1, 0.5f, 2},
    };
    for (const Case& c : cases) {
        int used = -1;
        EXPECT_FLOAT_EQ(OBSYS_wcstof(c.text, c.length, &used), c.value) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
        char narrow[16] = {};
        for (int i = 0; c.text[i]; ++i)
            narrow[i] = static_cast<char>(c.text[i]);
        used = -1;
        EXPECT_FLOAT_EQ(OBSYS_strtof(narrow, c.length, &used), c.value) << narrow;
        EXPECT_EQ(used, c.used) << narrow;
    }
    int untouched = 99;
    EXPECT_EQ(OBSYS_wcstof(L"", -1, &untouched), 0.0f);
    EXPECT_EQ(OBSYS_strtof("12", 0, &untouched), 0.0f);
    EXPECT_EQ(untouched, 99);
    EXPECT_FLOAT_EQ(OBSYS_wcstof(L"2.5", -1, nullptr), 2.5f);

    // Bytes the local code page cannot read (Latin-1 here, in a C or UTF-8 locale) follow the
    // number; they used to make the whole text read as nothing.
    int used = -1;
    EXPECT_FLOAT_EQ(OBSYS_strtof("-2.5 \xE9t\xE9", -1, &used), -2.5f);
    EXPECT_EQ(used, 4);
    used = -1;
    EXPECT_FLOAT_EQ(OBSYS_strtof("7\xFF", 2, &used), 7.0f);
    EXPECT_EQ(used, 1);
    used = -1;
    EXPECT_EQ(OBSYS_strtof("\xE9" "5", -1, &used), 0.0f);
    EXPECT_EQ(used, 0);
}

TEST(OB_SysHelpers, CopiesAndComparisons)
{
    wchar_t dest[6] = {L'#', L'#', L'#', L'#', L'#', 0};
    OBSYS_wcsncpy(dest, L"ab", 5);
    EXPECT_EQ(std::wmemcmp(dest, L"ab\0##", 5), 0); // stops after the zero
    OBSYS_wcsncpy(dest, L"wxyz", 2);
    EXPECT_EQ(std::wmemcmp(dest, L"wx\0##", 5), 0);

    EXPECT_EQ(OBSYS_wcsnicmp(L"ABC", L"abd", 3), -1);
    EXPECT_EQ(OBSYS_wcsnicmp(L"ABC", L"abd", 2), 0);
    EXPECT_EQ(OBSYS_wcsnicmp(L"abe", L"ABD", 3), 1);
    EXPECT_EQ(OBSYS_wcsnicmp(L"ab", L"ab", 10), 0); // ends at the shared zero
    EXPECT_EQ(OBSYS_wcsnicmp(L"\u00C9", L"\u00E9", 1), -1);
    EXPECT_EQ(OBSYS_strnicmp("a", "B", 1), -1);
    EXPECT_EQ(OBSYS_strnicmp("Hello", "hELLo", 5), 0);
    EXPECT_EQ(OBSYS_strnicmp("a", "\xE9", 1), 'a' - static_cast<signed char>('\xE9'));
    EXPECT_EQ(OBSYS_strnicmp("x", "y", 0), 0);
    EXPECT_EQ(OBSYS_strnicmp("[", "{", 1), '[' - '{');
}

} // namespace
