#include "ListBoxQt.h"

#include "BaseImplQt.h"
#include "ItemDelegate.h"
#include "ListBoxImpl.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <set>
#include <utility>
#include <vector>

namespace AUILib {

ListBoxQt::ListBoxQt(ListBox *owner, QWidget *parent)
    : QTableWidget(parent)
    , m_owner(owner)
{
    // Connected after the view and its selection model: the hold ends once
    // they are done with the removal.
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &ListBoxQt::removalDone);
}

void ListBoxQt::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    m_removals.push_back(std::make_unique<EventGate::Hold>());
    QTableWidget::rowsAboutToBeRemoved(parent, start, end);
}

void ListBoxQt::removalDone()
{
    if (m_removals.empty())
        return;
    // Qt took the editor of a removed cell away without closing it.
    if (const std::shared_ptr<ListBox::impl> owner = list())
        owner->EndEditOfRemovedCell();
    // Ending the hold delivers what waited, and a handler may delete this
    // table: nothing of it is touched afterwards.
    const std::unique_ptr<EventGate::Hold> hold = std::move(m_removals.back());
    m_removals.pop_back();
}

bool ListBoxQt::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The editor's start is reported once Qt has placed it (or a check box's
    // change once Qt is done with the click).
    EventGate::Hold hold;
    return QTableWidget::edit(index, trigger, event);
}

void ListBoxQt::commitData(QWidget *editor)
{
    // A sorted table moves the edited row as the text is written.
    EventGate::Hold hold;
    QTableWidget::commitData(editor);
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
            // In long long: a row scrolled far out of sight has edges near the ends of int.
            const long long cellHeight = static_cast<long long>(cellRect.bottom()) - cellRect.top();
            const long long pictureHeight = static_cast<long long>(pictureRect.bottom()) - pictureRect.top();
            pictureRect.moveTo(BaseImplQt::Saturated(static_cast<long long>(pictureRect.left()) +
                                                      (checks ? check.left() : 6)),
                               BaseImplQt::Saturated(pictureRect.top() + 3 + (cellHeight - pictureHeight) / 2));
        }
        if (checks && check.contains(pt))
            hit |= 8;
        if (picture && pictureRect.contains(pt))
            hit |= 2;
        if (!hit && cellRect.contains(pt))
            hit = 4;
        const QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
        itemWidth = BaseImplQt::Saturated(static_cast<long long>(text.right()) - text.left() +
                                          (picture ? pictureRect.right() : check.right()) + 1);
    }
    if (column)
        *column = hitColumn;
    if (flags)
        *flags = hit;
    if (size)
        *size = Size{BaseImplQt::Saturated(itemWidth + 11LL),
                     BaseImplQt::Saturated(static_cast<long long>(cellRect.bottom()) - cellRect.top() + 1)};
    return cell;
}

void ListBoxQt::mousePressEvent(QMouseEvent *event)
{
    std::shared_ptr<ListBox::impl> owner = list();
    // The start is reported before the press is looked at: its handler may
    // change the rows under the cursor, or release the list (the table then
    // takes the press as a plain table).
    if (owner && extended() && !m_pressBegun) {
        if (owner->Fire(&ListBox::OnSelectionBegin))
            m_pressBegun = true;
        else
            owner.reset();
    }
    // What the press changes (the selection, check marks) is reported once
    // Qt has taken it.
    EventGate::Hold hold;
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
                if (flags & 8)
                    owner->ClearSel();
                if (event->modifiers() == Qt::ShiftModifier) {
                    const int current = selectionModel()->currentIndex().row();
                    owner->SetCheck(row, owner->GetCheck(current));
                } else {
                    owner->SetCheck(row, !owner->GetCheck(row));
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
    const QPointer<ListBoxQt> self(this);
    {
        // A click (and any selection the release makes) is reported once the
        // release is done and the mode is the list's again.
        EventGate::Hold hold;
        if (extended() && m_selectOnFocus) {
            setSelectionMode(QAbstractItemView::SingleSelection);
            QAbstractItemView::mouseReleaseEvent(event);
            setSelectionMode(QAbstractItemView::ExtendedSelection);
            m_blockMouseMove = false;
        } else {
            QAbstractItemView::mouseReleaseEvent(event);
        }
    }
    // Every begin has its end, whatever the handlers made of the mode.
    if (self && std::exchange(m_pressBegun, false)) {
        if (const std::shared_ptr<ListBox::impl> owner = list())
            owner->Fire(&ListBox::OnSelectionEnd);
    }
    if (self)
        m_leftDrag = false;
}

void ListBoxQt::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A double click is reported once Qt is done with it (it may open an editor).
    EventGate::Hold hold;
    QTableWidget::mouseDoubleClickEvent(event);
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
    // The end of an open edit is reported once the wheel has scrolled.
    EventGate::Hold hold;
    if (const std::shared_ptr<ListBox::impl> owner = list()) {
        if (ItemDelegate *delegate = owner->Delegate())
            delegate->CloseAllEditors();
    }
    QTableWidget::wheelEvent(event);
}

void ListBoxQt::keyPressEvent(QKeyEvent *event)
{
    if (extended() && event->key() == Qt::Key_A && (event->modifiers() & Qt::ControlModifier) && !m_selectAllBegun) {
        if (const std::shared_ptr<ListBox::impl> owner = list())
            m_selectAllBegun = owner->Fire(&ListBox::OnSelectionBegin);
    }
    // What the key changes is reported once Qt is done with it.
    EventGate::Hold hold;
    QAbstractItemView::keyPressEvent(event);
}

void ListBoxQt::keyReleaseEvent(QKeyEvent *event)
{
    // The end comes with the release of A, whether Ctrl is still down or not.
    if (event->key() == Qt::Key_A && std::exchange(m_selectAllBegun, false)) {
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
    // The move is reported once the drop is done.
    EventGate::Hold hold;
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
    // Each cell placed reports OnItemChanged, the old rows leave the
    // selection, and Qt moves the current row inside their removal: all of
    // it is reported once the rows are whole again, under their new numbers.
    EventGate::Hold hold;
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
    // Whole rows move, empty cells included; the selection may hold any cells of them.
    std::vector<std::pair<int, int>> moves;
    int destination = target;
    for (int row : rows) {
        const int source = row >= target ? row + moved : row;
        for (int column = 0; column < columnCount(); ++column) {
            if (QTableWidgetItem *cell = takeItem(source, column))
                setItem(destination, column, cell);
        }
        moves.emplace_back(source, destination);
        ++destination;
    }
    // A row is its cells: what the list knows of the old rows goes with them.
    if (const std::shared_ptr<ListBox::impl> owner = list())
        owner->FollowMovedRows(moves);
    selectionModel()->clearSelection();
    for (auto it = moves.rbegin(); it != moves.rend(); ++it)
        removeRow(it->first);
}

void ListBoxQt::startDrag(Qt::DropActions supportedActions)
{
    // The drop (and the removal of rows moved elsewhere) happens inside the
    // drag: what they report waits until the drag is over.
    EventGate::Hold hold;
    QTableWidget::startDrag(supportedActions);
}

} // namespace AUILib
