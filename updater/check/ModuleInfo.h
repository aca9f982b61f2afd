#pragma once

#include <QString>
#include <QStringList>
#include <string>

// One module offered by the update service: one element of the update-check
// reply. Texts are UTF-8. Made only by the module manager with plain new and
// destroyed with plain delete; the manager's available list owns them.
struct MODULEINFO
{
    std::string updaterType;
    std::string name;
    std::string version;
    std::string description;
    std::string size;
    std::string url;
    std::string level;
    std::string regkey;
    bool result = false;
    std::string downloadTempFile;
    bool bChecked = false;
    std::string module_type;
    std::string parent;
    std::string title;
    bool plugin = false;
    bool isnew = false;
    bool iscommon = false;
    int update_mode = 0;
    std::string auxText;
    std::string isInternalService;
    std::string hasCorvidPDFStandard;
    std::string CorvidPDFStandard;
    bool forcedUpgrade = false;
    bool bForcedPending = false;
    bool SilentInstall = false;
    std::string releaseDate;
    std::string md5;
    bool bMajorUpgrade = false;
    bool bOcrModule = false;
    bool is_push = false;
    std::string upgTipBtn;
    std::string upgTipTitle;
    std::string upgTipContent;
    bool autoCheck = false;
    bool pushUpdateTip = false;
};

// The outcome of the last parse of a reply, handed to the checking dialog by value.
struct QueryResultInfo
{
    bool bQueryDone = false;
    QString strMessage;
    bool bHasUpdate = false;
    bool bHasAdminUpdate = false;
};

// One installed component of the reader, from its "UpdaterInfo.xml".
struct _UpdaterInfo
{
    std::string name;
    std::string version;
    QStringList paths;
};

// A forced upgrade the user refused.
struct _HasRejectForceUpdaterInfo
{
    std::string name;
    std::string version;
    std::string extra;
};

// An automatic update the user refused; no store of these exists.
struct _HasRejectAutoUpdaterInfo
{
    std::string name;
    std::string version;
    std::string text3;
    std::string text4;
};
