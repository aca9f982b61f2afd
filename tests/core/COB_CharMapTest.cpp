#include "COB_CharMap.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

class CharMapTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr); }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(CharMapTest, OnlyCodePageZeroHasAMapperYet)
{
    EXPECT_NE(COB_CharMap::GetDefaultMapper(0), nullptr);
    for (int codePage : {933, 65001, 1252, 936, -1})
        EXPECT_EQ(COB_CharMap::GetDefaultMapper(codePage), nullptr) << codePage;
    EXPECT_EQ(COB_CharMap::GetDefaultMapper(0)->m_GetCodePage, nullptr);
}

TEST_F(CharMapTest, CodePageZeroConvertsThroughTheLocale)
{
    COB_CharMap* map = COB_CharMap::GetDefaultMapper(0);
    struct Case
    {
        const char* bytes;
        const wchar_t* wide;
    };
    const Case cases[] = {{"", L""}, {"plain", L"plain"}, {"caf\xC3\xA9 \xE2\x82\xAC", L"caf\u00E9 \u20AC"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        COB_WideString wide = map->m_GetWideString(map, COB_ByteString(c.bytes));
        EXPECT_EQ(std::wstring(wide.c_str(), wide.GetLength()), c.wide);
        COB_ByteString bytes = map->m_GetByteString(map, COB_WideString(c.wide));
        EXPECT_EQ(std::string(bytes.c_str(), bytes.GetLength()), c.bytes);
    }
    // Bytes that are not text in the locale give an empty string.
    EXPECT_EQ(map->m_GetWideString(map, COB_ByteString("a\xFF")).GetLength(), 0);
}

TEST_F(CharMapTest, ConvertsOnlyTheStringsOwnCharacters)
{
    COB_CharMap* map = COB_CharMap::GetDefaultMapper(0);
    COB_ByteString whole("abcdef");
    COB_ByteString left = whole.Left(3);
    COB_WideString wide = map->m_GetWideString(map, left);
    EXPECT_EQ(std::wstring(wide.c_str(), wide.GetLength()), L"abc");
}

} // namespace
