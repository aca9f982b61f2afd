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
            Fire(&ListBox::OnItemClick, row);
    });
    Connect(table, &QTableWidget::cellDoubleClicked, [this](int row, int column) {
        if (ListBoxQt *t = Table(); t && t->item(row, column))
            Fire(&ListBox::OnItemDoubleClick, row);
    });
    Connect(table, &QTableWidget::itemChanged,
            [this](QTableWidgetItem *cell) { Fire(&ListBox::OnItemChanged, cell->row()); });
    Connect(table, &QTableWidget::itemSelectionChanged, [this] { onSelectionChanged(); });
    Connect(table->horizontalHeader(), &QHeaderView::sectionClicked,
            [this](int column) { Fire(&ListBox::OnHeaderClick, column); });
    Connect(table->horizontalHeader(), &QHeaderView::sectionResized, [this](int column, int, int width) {
        if ((QApplication::mouseButtons() & Qt::LeftButton) && column >= 0 &&
            column < static_cast<int>(m_columnWidths.size()))
            m_columnWidths[static_cast<std::size_t>(column)] = width;
    });
    Connect(m_delegate.data(), &QAbstractItemDelegate::closeEditor, [this](QWidget *editor) { onEditorClosed(editor); });
    // Qt drops the editor of a removed row without closing it: the edit
    // would end unreported. It is closed, and reported, while its row is there.
    Connect(table->model(), &QAbstractItemModel::rowsAboutToBeRemoved, [this](const QModelIndex &, int first, int last) {
        if (m_delegate && m_editedCell.isValid() && m_editedCell.row() >= first && m_editedCell.row() <= last)
            m_delegate->CloseAllEditors();
    });

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

QPersistentModelIndex ListBox::impl::place(int row, int column) const
{
    ListBoxQt *table = Table();
    return table ? QPersistentModelIndex(table->model()->index(row, column)) : QPersistentModelIndex();
}

bool ListBox::impl::stillThere(const QPersistentModelIndex &place) const
{
    return IsLive() && Table() && place.isValid();
}

QTableWidgetItem *ListBox::impl::cellAt(const QPersistentModelIndex &place) const
{
    return stillThere(place) ? Table()->item(place.row(), place.column()) : nullptr;
}

bool ListBox::impl::closeEditorInRows(int first, int last)
{
    if (m_delegate && m_editedRow >= 0 && m_editedCell.isValid() && m_editedCell.row() >= first &&
        m_editedCell.row() <= last)
        m_delegate->CloseAllEditors();
    return IsLive() && Table();
}

bool ListBox::impl::readyToRemove(const QPersistentModelIndex &top, const QPersistentModelIndex &bottom)
{
    const auto valid = [&] { return top.isValid() && bottom.isValid() && top.row() <= bottom.row(); };
    return valid() && closeEditorInRows(top.row(), bottom.row()) && valid() && deselectRows(top.row(), bottom.row()) &&
           valid();
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
    ListBoxQt *table = Table();
    if (!table || column < 0 || column >= static_cast<int>(m_columnWidths.size()) ||
        m_columnWidths[static_cast<std::size_t>(column)] != -2)
        return;
    table->resizeColumnToContents(column);
    m_wordWrap = false;
    table->setWordWrap(false);
}

void ListBox::impl::firstRowRule()
{
    ListBoxQt *table = Table();
    if (!table || m_widthsInitialised || table->rowCount() != 0)
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
    if (ListBoxQt *table = Table(); table && wasOn && IsLive())
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
    firstRowRule();
    const bool sorting = suspendSorting();
    table->insertRow(row);
    // Each change of the new cell reports OnItemChanged, whose handler may
    // take the row (or the list) away again: it is looked for after each.
    const QPersistentModelIndex first = place(row, 0);
    CustomQTableWidgetItem *cell = newCell(QString::fromStdWString(text));
    if (!data.empty())
        cell->setData(Qt::UserRole, m_links->itemData.Add(data, 0));
    table->setItem(row, 0, cell);
    if (QTableWidgetItem *placed = cellAt(first);
        placed && (m_checkMode == CheckOnIndicator || m_checkMode == CheckWithSelection))
        placed->setFlags(placed->flags() & ~Qt::ItemIsUserCheckable);
    if (QTableWidgetItem *placed = cellAt(first); placed && m_checkMode != NoCheck)
        placed->setCheckState(Qt::Unchecked);
    restoreSorting(sorting);
    if (!stillThere(first))
        return -1;
    fitColumn(0);
    return first.row();
}

int ListBox::impl::InsertItemEx(int row, std::list<std::wstring> &texts, const any &data)
{
    ListBoxQt *table = Table();
    if (!table)
        return -1;
    if (row < 0 || row > table->rowCount())
        row = table->rowCount();
    const bool sorting = suspendSorting();
    table->insertRow(row);
    if (m_columnCount < 1) {
        restoreSorting(sorting);
        return -1;
    }
    const int id = data.empty() ? 0 : m_links->itemData.Add(data, 0);
    auto text = texts.begin();
    // The row is looked for again after each change of a cell (each reports
    // OnItemChanged, whose handler may change the list).
    const QPersistentModelIndex first = place(row, 0);
    for (int column = 0; column < m_columnCount && stillThere(first); ++column) {
        CustomQTableWidgetItem *cell = newCell(text != texts.end() ? QString::fromStdWString(*text++) : QString());
        if (id)
            cell->setData(Qt::UserRole, id);
        Table()->setItem(first.row(), column, cell);
        if (column == 0) {
            if (QTableWidgetItem *placed = cellAt(first);
                placed && (m_checkMode == CheckOnIndicator || m_checkMode == CheckWithSelection))
                placed->setFlags(placed->flags() & ~Qt::ItemIsUserCheckable);
            if (QTableWidgetItem *placed = cellAt(first); placed && m_checkMode != NoCheck)
                placed->setCheckState(Qt::Unchecked);
        }
        fitColumn(column);
    }
    restoreSorting(sorting);
    // Where the row is now, after sorting: the row a caller goes on to address.
    return stillThere(first) ? first.row() : -1;
}

int ListBox::impl::InsertRow(int row, std::list<std::wstring> &texts, const std::list<any> &datas)
{
    ListBoxQt *table = Table();
    if (!table || texts.empty())
        return -1;
    // The data goes onto the new row before a sort can move it elsewhere.
    const bool sorting = suspendSorting();
    if (row < 0 || row > table->rowCount())
        row = table->rowCount();
    QPersistentModelIndex first;
    const int placed = InsertItemEx(row, texts, any());
    if (placed >= 0) {
        first = place(placed, 0);
        int column = 0;
        for (const any &data : datas) {
            if (!stillThere(first))
                break;
            SetItemDataEx(first.row(), column++, data);
        }
    }
    restoreSorting(sorting);
    return stillThere(first) ? first.row() : -1;
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
    cell->setText(QString::fromStdWString(text));
    // The change reported OnItemChanged: its handler may have released the list.
    if (!IsLive() || !Table())
        return true;
    fitColumn(column);
    Table()->viewport()->update();
    return true;
}

bool ListBox::impl::SetItemTextEx(int row, std::list<std::wstring> &texts)
{
    if (!rowInRange(row))
        return false;
    // Texts for the list's columns only; the row is looked for again after
    // each change of a cell (each reports OnItemChanged).
    const QPersistentModelIndex first = place(row, 0);
    int column = 0;
    for (const std::wstring &text : texts) {
        if (column >= m_columnCount || !stillThere(first))
            break;
        if (!Table()->item(first.row(), column))
            Table()->setItem(first.row(), column, newCell());
        if (!stillThere(first))
            break;
        if (QTableWidgetItem *cell = Table()->item(first.row(), column))
            cell->setText(QString::fromStdWString(text));
        if (!stillThere(first))
            break;
        fitColumn(column);
        Table()->viewport()->update();
        ++column;
    }
    return stillThere(first);
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
    const QPersistentModelIndex target = place(row, 0);
    if (!readyToRemove(target, target))
        return false;
    table = Table();
    row = target.row();
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
    const QPersistentModelIndex top = place(first, 0);
    const QPersistentModelIndex bottom = place(first + count - 1, 0);
    if (!readyToRemove(top, bottom))
        return false;
    table = Table();
    first = top.row();
    count = bottom.row() - top.row() + 1;
    const bool sorting = suspendSorting();
    for (int row = first; row < first + count; ++row) {
        if (row < m_pinnedRows)
            --m_pinnedRows;
        releaseRowData(row);
    }
    m_pinnedRows = std::max(m_pinnedRows, 0);
    table->model()->removeRows(first, count);
    restoreSorting(sorting);
    return true;
}

bool ListBox::impl::DeleteSelItems()
{
    if (!Table())
        return false;
    // Runs of consecutive rows, deleted from the last run to the first. Each
    // deletion reports selection changes whose handlers may change the list:
    // the rows are held as indexes that follow them, and the runs formed
    // anew from those still there.
    std::vector<QPersistentModelIndex> rows;
    for (int row : selectedRows())
        rows.push_back(place(row, 0));
    while (IsLive() && Table()) {
        while (!rows.empty() && !rows.back().isValid())
            rows.pop_back();
        if (rows.empty())
            break;
        const int last = rows.back().row();
        int first = last;
        rows.pop_back();
        while (!rows.empty() && rows.back().isValid() && rows.back().row() == first - 1) {
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
    ListBox *owner = OwnerAs<ListBox>();
    m_selectionRound.Supersede();
    const bool selectionBlocked = owner && owner->OnSelectionChanged.IsBlocked();
    const bool itemSelectionBlocked = owner && owner->OnItemSelectionChanged.IsBlocked();
    if (owner) {
        owner->OnSelectionChanged.SetBlocked(true);
        owner->OnItemSelectionChanged.SetBlocked(true);
    }
    table->clearContents();
    table->setRowCount(0);
    m_links->itemData.Clear();
    m_pinnedRows = 0;
    m_selectionSnapshot.clear();
    for (int column = 0; column < static_cast<int>(m_columnWidths.size()); ++column)
        fitColumn(column);
    if (owner) {
        owner->OnSelectionChanged.SetBlocked(selectionBlocked);
        owner->OnItemSelectionChanged.SetBlocked(itemSelectionBlocked);
    }
}

void ListBox::impl::DisableSortingForRow(int row)
{
    ListBoxQt *table = Table();
    if (!table || row < m_pinnedRows || row >= table->rowCount())
        return;
    const QPersistentModelIndex from = place(row, 0);
    if (!readyToRemove(from, from) || from.row() < m_pinnedRows)
        return;
    const bool sorting = suspendSorting();
    Table()->insertRow(m_pinnedRows);
    // Each cell placed reports OnItemChanged: both rows are looked for again
    // after each, and the move stops where a handler took one away.
    const QPersistentModelIndex to = place(m_pinnedRows, 0);
    for (int column = 0; stillThere(from) && stillThere(to) && column < Table()->columnCount(); ++column) {
        QTableWidgetItem *cell = Table()->takeItem(from.row(), column);
        if (!cell)
            cell = newCell();
        if (auto *listCellItem = dynamic_cast<CustomQTableWidgetItem *>(cell))
            listCellItem->SetPinned(true);
        Table()->setItem(to.row(), column, cell);
    }
    if (stillThere(from))
        Table()->removeRow(from.row());
    if (stillThere(to))
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
    // Only the first cell carries the row's data: without it there is no
    // place for it (the value would be unreachable).
    const QPersistentModelIndex first = place(row, 0);
    if (!Table()->item(row, 0))
        return false;
    // Removing the old data reports OnItemChanged: the cell is looked for again.
    RemoveItemData(row);
    QTableWidgetItem *cell = cellAt(first);
    if (!cell)
        return false;
    setIdOfCell(cell, m_links->itemData.Add(data, 0));
    return true;
}

bool ListBox::impl::SetItemDataEx(int row, int column, const any &data)
{
    if (!rowInRange(row) || column < 0 || column >= m_columnCount)
        return false;
    ListBoxQt *table = Table();
    QTableWidgetItem *first = table->item(row, 0);
    if (!first || !table->item(row, column))
        return false;
    const QPersistentModelIndex cell = place(row, column);
    int id = first->data(Qt::UserRole).toInt();
    if (id <= 0) {
        id = m_links->itemData.Add(column == 0 ? data : any(), 0);
        // Reports OnItemChanged: the cell is looked for again.
        setIdOfCell(first, id);
        if (!stillThere(cell))
            return false;
    }
    id = m_links->itemData.Set(id, data, column);
    setIdOfCell(cellAt(cell), id);
    return true;
}

bool ListBox::impl::RemoveItemData(int row)
{
    if (!rowInRange(row))
        return false;
    QTableWidgetItem *first = Table()->item(row, 0);
    const int id = first ? first->data(Qt::UserRole).toInt() : 0;
    // Each cell changed reports OnItemChanged: the row is looked for again.
    const QPersistentModelIndex cell = place(row, 0);
    for (int column = 0; stillThere(cell) && column < Table()->columnCount(); ++column)
        setIdOfCell(Table()->item(cell.row(), column), -1);
    return m_links->itemData.Remove(id);
}

// ---- Check marks ----

void ListBox::impl::SetCheck(int row, bool check, bool repaint)
{
    ListBoxQt *table = Table();
    QTableWidgetItem *cell = table ? table->item(row, 0) : nullptr;
    if (m_checkMode == NoCheck || !cell)
        return;
    cell->setCheckState(check ? Qt::Checked : Qt::Unchecked);
    // The change reported OnItemChanged: its handler may have released the list.
    if (repaint && IsLive() && Table())
        Table()->viewport()->update();
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
    m_editedRow = index.row();
    m_editedColumn = index.column();
    m_editedCell = QPersistentModelIndex(index);
}

void ListBox::impl::onEditorClosed(QWidget *editor)
{
    Q_UNUSED(editor);
    if (m_editedRow < 0 || !m_delegate)
        return;
    // The cell may have moved (a sort, an insert above it) while its editor
    // was open; it is reported where it is now, or as -1 when it is gone.
    const bool present = m_editedCell.isValid();
    const int row = present ? m_editedCell.row() : -1;
    const int column = present ? m_editedCell.column() : -1;
    const std::wstring oldText = m_delegate->OldText();
    const std::wstring newText =
        present ? m_editedCell.data(Qt::EditRole).toString().toStdWString() : std::wstring();
    // The edit is over before anyone hears of it: a handler that deletes the
    // row or clears the list closes nothing a second time.
    m_editedRow = -1;
    m_editedColumn = -1;
    m_editedCell = QPersistentModelIndex();
    // The editor controls go only after the reports: a handler may still read
    // the edit it was given at the start.
    bool live = m_editable == EditSilently || Fire(&ListBox::OnEditEnd, row);
    live = live && Fire(&ListBox::OnItemTextEdited, row, column, oldText, newText);
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
