#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"
#include "any.h"

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace AUILib {

class Edit;
class ListBoxTreeItem;

// A list of rows and columns over a table: text cells with optional check
// marks, pictures, per-row item data, sorting, selection, in-place editing and
// row drag and drop. Its widget is made without a parent; Create places it.
// Rows are counted from 0; an insert at row -1 appends. When the widget is
// gone the operations answer their failure value (-1, false, empty).
class ListBox : public BaseGUIObject
{
public:
    enum CheckMode : std::int32_t {
        NoCheck = 0,
        UserCheck = 1,
        CheckOnIndicator = 2,
        CheckWithSelection = 3,
    };
    enum SortMode : std::int32_t {
        Ascending = 0,
        Descending = 1,
    };
    enum HeaderStyle : std::int32_t {
        PictureAfterText = 1,
    };
    enum Editable : std::int32_t {
        NotEditable = 0,
        EditWithBorder = 1,
        EditWithoutFrame = 2,
        EditSilently = 3,
    };
    enum EditMode : std::int32_t {
        EditNone = 0,
        EditText = 1,
        EditComboBox = 2,
        EditDate = 3,
        EditDefault = 4,
    };

    // The most columns SetColumnsCount takes: far more than any list shows,
    // and few enough for the table to build at once. Larger counts are refused.
    static constexpr int kMaxColumnsCount = 1000;

    // (this cell's text, its item data, the other cell's text, its item data):
    // whether this cell sorts before the other one.
    using SortFunction = std::function<bool(std::wstring, any, std::wstring, any)>;

    ListBox();
    ~ListBox() override;

    EventSignal<void(int)> OnItemClick;
    EventSignal<void(int)> OnItemDoubleClick;
    EventSignal<void(int)> OnItemChanged;
    // For each row whose selection changed, followed by OnSelectionChanged.
    EventSignal<void(int)> OnItemSelectionChanged;
    EventSignal<void()> OnSelectionChanged;
    EventSignal<void(int)> OnHeaderClick;
    // Extended selection only: around a mouse press and release, Ctrl+A and ClearSel.
    EventSignal<void()> OnSelectionBegin;
    EventSignal<void()> OnSelectionEnd;
    EventSignal<void(int, Edit *)> OnEditStart;
    EventSignal<void(int, int, BaseGUIObject *)> OnEditorCreated;
    EventSignal<void(int)> OnEditEnd;
    // (row, column, old text, new text) of the cell whose editor closed.
    EventSignal<void(int, int, std::wstring, std::wstring)> OnItemTextEdited;

    bool Create(QWidget *parent) override;
    Size IdealSize() override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;
    SkinManager *GetSkinManager() override;

    virtual void SetBackgroundColor(int rgb);
    virtual int GetBackgroundColor();
    virtual void SetTextColor(int rgb);
    virtual int GetTextColor();
    virtual void AddPictureToHeader(int column, const std::wstring &path, int size, BitmapType type);
    virtual void AddPictureToHeader(int column, const unsigned char *bytes, int length, ImageTypes imageType, int size,
                                    BitmapType type);
    virtual int AddItem(const std::wstring &text, any data = any());
    virtual int AddItemEx(std::list<std::wstring> &texts, any data = any());
    virtual int AddRow(std::list<std::wstring> &texts, std::list<any> datas);
    virtual int InsertItem(int row, const std::wstring &text, any data = any());
    virtual int InsertItemEx(int row, std::list<std::wstring> &texts, any data = any());
    virtual int InsertRow(int row, std::list<std::wstring> &texts, std::list<any> datas);
    // The list shows no tree: 0.
    virtual int DeleteItem(ListBoxTreeItem *item);
    virtual void AddPictureEx(int row, int column, const std::wstring &path, int size, BitmapType type);
    virtual void AddPictureEx(int row, int column, const unsigned char *bytes, int length, ImageTypes imageType,
                              int size, BitmapType type);
    virtual void AddPicture(int row, const std::wstring &path, int size, BitmapType type);
    virtual void AddPicture(int row, const unsigned char *bytes, int length, ImageTypes imageType, int size,
                            BitmapType type);
    virtual void AddPictureSysIcon(int row, const std::wstring &path);
    virtual void AddPictureSysIconEx(int row, int column, const std::wstring &path);
    virtual void Clear();
    virtual int Count();
    virtual std::wstring GetItem(int row, int column = 0);
    virtual std::list<std::wstring> GetItemEx(int row);
    virtual int GetItemIndex(const std::wstring &text);
    virtual bool DeleteItem(int row);
    virtual bool DeleteItems(int first, int count);
    virtual bool DeleteSelItems();
    virtual void SetSel(int row, bool select = true, bool setCurrent = false);
    virtual void ClearSel();
    virtual std::list<std::wstring> SelectedItems();
    virtual std::list<int> SelectedItemsIndexes();
    virtual void SetCheckMode(CheckMode mode);
    virtual CheckMode GetCheckMode();
    virtual void SetCheck(int row, bool check);
    virtual bool GetCheck(int row);
    virtual std::list<std::wstring> CheckedItems();
    virtual std::list<int> CheckedItemsIndexes();
    virtual bool IsSingleSelection();
    virtual void SetSingleSelection(bool single);
    virtual bool IsSortingEnabled();
    virtual void SortingEnable(bool on);
    virtual bool EnsureVisible(int row);
    virtual any GetItemData(int row);
    virtual any GetItemDataEx(int row, int column);
    virtual bool SetItemData(int row, any data);
    virtual bool SetItemDataEx(int row, int column, any data);
    virtual bool SetItemText(int row, const std::wstring &text);
    virtual bool SetItemText(int row, int column, const std::wstring &text);
    virtual bool SetItemTextEx(int row, std::list<std::wstring> &texts);
    virtual bool RemoveItemData(int row);
    virtual void SetShowGridlines(bool show);
    virtual int FindString(const std::wstring &text, int start = -1);
    // The row of the cell at `point` (widget coordinates), -1 when none; the
    // hit flags (1 nothing, 2 picture, 4 cell, 8 check indicator, 16 row
    // button) and the column go to the pointers that are not null.
    virtual int HitTest(Point point, unsigned int *flags, int *column);
    virtual void AddRowButton(const unsigned char *bytes, int length, ImageTypes imageType);

    void AddRowButton(const std::wstring &path);
    // Keeps the row at the top, out of every sort.
    void DisableSortingForRow(int row);
    void ShowSelection(bool show);
    void SelectItemOnSetFocus(bool on);
    void SetAutomaticSearch(bool on);
    bool SortColumn(int column, bool caseSensitive = true);
    bool SortColumn(int column, SortMode mode, bool caseSensitive = true);
    void SetColumnSortFunc(int column, const SortFunction &function);
    // 1 to kMaxColumnsCount columns (the rows are deleted); other counts change nothing.
    void SetColumnsCount(int count);
    int GetColumnsCount();
    bool SetColumnName(int column, const std::wstring &name);
    void EnableColumnNames(bool show);
    void SetColumnWidth(int column, int width);
    void ResizeColumnToContent(int column, bool fit);
    bool IsSetResizeColumnToContent(int column);
    std::vector<int> GetColumnsWidth();
    void EnableWordWrapText(bool on);
    bool IsEnableWordWrapText();
    void SetItemsHeight(int height);
    void SetHeaderTooltip(int column, const std::wstring &text);
    void SetHeaderPictureAlign(int column, HeaderStyle style);
    HeaderStyle GetHeaderPictureAlign(int column);
    void SetItemTextColor(int row, RGBColor color);
    void UnderlineItems(bool underline);
    void EnableItemsAutoTooltip(bool on, int maxLength);
    void EnableRowsDragAndDrop(bool on);
    bool IsEnableRowsDragAndDrop();
    void SetEditItems(Editable editable);
    Editable IsSetEditItems();
    void SetItemEditMode(int row, int column, EditMode mode);
    void SetColumnEditMode(int column, EditMode mode);

    // The list shows no tree: these answer null, empty, -1 or false.
    ListBoxTreeItem *AddRootItem(std::list<std::wstring> &texts, std::list<any> datas);
    ListBoxTreeItem *InsertRootItem(int row, std::list<std::wstring> &texts, std::list<any> datas);
    ListBoxTreeItem *AddSubitem(ListBoxTreeItem *parent, std::list<std::wstring> &texts, std::list<any> datas);
    ListBoxTreeItem *InsertSubitem(ListBoxTreeItem *parent, int row, std::list<std::wstring> &texts,
                                   std::list<any> datas);
    ListBoxTreeItem *GetTreeItem(int row);
    ListBoxTreeItem *GetParentItem(ListBoxTreeItem *item);
    std::list<ListBoxTreeItem *> GetRootItems();
    std::list<ListBoxTreeItem *> GetChildItems(ListBoxTreeItem *item);
    std::list<std::wstring> GetItemTexts(ListBoxTreeItem *item);
    std::list<any> GetItemDatas(ListBoxTreeItem *item);
    std::list<int> GetItemImageIndexes(ListBoxTreeItem *item);
    int SetExpanded(ListBoxTreeItem *item, bool expanded);
    int DisableChildItem(ListBoxTreeItem *item, bool disable);
    int GetTreeItemIndex(ListBoxTreeItem *item);
    bool IsDisabledChildItem(ListBoxTreeItem *item);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
