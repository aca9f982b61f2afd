#include "LocaleInfo.h"

namespace {
const _LocaleInfo kEnglish{225, 31, QStringLiteral("en-US"), QStringLiteral("English")};
const _LocaleInfo kChinese{44, 25, QStringLiteral("zh-CN"), QStringLiteral("Chinese_Simplified")};
const _LocaleInfo kJapanese{108, 59, QStringLiteral("ja-JP"), QStringLiteral("Japanese")};
} // namespace

const QVector<_LocaleInfo> g_localeInfos = {
    kEnglish,
    kChinese,
    {82, 42, QStringLiteral("de-DE"), QStringLiteral("German")},
    {197, 111, QStringLiteral("es-419"), QStringLiteral("Spanish_Latin American")},
    {106, 58, QStringLiteral("it-IT"), QStringLiteral("Italian")},
    {74, 37, QStringLiteral("fr-FR"), QStringLiteral("French")},
    kJapanese,
    {114, 66, QStringLiteral("ko-KR"), QStringLiteral("Korean")},
};
const QVector<_LocaleInfo> g_localeInfoszh = {kEnglish, kChinese};
const QVector<_LocaleInfo> g_localeInfosjp = {kEnglish, kJapanese};

const QVector<_LocaleInfo> &LocaleTableForPackageType(const QString &packageType)
{
    if (packageType == QLatin1String("zh-CN"))
        return g_localeInfoszh;
    if (packageType == QLatin1String("ja-JP"))
        return g_localeInfosjp;
    return g_localeInfos;
}

const _LocaleInfo *FindLocaleInfo(const QString &packageType, int language)
{
    for (const _LocaleInfo &row : LocaleTableForPackageType(packageType)) {
        if (row.language == language)
            return &row;
    }
    return nullptr;
}
