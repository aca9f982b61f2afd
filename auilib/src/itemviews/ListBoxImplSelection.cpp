// The list box's selection: setting and reading it, and reporting each row
// whose selection changed.
#include "ListBoxImpl.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <algorithm>
#include <set>
#include <unordered_map>
#include <vector>

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
    if (!table || !table->item(row, 0))
        return;
    const QModelIndex index = table->model()->index(row, 0);
    // The selection change is reported once the call is done: the handlers
    // see its check mark, and have the last word.
    EventGate::Hold hold;
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
    if (m_checkMode == CheckWithSelection && !table->SelectingOnFocus())
        SetCheck(row, select, false);
    table->viewport()->update();
    table->scrollTo(index, QAbstractItemView::EnsureVisible);
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
    if (extended)
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

void ListBox::impl::FollowMovedRows(const std::vector<std::pair<int, int>> &moves)
{
    std::unordered_map<int, int> to;
    for (const auto &move : moves)
        to.emplace(move.first, move.second);
    const auto follow = [&](ItemRef<int> &ref) {
        if (!ref.IsThere())
            return;
        const auto found = to.find(ref.Row());
        if (found == to.end())
            return;
        const QModelIndex at = ref.Index();
        ref = RowRef(at.model()->index(found->second, at.column()));
        ref.Hold();
    };
    for (ItemRef<int> &ref : m_selectionSnapshot)
        follow(ref);
    if (m_editing)
        follow(m_editedCell);
}

void ListBox::impl::onSelectionChanged()
{
    if (!Table())
        return;
    if (!EventGate::Holding()) {
        reportSelection();
        return;
    }
    // One report for the whole change, made when it is whole: it compares
    // the selection then with the one last reported.
    if (m_selectionReportWaiting)
        return;
    m_selectionReportWaiting = true;
    EventGate::Deliver([weak = weak_from_this()] {
        if (const auto self = std::static_pointer_cast<ListBox::impl>(weak.lock())) {
            self->m_selectionReportWaiting = false;
            if (self->IsLive())
                self->reportSelection();
        }
    });
}

void ListBox::impl::reportSelection()
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    // The handlers may do anything: the rows are held by identity, the
    // snapshot is kept as what has been reported so far (a report started
    // from a handler goes on from there), and the walk stops once the list
    // is gone or another report (or Clear) took over.
    const unsigned round = m_selectionRound.Begin();
    const QScopedValueRollback<bool> inHandler(m_inSelectionHandler, true);
    const std::list<int> selected = selectedRows();
    const std::set<int> now(selected.begin(), selected.end());
    std::set<int> was;
    std::vector<std::size_t> left;
    for (std::size_t entry = 0; entry < m_selectionSnapshot.size(); ++entry) {
        const ItemRef<int> &ref = m_selectionSnapshot[entry];
        if (!ref.IsThere())
            continue;
        was.insert(ref.Row());
        if (!now.count(ref.Row()))
            left.push_back(entry);
    }
    // The rows selected now: those that joined are reported, all of them
    // get their check mark when checks follow the selection.
    const bool checks = m_checkMode == CheckWithSelection && !m_singleSelection;
    std::vector<ItemRef<int>> joined;
    std::vector<ItemRef<int>> selectedRefs;
    for (int row : selected) {
        const bool joins = !was.count(row);
        if (!joins && !checks)
            continue;
        ItemRef<int> ref = rowRef(row);
        ref.Hold();
        if (checks)
            selectedRefs.push_back(ref);
        if (joins)
            joined.push_back(std::move(ref));
    }
    const auto report = [this, round](const ItemRef<int> &row) {
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
    std::vector<ItemRef<int>> leftRefs;
    for (std::size_t entry : left) {
        const ItemRef<int> ref = m_selectionSnapshot[entry];
        // A row a handler selected again (quietly) has nothing to report.
        if (!ref.IsThere() || isSelected(ref.Row()))
            continue;
        m_selectionSnapshot[entry] = ItemRef<int>();
        leftRefs.push_back(ref);
        if (!report(ref))
            return;
    }
    for (const ItemRef<int> &ref : joined) {
        if (!ref.IsThere() || !isSelected(ref.Row()))
            continue;
        m_selectionSnapshot.push_back(ref);
        if (!report(ref))
            return;
    }
    if (checks)
        checkWithSelection(leftRefs, selectedRefs);
    if (!IsLive() || !Table() || !m_selectionRound.IsCurrent(round))
        return;
    m_selectionSnapshot.clear();
    for (int row : selectedRows()) {
        m_selectionSnapshot.push_back(rowRef(row));
        m_selectionSnapshot.back().Hold();
    }
}

void ListBox::impl::checkWithSelection(const std::vector<ItemRef<int>> &left, const std::vector<ItemRef<int>> &selected)
{
    ListBoxQt *table = Table();
    if (!table || m_singleSelection || m_checkMode != CheckWithSelection ||
        !((QApplication::keyboardModifiers() & Qt::ShiftModifier) || table->LeftDrag()))
        return;
    // Each check reports OnItemChanged, once all are set.
    EventGate::Hold hold;
    table->setUpdatesEnabled(false);
    for (const ItemRef<int> &row : left) {
        if (row.IsThere())
            SetCheck(row.Row(), false, false);
    }
    for (const ItemRef<int> &row : selected) {
        if (row.IsThere())
            SetCheck(row.Row(), true, false);
    }
    table->setUpdatesEnabled(true);
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
