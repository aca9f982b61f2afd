// The list box's selection: setting and reading it, and reporting each row
// whose selection changed.
#include "ListBoxImpl.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <algorithm>
#include <set>

namespace AUILib {

bool ListBox::impl::deselectRows(int first, int last)
{
    ListBoxQt *table = Table();
    QItemSelectionModel *selection = table ? table->selectionModel() : nullptr;
    if (!selection)
        return false;
    for (const QItemSelectionRange &range : selection->selection()) {
        if (range.top() <= last && range.bottom() >= first) {
            const QItemSelection rows(table->model()->index(first, 0),
                                      table->model()->index(last, std::max(0, table->columnCount() - 1)));
            selection->select(rows, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
            break;
        }
    }
    return IsLive() && Table();
}

std::list<int> ListBox::impl::selectedRows() const
{
    std::set<int> rows;
    if (ListBoxQt *table = Table()) {
        for (const QItemSelectionRange &range : table->selectionModel()->selection()) {
            if (range.left() > 0)
                continue;
            for (int row = range.top(); row <= range.bottom(); ++row)
                rows.insert(row);
        }
    }
    return std::list<int>(rows.begin(), rows.end());
}

void ListBox::impl::SetSel(int row, bool select, bool setCurrent)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr;
    if (!cell)
        return;
    const QModelIndex index = table->model()->index(row, 0);
    if (!index.isValid())
        return;
    // The selection change is reported; its handlers may change the list.
    const QPersistentModelIndex target(index);
    {
        // Inside the selection handler a change must not start another round.
        const QSignalBlocker blocker(m_inSelectionHandler ? table : nullptr);
        QItemSelectionModel *selection = table->selectionModel();
        if (setCurrent)
            selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        QItemSelectionModel::SelectionFlags command = QItemSelectionModel::Deselect | QItemSelectionModel::Rows;
        if (select)
            command = (m_singleSelection ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select) |
                      QItemSelectionModel::Rows;
        selection->select(index, command);
    }
    if (!stillThere(target))
        return;
    if (m_checkMode == CheckWithSelection && !Table()->SelectingOnFocus())
        SetCheck(target.row(), select, false);
    if (!stillThere(target))
        return;
    Table()->viewport()->update();
    if (QTableWidgetItem *shown = Table()->item(target.row(), 0))
        Table()->scrollToItem(shown, QAbstractItemView::EnsureVisible);
}

void ListBox::impl::ClearSel()
{
    if (!Table())
        return;
    // Begin and end stay a pair, whatever a handler makes of the mode.
    const bool extended = !m_singleSelection;
    if (extended && !Fire(&ListBox::OnSelectionBegin))
        return;
    if (ListBoxQt *table = Table())
        table->clearSelection();
    if (extended && IsLive())
        Fire(&ListBox::OnSelectionEnd);
}

std::list<int> ListBox::impl::SelectedItemsIndexes()
{
    return selectedRows();
}

std::list<std::wstring> ListBox::impl::SelectedItems()
{
    std::list<std::wstring> texts;
    ListBoxQt *table = Table();
    for (int row : selectedRows()) {
        if (QTableWidgetItem *cell = table->item(row, 0))
            texts.push_back(cell->text().toStdWString());
    }
    return texts;
}

bool ListBox::impl::IsSingleSelection()
{
    return Table() ? m_singleSelection : false;
}

void ListBox::impl::SetSingleSelection(bool single)
{
    m_singleSelection = single;
    if (ListBoxQt *table = Table())
        table->setSelectionMode(single ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
}

void ListBox::impl::onSelectionChanged()
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    // The handlers may do anything: the walk is over copies, the snapshot is
    // kept as what has been reported so far (a report started from a handler
    // goes on from there), and the walk stops once the list is gone or
    // another report (or Clear) took over.
    const unsigned round = m_selectionRound.Begin();
    const std::list<int> selected = selectedRows();
    const std::list<int> before = m_selectionSnapshot;
    const QScopedValueRollback<bool> inHandler(m_inSelectionHandler, true);
    const std::set<int> now(selected.begin(), selected.end());
    const std::set<int> was(before.begin(), before.end());
    const auto report = [this, round](int row) {
        return Fire(&ListBox::OnItemSelectionChanged, row) && Fire(&ListBox::OnSelectionChanged) &&
               m_selectionRound.IsCurrent(round) && Table();
    };
    // As selectedRows counts them.
    const auto isSelected = [this](int row) {
        for (const QItemSelectionRange &range : Table()->selectionModel()->selection()) {
            if (range.left() <= 0 && range.top() <= row && row <= range.bottom())
                return true;
        }
        return false;
    };
    for (int row : before) {
        // A row a handler selected again (quietly) has nothing to report.
        if (now.count(row) || isSelected(row))
            continue;
        m_selectionSnapshot.remove(row);
        if (!report(row))
            return;
    }
    for (int row : selected) {
        if (was.count(row) || !isSelected(row))
            continue;
        m_selectionSnapshot.push_back(row);
        if (!report(row))
            return;
    }
    checkWithSelection(before, now, selected, round);
    if (IsLive() && m_selectionRound.IsCurrent(round))
        m_selectionSnapshot = Table() ? selectedRows() : std::list<int>();
}

void ListBox::impl::checkWithSelection(const std::list<int> &before, const std::set<int> &now,
                                       const std::list<int> &selected, unsigned round)
{
    ListBoxQt *table = Table();
    if (!table || m_singleSelection || m_checkMode != CheckWithSelection ||
        !((QApplication::keyboardModifiers() & Qt::ShiftModifier) || table->LeftDrag()))
        return;
    // Each check reports OnItemChanged: the walk stops where a handler
    // changed the list.
    const QPointer<ListBoxQt> guarded(table);
    table->setUpdatesEnabled(false);
    const auto goOn = [this, round] { return IsLive() && Table() && m_selectionRound.IsCurrent(round); };
    for (auto row = before.begin(); row != before.end() && goOn(); ++row) {
        if (!now.count(*row))
            SetCheck(*row, false, false);
    }
    for (auto row = selected.begin(); row != selected.end() && goOn(); ++row)
        SetCheck(*row, true, false);
    if (guarded)
        guarded->setUpdatesEnabled(true);
}

void ListBox::impl::ShowSelection(bool show)
{
    if (m_delegate) {
        m_delegate->SetShowSelection(show);
        // The end of an open edit is reported: its handler may release the list.
        m_delegate->CloseAllEditors();
        if (!IsLive())
            return;
    }
    ApplyShowSelection(show);
}

void ListBox::impl::ApplyShowSelection(bool show)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    if (show) {
        table->setPalette(m_savedPalette);
        return;
    }
    QPalette palette = table->palette();
    palette.setBrush(QPalette::All, QPalette::Highlight, palette.color(QPalette::Current, QPalette::Base));
    palette.setBrush(QPalette::All, QPalette::HighlightedText, palette.color(QPalette::Current, QPalette::Text));
    table->setPalette(palette);
}

void ListBox::impl::SelectItemOnSetFocus(bool on)
{
    if (ListBoxQt *table = Table()) {
        table->SetSelectOnFocus(on);
        table->SetBlockMouseMove(false);
    }
}

void ListBox::impl::SetAutomaticSearch(bool on)
{
    if (ListBoxQt *table = Table())
        table->SetAutomaticSearch(on);
}

} // namespace AUILib
