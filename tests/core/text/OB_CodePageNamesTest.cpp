#include "OB_CodePage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

TEST(OB_CodePageNames, CharsetTableBothWays)
{
    const std::pair<int, int> pairs[] = {
        {0, 1252},    {1, 0},       {2, 42},      {77, 10000},  {78, 10001},  {79, 10003}, {80, 10008}, {81, 10002},
        {83, 10005},  {84, 10004},  {85, 10006},  {86, 10081},  {87, 10021},  {88, 10029}, {89, 10007}, {128, 932},
        {129, 949},   {130, 1361},  {134, 936},   {136, 950},   {161, 1253},  {162, 1254}, {163, 1258}, {177, 1255},
        {178, 1256},  {186, 1257},  {204, 1251},  {222, 874},   {238, 1250},  {254, 437},  {255, 850},
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(OB_GetCodePageFromCharset(static_cast<uint8_t>(pair.first)), pair.second) << pair.first;
        EXPECT_EQ(OB_GetCharsetFromCodePage(static_cast<uint16_t>(pair.second)), pair.first) << pair.second;
    }
    EXPECT_EQ(OB_GetCodePageFromCharset(3), OB_CODEPAGE_NOTFOUND);
    EXPECT_EQ(OB_GetCharsetFromCodePage(65001), OB_CODEPAGE_NOTFOUND);
    EXPECT_EQ(OB_GetCharsetFromCodePage(1200), OB_CODEPAGE_NOTFOUND);
}

TEST(OB_CodePageNames, NamesAndAliases)
{
    struct Case
    {
        const char* name;
        int length;
        int codePage;
    } const cases[] = {
        {"utf-8", -1, 65001},         {"UTF-8", -1, 65001},       {"Utf-8", -1, 65001},
        {"utf-7", -1, 65000},         {"utf-16", -1, 1200},       {"windows-1252", -1, 1252},
        {"ISO-8859-1", -1, 1252},     {"latin1", -1, 1252},       {"us-ascii", -1, 1252},
        {"ascii", -1, 1252},          {"l1", -1, 28591},          {"l2", -1, 28592},
        {"GB2312", -1, 936},          {"gbk", -1, 936},           {"big5", -1, 950},
        {"euc-kr", -1, 949},          {"ks_c_5601-1987", -1, 949}, {"EUC-JP", -1, 51932},
        {"koi8-r", -1, 20866},        {"macintosh", -1, 10000},   {"x-mac-japanese", -1, 10001},
        {"ibm437", -1, 437},          {"shift_jis", -1, 932},
        {"utf-8 and more", 5, 65001}, // the length bounds the name
        {"", -1, 65535},              {"utf-8", 0, 65535},        {"utf", -1, 65535},
        {"utf-88", -1, 65535},        {"utf-8 ", -1, 65535},      {"no-such-charset", -1, 65535},
        {"a-name-longer-than-any-known-name", -1, 65535},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OB_GetCodePageFromStringA(c.name, c.length), c.codePage) << c.name << " " << c.length;
    EXPECT_EQ(OB_GetCodePageFromStringA(nullptr, -1), OB_CODEPAGE_NOTFOUND);
    EXPECT_EQ(OB_GetCodePageFromStringA("utf-8\0x", 7), OB_CODEPAGE_NOTFOUND);
}

// Every listed name finds its own code page, whatever the case: two names never share a lookup.
TEST(OB_CodePageNames, EveryNameFindsItsOwnCodePage)
{
    const int count = g_OB_CodePageNameCount;
    EXPECT_EQ(count, 255);
    std::map<int, int> perCodePage;
    std::string previous;
    for (int i = 0; i < count; ++i) {
        const uint16_t codePage = g_OB_CodePageNames[i].codePage;
        const char* name = g_OB_CodePageNames[i].name;
        EXPECT_LT(previous, name) << "the table is sorted";
        previous = name;
        ++perCodePage[codePage];
        std::string upper = name;
        for (char& c : upper)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        EXPECT_EQ(OB_GetCodePageFromStringA(name, -1), codePage) << name;
        EXPECT_EQ(OB_GetCodePageFromStringA(upper.c_str(), -1), codePage) << upper;
    }
    EXPECT_EQ(perCodePage[1252], 21);
    EXPECT_EQ(perCodePage[936], 12);
}

TEST(OB_CodePageNames, WideNames)
{
    EXPECT_EQ(OB_GetCodePageFormStringW(L"UTF-8", -1), 65001);
    EXPECT_EQ(OB_GetCodePageFormStringW(L"big5-and-more", 4), 950);
    EXPECT_EQ(OB_GetCodePageFormStringW(L"", -1), OB_CODEPAGE_NOTFOUND);
    EXPECT_EQ(OB_GetCodePageFormStringW(nullptr, -1), OB_CODEPAGE_NOTFOUND);
    // A character beyond ASCII is not cut down to the byte that would spell "utf-8".
    const wchar_t disguised[] = {0x175, L't', L'f', L'-', L'8', 0};
    EXPECT_EQ(OB_GetCodePageFormStringW(disguised, -1), OB_CODEPAGE_NOTFOUND);
}
