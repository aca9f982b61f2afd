#include "ServiceEndpoints.h"

#include <QByteArray>

#ifndef ORBEL_SERVICE_URL_GENERAL
#define ORBEL_SERVICE_URL_GENERAL "https://update.orbel-software.example"
#endif
#ifndef ORBEL_SERVICE_URL_ASIA
#define ORBEL_SERVICE_URL_ASIA "https://update-asia.orbel-software.example"
#endif

namespace {
QString withoutTrailingSlash(QString url)
{
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}
} // namespace

QString ServiceEndpoints::override()
{
    return withoutTrailingSlash(QString::fromUtf8(qgetenv("ORBEL_UPDATER_SERVICE_URL")).trimmed());
}

QString ServiceEndpoints::general()
{
    const QString replacement = override();
    return replacement.isEmpty() ? withoutTrailingSlash(QStringLiteral(ORBEL_SERVICE_URL_GENERAL)) : replacement;
}

QString ServiceEndpoints::asia()
{
    const QString replacement = override();
    return replacement.isEmpty() ? withoutTrailingSlash(QStringLiteral(ORBEL_SERVICE_URL_ASIA)) : replacement;
}
