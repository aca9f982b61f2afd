#include "UpdaterApp.h"

#include "CSetup_CommandLine.h"
#include "Comm.h"
#include "UpdateListener.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>

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
