#include "LocaleInfo.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(LocaleInfoTest, RowsMatchQtLocaleNumbers)
{
    // The numbers are stored as plain ints; they must be Qt's enumerators.
    const struct
    {
        QLocale::Country country;
        QLocale::Language language;
        const char *code;
    } expected[] = {
        {QLocale::UnitedStates, QLocale::English, "en-US"}, {QLocale::China, QLocale::Chinese, "zh-CN"},
        {QLocale::Germany, QLocale::German, "de-DE"},       {QLocale::Spain, QLocale::Spanish, "es-419"},
        {QLocale::Italy, QLocale::Italian, "it-IT"},        {QLocale::France, QLocale::French, "fr-FR"},
        {QLocale::Japan, QLocale::Japanese, "ja-JP"},       {QLocale::SouthKorea, QLocale::Korean, "ko-KR"},
    };
    ASSERT_EQ(g_localeInfos.size(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(g_localeInfos[i].country, int(expected[i].country)) << i;
        EXPECT_EQ(g_localeInfos[i].language, int(expected[i].language)) << i;
        EXPECT_EQ(g_localeInfos[i].code, QLatin1String(expected[i].code)) << i;
    }
    ASSERT_EQ(g_localeInfoszh.size(), 2);
    EXPECT_EQ(g_localeInfoszh[0].code, QStringLiteral("en-US"));
    EXPECT_EQ(g_localeInfoszh[1].code, QStringLiteral("zh-CN"));
    ASSERT_EQ(g_localeInfosjp.size(), 2);
    EXPECT_EQ(g_localeInfosjp[0].code, QStringLiteral("en-US"));
    EXPECT_EQ(g_localeInfosjp[1].code, QStringLiteral("ja-JP"));
}

TEST(LocaleInfoTest, LookupByPackageTypeAndLanguage)
{
    const struct
    {
        const char *packageType;
        int language;
        const char *code; // null: no row
    } cases[] = {
        {"", 31, "en-US"},        {"", 111, "es-419"},     {"general", 66, "ko-KR"}, {"", 1000, nullptr},
        {"zh-CN", 25, "zh-CN"},   {"zh-CN", 31, "en-US"},  {"zh-CN", 42, nullptr},   {"zh-CN", 59, nullptr},
        {"ja-JP", 59, "ja-JP"},   {"ja-JP", 25, nullptr},  {"zh-cn", 42, "de-DE"},   {"ja-jp", 37, "fr-FR"},
    };
    for (const auto &c : cases) {
        const _LocaleInfo *row = FindLocaleInfo(QString::fromLatin1(c.packageType), c.language);
        if (!c.code) {
            EXPECT_EQ(row, nullptr) << c.packageType << " " << c.language;
        } else {
            ASSERT_NE(row, nullptr) << c.packageType << " " << c.language;
            EXPECT_EQ(row->code, QLatin1String(c.code)) << c.packageType << " " << c.language;
        }
    }
}

} // namespace
