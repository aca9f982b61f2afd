// The module manager's records and the update-check request and reply.

#include "CReaderModuleManager.h"

#include "COB_ByteString.h"
#include "COB_Update_URLEncode.h"
#include "COB_WideString.h"
#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "CUP_Log.h"
#include "CXML_Element.h"
#include "Comm.h"
#include "DownloadWindow.h"
#include "QHttpDownLoadS.h"
#include "ReplyDocument.h"
#include "ServiceEndpoints.h"
#include "UpdaterApp.h"

#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>

namespace {

const CSetup_CommandLine &commandLine()
{
    static const CSetup_CommandLine empty;
    return theApp && theApp->GetCommandLine() ? *theApp->GetCommandLine() : empty;
}

bool isTrue(const QString &value)
{
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// A query value must not end the key, start a new one or the fragment, nor carry
// blanks or bytes beyond ASCII: those go out as UTF-8 escapes, the rest as it is.
QString encodeQueryValue(const QString &value)
{
    QString result;
    const QByteArray bytes = value.toUtf8();
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || byte == '&' || byte == '#' || byte == '+' || byte == '%'
            || byte == '=')
            result += QString::asprintf("%%%02X", byte);
        else
            result += QLatin1Char(c);
    }
    return result;
}

QString queryValue(const std::string &value)
{
    return encodeQueryValue(QString::fromStdString(value));
}

const char kUpdaterKey[] = "Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater";

// The installed components for one judgement of a reply, released however the
// judgement ends.
struct InstalledComponents
{
    explicit InstalledComponents(CReaderModuleManager &manager)
        : manager(manager)
    {
        manager.ParseUpdaterInfo(list);
    }
    ~InstalledComponents() { manager.ReleaseUpdaterInfoList(list); }
    InstalledComponents(const InstalledComponents &) = delete;
    InstalledComponents &operator=(const InstalledComponents &) = delete;

    CReaderModuleManager &manager;
    QVector<_UpdaterInfo *> list;
};

// A list of records the manager's interface fills with plain pointers, owned here.
template <typename Record>
struct OwnedRecords
{
    OwnedRecords() = default;
    ~OwnedRecords() { qDeleteAll(list); }
    OwnedRecords(const OwnedRecords &) = delete;
    OwnedRecords &operator=(const OwnedRecords &) = delete;

    QVector<Record *> list;
};

// Real replies are kilobytes; a larger one is refused before it costs memory.
const qint64 kMaxReplyBytes = 8 * 1024 * 1024;

} // namespace

CReaderModuleManager::CReaderModuleManager(QString updaterType, QObject *parent)
    : QObject(parent)
    , m_strUpdaterType(updaterType)
    , m_strReaderPath(QString::fromStdString(commandLine().GetReaderPathFromcmd()))
{
    m_pDownloadWindow = DownloadWindow::make(*this);
}

CReaderModuleManager::~CReaderModuleManager()
{
    delete m_pHttpDownload;
    m_pHttpDownload = nullptr;
    if (m_pDownloadWindow)
        m_pDownloadWindow->dispose();
    ReleaseModuleInfo();
}

void CReaderModuleManager::setLangParm(int language, int country)
{
    m_nLanguage = language;
    m_nCountry = country;
}

QueryResultInfo CReaderModuleManager::GetQueryResultInfo()
{
    return m_queryResult;
}

bool CReaderModuleManager::CanExitThred()
{
    return m_bExitThread;
}

// ---------------------------------------------------------------------------
// Records

MODULEINFO *CReaderModuleManager::AddModule(QString updaterType)
{
    m_records.emplace_back(new MODULEINFO);
    MODULEINFO *record = m_records.back().get();
    record->updaterType = updaterType.toStdString();
    m_vecReceived.append(record);
    return record;
}

MODULEINFO *CReaderModuleManager::CloneAvailableModuleInfo(MODULEINFO *source)
{
    if (!source)
        return nullptr;
    m_records.emplace_back(new MODULEINFO);
    MODULEINFO *record = m_records.back().get();
    record->updaterType = source->updaterType;
    record->name = source->name;
    record->version = source->version;
    record->description = source->description;
    record->size = source->size;
    record->url = source->url;
    record->level = source->level;
    record->regkey = source->regkey;
    record->result = source->result;
    record->downloadTempFile = source->downloadTempFile;
    record->bChecked = source->bChecked;
    record->title = source->title;
    record->module_type = source->module_type;
    record->parent = source->parent;
    record->auxText = source->auxText;
    record->is_push = source->is_push;
    m_vecAvailable.append(record);
    return record;
}

void CReaderModuleManager::ReleaseModuleInfo()
{
    m_vecReceived.clear();
    m_vecAvailable.clear();
    m_vecSelected.clear();
    m_pCurDownload = nullptr;
    m_records.clear();
}

void CReaderModuleManager::DestroyModule(MODULEINFO *record)
{
    m_vecReceived.removeAll(record);
    m_vecAvailable.removeAll(record);
    m_vecSelected.removeAll(record);
    if (m_pCurDownload == record)
        m_pCurDownload = nullptr;
    const auto owned = std::find_if(m_records.begin(), m_records.end(),
                                    [record](const std::unique_ptr<MODULEINFO> &r) { return r.get() == record; });
    if (owned != m_records.end())
        m_records.erase(owned);
}

void CReaderModuleManager::ReleaseUpdaterInfoList(QVector<_UpdaterInfo *> &list)
{
    for (int i = list.size() - 1; i >= 0; --i)
        delete list.at(i);
}


// ---------------------------------------------------------------------------
// Request

QString CReaderModuleManager::GetHttpURL(QString addon)
{
    const CSetup_CommandLine &cmd = commandLine();
    COB_Update_URLEncode encoder;
    QString query = QStringLiteral("addon=") + encoder.URLEncode(addon);

    const QString edition =
        CRegister::regGetString(QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                    + QStringLiteral("SOFTWARE\\Orbel Software\\Orbel PDF Reader"),
                                QStringLiteral("Edition"));
    const QString product = edition.compare(QLatin1String("Enterprise"), Qt::CaseInsensitive) == 0
                                ? QStringLiteral("Enterprise Leafviewer4Mac")
                                : QStringLiteral("Leafviewer4Mac");
    query += QStringLiteral("&product=") + encodeQueryValue(product);

    const QString readerVersion = QString::fromStdString(cmd.GetReaderVersion());
    if (!readerVersion.isEmpty()) {
        const int firstDot = readerVersion.indexOf(QLatin1Char('.'));
        const int secondDot = firstDot < 0 ? -1 : readerVersion.indexOf(QLatin1Char('.'), firstDot + 1);
        const QString version = secondDot < 0 ? readerVersion : readerVersion.left(secondDot);
        const QString build = secondDot < 0 ? readerVersion : readerVersion.mid(secondDot + 1);
        query += QStringLiteral("&version=") + encodeQueryValue(version);
        query += QStringLiteral("&build=") + encodeQueryValue(build);
    }
    query += QStringLiteral("&platform=x64");
    if (!cmd.GetReaderLang().empty())
        query += QStringLiteral("&EmbededLanguage=") + queryValue(cmd.GetReaderLang());
    if (!cmd.GetEdition().empty())
        query += QStringLiteral("&edition=") + queryValue(cmd.GetEdition());
    const QString agentId =
        CRegister::regGetString(QStringLiteral("HKEY_LOCAL_MACHINE\\")
                                    + QStringLiteral("SOFTWARE\\Orbel Software\\Orbel PDF Reader\\Orbel Information"),
                                QStringLiteral("AgentID"));
    if (!agentId.isEmpty())
        query += QStringLiteral("&AgentID=") + encodeQueryValue(agentId);
    query += QStringLiteral("&PackageType=") + queryValue(cmd.GetPackageType());
    return query;
}

bool CReaderModuleManager::QueryModuleInfo(QProgressBar *progress, bool synchronous)
{
    const CSetup_CommandLine &cmd = commandLine();
    m_strReplyPath = UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/update_tmpfile.xml");
    const QString internalUrl = QString::fromStdString(cmd.GetInternalUpdateURL());
    const bool internalUpdate = !internalUrl.isEmpty();
    const int hours = QDateTime::currentDateTime().offsetFromUtc() / 3600;

    QString query = GetHttpURL(m_strUpdaterType);
    QString url;
    if (internalUpdate) {
        // The administrator's address may carry a query of its own.
        url = internalUrl;
        if (!url.contains(QLatin1Char('?')))
            url += QLatin1Char('?');
        else if (!url.endsWith(QLatin1Char('?')) && !url.endsWith(QLatin1Char('&')))
            url += QLatin1Char('&');
        if (theApp)
            theApp->SetInternalUrl(true);
        query += hours == 8 ? QStringLiteral("&domain_area=cn") : QStringLiteral("&domain_area=us");
        query += QStringLiteral("&Mac=") + queryValue(UpdaterApp::GetMacAddress());
        query += QStringLiteral("&email=") + queryValue(cmd.GetUserEmail());
        query += QStringLiteral("&updateType=")
                 + (cmd.GetUpdaterType() == "Auto Updater" ? QStringLiteral("0") : QStringLiteral("1"));
    } else if (UpdaterApp::GetPackageType() == QLatin1String("zh-CN")) {
        url = ServiceEndpoints::asia() + QStringLiteral("/check?");
    } else {
        url = ServiceEndpoints::general() + QStringLiteral("/addons/get_addons.php?");
    }
    url += query;
    CUP_Log::PrintLog(QStringLiteral("QueryModuleInfo url: ") + url);

    // The previous query's transfer may be the very sender of the signal that led
    // here: it is given up at once (its part of the reply file with it) and goes
    // once control is back in the event loop.
    if (m_pHttpDownload) {
        m_pHttpDownload->disconnect(this);
        m_pHttpDownload->abandon();
        m_pHttpDownload->deleteLater();
    }
    m_pHttpDownload = new QHttpDownLoadS(nullptr, progress, nullptr, nullptr);
    m_pHttpDownload->setSizeLimit(kMaxReplyBytes);
    // A reply that ends before its document does is a failed transfer, however
    // whole its body looked to HTTP: judged, it would offer its first modules
    // and silently drop the rest.
    m_pHttpDownload->setWholeCheck([](const QString &path) {
        const QString why = ReplyDocument::whyFileNotWhole(path);
        return why.isEmpty() ? why
                             : QStringLiteral("cut short: the reply ends before its XML document does (%1). Check "
                                              "the network connection and try again.")
                                   .arg(why);
    });
    CUP_Log::PrintLog(QStringLiteral("update_tmpfile.xml: ") + m_strReplyPath);
    // A query that cannot even start ends as a network failure, after the caller
    // has begun to wait for it, instead of leaving the caller to its time-out.
    if (!m_pHttpDownload->setUrlAndFilePath(QUrl(url, QUrl::TolerantMode), m_strReplyPath)) {
        qDebug().noquote() << "can not request:" << url;
        QMetaObject::invokeMethod(this, &CReaderModuleManager::sErrorNetwork, Qt::QueuedConnection);
        return true;
    }

    if (!QFile::exists(m_strReplyPath)) {
        const QString folder = m_strReplyPath.left(m_strReplyPath.lastIndexOf(QLatin1Char('/')));
        if (!QDir().mkpath(folder)) {
            qDebug().noquote() << "can not make path:" << folder;
            QMetaObject::invokeMethod(this, &CReaderModuleManager::sErrorNetwork, Qt::QueuedConnection);
            return true;
        }
    }

    connect(m_pHttpDownload, &QHttpDownLoadS::oneDownLoadFinish, this,
            &CReaderModuleManager::slotQueryModuleInfoFinish);
    connect(m_pHttpDownload, &QHttpDownLoadS::errorfinish, this, &CReaderModuleManager::errorfinish);
    connect(m_pHttpDownload, &QHttpDownLoadS::error_network, this, &CReaderModuleManager::error_network);
    m_pHttpDownload->startDownLoads(synchronous);
    return false;
}

// ---------------------------------------------------------------------------
// Reply

void CReaderModuleManager::slotQueryModuleInfoFinish(QString filePath)
{
    qDebug().noquote() << "xml path:" << filePath;
    bool replyRead = false;
    if (!m_strReplyPath.isEmpty())
        replyRead = OnPaserModuleInfo(m_strReplyPath);
    // A reply that cannot be read tells nothing about the updates: the service did
    // not answer usefully, so the check ends as a network failure rather than
    // "nothing to update".
    if (replyRead)
        emit sQueryModuleInfoFinish();
    else
        emit sErrorNetwork();
}

void CReaderModuleManager::errorfinish(QString)
{
    // The reader's translation files hold these two texts under the plain QObject context.
    const QString text = QObject::tr("Cannot connect to the server. Please check your network connection.");
    // A check run without widgets (a plain QCoreApplication) has no one to show a
    // window to, and a message box would end the process there: logged instead.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QMessageBox::warning(nullptr, QObject::tr("Orbel PDF Reader"), text, QMessageBox::Ok);
    else
        CUP_Log::PrintLog(text);
    emit sErrorFinish();
}

void CReaderModuleManager::error_network()
{
    emit sErrorNetwork();
}

// A reply is read, its modules judged one by one, and what is offered pruned.
// The judgement keeps a record only by offering it (the available list); every
// other record is destroyed where its verdict falls, in JudgeReply.
bool CReaderModuleManager::OnPaserModuleInfo(QString path)
{
    m_queryResult.bQueryDone = true;
    m_queryResult.strMessage = QString();
    m_queryResult.bHasUpdate = false;
    m_queryResult.bHasAdminUpdate = false;
    ReleaseModuleInfo();

    std::unique_ptr<CXML_Element> root;
    if (!ReadReply(path, root)) {
        if (theApp)
            theApp->SetReplyParsed(false);
        return false;
    }
    if (ReadReplyRoot(root.get()) && !JudgeReply(*root))
        return false; // stopped: nothing of the reply is kept
    const bool parsed = root != nullptr;
    root.reset();

    PruneAvailable();
    if (!CanExitThred() && theApp)
        theApp->SetReplyParsed(parsed);
    return parsed;
}

bool CReaderModuleManager::ReadReply(const QString &path, std::unique_ptr<CXML_Element> &root)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug().noquote() << "Open Reply Xml File failed.";
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    qDebug().noquote() << "inerfile: " << bytes;
    if (bytes.isEmpty())
        return false;
    // However it arrived, a document cut short offers nothing.
    const QString notWhole = ReplyDocument::whyNotWhole(bytes);
    if (!notWhole.isEmpty()) {
        CUP_Log::PrintLog(QStringLiteral("The update-check reply is not whole: %1").arg(notWhole));
        return false;
    }
    root.reset(CXML_Element::Parse(bytes.constData(), static_cast<size_t>(bytes.size()), false, nullptr, nullptr,
                                   false, false));
    return true;
}

bool CReaderModuleManager::ReadReplyRoot(CXML_Element *root)
{
    bool judge = true;
    if (theApp && theApp->IsInternalUrl()) {
        judge = CheckUpdateTime(root);
        if (root && isTrue(Comm::ws2qs(root->GetAttrValue(COB_ByteStringC("rollback")))))
            theApp->SetRollBack(true);
    }
    if (!root || !judge)
        return false;

    const QString majorUpdate = Comm::ws2qs(root->GetAttrValue(COB_ByteStringC("majorUpdate")));
    if ((majorUpdate == QLatin1String("true") || majorUpdate == QLatin1String("TRUE")) && m_bAutoUpgrade) {
        CUP_Log::PrintLog(QStringLiteral("set m_bRgesterMajorUpgrade true: bAutoUpgrade majorUpdate"));
        if (theApp)
            theApp->SetRgesterMajorUpgrade(true);
    }
    return true;
}

bool CReaderModuleManager::JudgeReply(CXML_Element &root)
{
    InstalledComponents installed(*this);
    const unsigned count = root.CountChildren();
    for (unsigned i = 0; i < count; ++i) {
        if (CanExitThred()) {
            ReleaseModuleInfo();
            return false;
        }
        CXML_Element *child = root.GetElement(i);
        if (!child)
            continue;
        MODULEINFO *record = AddModule(m_strUpdaterType);
        ParseModuleInfo(child, record);
        if (!JudgeModule(*record, installed.list))
            DestroyModule(record);
    }

    if (m_bAutoUpgrade) {
        OwnedRecords<_HasRejectAutoUpdaterInfo> refused;
        ParseHasRejectAutoUpdaterInfo(refused.list);
        DeleteHasRejectAutoUpdaterInfo(m_vecAvailable, refused.list);
    }
    return true;
}

bool CReaderModuleManager::JudgeModule(MODULEINFO &record, QVector<_UpdaterInfo *> &installed)
{
    if (record.module_type == "updater") {
        record.bMajorUpgrade = CheckMajorVersionUpgrade(QString::fromStdString(record.version));
        CUP_Log::PrintLog(QStringLiteral("CheckMajorVersionUpgrade; bMajorUpgrade: %1;")
                              .arg(record.bMajorUpgrade ? QStringLiteral("true") : QStringLiteral("false")));
    }
    record.downloadTempFile = GetDownloadTempFileName(QString::fromStdString(record.url)).toStdString();
    if (QString::fromStdString(record.name).contains(QLatin1String("OCR_")))
        record.bOcrModule = true;

    if (!IsToBeOffered(record, IsInstalledCurrent(record, installed)))
        return false;

    m_vecAvailable.append(&record);
    const bool listRun = m_strUpdaterType == QLatin1String("Update List");
    const bool autoRun = m_strUpdaterType == QLatin1String("Auto Updater");
    if (!listRun && record.name == m_strUpdaterType.toStdString())
        record.bChecked = true; // the component the run was started for
    else if (!listRun && autoRun)
        record.bChecked = !CheckModuleAvailable(&record, installed);
    MarkForcedUpgrade(record, installed);
    return true;
}

bool CReaderModuleManager::IsInstalledCurrent(MODULEINFO &record, QVector<_UpdaterInfo *> &installed)
{
    const bool listRun = m_strUpdaterType == QLatin1String("Update List");
    const bool autoRun = m_strUpdaterType == QLatin1String("Auto Updater");
    if (listRun || (autoRun && record.autoCheck))
        return CheckModuleAvailable(&record, installed);
    // Without the full check an automatic run offers only newer versions of
    // installed components; the reader's own module always stays a candidate.
    if (autoRun)
        return record.module_type != "updater" ? CheckAutoupdateModuleAvailable(&record, installed) : false;
    return false; // a component run: every module it is sent is wanted
}

bool CReaderModuleManager::IsToBeOffered(const MODULEINFO &record, bool current)
{
    const bool updater = record.module_type == "updater";
    // The service must offer it and the installed copy must need it, unless the
    // reader itself is rolled back to the version offered.
    const bool rollBack = theApp && theApp->IsRollBack();
    if (!(record.result && !current) && !(updater && rollBack))
        return false;

    // A version the user was reminded of is not offered again; nothing stored is
    // no reminder, also for a module that names no version.
    const QString reminded = CRegister::regGetString(QLatin1String(kUpdaterKey), QString::fromStdString(record.name));
    if (!updater && !reminded.isEmpty() && reminded == QString::fromStdString(record.version))
        return false;

    // Nor is an automatic update the user declined under this reader version.
    if (commandLine().GetUpdaterType() == "Auto Updater" && ParseRejectAutoUpdateInfo(record.name, record.version))
        return false;
    return true;
}

void CReaderModuleManager::MarkForcedUpgrade(MODULEINFO &record, QVector<_UpdaterInfo *> &installed)
{
    const bool forced = CheckForcedUpgradeVersion(&record, installed);
    if (!record.forcedUpgrade || !m_bAutoUpgrade || !forced)
        return;
    OwnedRecords<_HasRejectForceUpdaterInfo> refused;
    ParseHasRejectForceUpdaterInfo(refused.list);
    if (CheckHasRejectForcedUpgrade(&record, refused.list)) {
        record.bForcedPending = false;
        return;
    }
    if (theApp)
        theApp->SetForcedUpgrade(true);
    record.bForcedPending = true;
    m_vecSelected.append(&record);
}

void CReaderModuleManager::PruneAvailable()
{
    DeletePatchUpdate();
    DeleteOrbelCloud();

    // What is offered is what is left after the pruning.
    if (m_strUpdaterType == QLatin1String("Update List") || m_strUpdaterType == QLatin1String("Auto Updater"))
        m_queryResult.bHasUpdate = !m_vecAvailable.isEmpty();
    for (const MODULEINFO *record : qAsConst(m_vecAvailable)) {
        if (record->update_mode == 2)
            m_queryResult.bHasAdminUpdate = true;
    }
}

void CReaderModuleManager::ParseModuleInfo(CXML_Element *element, MODULEINFO *record)
{
    if (!element || !record)
        return;
    record->SilentInstall = false;
    record->bMajorUpgrade = false;
    const bool internalUrl = theApp && theApp->IsInternalUrl();

    const int count = element->CountAttrs();
    for (int i = 0; i < count; ++i) {
        if (CanExitThred())
            return;
        COB_ByteString space;
        COB_ByteString name;
        COB_WideString wideValue;
        element->GetAttrByIndex(i, space, name, wideValue);
        const QByteArray key(name.c_str(), name.GetLength());
        const QString value = Comm::ws2qs(wideValue);
        const std::string text = value.toStdString();

        if (key == "name") {
            record->name = text;
        } else if (key == "title") {
            record->title = text;
        } else if (key == "version") {
            record->version = text;
        } else if (key == "size") {
            record->size = text;
        } else if (key == "description") {
            record->description = text;
        } else if (key == "url") {
            QString url = value;
            if (internalUrl) {
                qDebug().noquote() << "origin url:" << value;
                qDebug().noquote() << "decode url:"
                                   << QUrl::fromEncoded(value.toUtf8()).toString(QUrl::FullyEncoded);
                // A package on a share is named by its path; a package on a web
                // server stays a URL, or it could not be fetched at all.
                const QUrl parsed(value, QUrl::TolerantMode);
                const QString scheme = parsed.scheme().toLower();
                if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
                    url = parsed.path(QUrl::FullyDecoded);
            }
            qDebug().noquote() << "CReaderModuleManager::ParseModuleInfo url:" << url;
            record->url = url.toStdString();
        } else if (key == "regkey") {
            record->regkey = text;
        } else if (key == "level") {
            record->level = text;
        } else if (key == "result") {
            record->result = isTrue(value);
        } else if (key == "module_type") {
            record->module_type = text;
        } else if (key == "plugin") {
            record->plugin = isTrue(value);
        } else if (key == "isnew") {
            record->isnew = isTrue(value);
        } else if (key == "iscommon") {
            record->iscommon = isTrue(value);
        } else if (key == "parent") {
            record->parent = text;
        } else if (key == "update_mode") {
            bool ok = false;
            const int mode = value.toInt(&ok, 10);
            record->update_mode = ok ? mode : 0;
        } else if (key == "isInternalService") {
            record->isInternalService = text;
        } else if (key == "CorvidPDFStandard") {
            record->hasCorvidPDFStandard = "TRUE";
            record->CorvidPDFStandard = text;
        } else if (key == "forcedUpgrade") {
            if (isTrue(value))
                record->forcedUpgrade = true;
        } else if (key == "SilentInstall") {
            if (isTrue(value))
                record->SilentInstall = true;
        } else if (key == "releaseDate") {
            record->releaseDate = text;
        } else if (key == "autoCheck") {
            if (isTrue(value))
                record->autoCheck = true;
        } else if (key == "pushUpdateTip") {
            if (isTrue(value))
                record->pushUpdateTip = true;
        } else if (key == "md5") {
            record->md5 = text;
        } else if (key == "upgTipBtn") {
            record->upgTipBtn = text;
        } else if (key == "upgTipTitle") {
            record->upgTipTitle = text;
        } else if (key == "upgTipContent") {
            record->upgTipContent = text;
        } else if (key == "is_push") {
            if (isTrue(value) || value == QLatin1String("1"))
                record->is_push = true;
        }
    }
}

// ---------------------------------------------------------------------------
// Schedule gate

QString CReaderModuleManager::GetScheduleTimePath()
{
    // The folder that holds the updater's bundle.
    const QString path =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../..")) + QStringLiteral("/scheduleTime.txt");
    CUP_Log::PrintLog(QStringLiteral("GetScheduleTimePath: ") + path);
    return path;
}

bool CReaderModuleManager::CheckUpdateTime(CXML_Element *root)
{
    const QString path = GetScheduleTimePath();
    QString stored;
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            stored = QString::fromUtf8(file.readAll());
    }
    if (!root)
        return false;
    const QString announced = Comm::ws2qs(root->GetAttrValue(COB_ByteStringC("scheduleTime")));
    if (announced.isEmpty()) {
        QFile::remove(path);
        return true;
    }
    if (announced.compare(stored, Qt::CaseInsensitive) == 0)
        return true;
    QFile::remove(path);
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.write(announced.toUtf8());
    return false;
}
