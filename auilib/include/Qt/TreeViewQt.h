#pragma once

#include "ItemRef.h"
#include "OwnerRef.h"
#include "TreeView.h"

#include <QElapsedTimer>
#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

class QStandardItem;

namespace AUILib {

class TreeView;

// The tree control's widget: multi-selection of items (Shift and Control
// gestures among siblings, Shift+Up/Down), key-release and right-click
// events, the context menu, a press held 200 ms before a row drag, row moves
// by drag and drop with a can-move predicate, and text-change events.
class TreeViewQt : public QTreeView
{
    Q_OBJECT

public:
    using CanMoveFunc = std::function<bool(QStandardItem *, std::vector<QStandardItem *> &, bool)>;

    explicit TreeViewQt(TreeView *owner = nullptr, QWidget *parent = nullptr);
    ~TreeViewQt() override;

    void SelectItem(QStandardItem *item, bool makeCurrent);
    void DeselectItem(QStandardItem *item, bool unused);
    // Deselects every listed item but `keep`, which stays (or becomes) selected.
    void ClearSelectedItems(QStandardItem *keep);
    void ClearAllChildNodeState(QStandardItem *item);
    // Selects the siblings from `from` to `to`; false for items of different parents.
    bool SelectItems(QStandardItem *from, QStandardItem *to);
    void SetDragAndDropCanMove(const CanMoveFunc &canMove);
    // Moves the items to the target (as its children or after it) as a drop
    // does; false when nothing moved.
    bool MoveItems(std::vector<QStandardItem *> &items, QStandardItem *target, bool asChild);
    // The click that ends a multi-selection press was reported with its Changed.
    void ClickReported();
    using QTreeView::edit;
    // Where the last mouse button went down or up, in viewport coordinates.
    QPoint LastMousePosition() const { return m_lastMousePosition; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;

private:
    std::shared_ptr<TreeView::impl> impl() const;
    QStandardItem *itemAt(const QPoint &point, unsigned int *flags) const;
    void pressWithModifiers(QMouseEvent *event, TreeView::impl &d);
    // The Shift and the Control gestures, inside their change.
    void selectRangeByClick(TreeView::impl &d);
    void toggleByClick(TreeView::impl &d);
    // Takes the rows out and puts them at the target, selected; the moved items.
    std::vector<ItemRef<QStandardItem *>> moveRows(TreeView::impl &d, const std::vector<QStandardItem *> &moving,
                                                   QStandardItem *target, bool asChild);
    // The helpers' bodies, run with the selection events held back: no handler
    // runs between their steps.
    void holdSelectionEvents(const std::function<void()> &change);
    void selectItem(QStandardItem *item, bool makeCurrent);
    void deselectItem(QStandardItem *item);
    void clearSelectedItems(TreeView::impl &d, QStandardItem *keep);
    void clearAllChildNodeState(QStandardItem *item);
    // The items that may move to the target, empty when the move is refused.
    std::vector<QStandardItem *> movable(TreeView::impl &d, const std::vector<QStandardItem *> &items,
                                         QStandardItem *target, bool asChild) const;
    // Where a drop at the indicator puts the items: (target, as child).
    std::pair<QStandardItem *, bool> dropPlace(QStandardItem *target) const;

    OwnerRef<TreeView> m_owner;
    QElapsedTimer pressTimer;
    ItemRef<QStandardItem *> pressedItem;
    CanMoveFunc canMove;
    bool dragging = false;
    QPoint m_lastMousePosition;
    // A multi-selection press fired Changing; its click has not fired Changed yet.
    bool m_changedOwed = false;
};

} // namespace AUILib
