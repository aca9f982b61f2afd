#include "UpdaterApp.h"

#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "Comm.h"
#include "LocaleInfo.h"
#include "UpdateListener.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

UpdaterApp *theApp = nullptr;

UpdaterApp::UpdaterApp(CSetup_CommandLine *commandLine, QObject *parent)
    : QObject(parent)
    , m_pCmdLine(commandLine)
    , m_pListener(new UpdateListener)
{
    if (m_pCmdLine && m_pCmdLine->IsRollBackRun())
        m_bRollBack = true;
}

UpdaterApp::~UpdaterApp()
{
    delete m_pListener;
    if (m_pStateSocket) {
        m_pStateSocket->close();
        m_pStateSocket->deleteLater();
    }
}

void UpdaterApp::runUpdate(int language, int country)
{
    m_nLanguage = language;
    m_nCountry = country;
    m_pListener->startListener();
    runUpdateVisible(language, country);
}

void UpdaterApp::runUpdateVisible(int language, int country)
{
    m_nLanguage = language;
    m_nCountry = country;

    const QString uncompressRoot = GetAppDateRootPath() + QStringLiteral("updater/uncompress/");
    Comm::deleteDir(uncompressRoot);
    const QString unpackFolder = uncompressRoot + QString::number(QDateTime::currentSecsSinceEpoch());
    if (!QDir(unpackFolder).exists() && !QDir().mkpath(unpackFolder)) {
        qDebug().noquote() << "can not make path for uncompress the updater:" << unpackFolder;
        return;
    }

    m_strReaderVersion = m_pCmdLine->GetReaderVersion();
    m_strReaderPath = m_pCmdLine->GetReaderPath();

    if (!m_pCmdLine->IsRun() && !m_pCmdLine->IsUpdater() && !m_pCmdLine->IsInsatll())
        return;
    if (!m_pCmdLine->IsRun() && m_pCmdLine->IsUpdater() && m_pCmdLine->GetUpdaterType().empty())
        return;
    // The checking, install and component-pack roads arrive with the module manager.
    qDebug().noquote() << "the update road is not available in this build";
    m_bQuit = true;
}

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
    if (QScreen *screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry().center();
    return QPoint();
}

std::string UpdaterApp::GetProductName()
{
    return "Orbel PDF Reader";
}

std::string UpdaterApp::GetCurrentUserPlist()
{
    return (QDir::homePath() + QStringLiteral("/Library/Preferences/com.orbel-software.%1.plist")
                                   .arg(QStringLiteral("Orbel.PDF.Reader")))
        .toStdString();
}

void UpdaterApp::ResetPostion(QRect rect, QWidget *widget)
{
    if (!widget || rect.isEmpty() || !rect.isValid())
        return;
    widget->move(rect.left() + rect.width() / 2 - widget->width() / 2,
                 rect.top() + rect.height() / 2 - widget->height() / 2);
}

std::string UpdaterApp::GetMacAddress()
{
    return std::string();
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
