#include "SystemPaths.h"

#include <QDir>

QString SystemPaths::root()
{
    QString root = QDir::cleanPath(qEnvironmentVariable("ORBEL_UPDATER_ROOT"));
    if (root.isEmpty() || root == QLatin1String(".") || root == QLatin1String("/"))
        return QString();
    return root;
}

QString SystemPaths::resolve(const QString &systemPath)
{
    if (!systemPath.startsWith(QLatin1Char('/')))
        return systemPath;
    return root() + systemPath;
}
