#include "MachineServices.h"

#include "SystemPaths.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

QString GetHardwareUUID()
{
    QFile file(SystemPaths::resolve(QStringLiteral("/etc/machine-id")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString id = QString::fromLatin1(file.readAll()).trimmed().toUpper();
    static const QRegularExpression shape(QStringLiteral("^[0-9A-F]{32}$"));
    if (!shape.match(id).hasMatch())
        return QString();
    return id.left(8) + QLatin1Char('-') + id.mid(8, 4) + QLatin1Char('-') + id.mid(12, 4) + QLatin1Char('-')
           + id.mid(16, 4) + QLatin1Char('-') + id.mid(20);
}

int processMacAppOpenfile(QString application, QString file)
{
    const QString program = application.isEmpty() ? QStringLiteral("xdg-open") : application;
    return QProcess::startDetached(program, {file}) ? 1 : 0;
}
