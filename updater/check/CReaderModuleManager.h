#pragma once

#include "ModuleInfo.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <memory>
#include <string>
#include <vector>

class CXML_Element;
class DownloadWindow;
class QHttpDownLoadS;
class QProgressBar;

// The update check: asks the update service which modules apply to this reader,
// judges each against the installed components and the user's earlier choices,
// and keeps the ones to offer. One manager per run.
//
// The operations named Check...Available answer true when a module needs nothing
// and false when it is to be offered.
class CReaderModuleManager : public QObject
{
    Q_OBJECT
public:
    explicit CReaderModuleManager(QString updaterType, QObject *parent = nullptr);
    ~CReaderModuleManager() override;

    void setLangParm(int language, int country);

    // Request and reply. QueryModuleInfo returns true only when nothing was started
    // because the reply's folder cannot be made.
    bool QueryModuleInfo(QProgressBar *progress, bool synchronous);
    QString GetHttpURL(QString addon);
    // Reads the reply, judges its modules and prunes what is offered; false when
    // the reply could not be read or parsed. ("Paser": the name callers use.)
    bool OnPaserModuleInfo(QString path);
    void ParseModuleInfo(CXML_Element *element, MODULEINFO *record);
    bool CheckUpdateTime(CXML_Element *root);
    QString GetScheduleTimePath();
    bool CanExitThred();
    QueryResultInfo GetQueryResultInfo();

    // Records.
    MODULEINFO *AddModule(QString updaterType);
    MODULEINFO *CloneAvailableModuleInfo(MODULEINFO *source);
    void ReleaseModuleInfo();
    void ReleaseUpdaterInfoList(QVector<_UpdaterInfo *> &list);

    // Installed components and availability.
    void ParseUpdaterInfo(QVector<_UpdaterInfo *> &installed);
    int CompareVersion(QString a, QString b);
    bool CheckModuleAvailable(MODULEINFO *record, QVector<_UpdaterInfo *> &installed);
    bool CheckAutoupdateModuleAvailable(MODULEINFO *record, QVector<_UpdaterInfo *> &installed);
    bool CheckForcedUpgradeVersion(MODULEINFO *record, QVector<_UpdaterInfo *> &installed);
    bool CheckUpdaterAvailable(MODULEINFO *record, bool unused);
    bool CheckMajorVersionUpgrade(QString version);
    bool MajorUpdateChecked(MODULEINFO *record);
    bool CheckVersionUpdate();
    bool DeletePatchUpdate();
    bool DeleteOrbelCloud();
    QString GetDownloadTempFileName(QString url);
    QString GetLocalLangName();
    bool isSilentUpdate();

    // Refusals.
    void WriteRejectAutoUpdateInfo(QVector<MODULEINFO *> modules, bool unused);
    bool ParseRejectAutoUpdateInfo(std::string name, std::string version);
    void WriteRejectInfo();
    void ParseHasRejectForceUpdaterInfo(QVector<_HasRejectForceUpdaterInfo *> &refused);
    bool CheckHasRejectForcedUpgrade(MODULEINFO *record, QVector<_HasRejectForceUpdaterInfo *> &refused);
    void ParseHasRejectAutoUpdaterInfo(QVector<_HasRejectAutoUpdaterInfo *> &refused);
    void DeleteHasRejectAutoUpdaterInfo(QVector<MODULEINFO *> &modules, QVector<_HasRejectAutoUpdaterInfo *> &refused);

    // Available list and selection, read by the dialogs. An index outside the
    // list gives null or does nothing.
    int CountAvailableModule();
    MODULEINFO *GetAvailabletModule(int index);
    void RemoveAvailableModule(int index);
    int CountSelModules();
    MODULEINFO *GetSelModule(int index);

    // Selection, download control and relay, used by the dialogs and the download window.
    void AddSelModule(MODULEINFO *module);
    void AddSelModule(QString name);
    void InitSelModuleInfo();
    int GetModuleSelIndex(const MODULEINFO *module);
    MODULEINFO *GetNextSelModule(const MODULEINFO *module);
    void SetCurDownloadModuleInfo(MODULEINFO *module);
    MODULEINFO *GetCurDownloadModule();
    void startDownload();
    void Download(const MODULEINFO *module);
    bool stopDownload();
    void OnDownloadPause();
    void OnDownloadResume();
    bool QueryStopDownload();
    bool ModuleCallback(std::string type, CReaderModuleManager *manager, bool flag);
    // The download window (null when start-up registered none), whose
    // installHasDownloadUpdates the progress dialog calls with the package path
    // that sSendInstallPkg brings.
    DownloadWindow *GetDownloadWindow() const { return m_pDownloadWindow; }
    QString HMac(QByteArray key, QByteArray message);

signals:
    void sQueryModuleInfoFinish();
    void sErrorFinish();
    void sErrorNetwork();
    void sSendDownloadProgress(QString name, double position);
    void sSendInstallProgress(QString name, int progress);
    void sSendInstallPkg(QString name);

public slots:
    void slotQueryModuleInfoFinish(QString filePath);
    void errorfinish(QString filePath);
    void error_network();
    void getDownProgress(QString name, double npos);
    void setInstallProgress(QString name, int progress);
    void startInstall(QString name);
    void Slot_SetCurrentDownloadModule(QString name);

private:
    // Destroys one record and takes it out of every list that observes it.
    void DestroyModule(MODULEINFO *record);

    // The steps of OnPaserModuleInfo. ReadReply: false when the file gives no
    // bytes; the root stays null when they do not parse. ReadReplyRoot: the root's
    // own attributes; false when the modules are not to be judged. JudgeReply:
    // false when a stop request ended it (every record then gone).
    bool ReadReply(const QString &path, std::unique_ptr<CXML_Element> &root);
    bool ReadReplyRoot(CXML_Element *root);
    bool JudgeReply(CXML_Element &root);
    // One module: true when it is offered (then in the available list); the
    // caller destroys a record that is not.
    bool JudgeModule(MODULEINFO &record, QVector<_UpdaterInfo *> &installed);
    // The installed copy needs nothing, by the rule of the run's type.
    bool IsInstalledCurrent(MODULEINFO &record, QVector<_UpdaterInfo *> &installed);
    bool IsToBeOffered(const MODULEINFO &record, bool current);
    void MarkForcedUpgrade(MODULEINFO &record, QVector<_UpdaterInfo *> &installed);
    // Drops what must not be offered together, then records what is left.
    void PruneAvailable();

    QueryResultInfo m_queryResult;
    // Made by the constructor, let go by the destructor (DownloadWindow::dispose).
    DownloadWindow *m_pDownloadWindow = nullptr;
    bool m_bAutoUpgrade = false;
    QString m_strUpdaterType;
    QString m_strReplyPath;
    QString m_strReaderPath;
    QHttpDownLoadS *m_pHttpDownload = nullptr;
    bool m_bExitThread = false;
    int m_nLanguage = 0;
    int m_nCountry = 0;
    bool m_bDownloadStopped = false;
    // Every record of the manager lives here and only here; the lists below and
    // the current download only point at them.
    std::vector<std::unique_ptr<MODULEINFO>> m_records;
    QVector<MODULEINFO *> m_vecReceived;
    QVector<MODULEINFO *> m_vecAvailable;
    QVector<MODULEINFO *> m_vecSelected;
    QString m_strInstalledVersion;
    MODULEINFO *m_pCurDownload = nullptr;
};
