#include "ListBoxImpl.h"

#include "FormElement.h"
#include "HeaderProxyStyle.h"
#include "ItemDelegate.h"

#include <QApplication>
#include <QBuffer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QUiLoader>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>

namespace AUILib {

namespace {

// The form's list widget as Qt builds it, items and all.
std::unique_ptr<QListWidget> formListWidget(const FormElement &element)
{
    QByteArray form = element.WidgetForm();
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    QUiLoader loader;
    std::unique_ptr<QWidget> built(loader.load(&buffer));
    if (!qobject_cast<QListWidget *>(built.get()))
        return nullptr;
    return std::unique_ptr<QListWidget>(static_cast<QListWidget *>(built.release()));
}

// Every role of `source` onto `target`.
void copyRoles(const QAbstractItemModel *model, const QModelIndex &source, QTableWidgetItem *target)
{
    const QMap<int, QVariant> roles = model->itemData(source);
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
        target->setData(it.key(), it.value());
}

} // namespace

ListBox::impl::impl(ListBox *owner)
    : BaseImplQt(owner)
{
    ListBoxQt *table = MakeWidget<ListBoxQt>(owner);
    m_delegate = new ItemDelegate(owner, table);
    table->setItemDelegate(m_delegate);
    table->setShowGrid(false);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->horizontalHeader()->setMinimumSectionSize(10);
    table->verticalHeader()->setMinimumSectionSize(10);
    table->verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
    SetColumnsCount(1);
    table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->setTabKeyNavigation(false);

    Connect(table, &QTableWidget::cellClicked, [this](int row, int column) {
        if (ListBoxQt *t = Table(); t && t->item(row, column))
            Fire(&ListBox::OnItemClick, RowRef(t->model()->index(row, column)));
    });
    Connect(table, &QTableWidget::cellDoubleClicked, [this](int row, int column) {
        if (ListBoxQt *t = Table(); t && t->item(row, column))
            Fire(&ListBox::OnItemDoubleClick, RowRef(t->model()->index(row, column)));
    });
    Connect(table, &QTableWidget::itemChanged, [this](QTableWidgetItem *cell) {
        if (ListBoxQt *t = Table())
            Fire(&ListBox::OnItemChanged, RowRef(t->IndexOf(cell)));
    });
    Connect(table, &QTableWidget::itemSelectionChanged, [this] { onSelectionChanged(); });
    Connect(table->horizontalHeader(), &QHeaderView::sectionClicked,
            [this](int column) { Fire(&ListBox::OnHeaderClick, column); });
    Connect(table->horizontalHeader(), &QHeaderView::sectionResized, [this](int column, int, int width) {
        if ((QApplication::mouseButtons() & Qt::LeftButton) && column >= 0 &&
            column < static_cast<int>(m_columnWidths.size()))
            m_columnWidths[static_cast<std::size_t>(column)] = width;
    });
    Connect(m_delegate.data(), &QAbstractItemDelegate::closeEditor, [this](QWidget *editor) { onEditorClosed(editor); });

    // Parented to the table: it goes with the table, after the header (an
    // older child) that uses it.
    m_headerStyle = new HeaderProxyStyle;
    m_headerStyle->setParent(table);
    table->horizontalHeader()->setStyle(m_headerStyle);
    m_savedPalette = table->palette();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShowSelection(true);
}

ListBox::impl::~impl() = default;

CustomQTableWidgetItem *ListBox::impl::newCell(const QString &text) const
{
    return new CustomQTableWidgetItem(text, m_links);
}

CustomQTableWidgetItem *ListBox::impl::listCell(int row, int column) const
{
    ListBoxQt *table = Table();
    return table ? dynamic_cast<CustomQTableWidgetItem *>(table->item(row, column)) : nullptr;
}

ItemRef<int> ListBox::impl::rowRef(int row) const
{
    ListBoxQt *table = Table();
    return RowRef(table ? table->model()->index(row, 0) : QModelIndex());
}

ItemRef<int> ListBox::impl::newRow(int row, bool sorting) const
{
    ItemRef<int> ref = rowRef(row);
    // Followed only when it may move before the call answers: the sort moves
    // it, and the events waiting are delivered as the hold ends (their
    // handlers may move or remove it). A fill nobody listens to holds nothing.
    if (sorting || EventGate::Waiting() > 0)
        ref.Hold();
    return ref;
}

int ListBox::impl::rowNow(const ItemRef<int> &ref) const
{
    return IsLive() && Table() && ref.IsThere() ? ref.Row() : -1;
}

bool ListBox::impl::closeEditorInRows(int first, int last)
{
    if (m_delegate && m_editing && m_editedCell.IsThere() && m_editedCell.Row() >= first &&
        m_editedCell.Row() <= last)
        m_delegate->CloseAllEditors();
    return IsLive() && Table();
}

bool ListBox::impl::readyToRemove(const ItemRef<int> &top, const ItemRef<int> &bottom)
{
    const auto there = [&] { return top.IsThere() && bottom.IsThere() && top.Row() <= bottom.Row(); };
    return there() && closeEditorInRows(top.Row(), bottom.Row()) && there() && deselectRows(top.Row(), bottom.Row()) &&
           there();
}

bool ListBox::impl::rowInRange(int row)
{
    ListBoxQt *table = Table();
    return table && row >= 0 && row < table->rowCount();
}

void ListBox::impl::setIdOfCell(QTableWidgetItem *cell, int id)
{
    if (cell)
        cell->setData(Qt::UserRole, id);
}

void ListBox::impl::fitColumn(int column)
{
    // Asked for every cell a fill places: the widget is looked up only for a
    // column that fits its contents.
    if (column < 0 || column >= static_cast<int>(m_columnWidths.size()) ||
        m_columnWidths[static_cast<std::size_t>(column)] != -2)
        return;
    ListBoxQt *table = Table();
    if (!table)
        return;
    table->resizeColumnToContents(column);
    m_wordWrap = false;
    table->setWordWrap(false);
}

void ListBox::impl::firstRowRule()
{
    if (m_widthsInitialised)
        return;
    ListBoxQt *table = Table();
    if (!table || table->rowCount() != 0)
        return;
    const int extent = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    table->horizontalHeader()->setDefaultSectionSize(table->width() - extent - 2);
    m_widthsInitialised = true;
}

bool ListBox::impl::suspendSorting()
{
    ListBoxQt *table = Table();
    const bool wasOn = table && table->isSortingEnabled();
    if (wasOn)
        table->setSortingEnabled(false);
    return wasOn;
}

void ListBox::impl::restoreSorting(bool wasOn)
{
    if (ListBoxQt *table = Table(); table && wasOn)
        table->setSortingEnabled(true);
}

// ---- Rows and items ----

int ListBox::impl::InsertItem(int row, const std::wstring &text, const any &data)
{
    ListBoxQt *table = Table();
    if (!table)
        return -1;
    if (row < 0 || row > table->rowCount())
        row = table->rowCount();
    ItemRef<int> placed;
    {
        EventGate::Hold hold;
        firstRowRule();
        const bool sorting = suspendSorting();
        table->insertRow(row);
        CustomQTableWidgetItem *cell = newCell(QString::fromStdWString(text));
        if (!data.empty())
            cell->setData(Qt::UserRole, m_links->itemData.Add(data, 0));
        table->setItem(row, 0, cell);
        if (m_checkMode == CheckOnIndicator || m_checkMode == CheckWithSelection)
            cell->setFlags(cell->flags() & ~Qt::ItemIsUserCheckable);
        if (m_checkMode != NoCheck)
            cell->setCheckState(Qt::Unchecked);
        fitColumn(0);
        placed = newRow(row, sorting);
        restoreSorting(sorting);
    }
    return rowNow(placed);
}

int ListBox::impl::InsertItemEx(int row, std::list<std::wstring> &texts, const any &data)
{
    ListBoxQt *table = Table();
    if (!table)
        return -1;
    if (row < 0 || row > table->rowCount())
        row = table->rowCount();
    ItemRef<int> placed;
    {
        EventGate::Hold hold;
        const bool sorting = suspendSorting();
        table->insertRow(row);
        const int id = data.empty() ? 0 : m_links->itemData.Add(data, 0);
        auto text = texts.begin();
        for (int column = 0; column < m_columnCount; ++column) {
            CustomQTableWidgetItem *cell = newCell(text != texts.end() ? QString::fromStdWString(*text++) : QString());
            if (id)
                cell->setData(Qt::UserRole, id);
            table->setItem(row, column, cell);
            if (column == 0) {
                if (m_checkMode == CheckOnIndicator || m_checkMode == CheckWithSelection)
                    cell->setFlags(cell->flags() & ~Qt::ItemIsUserCheckable);
                if (m_checkMode != NoCheck)
                    cell->setCheckState(Qt::Unchecked);
            }
            fitColumn(column);
        }
        placed = newRow(row, sorting);
        restoreSorting(sorting);
    }
    // Where the row is now, after sorting and handlers: the row a caller goes on to address.
    return rowNow(placed);
}

int ListBox::impl::InsertRow(int row, std::list<std::wstring> &texts, const std::list<any> &datas)
{
    ListBoxQt *table = Table();
    if (!table || texts.empty())
        return -1;
    ItemRef<int> placed;
    {
        EventGate::Hold hold;
        // The data goes onto the new row before a sort can move it elsewhere.
        const bool sorting = suspendSorting();
        if (row < 0 || row > table->rowCount())
            row = table->rowCount();
        row = InsertItemEx(row, texts, any());
        if (row >= 0) {
            int column = 0;
            for (const any &data : datas)
                SetItemDataEx(row, column++, data);
            placed = newRow(row, sorting);
        }
        restoreSorting(sorting);
    }
    return rowNow(placed);
}

int ListBox::impl::Count()
{
    ListBoxQt *table = Table();
    return table ? table->rowCount() : -1;
}

std::wstring ListBox::impl::GetItem(int row, int column)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, column) : nullptr;
    return cell ? cell->text().toStdWString() : std::wstring();
}

std::list<std::wstring> ListBox::impl::GetItemEx(int row)
{
    std::list<std::wstring> texts;
    if (ListBoxQt *table = Table()) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem *cell = table->item(row, column))
                texts.push_back(cell->text().toStdWString());
        }
    }
    return texts;
}

int ListBox::impl::GetItemIndex(const std::wstring &text)
{
    ListBoxQt *table = Table();
    if (!table)
        return -1;
    // Qt matches cells without an item too (an empty text matches them), and
    // lists them as null items.
    for (QTableWidgetItem *cell : table->findItems(QString::fromStdWString(text), Qt::MatchFixedString)) {
        if (cell)
            return cell->row();
    }
    return -1;
}

int ListBox::impl::FindString(const std::wstring &text, int start)
{
    ListBoxQt *table = Table();
    if (!table || table->rowCount() == 0)
        return -1;
    // A start before the first row or at (or past) the last searches from the top.
    const int from = start < 0 || start >= table->rowCount() - 1 ? 0 : start + 1;
    const QModelIndexList found =
        table->model()->match(table->model()->index(from, 0), Qt::DisplayRole, QString::fromStdWString(text), 1,
                              Qt::MatchStartsWith | Qt::MatchWrap);
    return found.isEmpty() ? -1 : found.first().row();
}

bool ListBox::impl::SetItemText(int row, int column, const std::wstring &text)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, column) : nullptr;
    if (!cell)
        return false;
    // A sorted table moves the row as the text changes.
    EventGate::Hold hold;
    cell->setText(QString::fromStdWString(text));
    fitColumn(column);
    table->viewport()->update();
    return true;
}

bool ListBox::impl::SetItemTextEx(int row, std::list<std::wstring> &texts)
{
    if (!rowInRange(row))
        return false;
    ListBoxQt *table = Table();
    // A sorted table moves the row as its texts change: it is followed.
    ItemRef<int> first = rowRef(row);
    first.Hold();
    {
        EventGate::Hold hold;
        // Texts for the list's columns only.
        int column = 0;
        for (auto text = texts.begin(); text != texts.end() && column < m_columnCount && first.IsThere();
             ++text, ++column) {
            if (!table->item(first.Row(), column))
                table->setItem(first.Row(), column, newCell());
            if (QTableWidgetItem *cell = first.IsThere() ? table->item(first.Row(), column) : nullptr)
                cell->setText(QString::fromStdWString(*text));
            fitColumn(column);
        }
        table->viewport()->update();
    }
    return rowNow(first) >= 0;
}

void ListBox::impl::releaseRowData(int row)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    std::set<int> ids;
    for (int column = 0; column < table->columnCount(); ++column) {
        if (QTableWidgetItem *cell = table->item(row, column)) {
            const int id = cell->data(Qt::UserRole).toInt();
            if (id > 0)
                ids.insert(id);
        }
    }
    for (int id : ids)
        m_links->itemData.Remove(id);
}

bool ListBox::impl::DeleteItem(int row)
{
    ListBoxQt *table = Table();
    if (!table || !table->item(row, 0))
        return false;
    const bool hadSelection = table->selectionModel()->hasSelection();
    ItemRef<int> target = rowRef(row);
    target.Hold();
    if (!readyToRemove(target, target))
        return false;
    table = Table();
    row = target.Row();
    // Qt moves the current row (and with it the selection) inside its removal.
    EventGate::Hold hold;
    const bool sorting = suspendSorting();
    if (row < m_pinnedRows)
        --m_pinnedRows;
    if (!m_singleSelection && !hadSelection) {
        QModelIndex next = table->model()->index(row + 1, 0);
        if (!next.isValid())
            next = table->model()->index(row - 1, 0);
        table->selectionModel()->setCurrentIndex(next, QItemSelectionModel::NoUpdate);
    }
    releaseRowData(row);
    table->removeRow(row);
    restoreSorting(sorting);
    return true;
}

bool ListBox::impl::DeleteItems(int first, int count)
{
    ListBoxQt *table = Table();
    if (!table || !table->item(first, 0) || count < 1)
        return false;
    count = std::min(count, table->rowCount() - first);
    ItemRef<int> top = rowRef(first);
    ItemRef<int> bottom = rowRef(first + count - 1);
    top.Hold();
    bottom.Hold();
    if (!readyToRemove(top, bottom))
        return false;
    table = Table();
    first = top.Row();
    count = bottom.Row() - top.Row() + 1;
    EventGate::Hold hold;
    const bool sorting = suspendSorting();
    // The pinned rows are the block at the top: as many leave it as the
    // deleted rows have in common with it.
    if (first < m_pinnedRows)
        m_pinnedRows -= std::min(m_pinnedRows, first + count) - first;
    for (int row = first; row < first + count; ++row)
        releaseRowData(row);
    table->model()->removeRows(first, count);
    restoreSorting(sorting);
    return true;
}

bool ListBox::impl::DeleteSelItems()
{
    if (!Table())
        return false;
    // Runs of consecutive rows, deleted from the last run to the first. Each
    // deletion reports the selection it takes away, and those handlers may
    // change the list: the rows are held by identity, and the runs formed
    // anew from those still there.
    std::vector<ItemRef<int>> rows;
    for (int row : selectedRows()) {
        rows.push_back(rowRef(row));
        rows.back().Hold();
    }
    while (IsLive() && Table()) {
        while (!rows.empty() && !rows.back().IsThere())
            rows.pop_back();
        if (rows.empty())
            break;
        const int last = rows.back().Row();
        int first = last;
        rows.pop_back();
        while (!rows.empty() && rows.back().IsThere() && rows.back().Row() == first - 1) {
            --first;
            rows.pop_back();
        }
        DeleteItems(first, last - first + 1);
    }
    return true;
}

void ListBox::impl::Clear()
{
    // An open edit ends first, reported as the end of any edit; its handlers
    // may change the list.
    if (!closeEditorInRows(0, INT_MAX))
        return;
    ListBoxQt *table = Table();
    EventGate::Hold hold;
    // Clearing reports no change of the selection: a report under way stops,
    // and the one the removal raises finds nothing selected before or after.
    m_selectionRound.Supersede();
    m_selectionSnapshot.clear();
    table->clearContents();
    table->setRowCount(0);
    m_links->itemData.Clear();
    m_pinnedRows = 0;
    for (int column = 0; column < static_cast<int>(m_columnWidths.size()); ++column)
        fitColumn(column);
}

void ListBox::impl::DisableSortingForRow(int row)
{
    ListBoxQt *table = Table();
    if (!table || row < m_pinnedRows || row >= table->rowCount())
        return;
    ItemRef<int> from = rowRef(row);
    from.Hold();
    if (!readyToRemove(from, from) || from.Row() < m_pinnedRows)
        return;
    table = Table();
    // The row moves to the end of the pinned block: inserted there, its
    // cells taken over, its old place removed (Qt moves the current row
    // inside that removal).
    EventGate::Hold hold;
    const bool sorting = suspendSorting();
    const int to = m_pinnedRows;
    table->insertRow(to);
    for (int column = 0; column < table->columnCount(); ++column) {
        QTableWidgetItem *cell = table->takeItem(from.Row(), column);
        if (!cell)
            cell = newCell();
        if (auto *listCellItem = dynamic_cast<CustomQTableWidgetItem *>(cell))
            listCellItem->SetPinned(true);
        table->setItem(to, column, cell);
    }
    table->removeRow(from.Row());
    ++m_pinnedRows;
    restoreSorting(sorting);
}

bool ListBox::impl::EnsureVisible(int row)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr;
    if (!cell)
        return false;
    table->scrollToItem(cell, QAbstractItemView::EnsureVisible);
    return true;
}

// ---- Item data ----

any ListBox::impl::GetItemData(int row)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr;
    return cell ? m_links->itemData.Get(cell->data(Qt::UserRole).toInt(), 0) : any();
}

any ListBox::impl::GetItemDataEx(int row, int column)
{
    if (!rowInRange(row))
        return any();
    QTableWidgetItem *cell = Table()->item(row, 0);
    return cell ? m_links->itemData.Get(cell->data(Qt::UserRole).toInt(), column) : any();
}

bool ListBox::impl::SetItemData(int row, const any &data)
{
    if (!rowInRange(row))
        return false;
    ListBoxQt *table = Table();
    // Only the first cell carries the row's data: without it there is no
    // place for it (the value would be unreachable).
    if (!table->item(row, 0))
        return false;
    ItemRef<int> first = rowRef(row);
    first.Hold();
    {
        EventGate::Hold hold;
        RemoveItemData(row);
        if (QTableWidgetItem *cell = first.IsThere() ? table->item(first.Row(), 0) : nullptr)
            setIdOfCell(cell, m_links->itemData.Add(data, 0));
    }
    return rowNow(first) >= 0;
}

bool ListBox::impl::SetItemDataEx(int row, int column, const any &data)
{
    if (!rowInRange(row) || column < 0 || column >= m_columnCount)
        return false;
    ListBoxQt *table = Table();
    QTableWidgetItem *first = table->item(row, 0);
    if (!first || !table->item(row, column))
        return false;
    // A sorted table may move the row as its cells change: it is followed.
    ItemRef<int> cell = rowRef(row);
    cell.Hold();
    {
        EventGate::Hold hold;
        int id = first->data(Qt::UserRole).toInt();
        if (id <= 0) {
            id = m_links->itemData.Add(column == 0 ? data : any(), 0);
            setIdOfCell(first, id);
        }
        id = m_links->itemData.Set(id, data, column);
        if (cell.IsThere())
            setIdOfCell(table->item(cell.Row(), column), id);
    }
    return rowNow(cell) >= 0;
}

bool ListBox::impl::RemoveItemData(int row)
{
    if (!rowInRange(row))
        return false;
    ListBoxQt *table = Table();
    QTableWidgetItem *first = table->item(row, 0);
    const int id = first ? first->data(Qt::UserRole).toInt() : 0;
    ItemRef<int> cells = rowRef(row);
    cells.Hold();
    EventGate::Hold hold;
    for (int column = 0; cells.IsThere() && column < table->columnCount(); ++column)
        setIdOfCell(table->item(cells.Row(), column), -1);
    return m_links->itemData.Remove(id);
}

// ---- Check marks ----

void ListBox::impl::SetCheck(int row, bool check, bool repaint)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr;
    if (m_checkMode == NoCheck || !cell)
        return;
    // A sorted table moves the row as its check changes.
    EventGate::Hold hold;
    cell->setCheckState(check ? Qt::Checked : Qt::Unchecked);
    if (repaint)
        table->viewport()->update();
}

bool ListBox::impl::GetCheck(int row)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr;
    return m_checkMode != NoCheck && cell && cell->data(Qt::CheckStateRole).toInt() != 0;
}

std::list<int> ListBox::impl::CheckedItemsIndexes()
{
    std::list<int> rows;
    ListBoxQt *table = Table();
    if (!table || m_checkMode == NoCheck)
        return rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem *cell = table->item(row, 0);
        if (cell && cell->data(Qt::CheckStateRole).toInt() == Qt::Checked)
            rows.push_back(row);
    }
    return rows;
}

std::list<std::wstring> ListBox::impl::CheckedItems()
{
    std::list<std::wstring> texts;
    for (int row : CheckedItemsIndexes())
        texts.push_back(Table()->item(row, 0)->text().toStdWString());
    return texts;
}

// ---- Sorting ----

bool ListBox::impl::IsSortingEnabled()
{
    ListBoxQt *table = Table();
    return table && table->isSortingEnabled();
}

void ListBox::impl::SortingEnable(bool on)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    EventGate::Hold hold;
    if (on && !table->isSortingEnabled())
        table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(on);
}

bool ListBox::impl::SortColumn(int column, bool caseSensitive)
{
    ListBoxQt *table = Table();
    if (!table)
        return false;
    m_links->caseSensitive = caseSensitive;
    EventGate::Hold hold;
    const Qt::SortOrder current = table->horizontalHeader()->sortIndicatorOrder();
    if (!table->isSortingEnabled())
        table->setSortingEnabled(true);
    table->sortByColumn(column, current == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    return true;
}

bool ListBox::impl::SortColumn(int column, SortMode mode, bool caseSensitive)
{
    ListBoxQt *table = Table();
    if (!table)
        return false;
    m_links->caseSensitive = caseSensitive;
    EventGate::Hold hold;
    if (!table->isSortingEnabled())
        table->setSortingEnabled(true);
    if (mode == Ascending || mode == Descending)
        table->sortByColumn(column, mode == Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    return true;
}

void ListBox::impl::SetColumnSortFunc(int column, const SortFunction &function)
{
    if (function)
        m_links->sortFunctions[column] = function;
}

// ---- Editing ----

void ListBox::impl::SetEditItems(Editable editable)
{
    if (editable == m_editable)
        return;
    if (ListBoxQt *table = Table())
        table->setEditTriggers(editable != NotEditable ? QAbstractItemView::DoubleClicked
                                                       : QAbstractItemView::NoEditTriggers);
    m_editable = editable;
}

void ListBox::impl::SetItemEditMode(int row, int column, EditMode mode)
{
    if (row < 0 || row >= Count() || column < 0 || column > m_columnCount)
        return;
    if (CustomQTableWidgetItem *cell = listCell(row, column))
        cell->SetEditMode(mode);
}

void ListBox::impl::SetColumnEditMode(int column, EditMode mode)
{
    if (column >= 0 && column <= m_columnCount)
        m_columnEditModes[column] = mode;
}

bool ListBox::impl::ColumnEditMode(int column, EditMode &mode) const
{
    const auto found = m_columnEditModes.find(column);
    if (found == m_columnEditModes.end())
        return false;
    mode = found->second;
    return true;
}

void ListBox::impl::SetEditedCell(const QModelIndex &index)
{
    m_editedCell = RowRef(index);
    m_editedCell.Hold();
    m_editing = true;
}

void ListBox::impl::EndEditOfRemovedCell()
{
    if (m_delegate && m_editing && !m_editedCell.IsThere())
        m_delegate->CloseAllEditors();
}

void ListBox::impl::onEditorClosed(QWidget *editor)
{
    Q_UNUSED(editor);
    if (!m_editing || !m_delegate)
        return;
    // The cell may have moved (a sort, an insert above it) while its editor
    // was open; it is reported where it is when the report is delivered, or
    // as row -1 when it is gone already.
    const ItemRef<int> cell = m_editedCell;
    const bool present = cell.IsThere();
    const int column = present ? cell.Index().column() : -1;
    const std::wstring oldText = m_delegate->OldText();
    const std::wstring newText = present ? cell.Index().data(Qt::EditRole).toString().toStdWString() : std::wstring();
    // The edit is over before anyone hears of it: a handler that deletes the
    // row or clears the list closes nothing a second time.
    m_editing = false;
    m_editedCell = ItemRef<int>();
    const auto report = [&](auto row) {
        return (m_editable == EditSilently || Fire(&ListBox::OnEditEnd, row)) &&
               Fire(&ListBox::OnItemTextEdited, row, column, oldText, newText);
    };
    // The editor controls go only after the reports: a handler may still read
    // the edit it was given at the start.
    const bool live = present ? report(cell) : report(-1);
    if (m_delegate) {
        if (live)
            ApplyShowSelection(m_delegate->ShowsSelection());
        m_delegate->EditorClosed();
    }
}

// ---- Form ----

void ListBox::impl::OnFormLoaded(const FormElement &element)
{
    ListBoxQt *table = Table();
    if (!table)
        return;
    EventGate::Hold hold;
    if (element.ClassName() == QLatin1String("QTableWidget")) {
        // Qt filled the table: take its columns and names, and make its cells the list's own.
        const int columns = std::clamp(table->columnCount(), 1, kMaxColumnsCount);
        QStringList names;
        bool named = false;
        for (int column = 0; column < table->columnCount(); ++column) {
            QTableWidgetItem *header = table->horizontalHeaderItem(column);
            names << (header ? header->text() : QString());
            named = named || header;
        }
        const int rows = table->rowCount();
        std::vector<std::vector<QTableWidgetItem *>> cells(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < table->columnCount(); ++column)
                cells[static_cast<std::size_t>(row)].push_back(table->takeItem(row, column));
        }
        const bool headerShown = !table->horizontalHeader()->isHidden();
        m_columnCount = 0;
        SetColumnsCount(columns);
        if (named) {
            for (int column = 0; column < names.size(); ++column)
                SetColumnName(column, names[column].toStdWString());
            EnableColumnNames(headerShown);
        }
        table->setRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            for (std::size_t column = 0; column < cells[static_cast<std::size_t>(row)].size(); ++column) {
                std::unique_ptr<QTableWidgetItem> source(cells[static_cast<std::size_t>(row)][column]);
                if (!source || static_cast<int>(column) >= columns)
                    continue;
                CustomQTableWidgetItem *cell = newCell();
                *static_cast<QTableWidgetItem *>(cell) = *source;
                table->setItem(row, static_cast<int>(column), cell);
            }
        }
        return;
    }
    if (element.ClassName() != QLatin1String("QListWidget"))
        return;
    const std::unique_ptr<QListWidget> list = formListWidget(element);
    if (!list)
        return;
    table->setRowCount(list->count());
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < list->count(); ++row) {
        CustomQTableWidgetItem *cell = newCell();
        // Every role the form gave the item: text, tool tip, icon, check state, ...
        copyRoles(model, model->index(row, 0), cell);
        cell->setFlags(list->item(row)->flags());
        table->setItem(row, 0, cell);
    }
    if (list->currentRow() >= 0)
        table->setCurrentCell(list->currentRow(), 0);
    // The list widget's own properties reached the table only as dynamic
    // properties, which nothing reads; the list widget above took them.
    const QMetaObject *listMeta = list->metaObject();
    for (const QByteArray &name : table->dynamicPropertyNames()) {
        if (listMeta->indexOfProperty(name.constData()) >= 0 && table->metaObject()->indexOfProperty(name) < 0)
            table->setProperty(name.constData(), QVariant());
    }
}

} // namespace AUILib
