#pragma once

#include "BaseImplQt.h"
#include "CustomQTableWidgetItem.h"
#include "EventGate.h"
#include "HeaderProxyStyle.h"
#include "ItemDelegate.h"
#include "ItemRef.h"
#include "ListBox.h"
#include "ListBoxQt.h"
#include "ReportRound.h"

#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QStringList>

#include <list>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace AUILib {

// Drives the widget it makes, a ListBoxQt: placed by Create or a form, the
// widget belongs to its Qt parent; never placed, it goes with this
// implementation. Item data lives in the sort links the cells share; a row
// that leaves the list takes its entries along.
//
// Events follow the toolkit's rule (EventGate.h): every operation that
// changes the table holds them (EventGate::Hold) from before its first call
// into Qt to its end, so that no handler runs while Qt or the operation is
// halfway; rows are named by RowRef. What must be told before rows go (the
// end of an edit in them, their leaving the selection) is reported before
// the hold begins, while the rows are still there.
class ListBox::impl : public BaseImplQt
{
public:
    explicit impl(ListBox *owner);
    ~impl() override;

    // A form's QListWidget: its items become the rows of the one column, and
    // its current row the current cell. A form's QTableWidget: its columns,
    // header labels and cells become the list's.
    void OnFormLoaded(const FormElement &element) override;
    void SetAcceptDrops(bool accept) override;
    Point ScreenToClient(Point point) override;
    Point ClientToScreen(Point point) override;
    bool ShowCustomToolTip(const QPoint &globalPos) override;
    virtual void ClearSel();

    ListBoxQt *Table() const { return WidgetAs<ListBoxQt>(); }

    // Rows and items.
    int InsertItem(int row, const std::wstring &text, const any &data);
    int InsertItemEx(int row, std::list<std::wstring> &texts, const any &data);
    int InsertRow(int row, std::list<std::wstring> &texts, const std::list<any> &datas);
    int Count();
    std::wstring GetItem(int row, int column);
    std::list<std::wstring> GetItemEx(int row);
    int GetItemIndex(const std::wstring &text);
    int FindString(const std::wstring &text, int start);
    bool SetItemText(int row, int column, const std::wstring &text);
    bool SetItemTextEx(int row, std::list<std::wstring> &texts);
    bool DeleteItem(int row);
    bool DeleteItems(int first, int count);
    bool DeleteSelItems();
    void Clear();
    void DisableSortingForRow(int row);
    bool EnsureVisible(int row);

    // Item data.
    any GetItemData(int row);
    any GetItemDataEx(int row, int column);
    bool SetItemData(int row, const any &data);
    bool SetItemDataEx(int row, int column, const any &data);
    bool RemoveItemData(int row);

    // Check marks.
    void SetCheckMode(CheckMode mode) { m_checkMode = mode; }
    CheckMode GetCheckMode() const { return m_checkMode; }
    void SetCheck(int row, bool check, bool repaint = true);
    bool GetCheck(int row);
    std::list<std::wstring> CheckedItems();
    std::list<int> CheckedItemsIndexes();

    // Selection.
    void SetSel(int row, bool select, bool setCurrent);
    std::list<std::wstring> SelectedItems();
    std::list<int> SelectedItemsIndexes();
    bool IsSingleSelection();
    void SetSingleSelection(bool single);
    void ShowSelection(bool show);
    // Makes the selection visible or not without storing the choice (editors
    // hide it while they are open).
    void ApplyShowSelection(bool show);
    void SelectItemOnSetFocus(bool on);
    void SetAutomaticSearch(bool on);

    // Sorting.
    bool IsSortingEnabled();
    void SortingEnable(bool on);
    bool SortColumn(int column, bool caseSensitive);
    bool SortColumn(int column, SortMode mode, bool caseSensitive);
    void SetColumnSortFunc(int column, const SortFunction &function);

    // Columns and header.
    void SetColumnsCount(int count);
    int GetColumnsCount() const { return m_columnCount; }
    bool SetColumnName(int column, const std::wstring &name);
    void EnableColumnNames(bool show);
    void SetColumnWidth(int column, int width);
    void ResizeColumnToContent(int column, bool fit);
    bool IsSetResizeColumnToContent(int column);
    std::vector<int> GetColumnsWidth() const { return m_columnWidths; }
    void SetShowGridlines(bool show);
    void EnableWordWrapText(bool on);
    bool IsEnableWordWrapText() const { return m_wordWrap; }
    void SetItemsHeight(int height);
    void SetHeaderTooltip(int column, const std::wstring &text);
    void AddPictureToHeader(int column, const std::wstring &path, int size);
    void AddPictureToHeader(int column, const unsigned char *bytes, int length, ImageTypes type, int size);
    void SetHeaderPictureAlign(int column, HeaderStyle style);
    HeaderStyle GetHeaderPictureAlign(int column);

    // Pictures and the row button.
    void AddPictureEx(int row, int column, const std::wstring &path, int size);
    void AddPictureEx(int row, int column, const unsigned char *bytes, int length, ImageTypes type, int size);
    void AddPictureSysIconEx(int row, int column, const std::wstring &path);
    void AddRowButton(const std::wstring &path);
    void AddRowButton(const unsigned char *bytes, int length, ImageTypes type);
    const QImage &RowButtonImage() const { return m_rowButtonImage; }
    // The extra last column of the row button, -1 when there is none.
    int RowButtonColumn() const { return m_rowButtonImage.isNull() ? -1 : m_columnCount; }

    // Colours and appearance.
    void SetBackgroundColor(int rgb);
    int GetBackgroundColor() const { return m_backgroundColor; }
    void SetTextColor(int rgb);
    int GetTextColor() const { return m_textColor; }
    void SetItemTextColor(int row, RGBColor color);
    void UnderlineItems(bool underline);
    bool AreItemsUnderlined() const { return m_underlineItems; }
    void EnableItemsAutoTooltip(bool on, int maxLength);
    void EnableRowsDragAndDrop(bool on);
    bool IsEnableRowsDragAndDrop() const { return m_rowsDragAndDrop; }
    int HitTest(Point point, unsigned int *flags, int *column);

    // Editing.
    void SetEditItems(Editable editable);
    Editable IsSetEditItems() const { return m_editable; }
    void SetItemEditMode(int row, int column, EditMode mode);
    void SetColumnEditMode(int column, EditMode mode);
    // The column's edit mode, when it has one.
    bool ColumnEditMode(int column, EditMode &mode) const;
    ItemDelegate *Delegate() const { return m_delegate.data(); }
    // The cell whose editor is open, followed through inserts, sorts and
    // deletes while it is.
    void SetEditedCell(const QModelIndex &index);
    // After Qt removed rows itself (a row dragged to another widget): an edit
    // whose cell went with them ends, reported as the end of an edit of no row.
    void EndEditOfRemovedCell();
    // Rows whose cells moved to other rows (from, to), both still there: the
    // selection as last reported, and an open edit, follow the cells.
    void FollowMovedRows(const std::vector<std::pair<int, int>> &moves);

private:
    CustomQTableWidgetItem *newCell(const QString &text = QString()) const;
    CustomQTableWidgetItem *listCell(int row, int column) const;
    // The row, named by identity (unheld until Hold is called on it).
    ItemRef<int> rowRef(int row) const;
    // A row an insertion just made, inside its hold, as the call answers it
    // once the hold is over; `sorting` says the row moves when sorting resumes.
    ItemRef<int> newRow(int row, bool sorting) const;
    // The row `ref` names now, or -1 once it (or the list) is gone: what an
    // operation answers after its handlers ran.
    int rowNow(const ItemRef<int> &ref) const;
    // Closes the open editor when its cell lies in rows first..last, so that
    // the end of the edit is reported before the rows go. False once the
    // list is gone.
    bool closeEditorInRows(int first, int last);
    // Deselects rows first..last when any is selected (reported as any
    // change of the selection). False once the list is gone.
    bool deselectRows(int first, int last);
    // Before rows top..bottom are removed, and before the removal holds the
    // events: ends an edit in them and takes their selection away, both
    // reported while the rows are there. False when the list or a row is
    // gone by then.
    bool readyToRemove(const ItemRef<int> &top, const ItemRef<int> &bottom);
    void fitColumn(int column);
    void firstRowRule();
    // Switches sorting off; the returned flag goes to restoreSorting.
    bool suspendSorting();
    void restoreSorting(bool wasOn);
    // Drops the item data of a row about to leave the list.
    void releaseRowData(int row);
    void applyColumnNames();
    void addRowButtonColumn();
    void removeRowButtonColumn();
    // The table's selection changed: reported at once, or, while events are
    // held, once the change is whole (Qt moves the selection in the middle of
    // its removals).
    void onSelectionChanged();
    // Reports each row that left or joined the selection since the last
    // report, by identity and under its current row.
    void reportSelection();
    // Checks the rows selected and unchecks those that left the selection,
    // after a Shift-click or a drag.
    void checkWithSelection(const std::vector<ItemRef<int>> &left, const std::vector<ItemRef<int>> &selected);
    void onEditorClosed(QWidget *editor);
    std::list<int> selectedRows() const;
    bool rowInRange(int row);
    void setIdOfCell(QTableWidgetItem *cell, int id);

    int m_backgroundColor = -1;
    int m_textColor = -1;
    bool m_singleSelection = true;
    // The open editor's cell; null (never there) while no edit is open.
    ItemRef<int> m_editedCell;
    bool m_editing = false;
    bool m_underlineItems = false;
    QPointer<ItemDelegate> m_delegate;
    QImage m_rowButtonImage;
    int m_columnCount = 0;
    std::vector<int> m_columnWidths;
    std::map<int, EditMode> m_columnEditModes;
    QStringList m_columnNames{QString()};
    int m_defaultRowHeight = 14;
    CheckMode m_checkMode = NoCheck;
    bool m_widthsInitialised = false;
    int m_pinnedRows = 0;
    bool m_rowsDragAndDrop = false;
    bool m_acceptDrops = false;
    // The selected rows as last reported, by identity: rows inserted, deleted,
    // moved or sorted since do not change which rows they are. An entry
    // reported as leaving the selection is emptied while a report walks.
    std::vector<ItemRef<int>> m_selectionSnapshot;
    // A report waits for the change under way to be whole.
    bool m_selectionReportWaiting = false;
    std::shared_ptr<ListBoxSortLinks> m_links = std::make_shared<ListBoxSortLinks>();
    QPointer<HeaderProxyStyle> m_headerStyle;
    bool m_autoTooltip = false;
    int m_autoTooltipLength = 0;
    bool m_wordWrap = false;
    Editable m_editable = NotEditable;
    QPalette m_savedPalette;
    bool m_inSelectionHandler = false;
    // A report walk stops once a handler started another one, or cleared.
    ReportRound m_selectionRound;
};

// The name the list's parts use for it.
using ListBoxImpl = ListBox::impl;

} // namespace AUILib
