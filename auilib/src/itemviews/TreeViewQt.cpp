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
    d->List(item);
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
    d->Unlist(item);
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
    for (QStandardItem *item : d.ListedItems()) {
        if (item == keep)
            continue;
        selectionModel()->select(item->index(), QItemSelectionModel::Deselect);
        if (multi)
            selectionModel()->setCurrentIndex(item->index(), QItemSelectionModel::NoUpdate);
    }
    const bool listed = d.IsListed(keep);
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
            d->Unlist(child);
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

bool TreeViewQt::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The editor's handlers run once Qt has the editor and is done.
    EventGate::Hold hold;
    return QTreeView::edit(index, trigger, event);
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
        // What the keys change (an expansion, the current row) reaches the
        // handlers once Qt is done with the key.
        EventGate::Hold hold;
        QTreeView::keyPressEvent(event);
        return;
    }
    if (!d->Fire(&TreeView::OnMultiSelectionChanging))
        return;
    // One change, whose Changed follows the Changing whatever the handlers
    // did; looked up after the handler, which may have changed the rows.
    EventGate::Hold hold;
    QStandardItem *current = d->CurrentItem();
    if (!d->Held(d->anchorItem))
        d->anchorItem = d->HoldItem(current);
    QStandardItem *sibling = nullptr;
    if (current)
        sibling = key == Qt::Key_Down ? d->NextSibling(current) : d->PrevSibling(current);
    if (sibling)
        d->HoldSelectionEvents([this, current, sibling] {
            if (selectionModel()->isSelected(sibling->index()))
                deselectItem(current);
            selectItem(sibling, true);
            clearAllChildNodeState(sibling);
        });
    d->Fire(&TreeView::OnMultiSelectionChanged);
}

void TreeViewQt::keyReleaseEvent(QKeyEvent *event)
{
    auto d = impl();
    if (d && !d->Fire(&TreeView::OnKeyUp, SysKeyToAUIKey(event->key())))
        return;
    if (d && d->IsSetMultiSelection() && d->GetCheckMode() == 1) {
        if (event->key() == Qt::Key_Shift) {
            d->anchorItem = ItemRef<QStandardItem *>();
            d->clickedItem = ItemRef<QStandardItem *>();
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
    // What Qt's own press handling changes (the current row, the selection,
    // an expansion) reaches the handlers once Qt is done with the press.
    auto basePress = [this, event] {
        EventGate::Hold hold;
        QTreeView::mousePressEvent(event);
    };
    if (!d) {
        basePress();
        return;
    }
    if (!d->IsSetMultiSelection() || d->GetCheckMode() != 0) {
        d->selectedList.clear();
        basePress();
        return;
    }
    if (d->IsEnableRowsDragAndDrop())
        pressTimer.start();
    if (event->button() != Qt::LeftButton) {
        basePress();
        return;
    }
    unsigned int flags = 0;
    pressedItem = d->HoldItem(d->HitTest(event->pos(), &flags));
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (!(flags & 0x26)) {
        if (modifiers != Qt::ShiftModifier && modifiers != Qt::ControlModifier)
            basePress();
        return;
    }
    d->clickedItem = pressedItem;
    if (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier) {
        pressWithModifiers(event, *d);
        return;
    }
    d->anchorItem = ItemRef<QStandardItem *>();
    if (!d->Fire(&TreeView::OnMultiSelectionChanging))
        return;
    // The click that ends this press brings the Changed; a release that is
    // no click brings it itself.
    m_changedOwed = true;
    EventGate::Hold hold;
    QStandardItem *pressed = d->Held(pressedItem);
    if (!(d->IsEnableRowsDragAndDrop() && d->IsListed(pressed)))
        ClearSelectedItems(pressed);
    QTreeView::mousePressEvent(event);
}

void TreeViewQt::pressWithModifiers(QMouseEvent *event, TreeView::impl &d)
{
    const bool shift = event->modifiers() == Qt::ShiftModifier;
    if (shift) {
        if (!d.Held(d.anchorItem))
            d.anchorItem = d.HoldItem(d.CurrentItem());
        QStandardItem *anchor = d.Held(d.anchorItem);
        QStandardItem *pressed = d.Held(pressedItem);
        if (!anchor || !pressed || pressed->parent() != anchor->parent())
            return;
    }
    if (!d.Fire(&TreeView::OnMultiSelectionChanging))
        return;
    // One change: its events reach the handlers once it is whole, the
    // Changed last, whatever the Changing's handlers did.
    EventGate::Hold hold;
    if (shift)
        selectRangeByClick(d);
    else
        toggleByClick(d);
    d.Fire(&TreeView::OnMultiSelectionChanged);
}

void TreeViewQt::selectRangeByClick(TreeView::impl &d)
{
    // Looked up again: the Changing's handlers may have changed the rows.
    QStandardItem *anchor = d.Held(d.anchorItem);
    QStandardItem *pressed = d.Held(pressedItem);
    if (!anchor || !pressed || pressed->parent() != anchor->parent())
        return;
    SelectItems(anchor, pressed);
    d.Fire(&TreeView::OnItemClicked, pressedItem);
}

void TreeViewQt::toggleByClick(TreeView::impl &d)
{
    QStandardItem *pressed = d.Held(pressedItem);
    if (!pressed)
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
        d.Fire(&TreeView::OnSelectionChanged, pressedItem);
    } else {
        SelectItem(pressed, true);
    }
    d.Fire(&TreeView::OnItemClicked, pressedItem);
    d.HoldSelectionEvents([this, current, pressed, currentWasSelected] {
        if (current && current != pressed) {
            if (currentWasSelected)
                selectItem(current, false);
            else
                deselectItem(current);
        }
        clearAllChildNodeState(pressed);
    });
    if (wasSelected)
        d.Unlist(pressed);
    d.anchorItem = ItemRef<QStandardItem *>();
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
    // The click Qt's release handling reports reaches the handlers once Qt
    // is done with the release; a multi-selection press whose release is no
    // click brings its Changed here.
    auto baseRelease = [this, event, &d] {
        {
            EventGate::Hold hold;
            QTreeView::mouseReleaseEvent(event);
        }
        if (d && m_changedOwed) {
            m_changedOwed = false;
            d->Fire(&TreeView::OnMultiSelectionChanged);
        }
    };
    if (event->button() != Qt::LeftButton) {
        baseRelease();
        return;
    }
    if (d && d->IsEnabledEditItems()) {
        QStandardItem *current = d->CurrentItem();
        if (current && !d->IsDisabledEditLabel(current))
            setEditTriggers(QAbstractItemView::SelectedClicked);
    }
    if (!d || !d->IsSetMultiSelection()) {
        baseRelease();
        return;
    }
    unsigned int flags = 0;
    if (d->HitTest(event->pos(), &flags) && !(flags & 0x36)) {
        if (m_changedOwed) {
            m_changedOwed = false;
            d->Fire(&TreeView::OnMultiSelectionChanged);
        }
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ShiftModifier || modifiers == Qt::ControlModifier || !d->IsEnableRowsDragAndDrop() ||
        dragging) {
        baseRelease();
        return;
    }
    {
        EventGate::Hold hold;
        ClearSelectedItems(d->Held(pressedItem));
    }
    baseRelease();
}

void TreeViewQt::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click may expand: its handlers run once Qt is done with it.
    EventGate::Hold hold;
    QTreeView::mouseDoubleClickEvent(event);
}

void TreeViewQt::ClickReported()
{
    m_changedOwed = false;
}

void TreeViewQt::mouseMoveEvent(QMouseEvent *event)
{
    auto d = impl();
    if (d && d->IsEnableRowsDragAndDrop()) {
        // A row drag starts only from a press held for 200 ms.
        if (!pressTimer.isValid() || (pressTimer.elapsed() >= 200 && d->Held(pressedItem)))
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
    if (d->IsLive())
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
    // Held across the Dropping handler, which may remove any of them, the
    // target or every row.
    std::vector<ItemRef<QStandardItem *>> held;
    for (QStandardItem *item : moving)
        held.push_back(d->HoldItem(item));
    const ItemRef<QStandardItem *> heldTarget = d->HoldItem(target);
    if (!d->Fire(&TreeView::OnItemsDropping, d->ItemOf(target), items, !asChild) || !d->Model() ||
        !heldTarget.IsThere())
        return false;
    target = d->Held(heldTarget);
    moving.clear();
    for (const ItemRef<QStandardItem *> &item : held)
        if (QStandardItem *still = d->Held(item))
            moving.push_back(still);
    moving = movable(*d, moving, target, asChild);
    if (moving.empty())
        return false;
    // One change: no handler runs until every row is in its place, the
    // target expanded and the move reported.
    EventGate::Hold hold;
    std::vector<ItemRef<QStandardItem *>> moved = moveRows(*d, moving, target, asChild);
    QStandardItem *parent = asChild ? target : (target ? target->parent() : nullptr);
    if (parent)
        d->SetExpanded(parent, true);
    // Reported when the held events are, with the items still there then.
    EventGate::Deliver([weak = std::weak_ptr<TreeView::impl>(d), target = d->HoldItem(target), moved = std::move(moved),
                        asSibling = !asChild] {
        const std::shared_ptr<TreeView::impl> self = weak.lock();
        if (!self)
            return;
        std::vector<QStandardItem *> items;
        for (const ItemRef<QStandardItem *> &item : moved)
            if (QStandardItem *still = TreeView::impl::Held(item))
                items.push_back(still);
        self->Fire(&TreeView::OnItemsDropped, self->ItemOf(TreeView::impl::Held(target)), items, asSibling);
    });
    return true;
}

std::vector<ItemRef<QStandardItem *>> TreeViewQt::moveRows(TreeView::impl &d,
                                                           const std::vector<QStandardItem *> &moving,
                                                           QStandardItem *target, bool asChild)
{
    // Each row is taken out whole and put back: the same items, with their
    // children, data, check state, font, colour and tool tip.
    QStandardItemModel *model = d.Model();
    QStandardItem *parent = asChild ? target : (target ? target->parent() : nullptr);
    std::vector<ItemRef<QStandardItem *>> moved;
    d.HoldSelectionEvents([&] {
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
            moved.push_back(d.HoldItem(item));
            after = item;
        }
        // Rows taken out lost their selection; the list keeps only what is selected.
        auto &listed = d.selectedList;
        listed.erase(std::remove_if(listed.begin(), listed.end(),
                                    [this](const ItemRef<QStandardItem *> &item) {
                                        return !item.IsThere() || !selectionModel()->isSelected(item.Index());
                                    }),
                     listed.end());
    });
    return moved;
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
            const std::wstring before = item->data(Qt::UserRole + 1).toString().toStdWString();
            // The first handler may remove the item (the second event then
            // names nothing and is dropped), clear the tree or release the control.
            const ItemRef<QStandardItem *> changed = d->HoldItem(item);
            if (!d->Fire(&TreeView::OnItemTextChanged, changed, text) ||
                !d->Fire(&TreeView::OnItemTextReplaced, changed, before, text))
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
