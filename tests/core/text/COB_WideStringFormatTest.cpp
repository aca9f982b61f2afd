#include "GuardedPages.h"
#include "COB_WideString.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>
#include <unistd.h>

namespace {

std::wstring Text(const COB_WideString& s)
{
    return std::wstring(s.c_str(), static_cast<size_t>(s.GetLength()));
}

#define EXPECT_FORMAT_LIKE_SWPRINTF(...)                                                                   \
    do {                                                                                                   \
        COB_WideString s;                                                                                  \
        s.Format(__VA_ARGS__);                                                                             \
        wchar_t expected[512];                                                                             \
        ASSERT_GE(swprintf(expected, 512, __VA_ARGS__), 0);                                                \
        EXPECT_EQ(Text(s), std::wstring(expected)) << #__VA_ARGS__;                                        \
    } while (0)

} // namespace

TEST(COB_WideStringFormat, StandardConversionsMatchSwprintf)
{
    EXPECT_FORMAT_LIKE_SWPRINTF(L"%d-%ls", 7, L"ab");
    EXPECT_FORMAT_LIKE_SWPRINTF(L"[%5d|%-5d|%05x|%lld]", 42, 42, 255, LLONG_MIN);
    EXPECT_FORMAT_LIKE_SWPRINTF(L"%s|%.2s|%lc", "narrow", "abc", L'W');
    EXPECT_FORMAT_LIKE_SWPRINTF(L"%.3f %e %g", 3.14159, 1234.5, 0.0001);
    EXPECT_FORMAT_LIKE_SWPRINTF(L"%*d|%.*f|%%", 6, 7, 2, 1.005);
}

TEST(COB_WideStringFormat, LimitsAndLongOutput)
{
    COB_WideString s(L"previous");
    s.Format(L"%200000d", 1);
    EXPECT_EQ(Text(s), L"Bad width");
    s.Format(L"%.*f", 200000, 1.0);
    EXPECT_EQ(Text(s), L"Bad precision");
    s.Format(L"%ls %*d", L"x", -1, 5);
    EXPECT_EQ(Text(s), L"Bad width");

    // Longer than any first attempt: the whole text arrives.
    std::wstring big(5000, L'w');
    s.Format(L"<%ls>", big.c_str());
    EXPECT_EQ(Text(s), L"<" + big + L">");
    s.Format(L"%131072d", 3);
    ASSERT_EQ(s.GetLength(), 131072);
    EXPECT_EQ(s.c_str()[131071], L'3');

    // Arguments pointing into the string itself.
    COB_WideString self(big.c_str(), 700);
    self.Format(L"%ls+%ls", self.c_str(), self.c_str());
    EXPECT_EQ(Text(self), big.substr(0, 700) + L"+" + big.substr(0, 700));
}

TEST(COB_WideStringFormat, PrecisionBoundsTheStringsThatAreRead)
{
    // Unterminated arguments that end right before an unreadable page.
    GuardedPages pages;
    ASSERT_TRUE(pages.ok());
    char* narrow = pages.narrow;
    wchar_t* wide = pages.wide;

    COB_WideString s;
    s.Format(L"[%.3ls|%.*s]", wide, 3, narrow);
    EXPECT_EQ(Text(s), L"[xyz|abc]");
}
