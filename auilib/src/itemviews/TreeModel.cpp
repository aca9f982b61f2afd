#include "TreeModel.h"

#include "TreePictureStore.h"
#include "VirtTreeItem.h"

#include <QIcon>
#include <QTreeView>

#include <algorithm>

namespace AUILib {

static_assert(sizeof(quintptr) >= sizeof(std::uint64_t), "an index carries a node's whole serial");

TreeModel::TreeModel(QObject *parent)
    : QAbstractItemModel(parent)
    , m_root(new VirtTreeItem(nullptr))
    , m_view(parent)
{
    // The root itself has no index and stays out of the register; what is
    // appended to it enters.
    m_root->m_model = this;
}

TreeModel::~TreeModel()
{
    m_dropAll = true;
    delete m_root;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    VirtTreeItem *node = parent.isValid() ? ItemFromIndex(parent) : m_root;
    VirtTreeItem *child = node ? node->Child(row) : nullptr;
    return child ? createIndex(row, column, static_cast<quintptr>(child->m_serial)) : QModelIndex();
}

QModelIndex TreeModel::parent(const QModelIndex &index) const
{
    VirtTreeItem *node = ItemFromIndex(index);
    VirtTreeItem *parent = node ? node->ParentItem() : nullptr;
    if (!parent || parent == m_root)
        return QModelIndex();
    return indexOf(parent, 0);
}

QModelIndex TreeModel::indexOf(const VirtTreeItem *node, int column) const
{
    return createIndex(node->Row(), column, static_cast<quintptr>(node->m_serial));
}

void TreeModel::enter(VirtTreeItem *node)
{
    m_nodes.insert(node);
    m_bySerial.emplace(node->m_serial, node);
}

void TreeModel::leave(const VirtTreeItem *node)
{
    // Every node at once (dropAll): the tables are emptied after, not node by node.
    if (m_dropAll)
        return;
    m_nodes.erase(node);
    m_bySerial.erase(node->m_serial);
    ++m_removals;
}

VirtTreeItem *TreeModel::HandOut(VirtTreeItem *node) const
{
    if (node && node->m_model == this && node != m_root) {
        m_lastFound = node;
        m_lastFoundAt = m_removals;
    }
    return node;
}

void TreeModel::removeAllNodes()
{
    ++m_removals;
    m_dropAll = true;
    m_root->RemoveChilds();
    m_dropAll = false;
    m_nodes.clear();
    m_bySerial.clear();
    m_checkedCount = 0;
}

int TreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return m_root->ChildCount();
    VirtTreeItem *node = ItemFromIndex(parent);
    return node ? node->ChildCount() : 0;
}

int TreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant TreeModel::data(const QModelIndex &index, int role) const
{
    VirtTreeItem *node = ItemFromIndex(index);
    if (!node)
        return QVariant();
    if (role == Qt::CheckStateRole && !m_checkMode)
        return QVariant();
    if (role == Qt::DecorationRole) {
        if (!m_pictures)
            return QVariant();
        const QIcon icon = m_pictures->Icon(node->GetIcon());
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    return node->Data(role, index.column());
}

bool TreeModel::setData(const QModelIndex &index, const QVariant &, int role)
{
    VirtTreeItem *node = ItemFromIndex(index);
    if (role != Qt::CheckStateRole || !node)
        return false;
    const bool wasChecked = node->GetChecked();
    if (CheckSubItems(node, wasChecked ? Qt::Unchecked : Qt::Checked)) {
        node->SetCheckAll(!wasChecked);
        UpdateParentCheckbox(node->ParentItem());
    }
    Update();
    return true;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

void TreeModel::sort(int, Qt::SortOrder)
{
    if (m_root && m_sortFunc && m_sortItem) {
        SortChildren(m_sortItem, m_sortRecursive);
        Update();
    }
}

bool TreeModel::CheckSubItems(VirtTreeItem *item, Qt::CheckState state)
{
    if (m_checkMode != 1 || !item)
        return false;
    if (item->ChildCount() > 0) {
        for (VirtTreeItem *child : item->GetChildItems())
            CheckSubItems(child, state);
        item->SetChecked(state == Qt::Checked);
        return true;
    }
    if (state == Qt::Checked) {
        if (item->GetChecked())
            return false;
        item->SetChecked(true);
        ++m_checkedCount;
        return true;
    }
    // Unchecked, and partially checked, which a leaf cannot show: either way a
    // checked leaf stops being counted.
    if (state == Qt::PartiallyChecked && !item->GetChecked())
        return true;
    if (!item->GetChecked())
        return false;
    item->SetChecked(false);
    --m_checkedCount;
    return true;
}

void TreeModel::UpdateParentCheckbox(VirtTreeItem *item)
{
    for (VirtTreeItem *node = item; node; node = node->ParentItem()) {
        bool anyChecked = false;
        bool anyUnchecked = false;
        for (VirtTreeItem *child : node->GetChildItems()) {
            // A child with children of its own is checked as soon as one of
            // them is: it counts as fully checked only with its check-all.
            const bool full = child->GetChecked() && (child->ChildCount() == 0 || child->IsCheckAll());
            if (child->GetChecked())
                anyChecked = true;
            if (!full)
                anyUnchecked = true;
            if (anyChecked && anyUnchecked)
                break;
        }
        if (node->ChildCount() == 0) {
            node->SetChecked(false);
            node->SetCheckAll(true);
        } else {
            node->SetChecked(anyChecked);
            node->SetCheckAll(!anyUnchecked);
        }
    }
}

void TreeModel::Update()
{
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

void TreeModel::SortChildren(VirtTreeItem *item, bool recursive)
{
    if (!item || !m_sortFunc)
        return;
    const SortFunc lessThan = m_sortFunc;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    QList<VirtTreeItem *> nodes;
    nodes.reserve(before.size());
    for (const QModelIndex &index : before)
        nodes.append(ItemFromIndex(index));
    sortLevel(item, recursive, lessThan);
    // Rows changed: each persistent index follows its node to its new row.
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i) {
        VirtTreeItem *node = nodes.at(i);
        after.append(node ? indexOf(node, before.at(i).column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void TreeModel::sortLevel(VirtTreeItem *item, bool recursive, const SortFunc &lessThan)
{
    QList<VirtTreeItem *> &children = item->GetChildItems();
    if (children.isEmpty())
        return;
    children.detach();
    std::sort(children.begin(), children.end(), lessThan);
    for (int row = 0; row < children.size(); ++row)
        children.at(row)->SetRow(row);
    if (recursive)
        for (VirtTreeItem *child : children)
            sortLevel(child, true, lessThan);
}

void TreeModel::clear()
{
    beginResetModel();
    removeAllNodes();
    ++m_resets;
    endResetModel();
}

void TreeModel::RemoveAllItem()
{
    removeAllNodes();
}

VirtTreeItem *TreeModel::ItemFromIndex(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const auto found = m_bySerial.find(static_cast<std::uint64_t>(index.internalId()));
    return found == m_bySerial.end() ? nullptr : found->second;
}

QModelIndex TreeModel::IndexFromItem(VirtTreeItem *item) const
{
    if (!item || item == m_root || !item->ParentItem())
        return QModelIndex();
    return indexOf(item, 0);
}

void TreeModel::CheckAllItem()
{
    for (VirtTreeItem *node : m_root->GetChildItems()) {
        CheckSubItems(node, Qt::Checked);
        node->SetCheckAll(true);
    }
    Update();
}

void TreeModel::UnCheckAllItem()
{
    for (VirtTreeItem *node : m_root->GetChildItems()) {
        CheckSubItems(node, Qt::Unchecked);
        node->SetCheckAll(false);
    }
    Update();
}

void TreeModel::SelectFirstItem() const
{
    auto *view = qobject_cast<QTreeView *>(m_view);
    if (!view || m_root->ChildCount() == 0)
        return;
    const QModelIndex first = indexOf(m_root->Child(0), 0);
    if (view->isExpanded(first))
        return;
    view->expand(first);
    if (m_root->Child(0)->ChildCount() > 0)
        view->setCurrentIndex(indexOf(m_root->Child(0)->Child(0), 0));
}

} // namespace AUILib
