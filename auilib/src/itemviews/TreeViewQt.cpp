#include "TreeViewQt.h"

#include "ContextMenu.h"
#include "TreeModel.h"
#include "TreeViewImpl.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <functional>

namespace AUILib {

namespace {

bool hasAncestorIn(QStandardItem *item, const std::vector<QStandardItem *> &items)
{
    for (QStandardItem *ancestor = item ? item->parent() : nullptr; ancestor; ancestor = ancestor->parent())
        if (std::find(items.begin(), items.end(), ancestor) != items.end())
            return true;
    return false;
}

} // namespace

TreeViewQt::TreeViewQt(TreeView *owner, QWidget *parent)
    : QTreeView(parent)
    , m_owner(owner)
{
}

TreeViewQt::~TreeViewQt() = default;

std::shared_ptr<TreeView::impl> TreeViewQt::impl() const
{
    TreeView *owner = m_owner.get();
    if (!owner)
        return nullptr;
    return std::static_pointer_cast<TreeView::impl>(owner->GetBaseImpl());
}

QStandardItem *TreeViewQt::itemAt(const QPoint &point, unsigned int *flags) const
{
    auto d = impl();
    return d ? d->HitTest(point, flags) : nullptr;
}

void TreeViewQt::ForgetItem(QStandardItem *item)
{
    if (!item || pressedItem == item)
        pressedItem = nullptr;
}

void TreeViewQt::holdSelectionEvents(const std::function<void()> &change)
{
    if (auto d = impl())
        d->HoldSelectionEvents(change);
    else
        change();
}

void TreeViewQt::SelectItem(QStandardItem *item, bool makeCurrent)
{
    holdSelectionEvents([this, item, makeCurrent] { selectItem(item, makeCurrent); });
}

void TreeViewQt::selectItem(QStandardItem *item, bool makeCurrent)
{
    const QModelIndex index = item ? item->index() : QModelIndex();
    if (!index.isValid() || !selectionModel())
        return;
    auto d = impl();
    if (!d || !d->IsSetMultiSelection()) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        return;
    }
    if (makeCurrent)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selectionModel()->select(index, QItemSelectionModel::Select);
    if (std::find(d->selectedList.begin(), d->selectedList.end(), item) == d->selectedList.end())
        d->selectedList.push_back(item);
}

void TreeViewQt::DeselectItem(QStandardItem *item, bool)
{
    holdSelectionEvents([this, item] { deselectItem(item); });
}

void TreeViewQt::deselectItem(QStandardItem *item)
{
    const QModelIndex index = item ? item->index() : QModelIndex();
    if (!index.isValid() || !selectionModel())
        return;
    selectionModel()->select(index, QItemSelectionModel::Deselect);
    auto d = impl();
    if (!d || !d->IsSetMultiSelection()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    auto found = std::find(d->selectedList.begin(), d->selectedList.end(), item);
    if (found != d->selectedList.end())
        d->selectedList.erase(found);
}

void TreeViewQt::ClearSelectedItems(QStandardItem *keep)
{
    auto d = impl();
    if (!d || d->selectedList.empty())
        return;
    d->HoldSelectionEvents([this, &d, keep] { clearSelectedItems(*d, keep); });
}

void TreeViewQt::clearSelectedItems(TreeView::impl &d, QStandardItem *keep)
{
    setUpdatesEnabled(false);
    const bool multi = d.IsSetMultiSelection();
    for (QStandardItem *item : d.selectedList) {
        if (!d.IsItem(item) || item == keep)
            continue;
        selectionModel()->select(item->index(), QItemSelectionModel::Deselect);
        if (multi)
            selectionModel()->setCurrentIndex(item->index(), QItemSelectionModel::NoUpdate);
    }
    const bool listed = keep && std::find(d.selectedList.begin(), d.selectedList.end(), keep) != d.selectedList.end();
    d.selectedList.clear();
    if (listed)
        selectItem(keep, true);
    setUpdatesEnabled(d.UpdatesEnabled());
}

void TreeViewQt::ClearAllChildNodeState(QStandardItem *item)
{
    holdSelectionEvents([this, item] { clearAllChildNodeState(item); });
}

void TreeViewQt::clearAllChildNodeState(QStandardItem *item)
{
    auto d = impl();
    if (!d || !item)
        return;
    for (int row = 0; row < item->rowCount(); ++row) {
        QStandardItem *child = item->child(row, 0);
        if (!child || !child->index().isValid())
            continue;
        if (selectionModel()->isSelected(child->index())) {
            selectionModel()->select(child->index(), QItemSelectionModel::Deselect);
            auto found = std::find(d->selectedList.begin(), d->selectedList.end(), child);
            if (found != d->selectedList.end())
                d->selectedList.erase(found);
        }
        clearAllChildNodeState(child);
    }
}

bool TreeViewQt::SelectItems(QStandardItem *from, QStandardItem *to)
{
    auto d = impl();
    if (!d || !from || !to || (from == to && d->selectedList.empty()) || from->parent() != to->parent())
        return false;
    d->HoldSelectionEvents([this, &d, from, to] {
        setUpdatesEnabled(false);
        ClearSelectedItems(nullptr);
        const bool down = d->GetItemRect(from, true).top <= d->GetItemRect(to, true).top;
        for (QStandardItem *item = from; item; item = down ? d->NextSibling(item) : d->PrevSibling(item)) {
            selectItem(item, true);
            if (item == to)
                break;
        }
        setUpdatesEnabled(d->UpdatesEnabled());
    });
    return true;
}

void TreeViewQt::SetDragAndDropCanMove(const CanMoveFunc &function)
{
    canMove = function;
}

void TreeViewQt::keyPressEvent(QKeyEvent *event)
{
    auto d = impl();
    const int key = event->key();
    if (!d || !d->IsSetMultiSelection() || d->GetCheckMode() != 0 || !(event->modifiers() & Qt::ShiftModifier) ||
        (key != Qt::Key_Down && key != Qt::Key_Up)) {
        QTreeView::keyPressEvent(event);
        return;
    }
    if (!d->Fire(&TreeView::OnMultiSelectionChanging))
        return;
    // Looked up after the handler, which may have changed the rows.
    QStandardItem *current = d->CurrentItem();
    if (!d->anchorItem)
        d->anchorItem = current;
    if (!current)
        return;
    QStandardItem *sibling = key == Qt::Key_Down ? d->NextSibling(current) : d->PrevSibling(current);
    if (!sibling)
        return;
    d->HoldSelectionEvents([this, current, sibling] {
        if (selectionModel()->isSelected(sibling->index()))
            deselectItem(current);
        selectItem(sibling, true);
        clearAllChildNodeState(sibling);
    });
}

void TreeViewQt::keyReleaseEvent(QKeyEvent *event)
{
    auto d = impl();
    if (d && !d->Fire(&TreeView::OnKeyUp, SysKeyToAUIKey(event->key())))
        return;
    if (d && d->IsSetMultiSelection() && d->GetCheckMode() == 1) {
        if (event->key() == Qt::Key_Shift) {
            d->anchorItem = nullptr;
            d->clickedItem = nullptr;
            d->selectedList.clear();
        }
        return;
    }
    QTreeView::keyReleaseEvent(event);
}

void TreeViewQt::mousePressEvent(QMouseEvent *event)
{
    m_lastMousePosition = event->pos();
    auto d = impl();
    if (!d) {
        QTreeView::mousePressEvent(event);
        return;
    }
    if (!d->IsSetMultiSelection() || d->GetCheckMode() != 0) {
        d->selectedList.clear();
        QTreeView::mousePressEvent(event);
        return;
    }
    if (d->IsEnableRowsDragAndDrop())
        pressTimer.start();
    if (event->button() != Qt::LeftButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    unsigned int flags = 0;
    pressedItem = d->HitTest(event->pos(), &flags);
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (!(flags & 0x26)) {
        if (modifiers != Qt::ShiftModifier && modifiers != Qt::ControlModifier)
            QTreeView::mousePressEvent(event);
        return;
    }
    d->clickedItem = pressedItem;
    if (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier) {
        pressWithModifiers(event, *d);
        return;
    }
    d->anchorItem = nullptr;
    if (!d->Fire(&TreeView::OnMultiSelectionChanging))
        return;
    // A handler that removed the pressed item left pressedItem null.
    const bool listed =
        std::find(d->selectedList.begin(), d->selectedList.end(), pressedItem) != d->selectedList.end();
    if (!(d->IsEnableRowsDragAndDrop() && listed))
        ClearSelectedItems(pressedItem);
    if (d->IsLive())
        QTreeView::mousePressEvent(event);
}

void TreeViewQt::pressWithModifiers(QMouseEvent *event, TreeView::impl &d)
{
    // After every handler the items are looked up again: it may have removed
    // them, cleared the tree or released the control.
    QStandardItem *pressed = pressedItem;
    if (event->modifiers() == Qt::ShiftModifier) {
        if (!d.IsItem(d.anchorItem))
            d.anchorItem = d.CurrentItem();
        if (!d.anchorItem || pressed->parent() != d.anchorItem->parent())
            return;
        if (!d.Fire(&TreeView::OnMultiSelectionChanging) || !d.IsItem(pressed) || !d.IsItem(d.anchorItem) ||
            pressed->parent() != d.anchorItem->parent())
            return;
        SelectItems(d.anchorItem, pressed);
        if (d.IsItem(pressed) && d.Fire(&TreeView::OnItemClicked, d.ItemOf(pressed)))
            d.Fire(&TreeView::OnMultiSelectionChanged);
        return;
    }
    if (!d.Fire(&TreeView::OnMultiSelectionChanging) || !d.IsItem(pressed))
        return;
    for (QStandardItem *ancestor = pressed->parent(); ancestor; ancestor = ancestor->parent())
        if (selectionModel()->isSelected(ancestor->index()))
            return;
    QStandardItem *current = d.CurrentItem();
    const bool currentWasSelected = current && selectionModel()->isSelected(current->index());
    const bool wasSelected = selectionModel()->isSelected(pressed->index());
    if (wasSelected) {
        d.handleSelection = false;
        deselectItem(pressed);
        d.handleSelection = true;
        if (!d.Fire(&TreeView::OnSelectionChanged, d.ItemOf(pressed)))
            return;
    } else {
        SelectItem(pressed, true);
    }
    if (!d.IsItem(pressed) || !d.Fire(&TreeView::OnItemClicked, d.ItemOf(pressed)) ||
        !d.Fire(&TreeView::OnMultiSelectionChanged) || !d.IsItem(pressed))
        return;
    d.HoldSelectionEvents([this, &d, current, pressed, currentWasSelected] {
        if (d.IsItem(current) && current != pressed) {
            if (currentWasSelected)
                selectItem(current, false);
            else
                deselectItem(current);
        }
        clearAllChildNodeState(pressed);
    });
    if (!d.IsLive())
        return;
    if (wasSelected) {
        auto found = std::find(d.selectedList.begin(), d.selectedList.end(), pressed);
        if (found != d.selectedList.end())
            d.selectedList.erase(found);
    }
    d.anchorItem = nullptr;
}

void TreeViewQt::mouseReleaseEvent(QMouseEvent *event)
{
    pressTimer.invalidate();
    m_lastMousePosition = event->pos();
    auto d = impl();
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->pos());
        if (!index.isValid() || !d)
            return;
        bool live = true;
        if (TreeModel *model = d->VirtualModel())
            live = d->Fire(&TreeView::OnVirtualItemMouseUp, d->NodeOf(model->ItemFromIndex(index)));
        else if (QStandardItemModel *model = d->Model())
            live = d->Fire(&TreeView::OnItemMouseUp, d->ItemOf(model->itemFromIndex(index)));
        if (!live)
            return;
        if (TreeView *owner = m_owner.get())
            if (std::shared_ptr<ContextMenu> menu = owner->GetContextMenu())
                menu->Show(true);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    if (d && d->IsEnabledEditItems()) {
        QStandardItem *current = d->CurrentItem();
        if (current && !d->IsDisabledEditLabel(current))
            setEditTriggers(QAbstractItemView::SelectedClicked);
    }
    if (!d || !d->IsSetMultiSelection()) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    unsigned int flags = 0;
    if (d->HitTest(event->pos(), &flags) && !(flags & 0x36))
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier || !d->IsEnableRowsDragAndDrop() ||
        dragging) {
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    ClearSelectedItems(pressedItem);
    QTreeView::mouseReleaseEvent(event);
}

void TreeViewQt::mouseMoveEvent(QMouseEvent *event)
{
    auto d = impl();
    if (d && d->IsEnableRowsDragAndDrop()) {
        // A row drag starts only from a press held for 200 ms.
        if (!pressTimer.isValid() || (pressTimer.elapsed() >= 200 && pressedItem))
            QTreeView::mouseMoveEvent(event);
        else
            event->ignore();
        return;
    }
    if (event->buttons() & Qt::LeftButton)
        event->ignore();
}

std::pair<QStandardItem *, bool> TreeViewQt::dropPlace(QStandardItem *target) const
{
    switch (dropIndicatorPosition()) {
    case QAbstractItemView::BelowItem:
        return {target, false};
    case QAbstractItemView::AboveItem: {
        auto d = impl();
        if (QStandardItem *previous = d ? d->PrevSibling(target) : nullptr)
            return {previous, false};
        if (target->parent())
            return {target->parent(), true};
        return {nullptr, false};
    }
    case QAbstractItemView::OnItem:
    case QAbstractItemView::OnViewport:
    default:
        return {target, true};
    }
}

void TreeViewQt::dragMoveEvent(QDragMoveEvent *event)
{
    QStandardItem *target = itemAt(event->pos(), nullptr);
    auto d = impl();
    if (!target || !d)
        return;
    dragging = true;
    // The view places the indicator only while it is shown: an indicator
    // hidden by the last move would turn every later position into "on the
    // viewport".
    setDropIndicatorShown(true);
    QTreeView::dragMoveEvent(event);
    const DropIndicatorPosition position = dropIndicatorPosition();
    if (d->IsSingleRoot() && (position == AboveItem || position == BelowItem) && !target->parent()) {
        event->setDropAction(Qt::IgnoreAction);
        setDropIndicatorShown(false);
        return;
    }
    if (!canMove) {
        setDropIndicatorShown(true);
        return;
    }
    const std::list<QStandardItem *> selected = d->SelectedItems();
    std::vector<QStandardItem *> items(selected.begin(), selected.end());
    const std::pair<QStandardItem *, bool> place = dropPlace(target);
    setDropIndicatorShown(canMove(place.first, items, !place.second));
}

void TreeViewQt::dropEvent(QDropEvent *event)
{
    dragging = false;
    if (event->source() != this ||
        (event->dropAction() != Qt::MoveAction && dragDropMode() != QAbstractItemView::InternalMove)) {
        QAbstractItemView::dropEvent(event);
        return;
    }
    auto d = impl();
    QStandardItem *target = itemAt(event->pos(), nullptr);
    if (!d || !target)
        return;
    const std::list<QStandardItem *> selected = d->SelectedItems();
    std::vector<QStandardItem *> items(selected.begin(), selected.end());
    const std::pair<QStandardItem *, bool> place = dropPlace(target);
    MoveItems(items, place.first, place.second);
    d->selectedList.clear();
    // The rows moved here already: the drag source must not remove them.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
}

std::vector<QStandardItem *> TreeViewQt::movable(TreeView::impl &d, const std::vector<QStandardItem *> &items,
                                                 QStandardItem *target, bool asChild) const
{
    // Only rows of this tree move, each once (a row moves with its ancestor),
    // and never into themselves.
    std::vector<QStandardItem *> moving;
    for (QStandardItem *item : items)
        if (d.IsItem(item) && !hasAncestorIn(item, items) &&
            std::find(moving.begin(), moving.end(), item) == moving.end())
            moving.push_back(item);
    if (moving.empty() || (target && !d.IsItem(target)))
        return {};
    for (QStandardItem *item : moving)
        if (item == target || (target && hasAncestorIn(target, {item})))
            return {};
    // A single-root tree gets no second top-level row.
    const bool toTop = asChild ? !target : (!target || !target->parent());
    if (d.IsSingleRoot() && toTop)
        for (QStandardItem *item : moving)
            if (item->parent())
                return {};
    return moving;
}

bool TreeViewQt::MoveItems(std::vector<QStandardItem *> &items, QStandardItem *target, bool asChild)
{
    auto d = impl();
    if (!d || !d->Model() || items.empty())
        return false;
    if (canMove && !canMove(target, items, !asChild))
        return false;
    std::vector<QStandardItem *> moving = movable(*d, items, target, asChild);
    if (moving.empty())
        return false;
    if (!d->Fire(&TreeView::OnItemsDropping, d->ItemOf(target), items, !asChild))
        return false;
    // The handler may have removed any of them, the target or every row.
    moving = movable(*d, moving, target, asChild);
    QStandardItemModel *model = d->Model();
    if (moving.empty() || !model)
        return false;
    // Each row is taken out whole and put back: the same items, with their
    // children, data, check state, font, colour and tool tip. No handler runs
    // until every row is in its place.
    QStandardItem *parent = asChild ? target : (target ? target->parent() : nullptr);
    std::vector<QStandardItem *> moved;
    d->HoldSelectionEvents([&] {
        QStandardItem *after = target;
        QStandardItem *destination = parent ? parent : model->invisibleRootItem();
        for (QStandardItem *item : moving) {
            QStandardItem *source = item->parent() ? item->parent() : model->invisibleRootItem();
            const QList<QStandardItem *> row = source->takeRow(item->row());
            int position = 0;
            if (after && after != parent)
                position = after->row() + 1;
            destination->insertRow(position, row);
            selectItem(item, true);
            moved.push_back(item);
            after = item;
        }
        // Rows taken out lost their selection; the list keeps only what is selected.
        auto &listed = d->selectedList;
        listed.erase(std::remove_if(listed.begin(), listed.end(),
                                    [this, &d](QStandardItem *item) {
                                        return !d->IsItem(item) || !selectionModel()->isSelected(item->index());
                                    }),
                     listed.end());
    });
    if (parent && d->IsItem(parent))
        d->SetExpanded(parent, true);
    // The selection's and the expansion's handlers ran: what they removed is not reported.
    if (!d->IsLive())
        return true;
    moved.erase(std::remove_if(moved.begin(), moved.end(), [&d](QStandardItem *item) { return !d->IsItem(item); }),
                moved.end());
    d->Fire(&TreeView::OnItemsDropped, d->ItemOf(d->IsItem(target) ? target : nullptr), moved, !asChild);
    return true;
}

QModelIndex TreeViewQt::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const int changes = m_rowChanges;
    const QModelIndex next = QTreeView::moveCursor(action, modifiers);
    return m_rowChanges == changes ? next : currentIndex();
}

void TreeViewQt::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    ++m_rowChanges;
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void TreeViewQt::reset()
{
    ++m_rowChanges;
    QTreeView::reset();
}

void TreeViewQt::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles)
{
    QTreeView::dataChanged(topLeft, bottomRight, roles);
    if (topLeft != bottomRight || !topLeft.isValid() || roles.isEmpty())
        return;
    auto d = impl();
    QStandardItemModel *model = d ? d->Model() : nullptr;
    if (roles.contains(Qt::DisplayRole) && model) {
        if (QStandardItem *item = model->itemFromIndex(topLeft)) {
            const std::wstring text = item->data(Qt::DisplayRole).toString().toStdWString();
            // The first handler may remove the item, clear the tree or release the control.
            if (!d->Fire(&TreeView::OnItemTextChanged, d->ItemOf(item), text) || !d->IsItem(item))
                return;
            const std::wstring before = item->data(Qt::UserRole + 1).toString().toStdWString();
            if (!d->Fire(&TreeView::OnItemTextReplaced, d->ItemOf(item), before, text))
                return;
        }
    }
    if ((roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole) || roles.contains(Qt::DecorationRole)) &&
        !wordWrap() && updatesEnabled()) {
        header()->resizeSection(0, 0);
        resizeColumnToContents(0);
    }
}

} // namespace AUILib
