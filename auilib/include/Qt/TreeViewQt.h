#pragma once

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
    // Drops the widget's own reference to an item leaving the tree (null: to any).
    void ForgetItem(QStandardItem *item);
    // Where the last mouse button went down or up, in viewport coordinates.
    QPoint LastMousePosition() const { return m_lastMousePosition; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;
    // An expansion on the way may fire a handler that rebuilds the rows: the
    // index the view computed before it is then replaced by the current one.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;

public:
    void reset() override;

protected:

private:
    std::shared_ptr<TreeView::impl> impl() const;
    QStandardItem *itemAt(const QPoint &point, unsigned int *flags) const;
    void pressWithModifiers(QMouseEvent *event, TreeView::impl &d);
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
    QStandardItem *pressedItem = nullptr;
    CanMoveFunc canMove;
    bool dragging = false;
    QPoint m_lastMousePosition;
    // Counts resets and removals of rows.
    int m_rowChanges = 0;
};

} // namespace AUILib
