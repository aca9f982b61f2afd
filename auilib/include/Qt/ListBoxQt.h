#pragma once

#include "AUITypes.h"
#include "EventGate.h"
#include "ListBox.h"
#include "OwnerRef.h"

#include <QTableWidget>

#include <memory>
#include <vector>

namespace AUILib {

// The list box's table: check marks that follow clicks, selection begin and
// end around presses and Ctrl+A, selection on focus, rows moved by drag and
// drop within the list, and the hit test. It reaches its list only through
// the owning control, and does nothing of the list's once that is gone.
//
// What Qt does on the user's input (a press, a release, a key, an editor
// opening or committing, a drop) and Qt's own removals of rows run with the
// toolkit's events held (EventGate): the list's handlers run once Qt's work
// is done, never from its middle.
class ListBoxQt : public QTableWidget
{
    Q_OBJECT

public:
    explicit ListBoxQt(ListBox *owner = nullptr, QWidget *parent = nullptr);

    using QAbstractItemView::edit;

    // The cell at `point` (viewport coordinates) or null; any output may be null.
    QTableWidgetItem *HitTest(Point point, unsigned int *flags, int *column, Size *size);
    // The model index of a cell of this table.
    QModelIndex IndexOf(const QTableWidgetItem *cell) const { return indexFromItem(cell); }

    void SetSelectOnFocus(bool on) { m_selectOnFocus = on; }
    bool SelectOnFocus() const { return m_selectOnFocus; }
    void SetBlockMouseMove(bool block) { m_blockMouseMove = block; }
    void SetAutomaticSearch(bool on) { m_automaticSearch = on; }
    bool AutomaticSearch() const { return m_automaticSearch; }
    bool SelectingOnFocus() const { return m_selectingOnFocus; }
    bool LeftDrag() const { return m_leftDrag; }

    // Moves the selected rows, whole, to `target` (after the last row when it
    // is -1 or past the end); sorting is switched off for good, the header
    // keeps its indicator. The body of a row drop within the list.
    void MoveSelectedRows(int target);

    void keyboardSearch(const QString &search) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    // An editor opens (and a check box is clicked) from here.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void commitData(QWidget *editor) override;
    // The view moves the current row away from rows about to go, and with it
    // the selection, before any other part of Qt hears of the removal: the
    // events are held from here to the end of the removal.
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;

private:
    std::shared_ptr<ListBox::impl> list() const;
    bool extended() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void clearSelectionQuietly();
    // Ends the hold the latest removal began.
    void removalDone();

    OwnerRef<ListBox> m_owner;
    // One hold for each removal under way (removals nest).
    std::vector<std::unique_ptr<EventGate::Hold>> m_removals;
    bool m_selectingOnFocus = false;
    bool m_pressArmed = false;
    bool m_selectOnFocus = true;
    bool m_leftDrag = false;
    bool m_automaticSearch = true;
    bool m_blockMouseMove = false;
    // A begin of the selection was reported for the press, or for Ctrl+A,
    // whose end is still to come.
    bool m_pressBegun = false;
    bool m_selectAllBegun = false;
};

} // namespace AUILib
