#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "Event.h"
#include "EventSignal.h"
#include "FontData.h"
#include "any.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class QStandardItem;
class QWidget;

namespace AUILib {

class Edit;
class VirtTreeItem;

// A tree of text items with pictures, check boxes, data, tool tips, label
// editing, sorting and row drag and drop. In the standard mode the items are
// QStandardItem handles; in the virtual mode they are VirtTreeItem nodes that
// the caller builds and then shows with UpdateVirtualView. Each operation of
// one mode gives its empty answer (null, empty, false, 0 or -1) in the other,
// for a null item, for one of the three reserved handles (unless it gives them
// a meaning) and once the widget is gone.
class TreeView : public BaseGUIObject
{
public:
    enum CheckMode : std::int32_t {
        CheckModeNone = 0,
        CheckModeCheckBoxes = 1,
    };

    // SetStyle's flags, added or removed.
    enum StyleFlag : std::int32_t {
        StyleNone = 0,
        StyleBranches = 1,         // the branch marks (removed: none, and no expand area in hit tests)
        StyleNativeBranches = 2,   // with StylePlusMinus: the platform's own branch drawing
        StyleCheckBoxes = 8,       // check boxes (check mode 1)
        StyleInactiveHighlight = 16, // selected rows keep their highlight when the tree is inactive
        StyleFullRowSelect = 32,   // the whole row is selected
        StylePlusMinus = 64,       // boxed plus and minus marks instead of triangles
    };

    // Not items: the root, the first and the last position of a level.
    static QStandardItem *const RootItemHandle;
    static QStandardItem *const FirstItemHandle;
    static QStandardItem *const LastItemHandle;

    // (text, data, picture index; a negative index gives no picture)
    using ItemList = std::list<std::tuple<const std::wstring, any, int>>;
    using SortFunc = std::function<bool(std::wstring, any, std::wstring, any)>;
    using VirtSortFunc = std::function<bool(VirtTreeItem *, VirtTreeItem *)>;
    // (target, moved items, as a sibling of the target)
    using CanMoveFunc = std::function<bool(QStandardItem *, std::vector<QStandardItem *> &, bool)>;

    TreeView();
    ~TreeView() override;

    EventSignal<void(QStandardItem *)> OnItemClicked;
    EventSignal<void(QStandardItem *)> OnItemExpanded;
    EventSignal<void(QStandardItem *)> OnItemCollapsed;
    EventSignal<void(QStandardItem *)> OnItemCheckClicked;
    EventSignal<void(Event::Key)> OnKeyUp;
    EventSignal<void(QStandardItem *)> OnSelectionChanged;
    EventSignal<void(QStandardItem *)> OnItemMouseUp;
    EventSignal<void(QStandardItem *)> OnItemDoubleClicked;
    EventSignal<void(QStandardItem *, std::vector<QStandardItem *> &, bool)> OnItemsDropping;
    EventSignal<void(QStandardItem *, std::vector<QStandardItem *> &, bool)> OnItemsDropped;
    EventSignal<void(QStandardItem *, std::wstring)> OnItemTextChanged;
    EventSignal<void(QStandardItem *, std::wstring, std::wstring)> OnItemTextReplaced;
    EventSignal<void(QStandardItem *)> OnBeginEditLabel;
    EventSignal<void(QStandardItem *, Edit *)> OnLabelEditorCreated;
    EventSignal<void(QStandardItem *)> OnEndEditLabel;
    EventSignal<void(QStandardItem *)> OnItemRemoving;
    EventSignal<void()> OnAllItemsRemoving;
    EventSignal<void()> OnMultiSelectionChanging;
    EventSignal<void()> OnMultiSelectionChanged;
    EventSignal<void(VirtTreeItem *)> OnVirtualItemClicked;
    EventSignal<void(VirtTreeItem *)> OnVirtualItemExpanded;
    EventSignal<void(VirtTreeItem *)> OnVirtualItemCollapsed;
    EventSignal<void(VirtTreeItem *)> OnVirtualSelectionChanged;
    EventSignal<void(VirtTreeItem *)> OnVirtualItemMouseUp;

    bool Create(QWidget *parent) override;
    Size IdealSize() override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    virtual void SetHeaderLabel(const std::wstring &text);
    virtual void SetHeaderVisible(bool visible);
    virtual bool IsHeaderVisible();
    virtual QStandardItem *AddItem(const std::wstring &text, any data);
    virtual int AddItems(ItemList &items);
    virtual QStandardItem *InsertItem(const std::wstring &text, QStandardItem *parent, QStandardItem *after, any data);
    virtual int InsertItems(ItemList &items, QStandardItem *parent, QStandardItem *after);
    virtual QStandardItem *AddSubItem(const std::wstring &text, any data, QStandardItem *parent);
    virtual int AddSubItems(ItemList &items, QStandardItem *parent);
    virtual int AddPicture(QStandardItem *item, const std::wstring &path, int size, BitmapType type);
    virtual int AddPicture(QStandardItem *item, const unsigned char *data, int length, ImageTypes imageType, int size,
                           BitmapType type);
    virtual bool SetPicture(QStandardItem *item, int index);
    virtual std::wstring GetItemPicturePath(QStandardItem *item);
    virtual QStandardItem *CurrentItem();
    virtual int Count();
    virtual void SetCurrentItem(QStandardItem *item);
    virtual void SelectItem(QStandardItem *item, bool select);
    virtual bool IsSelectedItem(QStandardItem *item);
    virtual std::wstring GetItemText(QStandardItem *item);
    virtual std::wstring GetItemTextRaw(QStandardItem *item);
    virtual bool SetItemText(QStandardItem *item, const std::wstring &text);
    virtual any GetItemData(QStandardItem *item);
    virtual bool SetItemData(QStandardItem *item, any data);
    virtual bool RemoveItemData(QStandardItem *item);
    virtual bool RemoveItem(QStandardItem *item);
    virtual bool RemoveAllItems(bool withPictures);
    virtual void SetExpanded(QStandardItem *item, bool expanded);
    virtual bool IsExpanded(QStandardItem *item);
    virtual void EnableEditItems(bool enable);
    virtual bool IsEnabledEditItems();
    virtual QStandardItem *VisibleTopLevelItem(QStandardItem *item);
    virtual QStandardItem *GetTopLevelItem(QStandardItem *item);
    virtual QStandardItem *GetRootItem();
    virtual QStandardItem *GetParentItem(QStandardItem *item);
    virtual QStandardItem *GetFirstChild(QStandardItem *item);
    virtual QStandardItem *NextSibling(QStandardItem *item);
    virtual QStandardItem *PrevSibling(QStandardItem *item);
    virtual std::list<QStandardItem *> CheckedItems();
    virtual std::list<QStandardItem *> SelectedItems();
    virtual void SetCheckMode(CheckMode mode);
    virtual CheckMode GetCheckMode();
    virtual void SetCheck(QStandardItem *item, bool checked);
    virtual bool GetCheck(QStandardItem *item);
    // `point` in viewport coordinates; `flags` (may be null) gets 2 icon, 4 row,
    // 8 indentation, 16 expand mark, 32 check box.
    virtual QStandardItem *HitTest(Point point, unsigned int *flags);
    virtual Rect GetItemRect(QStandardItem *item, bool contentOnly);
    virtual bool ItemHasChildren(QStandardItem *item);
    virtual std::wstring GetItemText(VirtTreeItem *item);
    virtual bool SetItemText(VirtTreeItem *item, const std::wstring &text);
    virtual bool SetItemTooltip(VirtTreeItem *item, const std::wstring &text);
    virtual any GetItemData(VirtTreeItem *item);
    virtual bool SetItemData(VirtTreeItem *item, any data);
    virtual int AddPicture(VirtTreeItem *item, const std::wstring &path, int size, BitmapType type);
    virtual int AddPicture(VirtTreeItem *item, const unsigned char *data, int length, ImageTypes imageType, int size,
                           BitmapType type);
    virtual bool SetPicture(VirtTreeItem *item, int index);
    virtual std::wstring GetItemPicturePath(VirtTreeItem *item);
    virtual bool GetCheck(VirtTreeItem *item);
    virtual void RemoveAllVirtualItems();
    virtual void SetExpanded(VirtTreeItem *item, bool expanded);
    virtual bool IsExpanded(VirtTreeItem *item);

    // Appearance.
    void SetUpdatesEnabled(bool enabled);
    void SetStyle(StyleFlag remove, StyleFlag add);
    void SetItemBold(QStandardItem *item, bool bold);
    bool IsItemBold(QStandardItem *item);
    void SetFont(FontData &font, bool applyToItems);
    FontData GetFont();
    void SetBackgroundColor(RGBColor color);
    void SetTextColor(int color, bool applyToItems);
    int GetTextColor();
    int GetItemTextColor(QStandardItem *item);
    FontData GetItemFont(QStandardItem *item);
    void SetItemFont(QStandardItem *item, FontData &font);
    void SetItemTextColor(QStandardItem *item, int color);
    void SetSelectionColors(int textColor, int backgroundColor);
    void SetItemHeight(int height);
    int GetItemHeight();
    void SetItemTooltip(QStandardItem *item, const std::wstring &text);
    std::wstring GetItemToolTip(QStandardItem *item);
    void SetItemToolTipMaxWidth(int width);
    void EnableWordWrapText(bool enable);
    bool IsEnabledWordWrapText();
    // Kept for callers; tool tips always show.
    void DisableAutomaticTooltips(bool disable);

    // Selection, structure and label editing.
    void SetMultiSelection(bool on);
    bool IsSetMultiSelection();
    void SetSingleRoot(bool on);
    bool IsSingleRoot();
    int ChildCount(QStandardItem *item, bool recursive);
    Edit *EditLabel(QStandardItem *item);
    void EndEditLabel(bool commit);
    void DisableEditLabel(QStandardItem *item, bool disable);
    bool IsDisabledEditLabel(QStandardItem *item);
    void SetVirtualMode(bool on);
    bool IsVirtualModeEnabled();

    // Sorting and row drag and drop.
    bool EnableRowsDragAndDrop(bool on);
    bool IsEnableRowsDragAndDrop();
    void SetDragAndDropCanMove(const CanMoveFunc &canMove);
    bool SetSortFunc(const SortFunc &function);
    bool SetSortFunc(const VirtSortFunc &function);
    void SortChildren(QStandardItem *parent, bool recursive);
    void SortVirtChildren(VirtTreeItem *parent, bool recursive);

    // Virtual items.
    VirtTreeItem *AddVirtualTreeItem(std::wstring &text, VirtTreeItem *parent, any data);
    void UpdateVirtualView();
    void SetCurrentVirtualItem(VirtTreeItem *item);
    VirtTreeItem *CurrentVirtualItem();
    VirtTreeItem *RootItem();
    VirtTreeItem *GetParentItem(VirtTreeItem *item);
    VirtTreeItem *GetChildItem(VirtTreeItem *item, int index);
    int ChildCount(VirtTreeItem *item);
    int GetLevel(VirtTreeItem *item);
    void EnableVirtualItemCheckboxes(bool enable);
    void SetCheck(VirtTreeItem *item, bool checked, bool withChildren);
    void SetCheckAllVirtualItems(bool checked);
    bool IsCheckedAllVirtualItems();
    void SetBoldTextPosition(VirtTreeItem *item, int start, int length);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
