// UpdaterApp's probes of the machine: data folders, package type, language code,
// versions, the reader's window and the hardware addresses.

#include "UpdaterApp.h"

#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "CUP_Log.h"
#include "LocaleInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QGuiApplication>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QScreen>
#include <QSize>
#include <QStandardPaths>
#include <QWidget>

QString UpdaterApp::GetAppDateRootPath()
{
    const QString layout = CheckIsContinue() ? QStringLiteral("Continuous") : QStringLiteral("Classic");
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Orbel Software/%1/").arg(layout);
}

QString UpdaterApp::GetAppDatePath()
{
    return GetAppDateRootPath() + QString::fromStdString(GetProductName()) + QLatin1Char('/');
}

QString UpdaterApp::GetPackageType()
{
    const QString bundle = QCoreApplication::applicationDirPath().chopped(6);
    QFile file(bundle + QStringLiteral("/Resources") + QStringLiteral("/packagetype.xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        file.setFileName(bundle + QStringLiteral("/../../../Resources") + QStringLiteral("/packagetype.xml"));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
    }
    QDomDocument doc;
    if (!doc.setContent(&file)) {
        file.close();
        return QString();
    }
    file.close();
    const QDomElement root = doc.documentElement();
    return root.isNull() ? QString() : root.attribute(QStringLiteral("name"));
}

QPoint UpdaterApp::GetMainAppCenterPos()
{
    const QString plist = QString::fromStdString(GetCurrentUserPlist());
    const QPoint position =
        CRegister::regGetVariant(QStringLiteral("Window Position"), QPoint(0, 0), plist, QString(), QString()).toPoint();
    const QSize size =
        CRegister::regGetVariant(QStringLiteral("Window Size"), QSize(-1, -1), plist, QString(), QString()).toSize();
    CUP_Log::PrintLog(QStringLiteral("UpdaterApp::GetMainAppCenterPos()---position:(%1,%2), size:(%3,%4)")
                          .arg(position.x())
                          .arg(position.y())
                          .arg(size.width())
                          .arg(size.height()));
    const QPoint centre = QRect(position, size).center();
    CUP_Log::PrintLog(
        QStringLiteral("UpdaterApp::GetMainAppCenterPos()---centerPos:(%1,%2)").arg(centre.x()).arg(centre.y()));
    if (centre == QPoint(0, 0) || position == QPoint(0, 0)) {
        // The default screen: the primary one.
        if (QScreen *screen = QGuiApplication::primaryScreen())
            return screen->availableGeometry().center();
    }
    return centre;
}

std::string UpdaterApp::GetProductName()
{
    return "Orbel PDF Reader";
}

std::string UpdaterApp::GetCurrentUserPlist()
{
    // The console user is the user running the updater, and its home is $HOME.
    const QString path = QDir::homePath()
                         + QStringLiteral("/Library/Preferences/com.orbel-software.%1.plist")
                               .arg(QStringLiteral("Orbel.PDF.Reader"));
    CUP_Log::PrintLog(QStringLiteral("plist path: ") + path);
    return path.toStdString();
}

void UpdaterApp::ResetPostion(QRect rect, QWidget *widget)
{
    if (!widget || rect.isEmpty() || !rect.isValid())
        return;
    widget->move(rect.left() + rect.width() / 2 - widget->width() / 2,
                 rect.top() + rect.height() / 2 - widget->height() / 2);
}

std::string UpdaterApp::FormatMacAddress(const QStringList &hardwareAddresses, const QString &hostName)
{
    static const QStringList kVirtual = {QStringLiteral("00-00-00-00-00-00"), QStringLiteral("00-50-56-C0-00-01"),
                                         QStringLiteral("00-50-56-C0-00-08")};
    QString text;
    for (QString address : hardwareAddresses) {
        address.replace(QLatin1Char(':'), QLatin1Char('-'));
        if (address.isEmpty() || kVirtual.contains(address))
            continue;
        text += address + QLatin1Char('|');
    }
    text += hostName;
    return text.toStdString();
}

std::string UpdaterApp::GetMacAddress()
{
    QStringList addresses;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &interface : interfaces)
        addresses.append(interface.hardwareAddress());
    return FormatMacAddress(addresses, QHostInfo::localHostName());
}

std::string UpdaterApp::GetLang()
{
    const _LocaleInfo *row = FindLocaleInfo(GetPackageType(), m_nLanguage);
    return row ? row->code.toStdString() : std::string("en-US");
}

QString UpdaterApp::GetBigVersioin()
{
    const QStringList parts = QString::fromStdString(m_pCmdLine->GetReaderVersion()).split(QLatin1Char('.'));
    if (parts.size() < 3)
        return QString();
    return QStringLiteral("%1.%2").arg(parts.at(0), parts.at(1));
}
