#include "TreeViewImpl.h"

#include "Edit.h"
#include "TreeModel.h"
#include "TreeViewItemDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTextDocument>

#include <algorithm>
#include <functional>

// The tree's handling of clicks, selection changes, check states, hit tests,
// word-wrapped row heights and label editing.
namespace AUILib {

void TreeView::impl::SetConnections()
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return;
    auto add = [this](QMetaObject::Connection connection) { m_connections.push_back(connection); };
    add(Connect(tree, &QTreeView::clicked, [this](const QModelIndex &index) { onClicked(index); }));
    add(Connect(tree, &QTreeView::doubleClicked, [this](const QModelIndex &index) {
        if (QStandardItemModel *model = Model())
            if (QStandardItem *item = model->itemFromIndex(index))
                Fire(&TreeView::OnItemDoubleClicked, ItemOf(item));
    }));
    add(Connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged,
                [this](const QItemSelection &selected, const QItemSelection &deselected) {
                    onSelectionChanged(selected, deselected);
                }));
    if (!m_virtualMode) {
        tree->setSelectionBehavior(QAbstractItemView::SelectItems);
        tree->viewport()->update();
    }
    add(Connect(tree, &QTreeView::expanded, [this](const QModelIndex &index) { onExpansion(index, true); }));
    add(Connect(tree, &QTreeView::collapsed, [this](const QModelIndex &index) { onExpansion(index, false); }));
    if (!m_virtualMode && m_itemDelegate) {
        add(Connect(m_itemDelegate.data(), &QAbstractItemDelegate::closeEditor,
                    [this](QWidget *editor) { onCloseEditor(editor); }));
    }
    if (!m_virtualMode && m_model) {
        // Once per row change, and no handler runs from it: a plain slot.
        add(QObject::connect(m_model.data(), &QAbstractItemModel::rowsInserted, ConnectionContext(),
                             [this] { FitColumn(); }));
        add(QObject::connect(m_model.data(), &QAbstractItemModel::rowsRemoved, ConnectionContext(),
                             [this] { FitColumn(); }));
    }
    if (m_virtualMode && m_treeModel) {
        add(Connect(m_treeModel.data(), &QAbstractItemModel::modelAboutToBeReset, [this] {
            // Only a reset by an expansion's handler is undone afterwards.
            if (m_expansionDeliveries > 0 && !m_resetDuringExpansion) {
                m_pathsBeforeReset = expandedVirtualPaths();
                m_resetDuringExpansion = true;
            }
        }));
    }
}

void TreeView::impl::onExpansion(const QModelIndex &index, bool expanded)
{
    if (TreeModel *model = VirtualModel()) {
        VirtTreeItem *node = model->ItemFromIndex(index);
        if (node && !m_restoringExpansion) {
            // Delivered once no change is under way, with what restores the
            // expansion around it.
            EventGate::Deliver([weak = weak_from_this(), held = std::move(NodeOf(node).Hold()), expanded] {
                if (const auto self = std::static_pointer_cast<TreeView::impl>(weak.lock()))
                    self->deliverVirtualExpansion(held, expanded);
            });
        }
    } else if (QStandardItemModel *model = Model()) {
        if (QStandardItem *item = model->itemFromIndex(index))
            if (!Fire(expanded ? &TreeView::OnItemExpanded : &TreeView::OnItemCollapsed, ItemOf(item)))
                return;
    }
    FitColumn();
}

void TreeView::impl::deliverVirtualExpansion(const ItemRef<VirtTreeItem *> &node, bool expanded)
{
    TreeModel *model = VirtualModel();
    if (!model || !node.IsThere())
        return;
    ++m_expansionDeliveries;
    const bool live = Fire(expanded ? &TreeView::OnVirtualItemExpanded : &TreeView::OnVirtualItemCollapsed, node);
    --m_expansionDeliveries;
    if (!live || m_expansionDeliveries > 0 || !m_resetDuringExpansion)
        return;
    // A handler built the tree anew (lazy loading does): the reset closed
    // every node; what was open, the node just expanded with it, opens again.
    m_resetDuringExpansion = false;
    const std::vector<std::vector<int>> paths = std::move(m_pathsBeforeReset);
    m_pathsBeforeReset.clear();
    if (VirtualModel() == model)
        expandVirtualPaths(paths);
}

std::vector<std::vector<int>> TreeView::impl::expandedVirtualPaths() const
{
    std::vector<std::vector<int>> paths;
    TreeViewQt *tree = Tree();
    TreeModel *model = VirtualModel();
    if (!tree || !model)
        return paths;
    std::vector<int> path;
    std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            if (!tree->isExpanded(index))
                continue;
            path.push_back(row);
            paths.push_back(path);
            walk(index);
            path.pop_back();
        }
    };
    walk(QModelIndex());
    // The current node is found again by its path too; it comes last.
    path.clear();
    for (QModelIndex index = tree->currentIndex(); index.isValid(); index = index.parent())
        path.insert(path.begin(), index.row());
    paths.push_back(path);
    return paths;
}

void TreeView::impl::expandVirtualPaths(const std::vector<std::vector<int>> &paths)
{
    TreeViewQt *tree = Tree();
    TreeModel *model = VirtualModel();
    if (!tree || !model || paths.empty())
        return;
    auto find = [model](const std::vector<int> &path) {
        QModelIndex index;
        for (int row : path)
            index = model->index(row, 0, index);
        return index;
    };
    m_restoringExpansion = true;
    for (std::size_t i = 0; i + 1 < paths.size(); ++i) {
        const QModelIndex index = find(paths[i]);
        if (index.isValid())
            tree->expand(index);
    }
    m_restoringExpansion = false;
    const QModelIndex current = find(paths.back());
    if (current.isValid() && !tree->currentIndex().isValid())
        tree->setCurrentIndex(current);
}

void TreeView::impl::FitColumn()
{
    TreeViewQt *tree = Tree();
    if (!tree || tree->wordWrap() || !tree->updatesEnabled())
        return;
    tree->header()->resizeSection(0, 0);
    tree->resizeColumnToContents(0);
}

void TreeView::impl::onClicked(const QModelIndex &clicked)
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return;
    // Held by identity: the handlers below may remove the row.
    m_selectionAnchor = std::move(RowRef(clicked).Hold());
    const ItemRef<int> &index = m_selectionAnchor;
    if (!m_virtualMode && m_multiSelection) {
        const Qt::KeyboardModifiers modifiers = QApplication::keyboardModifiers();
        if (modifiers == Qt::ControlModifier && m_checkMode == 0)
            return;
        if (m_checkMode == 1) {
            unsigned int flags = 0;
            const ItemRef<QStandardItem *> item = HoldItem(HitTest(tree->LastMousePosition(), &flags));
            bool onContent = false;
            ItemRef<QStandardItem *> candidate;
            if (Held(item) && (flags & 0x26)) {
                onContent = true;
                candidate = lastClickedItem;
                tree->selectionModel()->setCurrentIndex(item.Index(), QItemSelectionModel::NoUpdate);
                if (flags & 32) {
                    if (!Fire(&TreeView::OnItemCheckClicked, item) || !Held(item))
                        return;
                    // The view has toggled the check already; it spreads from here.
                    QStandardItem *checked = Held(item);
                    const bool state = GetCheck(checked);
                    SetCheck(checked, state);
                    CheckChildren(checked, state);
                    UpdateParentCheck(checked, state);
                }
            }
            lastClickedItem = index.IsThere() ? HoldItem(Model() ? m_model->itemFromIndex(index.Index()) : nullptr)
                                              : ItemRef<QStandardItem *>();
            if (modifiers != Qt::ShiftModifier)
                return;
            if (QStandardItem *clickedNow = Held(item)) {
                if (Held(candidate))
                    anchorItem = candidate;
                checkRangeByClick(clickedNow, onContent);
            }
        }
    }
    if (!index.IsThere()) {
        // Its row went in a handler: nothing was clicked any more.
    } else if (TreeModel *model = VirtualModel()) {
        if (VirtTreeItem *node = model->ItemFromIndex(index.Index()))
            if (!Fire(&TreeView::OnVirtualItemClicked, NodeOf(node)))
                return;
    } else if (QStandardItemModel *model = Model()) {
        if (QStandardItem *item = model->itemFromIndex(index.Index()))
            if (!Fire(&TreeView::OnItemClicked, ItemOf(item)))
                return;
    }
    if (m_multiSelection) {
        tree->ClickReported();
        Fire(&TreeView::OnMultiSelectionChanged);
    }
}

void TreeView::impl::checkRangeByClick(QStandardItem *item, bool onContent)
{
    QStandardItem *anchor = Held(anchorItem);
    if (!anchor || !GetCheck(anchor) || anchor->parent() != item->parent())
        return;
    auto top = [this](QStandardItem *x) { return GetItemRect(x, true).top; };
    QStandardItem *end = Held(clickedItem);
    const int a = top(anchor);
    const int n = top(item);
    if (ListedItems().empty() || !end) {
        CheckRange(anchor, item, onContent, GetCheck(item));
    } else {
        const int e = top(end);
        if (std::min(a, n) < e && e < std::max(a, n)) {
            CheckRange(end, item, onContent, true);
        } else if ((a <= n && n < e) || (e < n && n <= a)) {
            CheckRange(item, end, onContent, false);
            if (!onContent)
                SetCheck(item, true);
        } else {
            CheckRange(anchor, end, onContent, !GetCheck(item));
            CheckRange(anchor, item, onContent, GetCheck(item));
        }
    }
    clickedItem = HoldItem(item);
}

void TreeView::impl::CheckRange(QStandardItem *from, QStandardItem *to, bool onContent, bool state)
{
    if (!IsItem(from) || !IsItem(to) || from == to || from->parent() != to->parent())
        return;
    const bool down = GetItemRect(from, true).top < GetItemRect(to, true).top;
    const bool target = onContent ? state : !state;
    for (QStandardItem *item = from; item; item = down ? NextSibling(item) : PrevSibling(item)) {
        if (item == to) {
            SetCheck(to, true);
            return;
        }
        if (GetCheck(item) == target)
            continue;
        SetCheck(item, target);
        if (target)
            List(item);
        else
            Unlist(item);
        CheckChildren(item, target);
        UpdateParentCheck(item, target);
    }
}

void TreeView::impl::onSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    if (handleSelection)
        reportSelection(deselected.indexes(), selected.indexes());
}

struct TreeView::impl::SelectionReport
{
    // Deselected first, then selected.
    std::vector<ItemRef<QStandardItem *>> items;
    std::vector<ItemRef<VirtTreeItem *>> nodes;
    bool selectsNothing = true;
};

void TreeView::impl::reportSelection(const QModelIndexList &off, const QModelIndexList &on)
{
    SelectionReport report;
    report.selectsNothing = on.isEmpty();
    if (TreeModel *model = VirtualModel()) {
        // The current node follows now, before any handler runs.
        for (const QModelIndex &index : off)
            if (m_currentVirtualItem.IsThere() && m_currentVirtualItem.Index() == index)
                m_currentVirtualItem = ItemRef<VirtTreeItem *>();
        for (const QModelIndex &index : on)
            if (VirtTreeItem *node = model->ItemFromIndex(index))
                m_currentVirtualItem = std::move(NodeOf(node).Hold());
        for (const QModelIndexList *list : {&off, &on})
            for (const QModelIndex &index : *list)
                if (VirtTreeItem *node = model->ItemFromIndex(index))
                    report.nodes.push_back(std::move(NodeOf(node).Hold()));
    } else if (QStandardItemModel *model = Model()) {
        for (const QModelIndexList *list : {&off, &on})
            for (const QModelIndex &index : *list)
                if (QStandardItem *item = model->itemFromIndex(index))
                    report.items.push_back(HoldItem(item));
    }
    EventGate::Deliver([weak = weak_from_this(), report = std::move(report)] {
        if (const auto self = std::static_pointer_cast<TreeView::impl>(weak.lock()))
            self->deliverSelection(report);
    });
}

void TreeView::impl::deliverSelection(const SelectionReport &report)
{
    // A handler of a selection event that asks for the selected items while
    // nothing was selected before gets none (the in-selection-change case).
    const bool nested = m_inSelectionChange;
    m_inSelectionChange = true;
    for (const ItemRef<VirtTreeItem *> &node : report.nodes)
        if (!Fire(&TreeView::OnVirtualSelectionChanged, node))
            return;
    for (const ItemRef<QStandardItem *> &item : report.items)
        if (!Fire(&TreeView::OnSelectionChanged, item))
            return;
    m_inSelectionChange = nested;
    m_lastSelectionEmpty = report.selectsNothing;
}

void TreeView::impl::HoldSelectionEvents(const std::function<void()> &change)
{
    EventGate::Hold hold;
    TreeViewQt *tree = Tree();
    QItemSelectionModel *selection = tree ? tree->selectionModel() : nullptr;
    if (!selection || !handleSelection) {
        change();
        return;
    }
    QList<QPersistentModelIndex> before;
    for (const QModelIndex &index : selection->selectedIndexes())
        before.append(QPersistentModelIndex(index));
    handleSelection = false;
    change();
    handleSelection = true;
    // The change may have switched the mode: the report is of the model shown.
    if (selection != (Tree() ? Tree()->selectionModel() : nullptr))
        return;
    QModelIndexList off;
    for (const QPersistentModelIndex &index : before)
        if (index.isValid() && !selection->isSelected(index))
            off.append(index);
    QModelIndexList on;
    for (const QModelIndex &index : selection->selectedIndexes())
        if (!before.contains(QPersistentModelIndex(index)))
            on.append(index);
    if (!off.isEmpty() || !on.isEmpty())
        reportSelection(off, on);
}

void TreeView::impl::SetCheck(QStandardItem *item, bool checked)
{
    if (IsItem(item))
        item->setData(checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

bool TreeView::impl::GetCheck(QStandardItem *item)
{
    return IsItem(item) && item->data(Qt::CheckStateRole).toInt() != 0;
}

void TreeView::impl::CheckChildren(QStandardItem *item, bool state)
{
    if (!IsItem(item))
        return;
    for (int row = 0; row < item->rowCount(); ++row) {
        QStandardItem *child = item->child(row, 0);
        if (!child || GetCheck(child) == state)
            continue;
        SetCheck(child, state);
        CheckChildren(child, state);
    }
}

void TreeView::impl::UpdateParentCheck(QStandardItem *item, bool state)
{
    if (!IsItem(item))
        return;
    // Every ancestor, not only the parent: an unchecked item unchecks the
    // whole line above it, a checked one checks each ancestor whose children
    // are now all checked.
    for (QStandardItem *parent = item->parent(); parent; parent = parent->parent()) {
        if (!state) {
            if (GetCheck(parent))
                SetCheck(parent, false);
            continue;
        }
        bool allChecked = true;
        for (int row = 0; row < parent->rowCount() && allChecked; ++row)
            allChecked = GetCheck(parent->child(row, 0));
        if (!allChecked)
            break;
        if (!GetCheck(parent))
            SetCheck(parent, true);
    }
}

QStandardItem *TreeView::impl::GetParentItem(QStandardItem *item)
{
    return IsItem(item) ? item->parent() : nullptr;
}

QStandardItem *TreeView::impl::NextSibling(QStandardItem *item)
{
    if (!IsItem(item))
        return nullptr;
    QStandardItem *parent = item->parent() ? item->parent() : m_model->invisibleRootItem();
    return handOut(parent->child(item->row() + 1, 0));
}

QStandardItem *TreeView::impl::PrevSibling(QStandardItem *item)
{
    if (!IsItem(item) || item->row() == 0)
        return nullptr;
    QStandardItem *parent = item->parent() ? item->parent() : m_model->invisibleRootItem();
    return handOut(parent->child(item->row() - 1, 0));
}

Rect TreeView::impl::GetItemRect(QStandardItem *item, bool contentOnly)
{
    if (!IsItem(item))
        return Rect();
    TreeViewQt *tree = Tree();
    QRect rect = tree->visualRect(item->index());
    if (contentOnly)
        rect.setRight(rect.left() + tree->sizeHintForIndex(item->index()).width() - 1);
    return Rect{rect.left(), rect.top(), rect.right(), rect.bottom()};
}

QStandardItem *TreeView::impl::HitTest(const QPoint &point, unsigned int *flags)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model())
        return nullptr;
    const QModelIndex index = tree->indexAt(point);
    if (!index.isValid())
        return nullptr;
    QStandardItem *item = m_model->itemFromIndex(index);
    const QRect rect = tree->visualRect(index);

    QStyleOptionViewItem option;
    option.initFrom(tree);
    const QVariant font = item->data(Qt::FontRole);
    option.font = font.isValid() ? font.value<QFont>() : tree->font();
    const QVariant alignment = item->data(Qt::TextAlignmentRole);
    option.displayAlignment =
        alignment.isValid() ? Qt::Alignment(alignment.toInt()) : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    option.text = item->text();
    option.features = QStyleOptionViewItem::HasDisplay;
    const QIcon icon = item->icon();
    if (!icon.isNull()) {
        option.icon = icon;
        option.features |= QStyleOptionViewItem::HasDecoration;
        option.decorationSize = tree->iconSize().isValid() ? tree->iconSize() : QSize(16, 16);
    }
    const bool checkable = item->flags() & Qt::ItemIsUserCheckable;
    if (checkable) {
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        option.checkState = item->checkState();
    }
    option.rect = rect;
    option.widget = tree;
    QStyle *style = tree->style();

    const int rowHeight = rect.bottom() - rect.top() + 1;
    const bool hasExpand = m_branchButtons && item->hasChildren();
    const QRect check = checkable ? style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, tree) : QRect();
    const QRect expand =
        hasExpand ? QRect(QPoint(rect.left() - rowHeight - 2, rect.top()), QPoint(rect.left() - 1, rect.bottom()))
                  : QRect();
    const int indentRight = hasExpand ? rect.left() - rowHeight - 3 : rect.left() - 1;
    const QRect indent(QPoint(0, rect.top()), QPoint(indentRight, rect.bottom()));
    QRect iconRect;
    if (!icon.isNull()) {
        const QRect decoration = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, tree);
        const int left = checkable ? check.right() + 2 * (check.left() - indentRight) : decoration.left() + 6;
        iconRect = QRect(left, decoration.top() + (rowHeight - decoration.height()), decoration.width(),
                         decoration.height());
    }

    unsigned int word = 0;
    if (indent.contains(point))
        word |= 8;
    if (expand.contains(point))
        word |= 16;
    if (check.contains(point))
        word |= 32;
    if (iconRect.contains(point))
        word |= 2;
    if (!word && rect.contains(point))
        word = 4;
    if (flags)
        *flags = word;
    return item;
}

std::wstring TreeView::impl::GetItemText(QStandardItem *item)
{
    if (!IsItem(item))
        return std::wstring();
    std::wstring text = item->data(Qt::DisplayRole).toString().toStdWString();
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring::npos)
        text.resize(end);
    return text;
}

bool TreeView::impl::SetItemText(QStandardItem *item, const std::wstring &text)
{
    if (!IsItem(item))
        return false;
    // The text's handlers run once its height is set too.
    EventGate::Hold hold;
    item->setData(QString::fromStdWString(text), Qt::DisplayRole);
    if (Tree()->wordWrap())
        UpdateItemSizeHint(item, false);
    return true;
}

void TreeView::impl::UpdateItemSizeHint(QStandardItem *item, bool clearHint)
{
    TreeViewQt *tree = Tree();
    if (!IsItem(item) || !tree->updatesEnabled())
        return;
    const QModelIndex index = item->index();
    if (tree->wordWrap() && !clearHint) {
        tree->setTextElideMode(Qt::ElideNone);
        QTextDocument document;
        const QVariant font = item->data(Qt::FontRole);
        document.setDefaultFont(font.isValid() ? font.value<QFont>() : tree->font());
        const QRect rect = tree->visualRect(index);
        int width = tree->columnWidth(0) - (rect.left() + tree->horizontalScrollBar()->value());
        if (!item->icon().isNull())
            width -= tree->iconSize().width() + 4;
        if (m_checkMode == 1)
            width -= 20;
        document.setPageSize(QSizeF(width, 2147483647.0));
        document.setUseDesignMetrics(true);
        document.setPlainText(item->text());
        item->setData(QSize(1, static_cast<int>(document.size().height() - 6)), Qt::SizeHintRole);
    } else if (clearHint) {
        // Cleared whether or not word wrap is still on: turning it off must
        // give the rows back their own heights.
        item->setData(QVariant(), Qt::SizeHintRole);
    }
    tree->viewport()->update(tree->visualRect(index));
}

Edit *TreeView::impl::EditLabel(QStandardItem *item)
{
    if (!IsItem(item) || !item->isEditable() || IsOpeningEditor(item))
        return nullptr;
    TreeViewQt *tree = Tree();
    QPointer<TreeViewItemDelegate> delegate = qobject_cast<TreeViewItemDelegate *>(tree->itemDelegate());
    if (!delegate)
        return nullptr;
    const ItemRef<QStandardItem *> edited = HoldItem(item);
    editingItem = edited;
    // The view's edit (which holds the editor's events until Qt has it)
    // runs the editor's handlers: they may have ended this edit, started
    // another, removed the item or released the control.
    tree->edit(item->index());
    if (!IsLive() || !delegate || !Held(edited) || Held(editingItem) != Held(edited))
        return nullptr;
    Edit *editor = delegate->Editor();
    if (editor)
        delegate->SetSelectAll();
    return editor;
}

void TreeView::impl::EndEditItem(bool commit)
{
    TreeViewQt *tree = Tree();
    if (!tree || !m_itemDelegate)
        return;
    Edit *editor = m_itemDelegate->Editor();
    const QPointer<QWidget> widget = editor ? editor->GetPlatformHandle() : nullptr;
    QStandardItem *item = Held(editingItem);
    if (!item || !widget)
        return;
    if (commit) {
        SetItemText(item, editor->GetText());
        // The text's handlers may have ended the edit or released the control.
        if (!IsLive() || !m_itemDelegate || !widget || m_itemDelegate->Editor() != editor)
            return;
    }
    emit m_itemDelegate->closeEditor(widget, QAbstractItemDelegate::NoHint);
}

void TreeView::impl::onCloseEditor(QWidget *closed)
{
    // The close of an editor that a handler already replaced ends nothing.
    Edit *open = m_itemDelegate ? m_itemDelegate->Editor() : nullptr;
    if (open && open->GetPlatformHandle() != closed)
        return;
    if (QStandardItem *item = Held(editingItem))
        if (!Fire(&TreeView::OnEndEditLabel, ItemOf(item)))
            return;
    // A handler that started another edit keeps it.
    if (m_itemDelegate && m_itemDelegate->Editor() == open) {
        editingItem = ItemRef<QStandardItem *>();
        m_itemDelegate->DeleteEditor();
    }
}

TreeViewItemDelegate *TreeView::impl::ItemDelegate() const
{
    return m_itemDelegate;
}

} // namespace AUILib
