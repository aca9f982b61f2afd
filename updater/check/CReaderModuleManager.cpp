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
#include "DlgDownload.h"
#include "QHttpDownLoadS.h"
#include "ServiceEndpoints.h"
#include "UpdaterApp.h"

#include <QCoreApplication>
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

// Real replies are kilobytes; a larger one is refused before it costs memory.
const qint64 kMaxReplyBytes = 8 * 1024 * 1024;

} // namespace

CReaderModuleManager::CReaderModuleManager(QString updaterType, QObject *parent)
    : QObject(parent)
    , m_pDlgDownload(new DlgDownload(nullptr))
    , m_strUpdaterType(updaterType)
    , m_strReaderPath(QString::fromStdString(commandLine().GetReaderPathFromcmd()))
{
    connect(m_pDlgDownload, &DlgDownload::SignalCurrentProgress, this, &CReaderModuleManager::getDownProgress);
    connect(m_pDlgDownload, &DlgDownload::SignalInstallProgress, this, &CReaderModuleManager::setInstallProgress);
    connect(m_pDlgDownload, &DlgDownload::SignalStartInstall, this, &CReaderModuleManager::startInstall);
    connect(m_pDlgDownload, &DlgDownload::SignalSetCurrentDownloadModule, this,
            &CReaderModuleManager::Slot_SetCurrentDownloadModule);
}

CReaderModuleManager::~CReaderModuleManager()
{
    delete m_pHttpDownload;
    m_pHttpDownload = nullptr;
    // The window may be in the middle of one of its own signals when the run ends.
    m_pDlgDownload->disconnect(this);
    m_pDlgDownload->deleteLater();
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
    // here: it is cut off and goes once control is back in the event loop.
    if (m_pHttpDownload) {
        m_pHttpDownload->disconnect(this);
        m_pHttpDownload->stopDownLoads();
        m_pHttpDownload->deleteLater();
    }
    m_pHttpDownload = new QHttpDownLoadS(nullptr, progress, nullptr, nullptr);
    m_pHttpDownload->setSizeLimit(kMaxReplyBytes);
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
    QMessageBox::warning(nullptr, QObject::tr("Orbel PDF Reader"),
                         QObject::tr("Cannot connect to the server. Please check your network connection."),
                         QMessageBox::Ok);
    emit sErrorFinish();
}

void CReaderModuleManager::error_network()
{
    emit sErrorNetwork();
}

bool CReaderModuleManager::OnPaserModuleInfo(QString path)
{
    m_queryResult.bQueryDone = true;
    m_queryResult.strMessage = QString();
    m_queryResult.bHasUpdate = false;
    m_queryResult.bHasAdminUpdate = false;
    ReleaseModuleInfo();

    const bool listRun = m_strUpdaterType == QLatin1String("Update List");
    const bool autoRun = m_strUpdaterType == QLatin1String("Auto Updater");

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug().noquote() << "Open Reply Xml File failed.";
        if (theApp)
            theApp->SetReplyParsed(false);
        return false;
    }
    QByteArray bytes = file.readAll();
    file.close();
    qDebug().noquote() << "inerfile: " << bytes;
    if (bytes.isEmpty()) {
        if (theApp)
            theApp->SetReplyParsed(false);
        return false;
    }

    CXML_Element *root = CXML_Element::Parse(bytes.constData(), static_cast<size_t>(bytes.size()), false, nullptr,
                                             nullptr, false, false);

    bool goOn = true;
    if (theApp && theApp->IsInternalUrl()) {
        goOn = CheckUpdateTime(root);
        if (root && isTrue(Comm::ws2qs(root->GetAttrValue(COB_ByteStringC("rollback")))))
            theApp->SetRollBack(true);
    }

    if (root && goOn) {
        const QString majorUpdate = Comm::ws2qs(root->GetAttrValue(COB_ByteStringC("majorUpdate")));
        if ((majorUpdate == QLatin1String("true") || majorUpdate == QLatin1String("TRUE")) && m_bAutoUpgrade) {
            CUP_Log::PrintLog(QStringLiteral("set m_bRgesterMajorUpgrade true: bAutoUpgrade majorUpdate"));
            if (theApp)
                theApp->SetRgesterMajorUpgrade(true);
        }

        QVector<_UpdaterInfo *> installed;
        ParseUpdaterInfo(installed);
        const bool rollBack = theApp && theApp->IsRollBack();
        const bool autoUpdaterCommand = commandLine().GetUpdaterType() == "Auto Updater";

        // Drops a record the judgement does not offer.
        auto drop = [this](MODULEINFO *record) { DestroyModule(record); };

        const unsigned count = root->CountChildren();
        for (unsigned i = 0; i < count; ++i) {
            if (CanExitThred()) {
                ReleaseUpdaterInfoList(installed);
                delete root;
                ReleaseModuleInfo();
                return false;
            }
            CXML_Element *child = root->GetElement(i);
            if (!child)
                continue;
            MODULEINFO *record = AddModule(m_strUpdaterType);
            ParseModuleInfo(child, record);

            if (record->module_type == "updater") {
                record->bMajorUpgrade = CheckMajorVersionUpgrade(QString::fromStdString(record->version));
                CUP_Log::PrintLog(QStringLiteral("CheckMajorVersionUpgrade; bMajorUpgrade: %1;")
                                      .arg(record->bMajorUpgrade ? QStringLiteral("true") : QStringLiteral("false")));
            }
            record->downloadTempFile = GetDownloadTempFileName(QString::fromStdString(record->url)).toStdString();

            bool current = false;
            if (listRun || (autoRun && record->autoCheck))
                current = CheckModuleAvailable(record, installed);
            else if (autoRun)
                current = record->module_type != "updater" ? CheckAutoupdateModuleAvailable(record, installed) : false;

            if (QString::fromStdString(record->name).contains(QLatin1String("OCR_")))
                record->bOcrModule = true;

            const bool candidate = record->result && !current;
            if (!candidate && !(record->module_type == "updater" && rollBack)) {
                drop(record);
                continue;
            }

            const QString reminded =
                CRegister::regGetString(QLatin1String(kUpdaterKey), QString::fromStdString(record->name));
            // Nothing stored is no reminder, also for a module that names no version.
            if (!reminded.isEmpty() && reminded == QString::fromStdString(record->version)
                && record->module_type != "updater") {
                drop(record);
                continue;
            }

            if (autoUpdaterCommand && ParseRejectAutoUpdateInfo(record->name, record->version)) {
                drop(record);
                continue;
            }

            m_vecAvailable.append(record);
            if (!listRun && record->name == m_strUpdaterType.toStdString())
                record->bChecked = true;
            else if (!listRun && autoRun)
                record->bChecked = !CheckModuleAvailable(record, installed);

            const bool forced = CheckForcedUpgradeVersion(record, installed);
            if (record->forcedUpgrade && m_bAutoUpgrade && forced) {
                QVector<_HasRejectForceUpdaterInfo *> refused;
                ParseHasRejectForceUpdaterInfo(refused);
                if (!CheckHasRejectForcedUpgrade(record, refused)) {
                    if (theApp)
                        theApp->SetForcedUpgrade(true);
                    record->bForcedPending = true;
                    m_vecSelected.append(record);
                } else {
                    record->bForcedPending = false;
                }
                qDeleteAll(refused);
            }
        }

        if (m_bAutoUpgrade) {
            QVector<_HasRejectAutoUpdaterInfo *> refused;
            ParseHasRejectAutoUpdaterInfo(refused);
            DeleteHasRejectAutoUpdaterInfo(m_vecAvailable, refused);
            qDeleteAll(refused);
        }
        ReleaseUpdaterInfoList(installed);
    }
    const bool parsed = root != nullptr;
    delete root;
    bytes.clear();

    DeletePatchUpdate();
    DeleteOrbelCloud();

    // What is offered is what is left after the pruning.
    if (listRun || autoRun)
        m_queryResult.bHasUpdate = !m_vecAvailable.isEmpty();
    for (const MODULEINFO *record : qAsConst(m_vecAvailable)) {
        if (record->update_mode == 2)
            m_queryResult.bHasAdminUpdate = true;
    }

    if (!CanExitThred() && theApp)
        theApp->SetReplyParsed(parsed);
    return parsed;
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
