#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

// The arguments after the program name joined with single blanks, as the mode
// words ("setnextautoupdatetime:" ...) see them.
QString JoinCommandArguments(const QStringList &arguments);

// The same join for the parse: an argument holding a blank or a tab and no double
// quote is quoted, so a path handed over as one argument stays one word.
QString JoinCommandArgumentsForParse(const QStringList &arguments);

// The updater's parsed command line: "-" or "/" switches, some taking the next
// word as their value, read back through getters.
class CSetup_CommandLine
{
public:
    CSetup_CommandLine();
    ~CSetup_CommandLine();

    bool ProcessCmdLine(const QString &command);
    bool ProcessCmdWord(QString &word);
    void Split(const QString &value, const QString &separator);

    bool IsUpdater() const { return m_bUpdater; }
    bool IsInsatll() const { return m_bInstall; }
    bool IsRun() const { return m_bRun; }
    bool IsInsForceUpdate() const { return m_bInsForceUpdate; }
    bool IsEmpty() const { return m_bEmpty; }
    std::string GetReaderPathFromcmd() const { return m_strReaderPath; }
    std::string GetReaderPath() const { return m_strReaderPath; }
    std::string GetUpdaterType() const { return m_strUpdaterType; }
    std::string GetReaderVersion() const { return m_strReaderVersion; }
    std::string GetReaderLang() const { return m_strReaderLang; }
    std::string GetAutoUpdateMode() const { return m_strAutoUpdateMode; }
    std::string GetPackageType() const { return m_strPackageType; }
    std::string GetEdition() const { return m_strEdition; }
    std::string GetSessionID() const { return m_strSessionID; }
    std::string GetInternalUpdateURL() const { return m_strInternalUpdateURL; }
    std::string GetUserEmail() const { return m_strUserEmail; }
    std::vector<std::string> GetVecOzipPath() const { return m_vecOzipPath; }
    QString getoatlcerturl() const { return m_qsOatlCertUrl; }
    QString geteutlcerturl() const { return m_qsEutlCertUrl; }
    QString getoatlfile() const { return m_qsOatlFile; }
    QString geteutlfile() const { return m_qsEutlFile; }
    QString getdowntype() const { return m_qsDownType; }
    quint64 GetReaderFrameWnd() const { return m_hReaderFrameWnd; }
    quint64 GetUserData() const { return m_nUserData; }
    QRect GetMainFrameRect() const { return QRect(); }

    // True once an "OzipPath" value carried text after its first ";": the run is a
    // rollback. The parse happens before the controller exists, so the mark waits
    // here until the controller takes it over.
    bool IsRollBackRun() const { return m_bRollBackRun; }

private:
    // The value switches in the order a pending value is handed out.
    enum ValueSwitch {
        VsHwnd, VsType, VsReaderPath, VsRegPath, VsVersion, VsReaderLang, VsSpecialName,
        VsOzipPath, VsInternalUpdateURL, VsRollBackURL, VsUserEmail, VsSessionID,
        VsUserHanderData, VsCertEutlUrl, VsOatlFile, VsEutlFile, VsCertOatlUrl, VsDownType,
        VsPackageType, VsUpdateMode, VsEdition, VsCount
    };

    bool applySwitch(const QString &name);
    void storeValue(ValueSwitch which, const QString &value);

    bool m_bEmpty = false;
    bool m_bInternalService = false;
    bool m_bUpdater = false;
    bool m_bInstall = false;
    bool m_bInsForceUpdate = false;
    std::string m_strSessionID;
    bool m_bPending[VsCount] = {};
    bool m_bRun = false;
    std::string m_strReaderPath;
    std::string m_strUpdaterType;
    std::string m_strRegPath;
    std::string m_strReaderVersion;
    std::string m_strReaderLang;
    std::string m_strSpecialName;
    std::string m_strAutoUpdateMode = "1";
    std::string m_strPackageType;
    quint64 m_hReaderFrameWnd = 0;
    quint64 m_nUserData = 0;
    QString m_qsOatlFile;
    QString m_qsEutlFile;
    QString m_qsOatlCertUrl;
    QString m_qsEutlCertUrl;
    QString m_qsDownType;
    std::vector<std::string> m_vecOzipPath;
    std::string m_strInternalUpdateURL;
    std::string m_strRollBackURL;
    std::string m_strUserEmail;
    std::string m_strOzipPathField4;
    std::string m_strEdition;
    bool m_bRollBackRun = false;
};
