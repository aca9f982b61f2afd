#include "DlgDownload.h"

#include "ui_DlgDownload.h"

#include "CUP_Log.h"
#include "CSetup_CommandLine.h"
#include "CXML_Element.h"
#include "COB_Ozip.h"
#include "CheckMacProcessRunning.h"
#include "CReaderModuleManager.h"
#include "Comm.h"
#include "DlgMessage.h"
#include "InstallHistory.h"
#include "MacInstaller.h"
#include "OzipUnpacker.h"
#include "QHttpDownLoadS.h"
#include "SystemPaths.h"
#include "UpdaterApp.h"
#include "Waits.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

DlgDownload::DlgDownload(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui_DlgDownload)
{
    ui->setupUi(this);
    setWindowFlags(Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    connect(ui->cancelButton, &QPushButton::clicked, this, &DlgDownload::cancel);
    setWindowTitle(tr("Orbel Updater"));
    setFixedSize(size());
    ui->descriptionEdit->setReadOnly(true);

    m_pReadyTimer = new QTimer(this);
    m_pReadyTimer->setInterval(Waits::ms(Waits::ShortDelay));
    connect(m_pReadyTimer, &QTimer::timeout, this, &DlgDownload::onReadyToInstall);
    m_pFrontTimer = new QTimer(this);
    m_pFrontTimer->setInterval(Waits::ms(Waits::InstallerToFront));
    connect(m_pFrontTimer, &QTimer::timeout, this, &DlgDownload::onInstallerToFront);
    m_pUnpacker = new OzipUnpacker(this);
    connect(m_pUnpacker, &OzipUnpacker::finished, this, &DlgDownload::onUnpacked);
    hide();
}

DlgDownload::~DlgDownload()
{
    // A running unpack stops first and takes its folder with it.
    delete m_pUnpacker;
    releasePendingInstallers();
    delete m_pDownloader;
    if (m_pInstaller) {
        // The Installer goes on by itself; only our end of it is let go.
        m_pInstaller->disconnect(this);
        m_pInstaller->setParent(nullptr);
    }
    delete ui;
}

void DlgDownload::registerAsDownloadWindow()
{
    DownloadWindow::registerMaker([](CReaderModuleManager &manager) -> DownloadWindow * {
        auto *window = new DlgDownload(nullptr);
        connect(window, &DlgDownload::SignalCurrentProgress, &manager, &CReaderModuleManager::getDownProgress);
        connect(window, &DlgDownload::SignalInstallProgress, &manager, &CReaderModuleManager::setInstallProgress);
        connect(window, &DlgDownload::SignalStartInstall, &manager, &CReaderModuleManager::startInstall);
        connect(window, &DlgDownload::SignalSetCurrentDownloadModule, &manager,
                &CReaderModuleManager::Slot_SetCurrentDownloadModule);
        return window;
    });
}

void DlgDownload::dispose()
{
    // The relays end with the manager, their receiver; the window itself may be
    // inside one of its own signals.
    deleteLater();
}

void DlgDownload::showMinimizedAndHide()
{
    showMinimized();
    hide();
}

void DlgDownload::setVisible(bool visible)
{
    QMainWindow::setVisible(visible);
}

void DlgDownload::setSelectUpdates(QVector<MODULEINFO *> modules)
{
    m_vecSelected.clear();
    for (const MODULEINFO *module : qAsConst(modules)) {
        if (module)
            m_vecSelected.append(*module);
    }
}

void DlgDownload::startShowDownload()
{
    if (m_vecSelected.isEmpty())
        return;
    m_nIndex = 0;
    downloadUpates(0);
}

void DlgDownload::pauseDown()
{
    if (m_pDownloader)
        m_pDownloader->pauseDownloads();
}

void DlgDownload::new_continue_download()
{
    if (m_pDownloader)
        m_pDownloader->continueDownload();
}

QString DlgDownload::DownloadFileName(const MODULEINFO &module)
{
    const QString url = qs(module.url);
    QString name = url.mid(url.lastIndexOf(QLatin1Char('/')) + 1);
    const int ozip = name.indexOf(QLatin1String("ozip"));
    if (ozip >= 0)
        name = name.left(ozip + 4);
    // A url ending in "/" (or in a "." or ".." segment) names no file: the
    // module's name stands in, but only as a plain file name, since the service
    // chooses it and it must not lead out of the download folder.
    auto plain = [](const QString &n) {
        return !n.isEmpty() && n != QLatin1String(".") && n != QLatin1String("..") && !n.contains(QLatin1Char('/'))
               && !n.contains(QChar(0));
    };
    if (!plain(name))
        name = qs(module.name);
    return plain(name) ? name : QString();
}

qint64 DlgDownload::ExpectedSize(const MODULEINFO &module)
{
    QString size = qs(module.size);
    const int b = size.indexOf(QLatin1Char('B'));
    if (b >= 0)
        size = size.left(b);
    bool ok = false;
    const qint64 value = size.toLongLong(&ok, 10);
    return ok ? value : 0;
}

QUrl DlgDownload::DownloadUrl(const MODULEINFO &module)
{
    const QString url = qs(module.url);
    if (url.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(SystemPaths::resolve(url));
    // Any other scheme the service names (a file:// url would reach past the
    // root into the machine's own files) is refused.
    const QUrl web(url, QUrl::TolerantMode);
    if (web.scheme() != QLatin1String("http") && web.scheme() != QLatin1String("https")) {
        CUP_Log::PrintLog(
            QStringLiteral("Download refused: %1: a package is fetched over http or https only").arg(url));
        return QUrl();
    }
    return web;
}

void DlgDownload::downloadUpates(int work)
{
    if (work < 0 || work >= m_vecSelected.size()) {
        close();
        return;
    }
    qDebug() << "Begin to download:";
    const MODULEINFO *module = &m_vecSelected.at(work);
    m_strFailure.clear();
    m_strUnpackPackage.clear();
    emit SignalSetCurrentDownloadModule(qs(module->name));
    m_strCurTitle = qs(module->title);
    m_strCurName = qs(module->name);
    m_strCurVersion = qs(module->version);
    ui->descriptionEdit->setText(qs(module->description));
    ui->timeRemainLabel->setText(QString());

    m_strCurModuleType = module->module_type;
    m_nResumePosition = 0;
    if (m_pDownloader) {
        // This may run inside one of the old downloader's own signals.
        m_pDownloader->disconnect(this);
        m_pDownloader->deleteLater();
    }
    m_pDownloader = new QHttpDownLoadS(nullptr, ui->progressBar, ui->timeRemainLabel, &m_nResumePosition);
    m_pDownloader->m_bFollowRedirects = true;
    connect(m_pDownloader, &QHttpDownLoadS::signal_updateProgress, this, &DlgDownload::updateProgress);

    const QString folder = UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater");
    if (!QDir().mkpath(folder)) {
        const QString reason = QStringLiteral("can not make path for store the downloads: ") + folder;
        CUP_Log::PrintLog(reason);
        failModule(reason, false);
        return;
    }

    const QString fileName = DownloadFileName(*module);
    if (fileName.isEmpty()) {
        const QString reason = QStringLiteral("no file name for the download of: ") + qs(module->url);
        CUP_Log::PrintLog(reason);
        failModule(reason, false);
        return;
    }
    const QString target = folder + QStringLiteral("/%1").arg(fileName);
    const qint64 expected = ExpectedSize(*module);
    const QFileInfo local(target);
    // A size that is no number says nothing about the file: it is fetched again.
    if (local.exists() && expected > 0 && local.size() == expected) {
        m_pDownloader->downloadProgress(expected, expected);
        emit SignalInstallProgress(m_strCurTitle, 0);
        if (theApp)
            theApp->SetQuitRequest(true);
        m_strReadyPath = target;
        m_pReadyTimer->start();
        return;
    }

    QFile::remove(target);
    // More or less than the module announced is not its package: the transfer fails.
    m_pDownloader->setExpectedSize(expected);
    if (!m_pDownloader->setUrlAndFilePath(DownloadUrl(*module), target)) {
        failModule(QStringLiteral("refused: the package's address %1 cannot be fetched").arg(qs(module->url)));
        return;
    }
    connect(m_pDownloader, &QHttpDownLoadS::oneDownLoadFinish, this, &DlgDownload::oneDownloadFinish);
    connect(m_pDownloader, &QHttpDownLoadS::errorfinish, this, &DlgDownload::errorfinish);
    bool started;
    if (module->SilentInstall) {
        CUP_Log::PrintLog(QStringLiteral("bSilentInstall: true"));
        started = m_pDownloader->startDownLoads(true);
    } else {
        CUP_Log::PrintLog(QStringLiteral("bSilentInstall: false"));
        started = m_pDownloader->startDownLoads(false);
    }
    if (!started)
        downloadFailed();
}

// Why a package found whole on disk goes round before it is installed: its
// installation is the progress dialog's to start (the dialog first hides this
// window), but the window knows no dialog and only emits. So the path goes out as
// SignalStartInstall, on as the manager's sSendInstallPkg, and comes back through
// installHasDownloadUpdates. With no dialog listening, such a package stays as it
// is. A package the window has just downloaded is installed at once.
void DlgDownload::onReadyToInstall()
{
    m_pReadyTimer->stop();
    emit SignalStartInstall(m_strReadyPath);
}

void DlgDownload::continueDownload()
{
    ++m_nIndex;
    downloadUpates(m_nIndex);
}

void DlgDownload::failModule()
{
    emit SignalInstallProgress(m_strCurTitle, -1);
    continueDownload();
}

void DlgDownload::noteFailure(const QString &reason, bool log)
{
    if (!m_strFailure.isEmpty())
        return;
    m_strFailure = reason;
    if (log) {
        const QString what = m_strUnpackPackage.isEmpty() ? m_strCurName : m_strUnpackPackage;
        CUP_Log::PrintLog(QStringLiteral("Failed to install %1: %2").arg(what, reason));
    }
}

void DlgDownload::failModule(const QString &reason, bool log)
{
    noteFailure(reason, log);
    failModule();
}

bool DlgDownload::isDownloaded(const QString &packagePath)
{
    const QString folder = QDir(UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater")).canonicalPath();
    return !folder.isEmpty() && QFileInfo(packagePath).canonicalPath() == folder;
}

void DlgDownload::errorfinish(QString)
{
    downloadFailed();
}

void DlgDownload::downloadFailed()
{
    // The transfer has logged why it failed.
    if (m_pDownloader)
        noteFailure(m_pDownloader->failureReason(), false);
    // Trying again cannot help while the disk stays full: the user is told why, in the log's words.
    if (m_pDownloader && m_pDownloader->failedOnDisk()
        && !warn(tr("Failed to download %1: %2").arg(m_strCurTitle, m_pDownloader->failureReason())))
        return;
    failModule();
}

bool DlgDownload::warn(const QString &text)
{
    if (m_bUnattended)
        return true;
    QPointer<DlgDownload> self(this);
    QMessageBox::warning(nullptr, tr("Orbel PDF Reader") + tr(" Updater"), text, QMessageBox::Ok);
    return self;
}

void DlgDownload::cancel()
{
    // Stopping the sequence stops a package being unpacked or downloaded too, and
    // nothing of either stays: a paused transfer keeps its part only for a
    // continue. Nor does a package already on disk go on to its installation.
    m_pUnpacker->stop();
    if (m_pDownloader)
        m_pDownloader->abandon();
    m_pReadyTimer->stop();
    close();
}

void DlgDownload::updateProgress(qlonglong receiveSize, qlonglong totalSize)
{
    const double percent = totalSize > 0 ? double(receiveSize) / double(totalSize) * 100.0 : 0.0;
    ui->progressBar->setValue(int(percent));
    emit SignalCurrentProgress(m_strCurTitle, percent);

    // The clock starts with the first progress of the run, not of each module.
    static qint64 start = QDateTime::currentMSecsSinceEpoch();
    const double elapsed = double(QDateTime::currentMSecsSinceEpoch() - start) / 1000.0;
    QString remaining = QStringLiteral("--");
    if (receiveSize > 0 && elapsed > 0)
        remaining = QString::number(qint64(double(totalSize - receiveSize) / (double(receiveSize) / elapsed)));
    ui->timeRemainLabel->setText(tr("Time Remaining: %1 seconds ( %2/%3 MB)")
                                     .arg(remaining)
                                     .arg(double(receiveSize) / 1024 / 1024, 0, 'f', 2)
                                     .arg(double(totalSize) / 1024 / 1024, 0, 'f', 2));
    ui->timeRemainLabel->repaint();
}

void DlgDownload::installHasDownloadUpdates(QString tempName)
{
    oneDownloadFinish(tempName);
}

void DlgDownload::oneDownloadFinish(QString filePath)
{
    hide();
    if (filePath.isEmpty()) {
        failModule(QStringLiteral("no package was downloaded"));
        return;
    }
    if (QFileInfo(filePath).fileName().startsWith(QLatin1String("JS"))) {
        // Moved at once, so that they arrive whatever module comes last.
        if (copyJSPlugin()) {
            emit SignalInstallProgress(m_strCurTitle, 100);
            continueDownload();
        } else {
            failModule(QStringLiteral("the JavaScript files cannot be moved into %1")
                           .arg(UpdaterApp::GetAppDatePath() + QStringLiteral("SilentInstall/JavaScripts")));
        }
        return;
    }

    QString folder = UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/uncompress/");
    Comm::deleteDir(folder);
    folder += QString::number(QDateTime::currentSecsSinceEpoch());
    if (!QDir().mkpath(folder)) {
        qDebug() << "can not make path for uncompress the updater:" << folder;
        failModule(QStringLiteral("can not make path for uncompress the updater: ") + folder);
        return;
    }
    const std::string &type = m_strCurModuleType;
    if (type == "service" || type == "basic")
        InstallOzip(filePath, folder, true, false);
    else
        InstallOzip(filePath, folder, true, true);
}

bool DlgDownload::copyJSPlugin()
{
    bool result = true;
    const QString source = UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/");
    const QFileInfoList entries = QDir(source).entryInfoList({QStringLiteral("JS*")}, QDir::Files, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        const QString destFolder = UpdaterApp::GetAppDatePath() + QStringLiteral("SilentInstall/JavaScripts");
        if (!QDir().mkpath(destFolder)) {
            result = false;
            continue;
        }
        const QString dest = destFolder + QLatin1Char('/') + entry.fileName();
        // The newer file replaces the one there; the download stays until it is copied.
        if (QFileInfo::exists(dest))
            QFile::remove(dest);
        if (QFile::copy(entry.absoluteFilePath(), dest))
            QFile::remove(entry.absoluteFilePath());
        else
            result = false;
    }
    return result;
}

void DlgDownload::InstallOzip(QString packagePath, QString folder, bool checkReader, bool askUser)
{
    emit SignalInstallProgress(m_strCurTitle, 0);
    m_strFailure.clear();
    m_strUnpackPackage = packagePath;
    m_strUnpackFolder = folder;
    m_bCheckReader = checkReader;
    m_bAskUser = askUser;
    // The sequence is serial: a second package cannot come while one unpacks.
    if (!m_pUnpacker->start(packagePath, folder))
        onUnpacked(0, QStringLiteral("another package is still being unpacked"), false);
}

void DlgDownload::onUnpacked(int result, const QString &reason, bool noRoom)
{
    const QString packagePath = m_strUnpackPackage;
    const QString folder = m_strUnpackFolder;
    if (result < 1) {
        qDebug() << "Uncompress Failed";
        CUP_Log::PrintLog(QStringLiteral("Failed to extract the package %1: %2").arg(packagePath, reason));
        noteFailure(reason, false);
        // Kept, a damaged download would pass for complete by its size on every
        // later run and fail the same way: it goes, and the next attempt fetches
        // it afresh. A package someone named on the command line is theirs.
        if (COB_Ozip::isDamaged(result) && isDownloaded(packagePath) && QFile::remove(packagePath))
            CUP_Log::PrintLog(QStringLiteral("Removed the damaged package %1; it is downloaded again next time")
                                  .arg(packagePath));
        // Without room on the disk another try fails the same way: the window names the cause as the log does.
        const QString text = noRoom ? tr("Failed to extract the downloaded package: %1").arg(reason)
                                    : tr("Failed to extract the downloaded package. Please try again.");
        if (warn(text))
            failModule();
        return;
    }
    emit SignalInstallProgress(m_strCurTitle, 20);

    releasePendingInstallers();
    ParseSetupInfo(folder, m_vecPendingInstallers);
    if (m_vecPendingInstallers.isEmpty()) {
        // Nothing to install would leave the module waiting for an end that never comes.
        failModule(QFileInfo::exists(folder + QStringLiteral("/Setup.xml"))
                       ? QStringLiteral("its Setup.xml lists no installer")
                       : QStringLiteral("the package has no Setup.xml"));
        return;
    }

    while (m_bCheckReader && m_bAskUser && IsCorvidRun()) {
        DlgMessage message(nullptr);
        message.setInformation(
            tr("Download completed. Please close %1 when you complete your job, and click \"Install\".")
                .arg(QStringLiteral("Orbel PDF Reader")));
        message.setOkButtonText(tr("Retry"));
        message.move(UpdaterApp::GetMainAppCenterPos() - message.rect().center());
        message.exec();
        if (!message.m_bOk) {
            releasePendingInstallers();
            failModule(QStringLiteral("Orbel PDF Reader was not closed for the installation"));
            return;
        }
    }

    m_bInstallFailed = false;
    // One installer at a time; the next starts when the one before has ended.
    for (_SetupInfo *info : m_vecPendingInstallers) {
        if (!IsSetupInstallerInside(folder, info->name)) {
            noteFailure(QStringLiteral("refused installer: %1 is not inside the package").arg(info->name));
            m_bInstallFailed = true;
            info->name.clear();
        }
    }
    startNextInstaller();
}

void DlgDownload::startNextInstaller()
{
    while (!m_vecPendingInstallers.isEmpty()) {
        _SetupInfo *info = m_vecPendingInstallers.takeFirst();
        const QString path = info->name;
        delete info;
        if (path.isEmpty())
            continue;
        qDebug() << "excute shell:" << path;
        const int result = installUpdates(path, true);
        qDebug() << "excute result:" << result;
        if (m_pInstaller)
            return; // its end comes back through onInstallerFinished
        noteFailure(QStringLiteral("the installer %1 cannot be started").arg(path));
        m_bInstallFailed = true;
    }
    // Every installer of the package has run: one verdict, one step on.
    if (m_bInstallFailed) {
        failModule();
        return;
    }
    emit SignalInstallProgress(m_strCurTitle, 90);
    emit SignalInstallProgress(m_strCurTitle, 100);
    continueDownload();
}

void DlgDownload::releasePendingInstallers()
{
    qDeleteAll(m_vecPendingInstallers);
    m_vecPendingInstallers.clear();
}

bool DlgDownload::IsCorvidRun()
{
    QList<qulonglong> found;
    return CheckMacProcessRunning(QStringLiteral("Orbel PDF Reader"), found);
}

int DlgDownload::installUpdates(QString installerPath, bool)
{
    CUP_Log::PrintLog(QStringLiteral("fileinfo: %1").arg(QFileInfo(installerPath).size()));
    const qint64 began = QDateTime::currentSecsSinceEpoch();
    CUP_Log::PrintLog(QStringLiteral("beign open: ") + installerPath);

    auto *process = new QProcess;
    const QDateTime started = QDateTime::currentDateTimeUtc();
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, process, installerPath, started](int exitCode, QProcess::ExitStatus status) {
                if (m_pInstaller == process)
                    m_pInstaller = nullptr;
                process->deleteLater();
                onInstallerFinished(installerPath, started, exitCode, status);
            });
    const bool viaOpen = theApp && theApp->GetCommandLine() && theApp->GetCommandLine()->IsInsatll();
    bool running;
    if (viaOpen) {
        running = MacInstaller::start(*process, QStringLiteral("open"), installerPath);
    } else {
        running = MacInstaller::start(*process, MacInstaller::installerProgram(), installerPath);
        if (running)
            m_pFrontTimer->start();
    }
    if (running) {
        m_pInstaller = process;
    } else {
        process->disconnect(this);
        delete process;
        m_pInstaller = nullptr;
    }
    CUP_Log::PrintLog(QStringLiteral("open have use seconds: %1").arg(QDateTime::currentSecsSinceEpoch() - began));
    return 0;
}

void DlgDownload::onInstallerToFront()
{
    MacInstaller::execute(QStringLiteral("open"), MacInstaller::installerApplication());
    m_pFrontTimer->stop();
}

void DlgDownload::onInstallerFinished(const QString &installerPath, const QDateTime &started, int exitCode,
                                      QProcess::ExitStatus status)
{
    qDebug() << "[S/W Update] Finished install with exit code" << exitCode;
    if (status != QProcess::NormalExit) {
        noteFailure(QStringLiteral("the installer %1 crashed").arg(installerPath));
        m_bInstallFailed = true;
    } else if (exitCode != 0) {
        noteFailure(QStringLiteral("the installer %1 failed with exit code %2").arg(installerPath).arg(exitCode));
        m_bInstallFailed = true;
    } else {
        const InstallHistory::Confirmation confirmation = InstallHistory::confirm(installerPath, started);
        if (confirmation != InstallHistory::Confirmed) {
            qDebug() << "installation not confirmed by the install history:" << installerPath << confirmation;
            noteFailure(confirmation == InstallHistory::NoReceipt
                            ? QStringLiteral("not confirmed: the install history holds no receipt of %1")
                                  .arg(installerPath)
                        : confirmation == InstallHistory::HistoryMissing
                            ? QStringLiteral("not confirmed: there is no install history")
                            : QStringLiteral("not confirmed: the install history cannot be read"));
            m_bInstallFailed = true;
        }
    }
    startNextInstaller();
}

void DlgDownload::ParseSetupInfo(QString folder, QVector<_SetupInfo *> &result)
{
    if (folder.isEmpty())
        return;
    qDeleteAll(result);
    result.clear();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!QDir(folder).exists())
        QDir().mkdir(folder);

    QFile file(folder + QStringLiteral("Setup.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray text = file.readAll();
    if (text.isEmpty())
        return;

    CXML_Element *root = CXML_Element::Parse(text.constData(), size_t(text.size()));
    // A document that does not parse lists no installer.
    if (!root)
        return;
    const unsigned count = root->CountChildren();
    for (unsigned i = 0; i < count; ++i) {
        CXML_Element *child = root->GetElement(i);
        if (!child || !(child->GetTagName() == "file"))
            continue;
        auto *info = new _SetupInfo;
        QString name;
        for (int a = 0; a < child->CountAttrs(); ++a) {
            COB_ByteString space;
            COB_ByteString attr;
            COB_WideString value;
            child->GetAttrByIndex(a, space, attr, value);
            if (attr == "name")
                name = Comm::ws2qs(value);
            else if (attr == "parameter")
                info->parameter = Comm::ws2qs(value);
            else if (attr == "iscommon")
                info->iscommon = Comm::ws2qs(value).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
        }
        info->name = folder + name;
        result.append(info);
    }
    delete root;
}
