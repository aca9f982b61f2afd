#include "UpdaterApp.h"

#include "CReaderModuleManager.h"
#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "Comm.h"
#include "ComponentInfo.h"
#include "DlgDownload.h"
#include "SystemPaths.h"
#include "UpdateDialogs.h"
#include "UpdateListener.h"
#include "Waits.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <memory>

UpdaterApp *theApp = nullptr;

bool RunUpdaterFromService(QString text)
{
    qDebug().noquote() << "service hook (nothing to start on this platform):" << text;
    return true;
}

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
    delete m_pModuleManager;
    delete m_pListener;
    if (m_pStateSocket) {
        m_pStateSocket->close();
        m_pStateSocket->deleteLater();
    }
}

void UpdaterApp::SetModuleManager(CReaderModuleManager *manager)
{
    if (manager == m_pModuleManager)
        return;
    delete m_pModuleManager;
    m_pModuleManager = manager;
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
    // Every road ends the process: no window stays open to end the event loop.
    m_bQuit = true;

    const QString uncompressRoot = GetAppDateRootPath() + QStringLiteral("updater/uncompress/");
    Comm::deleteDir(uncompressRoot);
    const QString unpackFolder = uncompressRoot + QString::number(QDateTime::currentSecsSinceEpoch());
    if (!QDir(unpackFolder).exists() && !QDir().mkpath(unpackFolder)) {
        qDebug().noquote() << "can not make path for uncompress the updater:" << unpackFolder;
        return;
    }

    m_pModuleManager = new CReaderModuleManager(QString::fromStdString(m_pCmdLine->GetUpdaterType()), this);
    m_pModuleManager->setLangParm(m_nLanguage, m_nCountry);

    const Road road = ChooseRoad(*m_pCmdLine);
    if (road != Road::ForcedHandOver) {
        m_strReaderVersion = m_pCmdLine->GetReaderVersion();
        m_strReaderPath = m_pCmdLine->GetReaderPath();
    }
    switch (road) {
    case Road::ForcedHandOver:
        runForcedUpdateHandOver();
        break;
    case Road::Checking:
        runChecking();
        removeUnusedUnpackFolder(unpackFolder);
        break;
    case Road::Install:
        runInstall(unpackFolder);
        break;
    case Road::ComponentPack:
        runComponentPack();
        removeUnusedUnpackFolder(unpackFolder);
        break;
    case Road::None:
        qDebug().noquote() << (m_pCmdLine->IsUpdater() ? "no updater type was given"
                                                       : "neither an update nor an installation was asked for");
        break;
    }

    // The outermost dialog has returned: nothing of the manager is still running
    // a signal, so the run lets it go here, once.
    delete m_pModuleManager;
    m_pModuleManager = nullptr;
    m_bQuit = true;
}

UpdaterApp::Road UpdaterApp::ChooseRoad(const CSetup_CommandLine &commandLine)
{
    if (commandLine.IsInsForceUpdate())
        return Road::ForcedHandOver;
    if (commandLine.IsRun())
        return Road::Checking;
    if (!commandLine.IsUpdater())
        return commandLine.IsInsatll() ? Road::Install : Road::None;
    const std::string type = commandLine.GetUpdaterType();
    if (type == "Update List" || type == "Auto Updater")
        return Road::Checking;
    return type.empty() ? Road::None : Road::ComponentPack;
}

void UpdaterApp::removeUnusedUnpackFolder(const QString &unpackFolder)
{
    // The roads that download unpack each package into a folder of their own
    // (DlgDownload), so the run's folder stays empty: a check that failed or
    // found nothing leaves no trace of it. Folders that hold anything stay.
    QDir().rmdir(unpackFolder);
    QDir().rmdir(QFileInfo(unpackFolder).path());
}

void UpdaterApp::runChecking()
{
    UpdateDialogs::current().execUpdateChecking(m_pModuleManager);
}

void UpdaterApp::runInstall(const QString &unpackFolder)
{
    std::unique_ptr<DlgDownload> window(new DlgDownload(nullptr));
    window->setUnattended(true);
    int number = 0;
    for (const std::string &entry : m_pCmdLine->GetVecOzipPath()) {
        if (entry.empty())
            continue;
        const QString package = QString::fromStdString(entry);
        // A folder of its own, so that no package's files mix with another's.
        const QString folder = unpackFolder + QStringLiteral("/%1").arg(++number);
        if (!QDir().mkpath(folder)) {
            qDebug().noquote() << "can not make path for uncompress the updater:" << folder;
            continue;
        }
        // The package has ended when its installers have all ended and the
        // outcome is known (100 or -1); only then is the next one unpacked.
        bool ended = false;
        int outcome = 0;
        QString reason;
        QEventLoop loop;
        const QMetaObject::Connection watch =
            connect(window.get(), &DlgDownload::SignalInstallProgress, &loop, [&](QString, int value) {
                if (value != 100 && value != -1)
                    return;
                ended = true;
                outcome = value;
                reason = window->failureReason();
                loop.quit();
            });
        qDebug().noquote() << "install package:" << package << "into" << folder;
        window->InstallOzip(package, folder, true, false);
        if (!ended)
            loop.exec();
        disconnect(watch);
        if (outcome == 100)
            qDebug().noquote() << "package installed:" << package;
        else if (reason.isEmpty())
            qDebug().noquote() << "package skipped:" << package;
        else
            qDebug().noquote() << "package skipped:" << package + QStringLiteral(": ") + reason;
    }
}

ComponentInfo UpdaterApp::GetComponentInfo() const
{
    ComponentInfo request;
    request.productName = QString::fromStdString(GetProductName());
    request.readerVersion = QString::fromStdString(m_pCmdLine->GetReaderVersion());
    request.componentList = QString::fromStdString(m_pCmdLine->GetUpdaterType());
    request.language = m_pModuleManager ? m_pModuleManager->GetLocalLangName() : QString();
    request.edition = QStringLiteral("Business");
    return request;
}

void UpdaterApp::runComponentPack()
{
    ComponentInfo request = GetComponentInfo();
    if (UpdateDialogs::current().execComponentFound(request) != 1)
        return;
    qDebug().noquote() << "need to download now...";

    // The query ends in one of three ways, or not at all: the wait ends on each.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool done = false;
    auto end = [&] {
        done = true;
        loop.quit();
    };
    connect(m_pModuleManager, &CReaderModuleManager::sQueryModuleInfoFinish, &loop, end);
    connect(m_pModuleManager, &CReaderModuleManager::sErrorFinish, &loop, end);
    connect(m_pModuleManager, &CReaderModuleManager::sErrorNetwork, &loop, end);
    timeout.start(Waits::ms(Waits::CheckTimeout));
    m_pModuleManager->QueryModuleInfo(nullptr, false);
    if (!done)
        loop.exec();
    disconnect(m_pModuleManager, nullptr, &loop, nullptr);

    auto warn = [] {
        QMessageBox::warning(nullptr, tr("Orbel Updater"),
                             tr("Unable to get this component pack. Please check if they are ready for this version."),
                             QMessageBox::Ok, QMessageBox::NoButton);
    };
    if (m_pModuleManager->CountAvailableModule() <= 0) {
        warn();
        return;
    }
    const QString list = request.componentList;
    if (!list.contains(QLatin1Char(','))) {
        m_pModuleManager->AddSelModule(list);
    } else {
        for (const QString &part : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
            m_pModuleManager->AddSelModule(part);
    }
    if (m_pModuleManager->CountSelModules() <= 0) {
        warn();
        return;
    }
    m_pModuleManager->ModuleCallback("Update List", m_pModuleManager, true);
}

void UpdaterApp::runForcedUpdateHandOver()
{
    const QString appName =
        CRegister::regGetString(QStringLiteral("HKEY_LOCAL_MACHINE\\") + QStringLiteral("SOFTWARE\\Orbel Software\\Orbel PDF Reader")
                                    + QStringLiteral("\\InstallAppName"),
                                QStringLiteral("Orbel PDF Reader.app"));
    if (appName.isEmpty() || !QFileInfo::exists(SystemPaths::resolve(appName))) {
        qDebug().noquote() << QStringLiteral("qsAppName文件不存在");
        return;
    }

    auto quoted = [](const QString &value) { return QStringLiteral(" \"") + value + QLatin1Char('"'); };
    QString command = QStringLiteral(" -insForceUpdate");
    command += QStringLiteral(" -SessionID") + quoted(QString::fromStdString(m_pCmdLine->GetSessionID()));
    command += QStringLiteral(" -readerpath") + quoted(QString::fromStdString(m_pCmdLine->GetReaderPath()));
    // The language goes as its decimal number, the form the command line reads back.
    command += QStringLiteral(" -readerlang") + quoted(QString::number(m_nLanguage));

    QString packages;
    QFile list(QStringLiteral("ForceUpdateList.txt"));
    if (list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!list.atEnd()) {
            const QString line = QString::fromUtf8(list.readLine());
            qDebug().noquote() << line;
            packages += line;
        }
    } else {
        qDebug().noquote() << "Can't open the file!";
    }
    command += QStringLiteral(" -install -OzipPath") + quoted(packages);
    RunUpdaterFromService(QStringLiteral("||strTempUpdaterPath=") + QString() + QStringLiteral("||csCommandLine=")
                          + command);
}

void UpdaterApp::ShowDownloadDlg(std::string type, bool &flag, bool second, bool third, bool fourth,
                                 CReaderModuleManager *manager)
{
    UpdateDialogs::current().execFound(type, flag, second, third, fourth, manager);
}

bool UpdaterApp::RunCommandLine(std::string, bool &)
{
    return true;
}
