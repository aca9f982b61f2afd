#include "PlistSettings.h"

#include <QDir>

QString PlistSettings::storePath(const QString &organisation, const QString &application)
{
    QString domain = organisation.toLower();
    domain.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QDir::homePath() + QStringLiteral("/Library/Preferences/com.") + domain
           + QLatin1Char('.') + application + QStringLiteral(".plist");
}

std::unique_ptr<QSettings> PlistSettings::openStore(const QString &organisation, const QString &application)
{
    return openFile(storePath(organisation, application));
}

std::unique_ptr<QSettings> PlistSettings::openFile(const QString &path)
{
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}
