// Which rows of the available-updates tree are checked: a change spreads down to
// the subtree and up to the groups, the reader updates and the add-ons exclude
// each other, and "Download and Install" needs a checked module. Also the helpers
// that thin out the manager's list of available modules.

#include "DlgUpdatesTree.h"

#include "CReaderModuleManager.h"
#include "SystemPaths.h"

#include "ui_DlgUpdatesTree.h"

#include <QFileInfo>
#include <QStandardItemModel>

#include <algorithm>

namespace {

// Marks the changes made inside its scope as the spreading of one change, so
// that they do not spread again; a rule called on its own changes only what it
// names.
class SpreadingScope
{
public:
    explicit SpreadingScope(bool &spreading)
        : m_spreading(spreading)
        , m_was(spreading)
    {
        m_spreading = true;
    }
    ~SpreadingScope() { m_spreading = m_was; }
    SpreadingScope(const SpreadingScope &) = delete;
    SpreadingScope &operator=(const SpreadingScope &) = delete;

private:
    bool &m_spreading;
    bool m_was;
};

} // namespace

void DlgUpdatesTree::OnTreeViewClicked(QModelIndex qmi)
{
    QStandardItem *item = m_pModel ? m_pModel->itemFromIndex(qmi) : nullptr;
    if (!item)
        return;
    // The row's own module: a group's text or a size cell shows no description,
    // and two modules of one title each show their own.
    for (const ModuleRow &row : qAsConst(m_moduleRows)) {
        if (row.item == item) {
            ui->textEdit->setText(QString::fromStdString(row.module->description));
            break;
        }
    }
    // A check box the click toggled has spread already; a click that toggled
    // nothing spreads nothing.
    onItemChanged(item);
    updateDownloadButton();
}

void DlgUpdatesTree::onItemChanged(QStandardItem *item)
{
    if (!item || !item->isCheckable())
        return;
    const Qt::CheckState state = item->checkState();
    const auto seen = m_seenStates.constFind(item);
    const bool changed = seen == m_seenStates.constEnd() || seen.value() != state;
    m_seenStates.insert(item, state);
    if (changed && !m_bSpreading)
        applyCheckState(item);
}

void DlgUpdatesTree::rememberCheckStates(QStandardItem *item)
{
    if (item->isCheckable())
        m_seenStates.insert(item, item->checkState());
    for (int row = 0; row < item->rowCount(); ++row) {
        if (QStandardItem *child = item->child(row, 0))
            rememberCheckStates(child);
    }
}

void DlgUpdatesTree::applyCheckState(QStandardItem *item)
{
    const SpreadingScope spreading(m_bSpreading);
    SetChildState(item, item->checkState());
    SetParentState(item);
    if (item->checkState() == Qt::Checked && m_bHasReaderUpdate && m_bHasAddon) {
        const bool reader = item == m_pRootItem || item->parent() == m_pRootItem;
        QStandardItem *other = reader ? m_pAddonItem : m_pRootItem;
        if (other)
            SetChildState(other, Qt::Unchecked);
    }
    updateDownloadButton();
}

void DlgUpdatesTree::updateDownloadButton()
{
    const bool any = std::any_of(m_moduleRows.cbegin(), m_moduleRows.cend(),
                                 [](const ModuleRow &row) { return row.item->checkState() == Qt::Checked; });
    ui->button_download->setEnabled(any);
}

void DlgUpdatesTree::SetChildState(QStandardItem *item, Qt::CheckState state)
{
    if (!item)
        return;
    const SpreadingScope spreading(m_bSpreading);
    if (item->isCheckable())
        item->setCheckState(state);
    for (int row = 0; row < item->rowCount(); ++row)
        SetChildState(item->child(row, 0), state);
}

void DlgUpdatesTree::SetParentState(QStandardItem *item)
{
    QStandardItem *parent = item ? item->parent() : nullptr;
    if (!parent)
        return;
    const SpreadingScope spreading(m_bSpreading);
    // From the check boxes of the children, whatever cell the change came from.
    bool all = true;
    bool some = false;
    for (int row = 0; row < parent->rowCount(); ++row) {
        const QStandardItem *child = parent->child(row, 0);
        const Qt::CheckState state = child ? child->checkState() : Qt::Unchecked;
        all = all && state == Qt::Checked;
        some = some || state != Qt::Unchecked;
    }
    if (parent->isCheckable())
        parent->setCheckState(all ? Qt::Checked : some ? Qt::PartiallyChecked : Qt::Unchecked);
    SetParentState(parent);
}

void DlgUpdatesTree::SetMutexCheckState(E_UPDATE_TYPE type, Qt::CheckState state)
{
    const bool reader = type == E_UPDATE_READER;
    if (reader ? !m_bHasReaderUpdate : !m_bHasAddon)
        return;
    const SpreadingScope spreading(m_bSpreading);
    for (const ModuleRow &row : qAsConst(m_moduleRows)) {
        QStandardItem *group = row.item->parent();
        const bool inGroup = reader ? group == m_pRootItem : (group == m_pAddonItem || group == m_pOcrItem);
        if (group && inGroup)
            row.item->setCheckState(state);
    }
}

void DlgUpdatesTree::AddModule(MODULEINFO *module)
{
    // A forced upgrade is in the selection before the user chooses anything.
    if (m_pModuleManager && module && m_pModuleManager->GetModuleSelIndex(module) < 0)
        m_pModuleManager->AddSelModule(module);
}

void DlgUpdatesTree::CheckZhAutoAvailableModule()
{
    if (!m_pModuleManager)
        return;
    QVector<_UpdaterInfo *> installed;
    m_pModuleManager->ParseUpdaterInfo(installed);
    for (int i = m_pModuleManager->CountAvailableModule() - 1; i >= 0; --i) {
        const MODULEINFO *module = m_pModuleManager->GetAvailabletModule(i);
        if (!module)
            continue;
        const bool need = IsModuleNeedUpdate(installed, module->name);
        const bool keep = (need || module->isInternalService == "TRUE") && !module->SilentInstall;
        if (!keep && module->module_type != "updater")
            m_pModuleManager->RemoveAvailableModule(i);
    }
    m_pModuleManager->ReleaseUpdaterInfoList(installed);
}

bool DlgUpdatesTree::IsModuleNeedUpdate(QVector<_UpdaterInfo *> &installed, std::string name)
{
    for (const _UpdaterInfo *info : qAsConst(installed)) {
        if (!info || info->name != name)
            continue;
        return info->paths.isEmpty() || QFileInfo::exists(SystemPaths::resolve(info->paths.first()));
    }
    return false;
}

bool DlgUpdatesTree::CheckMajorVersionUpgrade(std::string version)
{
    return m_pModuleManager && m_pModuleManager->CheckMajorVersionUpgrade(QString::fromStdString(version));
}

void DlgUpdatesTree::FilterUpgrade()
{
    if (!m_pModuleManager)
        return;
    auto majorOf = [](const MODULEINFO *module) {
        const QString version = QString::fromStdString(module->version);
        return version.left(version.indexOf(QLatin1Char('.'))).toInt();
    };
    const int available = m_pModuleManager->CountAvailableModule();
    int updaters = 0;
    bool majorUpgrade = false;
    int highest = 0;
    for (int i = available - 1; i >= 0; --i) {
        const MODULEINFO *module = m_pModuleManager->GetAvailabletModule(i);
        if (!module || module->module_type != "updater")
            continue;
        ++updaters;
        if (module->bMajorUpgrade)
            majorUpgrade = true;
        else
            highest = std::max(highest, majorOf(module));
    }
    if (majorUpgrade || updaters <= 1 || available <= 1)
        return;
    for (int i = m_pModuleManager->CountAvailableModule() - 1; i >= 0; --i) {
        const MODULEINFO *module = m_pModuleManager->GetAvailabletModule(i);
        if (module && module->module_type == "updater" && majorOf(module) < highest)
            m_pModuleManager->RemoveAvailableModule(i);
    }
}
