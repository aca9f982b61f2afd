#include "ListBoxQt.h"

#include "ItemDelegate.h"
#include "ListBoxImpl.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <set>
#include <vector>

namespace AUILib {

ListBoxQt::ListBoxQt(ListBox *owner, QWidget *parent)
    : QTableWidget(parent)
    , m_owner(owner)
{
}

std::shared_ptr<ListBox::impl> ListBoxQt::list() const
{
    ListBox *owner = m_owner.get();
    return owner ? std::static_pointer_cast<ListBox::impl>(owner->GetBaseImpl()) : nullptr;
}

void ListBoxQt::clearSelectionQuietly()
{
    setUpdatesEnabled(false);
    clearSelection();
    setUpdatesEnabled(true);
}

QTableWidgetItem *ListBoxQt::HitTest(Point point, unsigned int *flags, int *column, Size *size)
{
    const QPoint pt(point.x, point.y);
    QTableWidgetItem *cell = itemAt(pt);
    const QModelIndex index = indexAt(pt);
    if (!cell) {
        if (column)
            *column = -1;
        if (flags)
            *flags = 1;
        return nullptr;
    }
    const std::shared_ptr<ListBox::impl> owner = list();
    int hitColumn = index.column();
    unsigned int hit = 0;
    int itemWidth = 0;
    const QRect cellRect = visualItemRect(cell);
    if (hitColumn != 0) {
        hit = cellRect.contains(pt) ? 4 : 0;
        if (owner && owner->RowButtonColumn() == hitColumn) {
            hitColumn -= 1;
            hit = 16;
        }
        itemWidth = fontMetrics().horizontalAdvance(cell->text());
    } else {
        const bool checks = owner && owner->GetCheckMode() != ListBox::NoCheck;
        QStyleOptionViewItem option;
        option.initFrom(this);
        option.font = font();
        option.fontMetrics = fontMetrics();
        const int alignment = cell->textAlignment();
        option.displayAlignment =
            alignment ? Qt::Alignment(alignment) : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
        option.text = cell->text();
        option.features |= QStyleOptionViewItem::HasDisplay;
        option.rect = cellRect;
        const bool picture = !cell->icon().isNull();
        if (picture) {
            option.features |= QStyleOptionViewItem::HasDecoration;
            option.icon = cell->icon();
            option.decorationSize = iconSize();
        }
        if (checks) {
            option.features |= QStyleOptionViewItem::HasCheckIndicator;
            option.checkState = cell->checkState();
        }
        const QRect check = style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this);
        QRect pictureRect;
        if (picture) {
            pictureRect = style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
            const int cellHeight = cellRect.bottom() - cellRect.top();
            const int pictureHeight = pictureRect.bottom() - pictureRect.top();
            pictureRect.translate(checks ? check.left() : 6, 3 + (cellHeight - pictureHeight) / 2);
        }
        if (checks && check.contains(pt))
            hit |= 8;
        if (picture && pictureRect.contains(pt))
            hit |= 2;
        if (!hit && cellRect.contains(pt))
            hit = 4;
        const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
        itemWidth = (text.right() - text.left()) + (picture ? pictureRect.right() : check.right()) + 1;
    }
    if (column)
        *column = hitColumn;
    if (flags)
        *flags = hit;
    if (size)
        *size = Size{itemWidth + 11, cellRect.height()};
    return cell;
}

void ListBoxQt::mousePressEvent(QMouseEvent *event)
{
    std::shared_ptr<ListBox::impl> owner = list();
    // The start is reported before the press is looked at: its handler may
    // change the rows under the cursor, or release the list (the table then
    // takes the press as a plain table).
    if (owner && extended() && !owner->Fire(&ListBox::OnSelectionBegin))
        owner.reset();
    unsigned int flags = 0;
    QTableWidgetItem *cell = HitTest(Point{event->pos().x(), event->pos().y()}, &flags, nullptr, nullptr);
    if (!cell) {
        if (m_pressArmed && extended() && event->button() == Qt::LeftButton && selectionModel()->hasSelection())
            clearSelectionQuietly();
        m_blockMouseMove = m_selectOnFocus;
    } else {
        const int row = cell->row();
        if (m_selectOnFocus) {
            const bool rowSelected = selectionModel()->isRowSelected(row, QModelIndex());
            m_blockMouseMove = cell->isSelected() && selectionModel()->selectedRows().size() >= 2;
            if (m_pressArmed && rowSelected)
                clearSelectionQuietly();
        }
        if (owner) {
            const ListBox::CheckMode mode = owner->GetCheckMode();
            if (mode == ListBox::CheckWithSelection && !extended()) {
                owner->SetCheck(row, !owner->GetCheck(row));
            } else if (mode == ListBox::CheckWithSelection) {
                // Clearing the selection reports its begin and end: the row
                // is looked for again afterwards.
                const QPersistentModelIndex pressed = indexFromItem(cell);
                if (flags & 8)
                    owner->ClearSel();
                if (!owner->IsLive() || !pressed.isValid()) {
                    m_pressArmed = true;
                    QAbstractItemView::mousePressEvent(event);
                    return;
                }
                const int pressedRow = pressed.row();
                if (event->modifiers() == Qt::ShiftModifier) {
                    const int current = selectionModel()->currentIndex().row();
                    owner->SetCheck(pressedRow, owner->GetCheck(current));
                } else {
                    owner->SetCheck(pressedRow, !owner->GetCheck(pressedRow));
                }
            } else if (mode == ListBox::CheckOnIndicator && (flags & 8)) {
                owner->SetCheck(row, !owner->GetCheck(row));
            }
        }
    }
    m_pressArmed = true;
    QAbstractItemView::mousePressEvent(event);
}

void ListBoxQt::mouseReleaseEvent(QMouseEvent *event)
{
    if (extended() && m_selectOnFocus) {
        setSelectionMode(QAbstractItemView::SingleSelection);
        QAbstractItemView::mouseReleaseEvent(event);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_blockMouseMove = false;
    } else {
        QAbstractItemView::mouseReleaseEvent(event);
    }
    if (extended()) {
        if (const std::shared_ptr<ListBox::impl> owner = list())
            owner->Fire(&ListBox::OnSelectionEnd);
    }
    m_leftDrag = false;
}

void ListBoxQt::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        m_leftDrag = true;
    if (!m_blockMouseMove)
        QTableWidget::mouseMoveEvent(event);
}

void ListBoxQt::wheelEvent(QWheelEvent *event)
{
    if (const std::shared_ptr<ListBox::impl> owner = list()) {
        if (ItemDelegate *delegate = owner->Delegate())
            delegate->CloseAllEditors();
    }
    QTableWidget::wheelEvent(event);
}

void ListBoxQt::keyPressEvent(QKeyEvent *event)
{
    if (extended() && event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier)) {
        if (const std::shared_ptr<ListBox::impl> owner = list())
            owner->Fire(&ListBox::OnSelectionBegin);
    }
    QAbstractItemView::keyPressEvent(event);
}

void ListBoxQt::keyReleaseEvent(QKeyEvent *event)
{
    if (extended() && event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier)) {
        if (const std::shared_ptr<ListBox::impl> owner = list())
            owner->Fire(&ListBox::OnSelectionEnd);
    }
    QWidget::keyReleaseEvent(event);
}

void ListBoxQt::keyboardSearch(const QString &search)
{
    if (m_automaticSearch)
        QAbstractItemView::keyboardSearch(search);
}

void ListBoxQt::focusInEvent(QFocusEvent *event)
{
    m_pressArmed = !(event->reason() == Qt::MouseFocusReason && m_selectOnFocus);
    const std::shared_ptr<ListBox::impl> owner = list();
    if (owner && owner->Delegate())
        owner->ApplyShowSelection(owner->Delegate()->ShowsSelection());
    QTableWidget::focusInEvent(event);
    if (owner && m_selectOnFocus && !selectionModel()->hasSelection()) {
        const int row = currentRow();
        if (model()->index(row, 0).isValid()) {
            m_selectingOnFocus = true;
            owner->SetSel(row, true, true);
            m_selectingOnFocus = false;
        }
    }
}

void ListBoxQt::focusOutEvent(QFocusEvent *event)
{
    m_pressArmed = false;
    QTableWidget::focusOutEvent(event);
}

void ListBoxQt::dropEvent(QDropEvent *event)
{
    if (event->source() != this ||
        (event->dropAction() != Qt::MoveAction && dragDropMode() != QAbstractItemView::InternalMove)) {
        event->ignore();
        return;
    }
    MoveSelectedRows(indexAt(event->pos()).row());
    // The rows are moved already: a move action would have the view remove
    // the selected (now moved) rows once the drag ends.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
}

void ListBoxQt::MoveSelectedRows(int target)
{
    if (isSortingEnabled()) {
        setSortingEnabled(false);
        horizontalHeader()->setSortIndicatorShown(true);
    }
    // After the last row: the row count (-1 would insert nothing).
    if (target < 0 || target > rowCount())
        target = rowCount();
    std::set<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty())
        return;
    const int moved = static_cast<int>(rows.size());
    for (int i = 0; i < moved; ++i)
        insertRow(target);
    // Whole rows move, empty cells included; the selection may hold any cells
    // of them. Each cell placed reports OnItemChanged to the list: the move
    // stops where a handler added or removed rows (the indexes would no
    // longer be the rows meant), leaving every cell in some row.
    const int rowsDuringMove = rowCount();
    std::vector<int> sources;
    int destination = target;
    for (int row : rows) {
        const int source = row >= target ? row + moved : row;
        for (int column = 0; column < columnCount() && rowCount() == rowsDuringMove; ++column) {
            if (QTableWidgetItem *cell = takeItem(source, column))
                setItem(destination, column, cell);
        }
        if (rowCount() != rowsDuringMove)
            return;
        sources.push_back(source);
        ++destination;
    }
    // The old rows' selection goes before they are removed, so that its
    // report comes from outside Qt's removal.
    selectionModel()->clearSelection();
    if (rowCount() != rowsDuringMove)
        return;
    for (auto it = sources.rbegin(); it != sources.rend(); ++it)
        removeRow(*it);
}

} // namespace AUILib
