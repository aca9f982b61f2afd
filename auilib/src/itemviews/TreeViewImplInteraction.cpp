#include "TreeViewImpl.h"

#include "Edit.h"
#include "TreeModel.h"
#include "TreeViewItemDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTextDocument>

#include <algorithm>

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
                Emit(&TreeView::OnItemDoubleClicked, item);
    }));
    add(Connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged,
                [this](const QItemSelection &selected, const QItemSelection &deselected) {
                    onSelectionChanged(selected, deselected);
                }));
    if (!m_virtualMode) {
        tree->setSelectionBehavior(QAbstractItemView::SelectItems);
        tree->viewport()->update();
    }
    auto expansion = [this](const QModelIndex &index, bool expanded) {
        if (TreeModel *model = VirtualModel()) {
            if (VirtTreeItem *node = model->ItemFromIndex(index))
                Emit(expanded ? &TreeView::OnVirtualItemExpanded : &TreeView::OnVirtualItemCollapsed, node);
        } else if (QStandardItemModel *model = Model()) {
            if (QStandardItem *item = model->itemFromIndex(index))
                Emit(expanded ? &TreeView::OnItemExpanded : &TreeView::OnItemCollapsed, item);
        }
        FitColumn();
    };
    add(Connect(tree, &QTreeView::expanded, [expansion](const QModelIndex &index) { expansion(index, true); }));
    add(Connect(tree, &QTreeView::collapsed, [expansion](const QModelIndex &index) { expansion(index, false); }));
    if (!m_virtualMode && m_itemDelegate) {
        add(Connect(m_itemDelegate.data(), &QAbstractItemDelegate::closeEditor, [this] {
            if (editingItem)
                Emit(&TreeView::OnEndEditLabel, editingItem);
            editingItem = nullptr;
            if (m_itemDelegate)
                m_itemDelegate->DeleteEditor();
        }));
    }
    if (!m_virtualMode && m_model) {
        add(Connect(m_model.data(), &QAbstractItemModel::rowsInserted, [this] { FitColumn(); }));
        add(Connect(m_model.data(), &QAbstractItemModel::rowsRemoved, [this] { FitColumn(); }));
    }
}

void TreeView::impl::FitColumn()
{
    TreeViewQt *tree = Tree();
    if (!tree || tree->wordWrap() || !tree->updatesEnabled())
        return;
    tree->header()->resizeSection(0, 0);
    tree->resizeColumnToContents(0);
}

void TreeView::impl::onClicked(const QModelIndex &index)
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return;
    m_selectionAnchor = index;
    if (!m_virtualMode && m_multiSelection) {
        const Qt::KeyboardModifiers modifiers = QApplication::keyboardModifiers();
        if (modifiers == Qt::ControlModifier && m_checkMode == 0)
            return;
        if (m_checkMode == 1) {
            unsigned int flags = 0;
            QStandardItem *item = HitTest(tree->LastMousePosition(), &flags);
            bool onContent = false;
            QStandardItem *candidate = nullptr;
            if (item && (flags & 0x26)) {
                onContent = true;
                candidate = lastClickedItem;
                tree->selectionModel()->setCurrentIndex(item->index(), QItemSelectionModel::NoUpdate);
                if (flags & 32) {
                    Emit(&TreeView::OnItemCheckClicked, item);
                    if (!IsItem(item))
                        return;
                    // The view has toggled the check already; it spreads from here.
                    const bool state = GetCheck(item);
                    SetCheck(item, state);
                    CheckChildren(item, state);
                    UpdateParentCheck(item, state);
                }
            }
            lastClickedItem = m_model->itemFromIndex(index);
            if (modifiers != Qt::ShiftModifier)
                return;
            if (item) {
                if (candidate)
                    anchorItem = candidate;
                checkRangeByClick(item, onContent);
            }
        }
    }
    if (TreeModel *model = VirtualModel()) {
        if (VirtTreeItem *node = model->ItemFromIndex(index))
            Emit(&TreeView::OnVirtualItemClicked, node);
    } else if (QStandardItemModel *model = Model()) {
        if (QStandardItem *item = model->itemFromIndex(index))
            Emit(&TreeView::OnItemClicked, item);
    }
    if (m_multiSelection)
        Emit(&TreeView::OnMultiSelectionChanged);
}

void TreeView::impl::checkRangeByClick(QStandardItem *item, bool onContent)
{
    QStandardItem *anchor = anchorItem;
    if (!IsItem(anchor) || !GetCheck(anchor) || anchor->parent() != item->parent())
        return;
    auto top = [this](QStandardItem *x) { return GetItemRect(x, true).top; };
    QStandardItem *end = clickedItem;
    const int a = top(anchor);
    const int n = top(item);
    if (selectedList.empty() || !IsItem(end)) {
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
    clickedItem = item;
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
        auto listed = std::find(selectedList.begin(), selectedList.end(), item);
        if (target && listed == selectedList.end())
            selectedList.push_back(item);
        else if (!target && listed != selectedList.end())
            selectedList.erase(listed);
        CheckChildren(item, target);
        UpdateParentCheck(item, target);
    }
}

void TreeView::impl::onSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    m_inSelectionChange = true;
    if (handleSelection) {
        auto fire = [this](const QModelIndex &index, bool isSelected) {
            if (TreeModel *model = VirtualModel()) {
                VirtTreeItem *node = model->ItemFromIndex(index);
                if (isSelected)
                    m_currentVirtualItem = node;
                else if (m_currentVirtualItem == node)
                    m_currentVirtualItem = nullptr;
                if (node)
                    Emit(&TreeView::OnVirtualSelectionChanged, node);
            } else if (QStandardItemModel *model = Model()) {
                if (QStandardItem *item = model->itemFromIndex(index))
                    Emit(&TreeView::OnSelectionChanged, item);
            }
        };
        for (const QModelIndex &index : deselected.indexes())
            fire(index, false);
        const QModelIndexList now = selected.indexes();
        for (const QModelIndex &index : now)
            fire(index, true);
        m_lastSelection.clear();
        for (const QModelIndex &index : now)
            m_lastSelection.append(QPersistentModelIndex(index));
    }
    m_inSelectionChange = false;
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
    return m_model->itemFromIndex(item->index().sibling(item->row() + 1, 0));
}

QStandardItem *TreeView::impl::PrevSibling(QStandardItem *item)
{
    if (!IsItem(item) || item->row() == 0)
        return nullptr;
    return m_model->itemFromIndex(item->index().sibling(item->row() - 1, 0));
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
    return text.substr(0, text.find(L'\0'));
}

bool TreeView::impl::SetItemText(QStandardItem *item, const std::wstring &text)
{
    if (!IsItem(item))
        return false;
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
    if (!IsItem(item) || !item->isEditable())
        return nullptr;
    TreeViewQt *tree = Tree();
    auto *delegate = qobject_cast<TreeViewItemDelegate *>(tree->itemDelegate());
    if (!delegate)
        return nullptr;
    editingItem = item;
    tree->edit(item->index());
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
    QWidget *widget = editor ? editor->GetPlatformHandle() : nullptr;
    if (!editingItem || !widget)
        return;
    if (commit)
        SetItemText(editingItem, editor->GetText());
    emit m_itemDelegate->closeEditor(widget, QAbstractItemDelegate::NoHint);
    editingItem = nullptr;
}

TreeViewItemDelegate *TreeView::impl::ItemDelegate() const
{
    return m_itemDelegate;
}

} // namespace AUILib
