#pragma once

#include "AUITypes.h"
#include "ListBox.h"
#include "OwnerRef.h"

#include <QTableWidget>

#include <memory>

namespace AUILib {

// The list box's table: check marks that follow clicks, selection begin and
// end around presses and Ctrl+A, selection on focus, rows moved by drag and
// drop within the list, and the hit test. It reaches its list only through
// the owning control, and does nothing of the list's once that is gone.
class ListBoxQt : public QTableWidget
{
    Q_OBJECT

public:
    explicit ListBoxQt(ListBox *owner = nullptr, QWidget *parent = nullptr);

    // The cell at `point` (viewport coordinates) or null; any output may be null.
    QTableWidgetItem *HitTest(Point point, unsigned int *flags, int *column, Size *size);

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
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    std::shared_ptr<ListBox::impl> list() const;
    bool extended() const { return selectionMode() == QAbstractItemView::ExtendedSelection; }
    void clearSelectionQuietly();

    OwnerRef<ListBox> m_owner;
    bool m_selectingOnFocus = false;
    bool m_pressArmed = false;
    bool m_selectOnFocus = true;
    bool m_leftDrag = false;
    bool m_automaticSearch = true;
    bool m_blockMouseMove = false;
};

} // namespace AUILib
