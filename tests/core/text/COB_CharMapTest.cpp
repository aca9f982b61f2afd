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

TEST_F(CharMapTest, MappersOfCodePageZeroAndTheFourteenTables)
{
    ASSERT_NE(COB_CharMap::GetDefaultMapper(0), nullptr);
    EXPECT_EQ(COB_CharMap::GetDefaultMapper(0)->m_GetCodePage, nullptr);
    for (int codePage : {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        COB_CharMap* map = COB_CharMap::GetDefaultMapper(codePage);
        ASSERT_NE(map, nullptr) << codePage;
        ASSERT_NE(map->m_GetCodePage, nullptr);
        EXPECT_EQ(map->m_GetCodePage(), codePage);
        EXPECT_EQ(COB_CharMap::GetDefaultMapper(codePage), map) << "one static record per code page";
    }
    for (int codePage : {933, 65001, 1200, 1201, 437, -1})
        EXPECT_EQ(COB_CharMap::GetDefaultMapper(codePage), nullptr) << codePage;
}

TEST_F(CharMapTest, TableMappersConvertBothWays)
{
    struct Case
    {
        int codePage;
        const char* bytes;
        const wchar_t* wide;
    };
    const Case cases[] = {
        {932, "\x93\xFA\x96\x7B\x8C\xEA", L"\u65E5\u672C\u8A9E"},
        {936, "\xD6\xD0\xCE\xC4", L"\u4E2D\u6587"},
        {1251, "\xCF\xF0\xE8\xE2\xE5\xF2", L"\u041F\u0440\u0438\u0432\u0435\u0442"},
        {1252, "caf\xE9 \x80", L"caf\u00E9 \u20AC"},
        {1252, "", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        COB_CharMap* map = COB_CharMap::GetDefaultMapper(c.codePage);
        ASSERT_NE(map, nullptr);
        COB_WideString wide = map->m_GetWideString(map, COB_ByteString(c.bytes));
        EXPECT_EQ(std::wstring(wide.c_str(), wide.GetLength()), c.wide);
        COB_ByteString bytes = map->m_GetByteString(map, COB_WideString(c.wide));
        EXPECT_EQ(std::string(bytes.c_str(), bytes.GetLength()), c.bytes);
    }
    // Characters without a mapping become the default character; a cut lead byte is left out.
    COB_CharMap* latin = COB_CharMap::GetDefaultMapper(1252);
    COB_ByteString bytes = latin->m_GetByteString(latin, COB_WideString(L"a\u4E00b"));
    EXPECT_EQ(std::string(bytes.c_str(), bytes.GetLength()), "a?b");
    COB_CharMap* sjis = COB_CharMap::GetDefaultMapper(932);
    COB_WideString wide = sjis->m_GetWideString(sjis, COB_ByteString("a\x82"));
    EXPECT_EQ(std::wstring(wide.c_str(), wide.GetLength()), L"a");

    // The strings' own conversions take a mapper.
    COB_WideString converted;
    converted.ConvertFrom(COB_ByteString("\xB0\xA1"), COB_CharMap::GetDefaultMapper(949));
    EXPECT_EQ(std::wstring(converted.c_str(), converted.GetLength()), L"\uAC00");
    COB_ByteString back;
    back.ConvertFrom(converted, COB_CharMap::GetDefaultMapper(949));
    EXPECT_EQ(std::string(back.c_str(), back.GetLength()), "\xB0\xA1");
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
