// The module manager's available list, selection, current download and the
// relay between the download window and the update dialogs.

#include "CReaderModuleManager.h"

#include "DownloadWindow.h"
#include "UpdaterApp.h"

#include <QMessageAuthenticationCode>

// ---------------------------------------------------------------------------
// Available list

int CReaderModuleManager::CountAvailableModule()
{
    return m_vecAvailable.size();
}

MODULEINFO *CReaderModuleManager::GetAvailabletModule(int index)
{
    return index >= 0 && index < m_vecAvailable.size() ? m_vecAvailable.at(index) : nullptr;
}

void CReaderModuleManager::RemoveAvailableModule(int index)
{
    if (index < 0 || index >= m_vecAvailable.size())
        return;
    DestroyModule(m_vecAvailable.at(index));
}

// ---------------------------------------------------------------------------
// Selection

void CReaderModuleManager::AddSelModule(MODULEINFO *module)
{
    m_vecSelected.append(module);
}

void CReaderModuleManager::AddSelModule(QString name)
{
    const std::string wanted = name.trimmed().toStdString();
    // Every name contains the empty text: a blank part of a component list
    // would pick whatever module comes first, one nobody asked for.
    if (wanted.empty())
        return;
    const bool several = m_vecAvailable.size() > 1;
    auto pick = [&](auto matches) -> MODULEINFO * {
        for (MODULEINFO *record : qAsConst(m_vecAvailable)) {
            if (!record || !matches(record->name))
                continue;
            if (record->bMajorUpgrade && several)
                continue;
            return record;
        }
        return nullptr;
    };
    // "OCR" must not select "OCR_ja" when a module named "OCR" itself is offered.
    MODULEINFO *chosen = pick([&](const std::string &n) { return n == wanted; });
    if (!chosen)
        chosen = pick([&](const std::string &n) { return n.find(wanted) != std::string::npos; });
    if (chosen)
        m_vecSelected.append(chosen);
}

void CReaderModuleManager::InitSelModuleInfo() {}

int CReaderModuleManager::CountSelModules()
{
    return m_vecSelected.size();
}

MODULEINFO *CReaderModuleManager::GetSelModule(int index)
{
    return index >= 0 && index < m_vecSelected.size() ? m_vecSelected.at(index) : nullptr;
}

int CReaderModuleManager::GetModuleSelIndex(const MODULEINFO *module)
{
    if (!module)
        return -1;
    return m_vecSelected.indexOf(const_cast<MODULEINFO *>(module));
}

MODULEINFO *CReaderModuleManager::GetNextSelModule(const MODULEINFO *module)
{
    if (m_vecSelected.isEmpty())
        return nullptr;
    const int next = module ? GetModuleSelIndex(module) + 1 : 0;
    return GetSelModule(next);
}

// ---------------------------------------------------------------------------
// Current download and download control

void CReaderModuleManager::SetCurDownloadModuleInfo(MODULEINFO *module)
{
    m_pCurDownload = module;
}

MODULEINFO *CReaderModuleManager::GetCurDownloadModule()
{
    return m_pCurDownload;
}

void CReaderModuleManager::Slot_SetCurrentDownloadModule(QString name)
{
    const std::string wanted = name.toStdString();
    for (MODULEINFO *record : qAsConst(m_vecSelected)) {
        if (record && record->name == wanted)
            m_pCurDownload = record;
    }
}

void CReaderModuleManager::startDownload()
{
    m_bDownloadStopped = false;
}

void CReaderModuleManager::Download(const MODULEINFO *module)
{
    if (m_bDownloadStopped || !module)
        return;
    stopDownload();
    if (!m_pDownloadWindow)
        return;
    m_pDownloadWindow->setSelectUpdates(m_vecSelected);
    m_pDownloadWindow->showMinimizedAndHide();
    m_pDownloadWindow->startShowDownload();
}

bool CReaderModuleManager::stopDownload()
{
    if (m_pDownloadWindow)
        m_pDownloadWindow->cancel();
    return true;
}

void CReaderModuleManager::OnDownloadPause()
{
    if (m_pDownloadWindow)
        m_pDownloadWindow->pauseDown();
}

void CReaderModuleManager::OnDownloadResume()
{
    if (m_pDownloadWindow)
        m_pDownloadWindow->new_continue_download();
}

bool CReaderModuleManager::QueryStopDownload()
{
    return true;
}

bool CReaderModuleManager::ModuleCallback(std::string type, CReaderModuleManager *manager, bool flag)
{
    if (!theApp)
        return false;
    bool localFlag = flag;
    theApp->ShowDownloadDlg(type, localFlag, false, false, false, manager);
    return true;
}

// ---------------------------------------------------------------------------
// Relay

void CReaderModuleManager::getDownProgress(QString name, double npos)
{
    emit sSendDownloadProgress(name, npos);
}

void CReaderModuleManager::setInstallProgress(QString name, int progress)
{
    emit sSendInstallProgress(name, progress);
}

// The middle of the install round trip of a package already on disk (see
// DlgDownload::onReadyToInstall): the window's path goes on to the progress dialog,
// which hands it back to the window.
void CReaderModuleManager::startInstall(QString name)
{
    emit sSendInstallPkg(name);
}

// ---------------------------------------------------------------------------
// Keyed digest

QString CReaderModuleManager::HMac(QByteArray key, QByteArray message)
{
    return QString::fromLatin1(QMessageAuthenticationCode::hash(message, key, QCryptographicHash::Md5).toHex());
}
