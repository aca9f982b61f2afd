// The module manager's judgement of one module: installed components, the version
// rule, the availability questions, pruning, and the user's refusals.

#include "CReaderModuleManager.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"
#include "CRegister.h"
#include "CSetup_CommandLine.h"
#include "CUP_Log.h"
#include "CXML_Element.h"
#include "Comm.h"
#include "LocaleInfo.h"
#include "SystemPaths.h"
#include "UpdaterApp.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

QString readerVersion()
{
    return theApp && theApp->GetCommandLine() ? QString::fromStdString(theApp->GetCommandLine()->GetReaderVersion())
                                              : QString();
}

QString withoutSpaces(const std::string &text)
{
    return QString::fromStdString(text).remove(QLatin1Char(' '));
}

int toNumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

// The version's fields; a field the text does not reach reads 0.
void splitVersion(QString text, int fields[4])
{
    bool exhausted = false;
    for (int i = 0; i < 3; ++i) {
        if (exhausted) {
            fields[i] = 0;
            continue;
        }
        const int dot = text.indexOf(QLatin1Char('.'));
        if (dot < 0) {
            fields[i] = toNumber(text);
            exhausted = true;
        } else {
            fields[i] = toNumber(text.left(dot));
            text = text.mid(dot + 1);
        }
    }
    fields[3] = exhausted ? 0 : toNumber(text);
}

int majorNumber(const QString &version)
{
    const int dot = version.indexOf(QLatin1Char('.'));
    return toNumber(dot < 0 ? version : version.left(dot));
}

const _UpdaterInfo *findInstalled(const MODULEINFO *record, const QVector<_UpdaterInfo *> &installed)
{
    for (const _UpdaterInfo *info : installed) {
        if (info && info->name == record->name)
            return info;
    }
    return nullptr;
}

const char kUpdaterKey[] = "Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater";

} // namespace

void CReaderModuleManager::ParseUpdaterInfo(QVector<_UpdaterInfo *> &installed)
{
    installed.clear();
    QFile file(m_strReaderPath + QStringLiteral("/../Resources/") + QStringLiteral("UpdaterInfo.xml"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QByteArray bytes = file.readAll();
    file.close();
    if (bytes.isEmpty() || !bytes.contains("updater_info"))
        return;
    CXML_Element *root = CXML_Element::Parse(bytes.constData(), static_cast<size_t>(bytes.size()), false, nullptr,
                                             nullptr, false, false);
    if (!root)
        return;

    const unsigned count = root->CountChildren();
    for (unsigned i = 0; i < count; ++i) {
        const CXML_Element *component = root->GetElement(i);
        if (!component)
            continue;
        _UpdaterInfo *info = new _UpdaterInfo;
        for (int a = 0; a < component->CountAttrs(); ++a) {
            COB_ByteString space;
            COB_ByteString name;
            COB_WideString value;
            component->GetAttrByIndex(a, space, name, value);
            if (name == "name") {
                info->name = Comm::ws2qs(value).toStdString();
            } else if (name == "version") {
                info->version = Comm::ws2qs(value).toStdString();
                m_strInstalledVersion = Comm::ws2qs(value);
            }
        }
        const unsigned fileCount = component->CountChildren();
        for (unsigned f = 0; f < fileCount; ++f) {
            const CXML_Element *entry = component->GetElement(f);
            if (!entry)
                continue;
            for (int a = 0; a < entry->CountAttrs(); ++a) {
                COB_ByteString space;
                COB_ByteString name;
                COB_WideString value;
                entry->GetAttrByIndex(a, space, name, value);
                if (name == "path")
                    info->paths.append(Comm::ws2qs(value));
            }
        }
        installed.append(info);
    }
    delete root;
}

int CReaderModuleManager::CompareVersion(QString a, QString b)
{
    int left[4];
    int right[4];
    splitVersion(a, left);
    splitVersion(b, right);
    for (int i = 0; i < 4; ++i) {
        if (left[i] > right[i])
            return 1;
        if (left[i] < right[i])
            return -1;
    }
    return 0;
}

bool CReaderModuleManager::CheckModuleAvailable(MODULEINFO *record, QVector<_UpdaterInfo *> &installed)
{
    if (m_strUpdaterType == QLatin1String("Auto Updater") && record->module_type == "updater"
        && !CheckUpdaterAvailable(record, false))
        return false;
    if (record->iscommon)
        return record->module_type != "updater" ? true : CheckUpdaterAvailable(record, false);
    if (record->module_type == "updater")
        return CheckUpdaterAvailable(record, false);
    if (installed.isEmpty())
        return false;
    const _UpdaterInfo *info = findInstalled(record, installed);
    if (!info)
        return false;
    return CompareVersion(withoutSpaces(info->version), withoutSpaces(record->version)) >= 0;
}

bool CReaderModuleManager::CheckAutoupdateModuleAvailable(MODULEINFO *record, QVector<_UpdaterInfo *> &installed)
{
    if (installed.isEmpty())
        return true;
    const _UpdaterInfo *info = findInstalled(record, installed);
    if (!info)
        return true;
    return CompareVersion(withoutSpaces(info->version), withoutSpaces(record->version)) >= 0;
}

bool CReaderModuleManager::CheckForcedUpgradeVersion(MODULEINFO *record, QVector<_UpdaterInfo *> &installed)
{
    if (record->module_type == "updater" && record->forcedUpgrade)
        return true;
    const _UpdaterInfo *info = installed.isEmpty() ? nullptr : findInstalled(record, installed);
    if (!info)
        return true;
    for (const QString &path : info->paths) {
        if (!QFileInfo::exists(SystemPaths::resolve(path)))
            return true;
    }
    return CompareVersion(withoutSpaces(record->version), withoutSpaces(info->version)) == 1;
}

bool CReaderModuleManager::CheckUpdaterAvailable(MODULEINFO *record, bool)
{
    if (record->module_type != "updater")
        return true;
    if (record->is_push)
        return false;
    return CompareVersion(QString::fromStdString(record->version), readerVersion()) > 0 ? false : true;
}

bool CReaderModuleManager::CheckMajorVersionUpgrade(QString version)
{
    CUP_Log::PrintLog(QStringLiteral("CheckMajorVersionUpgrade; version: %1").arg(version));
    return majorNumber(version) > majorNumber(readerVersion());
}

bool CReaderModuleManager::MajorUpdateChecked(MODULEINFO *record)
{
    const QString refused = CRegister::regGetString(QLatin1String(kUpdaterKey), QStringLiteral("UpdateRejectVersion"));
    const quint32 count = CRegister::regGetDword(QLatin1String(kUpdaterKey), QStringLiteral("MajorUpdateChecked"));
    CUP_Log::PrintLog(QStringLiteral("MajorUpdateChecked: UpdateRejectVersion(%1), MajorUpdateChecked(%2), version(%3)")
                          .arg(refused)
                          .arg(count)
                          .arg(QString::fromStdString(record->version)));
    return !(CompareVersion(QString::fromStdString(record->version), refused) < 1 && count >= 3);
}

bool CReaderModuleManager::CheckVersionUpdate()
{
    return std::any_of(m_vecAvailable.cbegin(), m_vecAvailable.cend(),
                       [](const MODULEINFO *record) { return record && record->module_type == "updater"; });
}

bool CReaderModuleManager::DeletePatchUpdate()
{
    int updaterIndex = -1;
    int patchIndex = -1;
    for (int i = 0; i < m_vecAvailable.size(); ++i) {
        const QString name = QString::fromStdString(m_vecAvailable.at(i)->name);
        if (name.contains(QLatin1String("Updater")))
            updaterIndex = i;
        if (name.contains(QLatin1String("Patch")))
            patchIndex = i;
    }
    if (updaterIndex >= 0 && patchIndex >= 0)
        RemoveAvailableModule(patchIndex);
    return true;
}

bool CReaderModuleManager::DeleteOrbelCloud()
{
    for (int i = m_vecAvailable.size() - 1; i >= 0; --i) {
        const MODULEINFO *record = m_vecAvailable.at(i);
        if (record->update_mode == 2 && record->isInternalService.rfind("TRUE", 0) == 0)
            RemoveAvailableModule(i);
    }
    return true;
}

QString CReaderModuleManager::GetDownloadTempFileName(QString url)
{
    return url.mid(url.lastIndexOf(QLatin1Char('/')) + 1);
}

QString CReaderModuleManager::GetLocalLangName()
{
    const _LocaleInfo *row = FindLocaleInfo(UpdaterApp::GetPackageType(), m_nLanguage);
    return row ? row->code : QStringLiteral("en-US");
}

bool CReaderModuleManager::isSilentUpdate()
{
    if (m_vecAvailable.isEmpty())
        return false;
    return std::all_of(m_vecAvailable.cbegin(), m_vecAvailable.cend(),
                       [](const MODULEINFO *record) { return record && record->SilentInstall; });
}

// ---------------------------------------------------------------------------
// Refusals

void CReaderModuleManager::WriteRejectAutoUpdateInfo(QVector<MODULEINFO *> modules, bool)
{
    for (const MODULEINFO *record : qAsConst(modules)) {
        if (!record)
            continue;
        CRegister::regSetString(QStringLiteral("AutoUpdate_") + QString::fromStdString(record->name), QString(),
                                QString::fromStdString(record->version));
    }
    CRegister::regSetString(QStringLiteral("currentVersion"), QString(), readerVersion());
}

bool CReaderModuleManager::ParseRejectAutoUpdateInfo(std::string name, std::string version)
{
    const QString stored =
        CRegister::regGetString(QStringLiteral("AutoUpdate_") + QString::fromStdString(name), QString());
    const QString current = CRegister::regGetString(QStringLiteral("currentVersion"), QString());
    const QString offered = QString::fromStdString(version);
    return current == readerVersion() && !current.isEmpty() && stored == offered && !offered.isEmpty();
}

void CReaderModuleManager::WriteRejectInfo() {}

void CReaderModuleManager::ParseHasRejectForceUpdaterInfo(QVector<_HasRejectForceUpdaterInfo *> &refused)
{
    refused.clear();
}

bool CReaderModuleManager::CheckHasRejectForcedUpgrade(MODULEINFO *record,
                                                       QVector<_HasRejectForceUpdaterInfo *> &refused)
{
    for (const _HasRejectForceUpdaterInfo *entry : qAsConst(refused)) {
        if (entry && entry->name == record->name)
            return CompareVersion(QString::fromStdString(entry->version), QString::fromStdString(record->version))
                   >= 0;
    }
    return false;
}

void CReaderModuleManager::ParseHasRejectAutoUpdaterInfo(QVector<_HasRejectAutoUpdaterInfo *> &) {}

void CReaderModuleManager::DeleteHasRejectAutoUpdaterInfo(QVector<MODULEINFO *> &,
                                                          QVector<_HasRejectAutoUpdaterInfo *> &)
{
}
