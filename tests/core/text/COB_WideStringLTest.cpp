#include "COB_WideStringL.h"

#include <gtest/gtest.h>
#include <string>

TEST(COB_WideStringL, SetParseAndTrim)
{
    COB_WideStringL s;
    s.Set(L"-42.5  ", nullptr);
    ASSERT_EQ(s.GetLength(), 7);
    EXPECT_EQ(s.GetPtr()[7], L'\0');
    EXPECT_EQ(s.GetInteger(), -42);
    s.TrimRight(L" ");
    EXPECT_EQ(std::wstring(s.GetPtr()), L"-42.5");
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_FLOAT_EQ(s.GetFloat(), -42.5f);
    s.TrimRight(nullptr);
    s.TrimRight(L"");
    EXPECT_EQ(s.GetLength(), 5);
    s.TrimRight(L"-0123456789.");
    EXPECT_EQ(s.GetLength(), 0);

    s.Set(COB_WideStringC(), nullptr);
    EXPECT_EQ(s.GetPtr(), nullptr);
    EXPECT_EQ(s.GetInteger(), 0);
    EXPECT_FLOAT_EQ(s.GetFloat(), 0.0f);
    s.TrimRight(L" ");
    s.Empty(nullptr);
}
