#include "AUILibUtils.h"

#include <QFontDatabase>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

AUILib::FontData named(const std::wstring &name)
{
    AUILib::FontData font;
    font.faceName = name;
    return font;
}

std::set<std::wstring> namesOf(const std::vector<AUILib::FontData> &fonts)
{
    std::set<std::wstring> names;
    for (const auto &font : fonts)
        names.insert(font.faceName);
    return names;
}

} // namespace

TEST(FontEnumeration, OrdersByCodeValue)
{
    EXPECT_TRUE(compareFontData(named(L"Arial"), named(L"Arial Black")));
    EXPECT_FALSE(compareFontData(named(L"Arial Black"), named(L"Arial")));
    EXPECT_TRUE(compareFontData(named(L"Zapf"), named(L"arial")));
    EXPECT_FALSE(compareFontData(named(L"Same"), named(L"Same")));
}

TEST(FontEnumeration, ListsInstalledFamiliesSortedWithoutHiddenOnes)
{
    std::vector<AUILib::FontData> fonts{named(L"zz kept"), named(L"AA kept")};
    ASSERT_TRUE(AUILibUtils::GetSystemFonts(fonts, false));
    ASSERT_GT(fonts.size(), 2u);
    EXPECT_TRUE(std::is_sorted(fonts.begin(), fonts.end(), compareFontData));
    EXPECT_TRUE(namesOf(fonts).count(L"zz kept"));
    EXPECT_TRUE(namesOf(fonts).count(L"AA kept"));
    for (const auto &font : fonts) {
        EXPECT_NE(font.faceName.front(), L'.');
        if (font.faceName.find(L"kept") != std::wstring::npos)
            continue;
        EXPECT_EQ(font.underline, 0);
        EXPECT_TRUE(font.bold == 0 || font.bold == 1);
        EXPECT_TRUE(font.italic == 0 || font.italic == 1);
    }
}

TEST(FontEnumeration, SkippingListedFamiliesDropsExactlyTheMarkedOnes)
{
    std::vector<AUILib::FontData> all;
    std::vector<AUILib::FontData> skipped;
    AUILibUtils::GetSystemFonts(all, false);
    AUILibUtils::GetSystemFonts(skipped, true);

    std::set<std::wstring> marked;
    for (const auto &font : all) {
        if (font.excludedFamily == 1)
            marked.insert(font.faceName);
    }
    std::set<std::wstring> expected = namesOf(all);
    for (const auto &name : marked)
        expected.erase(name);
    EXPECT_EQ(namesOf(skipped), expected);
    for (const auto &font : skipped)
        EXPECT_EQ(font.excludedFamily, 0);

    if (QFontDatabase().families().contains(QStringLiteral("DejaVu Sans")))
        EXPECT_TRUE(marked.count(L"DejaVu Sans"));
    else
        GTEST_SKIP() << "no listed family installed here";
}
