#include "TreeViewImpl.h"

#include "CustomStyle.h"
#include "TreeModel.h"
#include "TreePictureStore.h"
#include "TreeViewItemDelegate.h"
#include "VirtualTreeDelegate.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>
#include <cstdint>

namespace AUILib {

namespace {

// Whether a held reference names the item (a live item of the same model).
bool names(const ItemRef<QStandardItem *> &held, const QStandardItem *item)
{
    return held.IsThere() && held.Index() == item->index();
}

void collect(QStandardItem *item, std::vector<QStandardItem *> &out)
{
    for (int row = 0; row < item->rowCount(); ++row)
        if (QStandardItem *child = item->child(row, 0)) {
            out.push_back(child);
            collect(child, out);
        }
}

int countRows(QStandardItem *item)
{
    int count = item->rowCount();
    for (int row = 0; row < item->rowCount(); ++row)
        if (QStandardItem *child = item->child(row, 0))
            count += countRows(child);
    return count;
}

} // namespace

TreeView::impl::impl(TreeView *owner)
    : BaseImplQt(owner)
{
    m_items = std::make_shared<TreeViewItemContext>();
    TreeViewQt *tree = MakeWidget<TreeViewQt>(owner);
    m_model = newStandardModel(tree);
    m_itemDelegate = new TreeViewItemDelegate(owner, tree);
    tree->setItemDelegate(m_itemDelegate);
    tree->setModel(m_model);
    tree->setUniformRowHeights(true);
    SetConnections();
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_baseStyleSheet = tree->styleSheet();
    if (!tree->isHeaderHidden())
        m_model->setHorizontalHeaderLabels({QString()});
    // The widget owns its style, as it owns the models and the delegates.
    m_style = new CustomStyle;
    m_style->setParent(tree);
    tree->setStyle(m_style);
}

TreeView::impl::~impl()
{
    // The virtual model stays with a widget a form keeps: it must not read
    // the pictures that go with this implementation.
    if (m_treeModel)
        m_treeModel->SetPictures(nullptr);
}

QStandardItemModel *TreeView::impl::newStandardModel(QWidget *tree)
{
    auto *model = new QStandardItemModel(tree);
    // Watched before the view gets it: while its rows change no handler runs.
    EventGate::Watch(model, model);
    // Rows the model makes itself are the control's items too.
    model->setItemPrototype(new CustStandardItem(QString(), m_items));
    return model;
}

bool TreeView::impl::HasOwnContextMenu() const
{
    return true;
}

void TreeView::impl::SetAcceptDrops(bool accept)
{
    widgetOrThrow()->setAcceptDrops(accept || m_rowsDragAndDrop);
    m_acceptDrops = accept;
}

bool TreeView::impl::IsAcceptDrops()
{
    return m_acceptDrops;
}

QStandardItemModel *TreeView::impl::Model() const
{
    return m_virtualMode ? nullptr : m_model.data();
}

TreeModel *TreeView::impl::VirtualModel() const
{
    return m_virtualMode ? m_treeModel.data() : nullptr;
}

ItemRef<QStandardItem *> TreeView::impl::ItemOf(QStandardItem *item) const
{
    if (!item)
        return ItemRef<QStandardItem *>::None();
    return ItemRef<QStandardItem *>(IsItem(item) ? item->index() : QModelIndex(), [](const QModelIndex &index) {
        return static_cast<const QStandardItemModel *>(index.model())->itemFromIndex(index);
    });
}

ItemRef<VirtTreeItem *> TreeView::impl::NodeOf(VirtTreeItem *node) const
{
    if (!node)
        return ItemRef<VirtTreeItem *>::None();
    TreeModel *model = VirtualModel();
    return ItemRef<VirtTreeItem *>(model && model->Contains(node) ? model->IndexFromItem(node) : QModelIndex(),
                                   [](const QModelIndex &index) {
                                       return static_cast<const TreeModel *>(index.model())->ItemFromIndex(index);
                                   });
}

bool TreeView::impl::IsListed(QStandardItem *item) const
{
    return IsItem(item) && std::any_of(selectedList.begin(), selectedList.end(),
                                       [item](const ItemRef<QStandardItem *> &listed) { return names(listed, item); });
}

void TreeView::impl::List(QStandardItem *item)
{
    if (IsItem(item) && !IsListed(item))
        selectedList.push_back(HoldItem(item));
}

void TreeView::impl::Unlist(QStandardItem *item)
{
    // Entries of items gone go too.
    selectedList.erase(std::remove_if(selectedList.begin(), selectedList.end(),
                                      [item](const ItemRef<QStandardItem *> &listed) {
                                          return !listed.IsThere() || listed.Get() == item;
                                      }),
                       selectedList.end());
}

std::vector<QStandardItem *> TreeView::impl::ListedItems() const
{
    std::vector<QStandardItem *> items;
    for (const ItemRef<QStandardItem *> &listed : selectedList)
        if (QStandardItem *item = Held(listed))
            items.push_back(item);
    return items;
}

bool TreeView::impl::IsOpeningEditor(QStandardItem *item) const
{
    return IsItem(item) &&
           std::any_of(openingEditors.begin(), openingEditors.end(),
                       [item](const ItemRef<QStandardItem *> &opening) { return names(opening, item); });
}

bool TreeView::impl::IsReserved(QStandardItem *item)
{
    return item == TreeView::RootItemHandle || item == TreeView::FirstItemHandle || item == TreeView::LastItemHandle;
}

bool TreeView::impl::IsItem(QStandardItem *item) const
{
    QStandardItemModel *model = m_model.data();
    if (!item || IsReserved(item) || m_virtualMode || !model || !m_items->Contains(item) || !Tree())
        return false;
    // In the model (rows taken out have none), and not its invisible root.
    return item->model() == model && item != model->invisibleRootItem();
}

std::vector<QStandardItem *> TreeView::impl::AllItems() const
{
    std::vector<QStandardItem *> items;
    if (QStandardItemModel *model = Model())
        collect(model->invisibleRootItem(), items);
    return items;
}

void TreeView::impl::SetHeaderLabel(const std::wstring &text)
{
    if (!Tree() || !Model())
        return;
    m_model->setHorizontalHeaderLabels({QString::fromStdWString(text)});
    m_headerLabelled = true;
}

void TreeView::impl::SetHeaderVisible(bool visible)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model())
        return;
    if (!m_headerLabelled)
        m_model->setHorizontalHeaderLabels({QString()});
    tree->setHeaderHidden(!visible);
}

bool TreeView::impl::IsHeaderVisible()
{
    TreeViewQt *tree = Tree();
    return tree && !tree->isHeaderHidden();
}

CustStandardItem *TreeView::impl::newItem(const std::wstring &text) const
{
    const QString label = QString::fromStdWString(text);
    auto *item = new CustStandardItem(label, m_items);
    // The text it was made with: the previous text of its first replacement.
    item->setData(label, Qt::UserRole + 1);
    item->setCheckable(m_checkMode != 0);
    return item;
}

void TreeView::impl::finishItem(QStandardItem *item, const any &data)
{
    if (!data.empty())
        SetItemData(item, data);
    if (Tree()->wordWrap())
        UpdateItemSizeHint(item, false);
}

QStandardItem *TreeView::impl::handOut(QStandardItem *item) const
{
    if (item && item->type() == CustStandardItem::Type && static_cast<CustStandardItem *>(item)->BelongsTo(m_items))
        m_items->Found(item);
    return item;
}

bool TreeView::impl::refusesNewRoot() const
{
    return m_singleRoot && m_model->rowCount() > 0;
}

QStandardItem *TreeView::impl::AddItem(const std::wstring &text, const any &data)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model())
        return nullptr;
    EventGate::Hold hold;
    const QModelIndex current = tree->currentIndex();
    QStandardItem *item = nullptr;
    if (current.isValid() && current.parent().isValid()) {
        item = newItem(text);
        m_model->itemFromIndex(current.parent())->appendRow(item);
    } else {
        if (refusesNewRoot())
            return nullptr;
        item = newItem(text);
        m_model->appendRow(item);
    }
    finishItem(item, data);
    return handOut(item);
}

QStandardItem *TreeView::impl::InsertItem(const std::wstring &text, QStandardItem *parent, QStandardItem *after,
                                          const any &data)
{
    if (!Tree() || !Model() || parent == TreeView::FirstItemHandle || parent == TreeView::LastItemHandle)
        return nullptr;
    const bool toEnd = after == TreeView::RootItemHandle || after == TreeView::LastItemHandle;
    const bool toStart = !after || after == TreeView::FirstItemHandle;
    EventGate::Hold hold;
    QStandardItem *item = nullptr;
    if (parent && parent != TreeView::RootItemHandle) {
        if (!IsItem(parent))
            return nullptr;
        int row = 0;
        if (toEnd)
            row = parent->rowCount();
        else if (!toStart) {
            // An item to follow that is not the parent's child has no place
            // under it: nothing is made, rather than an item outside the tree.
            if (!IsItem(after) || after->parent() != parent)
                return nullptr;
            row = after->row() + 1;
        }
        item = newItem(text);
        parent->insertRow(row, item);
    } else {
        if (refusesNewRoot())
            return nullptr;
        int row = 0;
        if (toEnd)
            row = m_model->rowCount();
        else if (!toStart)
            row = IsItem(after) && !after->parent() ? after->row() + 1 : m_model->rowCount();
        item = newItem(text);
        m_model->insertRow(row, item);
    }
    finishItem(item, data);
    return handOut(item);
}

QStandardItem *TreeView::impl::AddSubItem(const std::wstring &text, const any &data, QStandardItem *parent)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model() || IsReserved(parent))
        return nullptr;
    if (!parent) {
        if (!tree->currentIndex().isValid())
            return nullptr;
        parent = m_model->itemFromIndex(tree->currentIndex());
    }
    if (!IsItem(parent))
        return nullptr;
    EventGate::Hold hold;
    QStandardItem *item = newItem(text);
    parent->appendRow(item);
    finishItem(item, data);
    return handOut(item);
}

int TreeView::impl::addBatch(TreeView::ItemList &items,
                             const std::function<QStandardItem *(const std::wstring &, const any &)> &add)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model() || items.empty())
        return 0;
    EventGate::Hold hold;
    std::vector<QStandardItem *> added;
    tree->setUpdatesEnabled(false);
    for (const auto &entry : items) {
        QStandardItem *item = add(std::get<0>(entry), std::get<1>(entry));
        if (!item)
            continue;
        if (std::get<2>(entry) >= 0)
            SetPicture(item, std::get<2>(entry));
        added.push_back(item);
    }
    tree->setUpdatesEnabled(m_updatesEnabled);
    if (tree->wordWrap())
        for (QStandardItem *item : added)
            UpdateItemSizeHint(item, false);
    return static_cast<int>(added.size());
}

int TreeView::impl::AddItems(TreeView::ItemList &items)
{
    return addBatch(items, [this](const std::wstring &text, const any &data) { return AddItem(text, data); });
}

int TreeView::impl::InsertItems(TreeView::ItemList &items, QStandardItem *parent, QStandardItem *after)
{
    return addBatch(items, [this, parent, &after](const std::wstring &text, const any &data) {
        QStandardItem *item = InsertItem(text, parent, after, data);
        if (item)
            after = item;
        return item;
    });
}

int TreeView::impl::AddSubItems(TreeView::ItemList &items, QStandardItem *parent)
{
    return addBatch(items,
                    [this, parent](const std::wstring &text, const any &data) { return AddSubItem(text, data, parent); });
}

QStandardItem *TreeView::impl::CurrentItem()
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model() || !tree->currentIndex().isValid())
        return nullptr;
    return handOut(m_model->itemFromIndex(tree->currentIndex()));
}

int TreeView::impl::Count()
{
    if (!Tree() || !Model())
        return 0;
    return countRows(m_model->invisibleRootItem());
}

void TreeView::impl::SetCurrentItem(QStandardItem *item)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model())
        return;
    EventGate::Hold hold;
    if (!item)
        tree->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    else if (IsItem(item))
        tree->setCurrentIndex(item->index());
}

void TreeView::impl::SelectItem(QStandardItem *item, bool select)
{
    TreeViewQt *tree = Tree();
    if (!IsItem(item))
        return;
    if (!select) {
        tree->DeselectItem(item, true);
        return;
    }
    if (m_multiSelection)
        for (QStandardItem *ancestor = item->parent(); ancestor; ancestor = ancestor->parent())
            if (tree->selectionModel()->isSelected(ancestor->index()))
                return;
    // One change for the handlers: none runs between the two steps.
    HoldSelectionEvents([this, tree, item] {
        if (m_multiSelection)
            tree->ClearAllChildNodeState(item);
        tree->SelectItem(item, true);
    });
}

bool TreeView::impl::IsSelectedItem(QStandardItem *item)
{
    return IsItem(item) && Tree()->selectionModel()->isSelected(item->index());
}

any TreeView::impl::GetItemData(QStandardItem *item)
{
    if (!IsItem(item))
        return any();
    return m_items->itemData.Get(item->data(Qt::UserRole).toInt());
}

bool TreeView::impl::SetItemData(QStandardItem *item, const any &data)
{
    if (!IsItem(item) || data.empty())
        return false;
    m_items->itemData.Remove(item->data(Qt::UserRole).toInt());
    item->setData(m_items->itemData.Add(data), Qt::UserRole);
    return true;
}

bool TreeView::impl::RemoveItemData(QStandardItem *item)
{
    if (!IsItem(item))
        return false;
    const bool erased = m_items->itemData.Remove(item->data(Qt::UserRole).toInt());
    item->setData(-1, Qt::UserRole);
    return erased;
}

void TreeView::impl::ForgetItem(QStandardItem *item)
{
    if (item->data(ToolTipRole).isValid())
        --m_itemToolTips;
    m_items->itemData.Remove(item->data(Qt::UserRole).toInt());
    if (m_pictures)
        m_pictures->ForgetItem(item);
}

bool TreeView::impl::RemoveItem(QStandardItem *item)
{
    if (!IsItem(item))
        return false;
    // A handler that removes the item itself removes it without a second
    // event; this call then has nothing left to do.
    const bool removing = std::any_of(m_removing.begin(), m_removing.end(),
                                      [item](const ItemRef<QStandardItem *> &held) { return names(held, item); });
    if (!removing) {
        const ItemRef<QStandardItem *> held = HoldItem(item);
        m_removing.push_back(held);
        // Before anything changes, so not held.
        const bool live = Fire(&TreeView::OnItemRemoving, ItemOf(item));
        m_removing.erase(std::remove_if(m_removing.begin(), m_removing.end(),
                                        [&held](const ItemRef<QStandardItem *> &entry) {
                                            return !entry.IsThere() || entry.Index() == held.Index();
                                        }),
                         m_removing.end());
        if (!live)
            return false;
        item = Held(held);
        if (!IsItem(item))
            return false;
    }
    std::vector<QStandardItem *> descendants;
    collect(item, descendants);
    for (QStandardItem *descendant : descendants)
        ForgetItem(descendant);
    ForgetItem(item);
    HoldSelectionEvents([this, item] {
        if (QStandardItem *parent = item->parent())
            parent->removeRow(item->row());
        else
            m_model->removeRow(item->row());
    });
    return true;
}

void TreeView::impl::clearRows(bool withPictures)
{
    EventGate::Hold hold;
    m_items->itemData.Clear();
    if (m_pictures) {
        if (withPictures)
            m_pictures->Clear();
        else
            m_pictures->ForgetItems();
    }
    m_itemToolTips = 0;
    // Rows only: the header keeps its label.
    HoldSelectionEvents([this] { m_model->removeRows(0, m_model->rowCount()); });
}

bool TreeView::impl::RemoveAllItems(bool withPictures)
{
    if (!Tree() || !Model())
        return false;
    // A handler that clears the tree again, or switches the mode (which
    // clears it), clears it without a second event.
    if (!m_clearingRows) {
        // Before anything changes, so not held.
        m_clearingRows = true;
        const bool live = Fire(&TreeView::OnAllItemsRemoving);
        m_clearingRows = false;
        if (!live)
            return false;
        // Switched to the virtual mode: the rows went with their model.
        if (!Tree() || !Model())
            return true;
    }
    clearRows(withPictures);
    return true;
}

void TreeView::impl::SetExpanded(QStandardItem *item, bool expanded)
{
    if (!IsItem(item))
        return;
    // A handler of the expansion may change the rows: not while Qt expands.
    EventGate::Hold hold;
    Tree()->setExpanded(item->index(), expanded);
}

bool TreeView::impl::IsExpanded(QStandardItem *item)
{
    return IsItem(item) && Tree()->isExpanded(item->index());
}

void TreeView::impl::EnableEditItems(bool enable)
{
    if (TreeViewQt *tree = Tree())
        tree->setEditTriggers(enable ? QAbstractItemView::DoubleClicked : QAbstractItemView::NoEditTriggers);
}

bool TreeView::impl::IsEnabledEditItems()
{
    TreeViewQt *tree = Tree();
    return tree && tree->editTriggers() != QAbstractItemView::NoEditTriggers;
}

QStandardItem *TreeView::impl::GetTopLevelItem(QStandardItem *item)
{
    if (!IsItem(item))
        return nullptr;
    while (item->parent())
        item = item->parent();
    return item;
}

QStandardItem *TreeView::impl::VisibleTopLevelItem(QStandardItem *item)
{
    QStandardItem *top = GetTopLevelItem(item);
    if (!top)
        return nullptr;
    const QRect rect = Tree()->visualRect(top->index());
    return rect.isValid() && rect.top() >= 0 ? top : nullptr;
}

QStandardItem *TreeView::impl::GetRootItem()
{
    if (!Tree() || !Model())
        return nullptr;
    return handOut(m_model->item(0, 0));
}

QStandardItem *TreeView::impl::GetFirstChild(QStandardItem *item)
{
    return IsItem(item) ? handOut(item->child(0, 0)) : nullptr;
}

bool TreeView::impl::ItemHasChildren(QStandardItem *item)
{
    return GetFirstChild(item) != nullptr;
}

std::list<QStandardItem *> TreeView::impl::CheckedItems()
{
    std::list<QStandardItem *> checked;
    for (QStandardItem *item : AllItems())
        if (item->data(Qt::CheckStateRole).toInt() != 0)
            checked.push_back(item);
    return checked;
}

std::list<QStandardItem *> TreeView::impl::SelectedItems()
{
    std::list<QStandardItem *> items;
    TreeViewQt *tree = Tree();
    if (!tree || !Model())
        return items;
    const QModelIndexList selected = tree->selectionModel()->selectedIndexes();
    if (selected.isEmpty() || (m_lastSelectionEmpty && selectedList.empty() && m_inSelectionChange))
        return items;
    for (const QModelIndex &index : selected)
        if (QStandardItem *item = m_model->itemFromIndex(index))
            items.push_back(item);
    return items;
}

void TreeView::impl::setAllCheckable(bool checkable)
{
    for (QStandardItem *item : AllItems())
        item->setCheckable(checkable);
}

void TreeView::impl::SetCheckMode(TreeView::CheckMode mode)
{
    if (!Tree() || !Model())
        return;
    // The mode is whole before a handler of what it changed runs.
    EventGate::Hold hold;
    if (mode != TreeView::CheckModeNone) {
        setAllCheckable(true);
        SetMultiSelection(true);
        m_checkMode = 0;
        EnableRowsDragAndDrop(false);
    } else {
        setAllCheckable(false);
    }
    m_checkMode = mode;
}

TreeView::CheckMode TreeView::impl::GetCheckMode()
{
    return m_virtualMode ? TreeView::CheckModeNone : static_cast<TreeView::CheckMode>(m_checkMode);
}

void TreeView::impl::SetUpdatesEnabled(bool enabled)
{
    m_updatesEnabled = enabled;
    if (TreeViewQt *tree = Tree())
        tree->setUpdatesEnabled(enabled);
}

void TreeView::impl::SetMultiSelection(bool on)
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return;
    // One change: the flag and the view's mode are both set before the
    // selection's handlers run, so what a handler sets stays set.
    HoldSelectionEvents([this, tree, on] {
        m_multiSelection = on;
        if (on) {
            tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
            return;
        }
        tree->clearSelection();
        const QModelIndex anchor = m_selectionAnchor.Index();
        if (anchor.isValid())
            tree->selectionModel()->select(anchor, QItemSelectionModel::Select);
        tree->setSelectionMode(QAbstractItemView::SingleSelection);
    });
}

void TreeView::impl::SetSingleRoot(bool on)
{
    if (!m_virtualMode)
        m_singleRoot = on;
}

int TreeView::impl::ChildCount(QStandardItem *item, bool recursive)
{
    if (!Tree() || !Model() || IsReserved(item))
        return 0;
    if (!item)
        item = m_model->invisibleRootItem();
    else if (!IsItem(item))
        return 0;
    return recursive ? countRows(item) : item->rowCount();
}

void TreeView::impl::DisableEditLabel(QStandardItem *item, bool disable)
{
    if (IsItem(item))
        item->setEditable(!disable);
}

bool TreeView::impl::IsDisabledEditLabel(QStandardItem *item)
{
    return IsItem(item) && !item->isEditable();
}

void TreeView::impl::SetVirtualMode(bool on)
{
    // A handler of the clearing below that asks for a switch again is refused:
    // this switch is already under way.
    if (!Tree() || on == m_virtualMode || m_switchingMode)
        return;
    m_switchingMode = true;
    switchMode(on);
    m_switchingMode = false;
}

VirtTreeItem *TreeView::impl::CurrentVirtualItem() const
{
    return m_currentVirtualItem.IsThere() && VirtualModel() ? m_currentVirtualItem.Get() : nullptr;
}

void TreeView::impl::switchMode(bool on)
{
    if (on) {
        // The rows go: their event comes before anything changes. A handler
        // may release the control, or switch or clear it itself.
        if (!RemoveAllItems(true) || !IsLive() || !Tree() || m_virtualMode)
            return;
    }
    EventGate::Hold hold;
    TreeViewQt *tree = Tree();
    m_currentVirtualItem = ItemRef<VirtTreeItem *>();
    m_toolTipVirtualItem = ItemRef<VirtTreeItem *>();
    // Only this control's own connections: whoever else listens to the
    // widget keeps listening.
    for (const QMetaObject::Connection &connection : m_connections)
        QObject::disconnect(connection);
    m_connections.clear();
    tree->reset();
    m_pictures.reset();
    if (m_treeModel)
        m_treeModel->SetPictures(nullptr);

    if (on) {
        if (!m_treeModel) {
            m_treeModel = new TreeModel(tree);
            EventGate::Watch(m_treeModel, m_treeModel);
        }
        if (tree->model() != m_treeModel) {
            tree->setModel(nullptr);
            tree->setModel(m_treeModel);
            if (!m_virtualDelegate)
                m_virtualDelegate = new VirtualTreeDelegate(tree);
            tree->setItemDelegate(m_virtualDelegate);
            tree->setUniformRowHeights(true);
            tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
            tree->header()->setStretchLastSection(false);
            m_virtualMode = true;
            SetConnections();
            delete m_model.data();
        }
    } else {
        if (!m_model)
            m_model = newStandardModel(tree);
        if (tree->model() != m_model) {
            if (m_treeModel)
                m_treeModel->clear();
            tree->setModel(nullptr);
            tree->setModel(m_model);
            if (!tree->isHeaderHidden())
                m_model->setHorizontalHeaderLabels({QString()});
            if (!m_itemDelegate)
                m_itemDelegate = new TreeViewItemDelegate(OwnerAs<TreeView>(), tree);
            tree->setItemDelegate(m_itemDelegate);
            m_virtualMode = false;
            SetConnections();
            delete m_treeModel.data();
        }
    }
    m_virtualMode = on;
}

} // namespace AUILib
