#pragma once

#include <QLocalSocket>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <string>

class CReaderModuleManager;
class CSetup_CommandLine;
class UpdateListener;
class QWidget;
struct ComponentInfo;

// How an update check ended, as the reader is told. Callers may pass other values (they
// report nothing), so the type holds any int.
enum UPDATE_CHECK_STATE : int {
    UPDATE_CHECK_ERRORNETWORK = 0,
    UPDATE_CHECK_FINISHED = 1,
    UPDATE_CHECK_CLOSE = 2,
    UPDATE_CHECK_AUTOCLOSE = 3
};

// The platform's service hook for a forced update; nothing to hand over to here.
bool RunUpdaterFromService(QString text);

// The updater's application controller: one per process, reached through theApp.
class UpdaterApp : public QObject
{
    Q_OBJECT
public:
    UpdaterApp(CSetup_CommandLine *commandLine, QObject *parent = nullptr);
    ~UpdaterApp() override;

    // The road a run takes for its command line; only the check and the
    // component-pack road open windows.
    enum class Road { None, Checking, Install, ComponentPack, ForcedHandOver };
    static Road ChooseRoad(const CSetup_CommandLine &commandLine);
    static bool OpensWindows(Road road) { return road == Road::Checking || road == Road::ComponentPack; }

    void runUpdate(int language, int country);
    void runUpdateVisible(int language, int country);
    void ShowDownloadDlg(std::string type, bool &flag, bool second, bool third, bool fourth,
                         CReaderModuleManager *manager);
    bool RunCommandLine(std::string command, bool &flag);
    // The component-pack request of this run, as the component-pack dialog shows it.
    ComponentInfo GetComponentInfo() const;

    // State reports to the reader.
    void NotifyMainCallBack(UPDATE_CHECK_STATE state);
    void SendProcData(const std::string &text);

    // Paths and probes; those that read no member run before theApp exists.
    static QString GetAppDateRootPath();
    static QString GetAppDatePath();
    static QString GetPackageType();
    static QPoint GetMainAppCenterPos();
    static std::string GetProductName();
    static std::string GetCurrentUserPlist();
    static void ResetPostion(QRect rect, QWidget *widget);
    static std::string GetMacAddress();
    // The hardware addresses, "-" separated, each followed by "|", then the host
    // name; empty and well-known virtual addresses are left out.
    static std::string FormatMacAddress(const QStringList &hardwareAddresses, const QString &hostName);
    std::string GetLang();
    QString GetBigVersioin();

    CSetup_CommandLine *GetCommandLine() const { return m_pCmdLine; }
    CReaderModuleManager *GetModuleManager() const { return m_pModuleManager; }
    // A manager for work outside a run (a run makes its own); owned from here on.
    void SetModuleManager(CReaderModuleManager *manager);
    bool IsCheckEnded() const { return m_bCheckEnded; }
    void SetCheckEnded(bool ended) { m_bCheckEnded = ended; }
    std::string GetReaderVersion() const { return m_strReaderVersion; }
    std::string GetReaderPath() const { return m_strReaderPath; }
    // The major-upgrade notice's button text, heading and body; no run sets them.
    QString GetNoticeButton() const { return m_strNoticeButton; }
    QString GetNoticeTitle() const { return m_strNoticeTitle; }
    QString GetNoticeContent() const { return m_strNoticeContent; }
    void SetNoticeTexts(const QString &button, const QString &title, const QString &content)
    {
        m_strNoticeButton = button;
        m_strNoticeTitle = title;
        m_strNoticeContent = content;
    }
    bool IsQuitRequested() const { return m_bQuit; }
    void SetQuitRequest(bool quit) { m_bQuit = quit; }
    bool IsRollBack() const { return m_bRollBack; }
    void SetRollBack(bool rollBack) { m_bRollBack = rollBack; }
    // Flags the update check shares with the run.
    bool IsInternalUrl() const { return m_bInternalUrl; }
    void SetInternalUrl(bool internalUrl) { m_bInternalUrl = internalUrl; }
    bool IsReplyParsed() const { return m_bReplyParsed; }
    void SetReplyParsed(bool parsed) { m_bReplyParsed = parsed; }
    bool IsRgesterMajorUpgrade() const { return m_bRgesterMajorUpgrade; }
    void SetRgesterMajorUpgrade(bool major) { m_bRgesterMajorUpgrade = major; }
    bool IsForcedUpgrade() const { return m_bForcedUpgrade; }
    void SetForcedUpgrade(bool forced) { m_bForcedUpgrade = forced; }
    int GetUILanguage() const { return m_nLanguage; }
    int GetUICountry() const { return m_nCountry; }

private:
    // The roads of a run.
    void runChecking();
    void runInstall(const QString &unpackFolder);
    void runComponentPack();
    void runForcedUpdateHandOver();
    // Removes the run's unpack folder, and the folder of unpack folders, when
    // nothing was put in them.
    static void removeUnusedUnpackFolder(const QString &unpackFolder);
    bool sendState(const QString &word);

    QString m_strServerName = QStringLiteral("updater_check_state");
    QPointer<QLocalSocket> m_pStateSocket;
    CSetup_CommandLine *m_pCmdLine = nullptr;
    CReaderModuleManager *m_pModuleManager = nullptr;
    bool m_bCheckEnded = false;
    bool m_bReplyParsed = false;
    bool m_bRgesterMajorUpgrade = false;
    bool m_bInternalUrl = false;
    bool m_bRollBack = false;
    bool m_bForcedUpgrade = false;
    bool m_bSpare = false;
    QString m_strNoticeButton;
    QString m_strNoticeTitle;
    QString m_strNoticeContent;
    UpdateListener *m_pListener = nullptr;
    bool m_bQuit = false;
    int m_nLanguage = 31;
    int m_nCountry = 225;
    std::string m_strReaderVersion;
    std::string m_strReaderPath;
};

extern UpdaterApp *theApp;
