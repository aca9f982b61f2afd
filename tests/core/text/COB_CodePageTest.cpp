#include "COB_CodePage.h"
#include "COB_CodePageMgr.h"
#include "OB_CodePage.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Header
{
    int codePage;
    int maxBytes;
    unsigned maxCharcode;
    unsigned maxUnicode;
};

// The header facts every table must carry: minimum code and Unicode 0, default '?' both ways.
const Header kHeaders[] = {
    {874, 1, 0xFB, 0x20AC},    {932, 2, 0xFC4B, 0xFFE5},  {936, 2, 0xFE4F, 0xFFE5},  {949, 2, 0xFDFE, 0xFFE6},
    {950, 2, 0xF9FE, 0xFFE5},  {1250, 1, 0xFF, 0x2122},   {1251, 1, 0xFF, 0x2122},   {1252, 1, 0xFF, 0x2122},
    {1253, 1, 0xFE, 0x2122},   {1254, 1, 0xFF, 0x2122},   {1255, 1, 0xFE, 0x2122},   {1256, 1, 0xFF, 0x2122},
    {1257, 1, 0xFF, 0x2122},   {1258, 1, 0xFF, 0x2122},
};

struct Releaser
{
    void operator()(IOB_CodePage* page) const { page->Release(); }
};

} // namespace

TEST(COB_CodePage, HeadersOfAllFourteen)
{
    for (const Header& h : kHeaders) {
        SCOPED_TRACE(h.codePage);
        std::unique_ptr<IOB_CodePage, Releaser> page(IOB_CodePage::Create(static_cast<uint16_t>(h.codePage)));
        ASSERT_NE(page, nullptr);
        const bool doubleByte = h.maxBytes == 2;
        EXPECT_EQ(page->GetCodePageNumber(), h.codePage);
        EXPECT_EQ(page->GetCodePageKind(), doubleByte ? 2u : 1u);
        EXPECT_EQ(page->HasLeadBytes(), doubleByte);
        EXPECT_EQ(page->GetMinCharBytes(), 1);
        EXPECT_EQ(page->GetMaxCharBytes(), h.maxBytes);
        EXPECT_EQ(page->GetMinCharcode(), 0u);
        EXPECT_EQ(page->GetMaxCharcode(), h.maxCharcode);
        EXPECT_EQ(page->GetDefaultCharcode(), 0x3Fu);
        EXPECT_EQ(page->GetMinUnicode(), 0u);
        EXPECT_EQ(page->GetMaxUnicode(), h.maxUnicode);
        EXPECT_EQ(page->GetDefaultUnicode(), 0x3Fu);
        // The extremes of the header are characters of the table.
        EXPECT_TRUE(page->IsValidCharcode(static_cast<uint16_t>(h.maxCharcode)));
        EXPECT_TRUE(page->IsValidUnicode(static_cast<wchar_t>(h.maxUnicode)));
        EXPECT_FALSE(page->IsValidCharcode(static_cast<uint16_t>(h.maxCharcode + 1)));
    }
    EXPECT_EQ(IOB_CodePage::Create(933), nullptr);
    EXPECT_EQ(IOB_CodePage::Create(65001), nullptr);
}

TEST(COB_CodePage, SingleCharacterLookups)
{
    std::unique_ptr<IOB_CodePage, Releaser> sjis(IOB_CodePage::Create(932));
    ASSERT_NE(sjis, nullptr);
    EXPECT_TRUE(sjis->IsLeadByte(0x82));
    EXPECT_TRUE(sjis->IsLeadByte(0xF0)); // user-defined rows still take a trail byte
    EXPECT_FALSE(sjis->IsLeadByte(0x41));
    EXPECT_FALSE(sjis->IsLeadByte(0xA1));
    EXPECT_EQ(sjis->GetUnicode(0x41), L'A');
    EXPECT_EQ(sjis->GetUnicode(0xA1), 0xFF61);
    EXPECT_EQ(sjis->GetUnicode(0x82A0), 0x3042);
    EXPECT_EQ(sjis->GetUnicode(0x82), 0xFEFF);    // a lead byte alone
    EXPECT_EQ(sjis->GetUnicode(0xFC4C), 0xFEFF);  // above the maximum
    EXPECT_EQ(sjis->GetUnicode(0xF040), 0xFEFF);  // user-defined area
    // A two-byte code needs a lead byte; a plain character in the high byte is not one.
    EXPECT_EQ(sjis->GetUnicode(0x4142), 0xFEFF);
    EXPECT_FALSE(sjis->IsValidCharcode(0x4142));
    EXPECT_EQ(sjis->GetCharcode(0x3042), 0x82A0);
    EXPECT_EQ(sjis->GetCharcode(L'A'), 0x41);

    std::unique_ptr<IOB_CodePage, Releaser> latin(IOB_CodePage::Create(1252));
    ASSERT_NE(latin, nullptr);
    EXPECT_FALSE(latin->IsLeadByte(0x81));
    EXPECT_EQ(latin->GetUnicode(0x80), 0x20AC);
    EXPECT_EQ(latin->GetUnicode(0x81), 0xFEFF);
    EXPECT_EQ(latin->GetCharcode(0x20AC), 0x80);
    EXPECT_EQ(latin->GetCharcode(0x4E00), 65535);
    // Neither answer without a code counts as a valid character.
    for (wchar_t w : {static_cast<wchar_t>(0xFFFF), static_cast<wchar_t>(0xFEFF), static_cast<wchar_t>(0x4E00),
                      static_cast<wchar_t>(0x1F600), static_cast<wchar_t>(-1)})
        EXPECT_FALSE(latin->IsValidUnicode(w)) << std::hex << w;
    EXPECT_TRUE(latin->IsValidUnicode(0xE9));
}

TEST(COB_CodePageMgr, CreatesCodePages)
{
    IOB_CodePageMgr* mgr = IOB_CodePageMgr::Create();
    ASSERT_NE(mgr, nullptr);
    EXPECT_EQ(mgr->GetDefaultCodePage(), 1252);
    for (const Header& h : kHeaders)
        EXPECT_TRUE(mgr->IsValidCodePage(static_cast<uint16_t>(h.codePage))) << h.codePage;
    for (int codePage : {0, 437, 1200, 1201, 1259, 65001})
        EXPECT_FALSE(mgr->IsValidCodePage(static_cast<uint16_t>(codePage))) << codePage;
    IOB_CodePage* page = mgr->CreateCodePage(949);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetCodePageNumber(), 949);
    page->Release();
    EXPECT_EQ(mgr->CreateCodePage(65001), nullptr);
    mgr->Release();
}
