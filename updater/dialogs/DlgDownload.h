#pragma once

#include "DownloadWindow.h"
#include "ModuleInfo.h"
#include "SetupInfo.h"

#include <QDateTime>
#include <QMainWindow>
#include <QProcess>
#include <QString>
#include <QUrl>
#include <QVector>

class OzipUnpacker;
class QHttpDownLoadS;
class QTimer;
class Ui_DlgDownload;

// Downloads the selected modules one after another and installs each package:
// unpacks it, asks the user to close the reader when the module needs that, runs
// the installers its "Setup.xml" lists through the system Installer one after
// another, and confirms the installation from the install history. Every module
// ends with an install progress of 100 or -1, and the sequence then moves on.
class DlgDownload : public QMainWindow, public DownloadWindow
{
    Q_OBJECT
public:
    explicit DlgDownload(QWidget *parent = nullptr);
    ~DlgDownload() override;

    // Makes every module manager's window a DlgDownload; start-up calls it once.
    static void registerAsDownloadWindow();

    void setSelectUpdates(QVector<MODULEINFO *> modules) override;
    void showMinimizedAndHide() override;
    void startShowDownload() override;
    void pauseDown() override;
    void new_continue_download() override;
    void setVisible(bool visible) override;
    void dispose() override;

    bool copyJSPlugin();
    // Starts unpacking the package into the folder (a folder of its own) off the
    // window's thread; the installation goes on when the unpack has ended. A
    // failed unpack removes the folder, logs why and fails the module.
    void InstallOzip(QString packagePath, QString folder, bool checkReader, bool askUser);
    // Nobody is there to answer a message box (packages installed from the
    // command line): failures are logged instead of shown.
    void setUnattended(bool unattended) { m_bUnattended = unattended; }
    // Why the current module (or the package InstallOzip was last given) failed,
    // in the words of the log; empty while it has not failed.
    QString failureReason() const { return m_strFailure; }
    void ParseSetupInfo(QString folder, QVector<_SetupInfo *> &result);
    bool IsCorvidRun();
    int installUpdates(QString installerPath, bool unused);

    // The file name a module's package is stored under in the download folder.
    static QString DownloadFileName(const MODULEINFO &module);
    // The size a module announces in bytes; 0 when its text holds no number.
    static qint64 ExpectedSize(const MODULEINFO &module);
    // Where a module's package is fetched from: a web url as it came; a plain path
    // (a package on a share, as internal runs name them) as that file.
    static QUrl DownloadUrl(const MODULEINFO &module);

signals:
    void SignalCurrentProgress(QString title, double percent);
    void SignalInstallProgress(QString title, int value);
    void SignalStartInstall(QString packagePath);
    void SignalSetCurrentDownloadModule(QString name);

public slots:
    void downloadUpates(int work);
    void continueDownload();
    void errorfinish(QString filePath);
    void cancel() override;
    void updateProgress(qlonglong receiveSize, qlonglong totalSize);
    void installHasDownloadUpdates(QString tempName) override;
    void oneDownloadFinish(QString filePath);

private slots:
    void onReadyToInstall();
    void onInstallerToFront();

private:
    // The current module failed: -1, and the next one.
    void failModule();
    // Keeps the first reason the current module fails for, and logs it unless
    // the caller's own log line has said it already.
    void noteFailure(const QString &reason, bool log = true);
    // The same, and the module fails.
    void failModule(const QString &reason, bool log = true);
    // Whether a package lies in the download folder: the updater's own
    // download, not a file someone named on the command line.
    static bool isDownloaded(const QString &packagePath);
    // The current module's download failed; a full disk is named to the user.
    void downloadFailed();
    // Shows a warning box unless nobody is there to answer it; false when the
    // window went away while the box was open.
    bool warn(const QString &text);
    // The rest of InstallOzip, once the package is unpacked.
    void onUnpacked(int result, const QString &reason, bool noRoom);
    void startNextInstaller();
    void onInstallerFinished(const QString &installerPath, const QDateTime &started, int exitCode,
                             QProcess::ExitStatus status);
    void releasePendingInstallers();

    Ui_DlgDownload *ui;
    // Copies: the manager may drop its records (a new query) while the window
    // still works through the selection it was handed.
    QVector<MODULEINFO> m_vecSelected;
    QHttpDownLoadS *m_pDownloader = nullptr;
    std::string m_strCurModuleType;
    qint64 m_nResumePosition = 0;
    int m_nIndex = 0;
    QString m_strCurTitle;
    QString m_strCurName;
    QString m_strCurVersion;
    QTimer *m_pReadyTimer = nullptr;
    QTimer *m_pFrontTimer = nullptr;
    QString m_strReadyPath;
    QProcess *m_pInstaller = nullptr;

    // The installers of the package being installed that have not run yet, and
    // whether one of those that ran failed.
    QVector<_SetupInfo *> m_vecPendingInstallers;
    bool m_bInstallFailed = false;
    bool m_bUnattended = false;
    QString m_strFailure;

    // The package being unpacked and what InstallOzip was asked to do after it.
    OzipUnpacker *m_pUnpacker = nullptr;
    QString m_strUnpackPackage;
    QString m_strUnpackFolder;
    bool m_bCheckReader = false;
    bool m_bAskUser = false;
};
