#pragma once

#include <QString>
#include <QVector>

// One row of the UI-language tables: a Qt locale language mapped to its code.
struct _LocaleInfo
{
    int country;
    int language;
    QString code;
    QString displayName;
};

extern const QVector<_LocaleInfo> g_localeInfos;
extern const QVector<_LocaleInfo> g_localeInfoszh;
extern const QVector<_LocaleInfo> g_localeInfosjp;

// The table a package type offers: the Chinese and Japanese packages know only
// English and their own language.
const QVector<_LocaleInfo> &LocaleTableForPackageType(const QString &packageType);

// The first row of that table with the given language (the country is never
// compared), or null.
const _LocaleInfo *FindLocaleInfo(const QString &packageType, int language);
