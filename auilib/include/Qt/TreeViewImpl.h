#pragma once

#include "BaseImplQt.h"
#include "CustStandardItem.h"
#include "TreeView.h"
#include "TreeViewItemContext.h"
#include "TreeViewQt.h"

#include <QItemSelection>
#include <QModelIndex>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStandardItemModel>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace AUILib {

class CustomStyle;
class TreeModel;
class TreePictureStore;
class TreeViewItemDelegate;
class VirtualTreeDelegate;

// Drives the tree widget it makes, a TreeViewQt: placed by Create or a form,
// the widget belongs to its Qt parent (and owns the models, delegates and
// style); never placed, it goes with this implementation.
class TreeView::impl : public BaseImplQt
{
public:
    explicit impl(TreeView *owner);
    ~impl() override;

    // The stored context menu is not shown by the event bridge: the tree shows
    // it itself, for the item under the pointer, on a right-button release.
    bool HasOwnContextMenu() const override;
    // The widget accepts drops while asked to or while rows can be dragged.
    void SetAcceptDrops(bool accept) override;
    bool IsAcceptDrops() override;
    bool ShowCustomToolTip(const QPoint &globalPos) override;

    // An item or a virtual node as events name it: by identity (null: no item).
    // Held (ItemRef::Hold), it is the one way the control keeps an item
    // across anything that may run a handler.
    ItemRef<QStandardItem *> ItemOf(QStandardItem *item) const;
    ItemRef<VirtTreeItem *> NodeOf(VirtTreeItem *node) const;
    ItemRef<QStandardItem *> HoldItem(QStandardItem *item) const { return std::move(ItemOf(item).Hold()); }
    // The item a held reference names, null once it is gone (or for none).
    static QStandardItem *Held(const ItemRef<QStandardItem *> &item) { return item.IsThere() ? item.Get() : nullptr; }
    TreeView *Control() const { return OwnerAs<TreeView>(); }
    TreeViewQt *Tree() const { return WidgetAs<TreeViewQt>(); }
    // The standard model while the standard mode shows; null otherwise.
    QStandardItemModel *Model() const;
    TreeModel *VirtualModel() const;
    // A real item of this tree in the standard mode (not null, not reserved,
    // with a valid index), the widget still there. A pointer that is no live
    // item of this control is never read through: safe for one held across a
    // handler that may have freed it.
    bool IsItem(QStandardItem *item) const;
    static bool IsReserved(QStandardItem *item);

    // Items (standard mode).
    void SetHeaderLabel(const std::wstring &text);
    void SetHeaderVisible(bool visible);
    bool IsHeaderVisible();
    QStandardItem *AddItem(const std::wstring &text, const any &data);
    QStandardItem *InsertItem(const std::wstring &text, QStandardItem *parent, QStandardItem *after, const any &data);
    QStandardItem *AddSubItem(const std::wstring &text, const any &data, QStandardItem *parent);
    int AddItems(TreeView::ItemList &items);
    int InsertItems(TreeView::ItemList &items, QStandardItem *parent, QStandardItem *after);
    int AddSubItems(TreeView::ItemList &items, QStandardItem *parent);
    QStandardItem *CurrentItem();
    int Count();
    void SetCurrentItem(QStandardItem *item);
    void SelectItem(QStandardItem *item, bool select);
    bool IsSelectedItem(QStandardItem *item);
    any GetItemData(QStandardItem *item);
    bool SetItemData(QStandardItem *item, const any &data);
    bool RemoveItemData(QStandardItem *item);
    bool RemoveItem(QStandardItem *item);
    bool RemoveAllItems(bool withPictures);
    void SetExpanded(QStandardItem *item, bool expanded);
    bool IsExpanded(QStandardItem *item);
    void EnableEditItems(bool enable);
    bool IsEnabledEditItems();
    QStandardItem *VisibleTopLevelItem(QStandardItem *item);
    QStandardItem *GetTopLevelItem(QStandardItem *item);
    QStandardItem *GetRootItem();
    QStandardItem *GetFirstChild(QStandardItem *item);
    std::list<QStandardItem *> CheckedItems();
    std::list<QStandardItem *> SelectedItems();
    void SetCheckMode(TreeView::CheckMode mode);
    TreeView::CheckMode GetCheckMode();
    bool ItemHasChildren(QStandardItem *item);
    void SetUpdatesEnabled(bool enabled);
    void SetMultiSelection(bool on);
    bool IsSetMultiSelection() const { return m_multiSelection; }
    void SetSingleRoot(bool on);
    bool IsSingleRoot() const { return m_singleRoot; }
    int ChildCount(QStandardItem *item, bool recursive);
    void DisableEditLabel(QStandardItem *item, bool disable);
    bool IsDisabledEditLabel(QStandardItem *item);
    void SetVirtualMode(bool on);
    bool IsVirtualModeEnabled() const { return m_virtualMode; }
    // Every item of the standard tree in pre-order.
    std::vector<QStandardItem *> AllItems() const;
    bool UpdatesEnabled() const { return m_updatesEnabled; }

    // Interaction (standard mode unless stated).
    QStandardItem *HitTest(const QPoint &point, unsigned int *flags);
    void SetCheck(QStandardItem *item, bool checked);
    bool GetCheck(QStandardItem *item);
    QStandardItem *GetParentItem(QStandardItem *item);
    QStandardItem *NextSibling(QStandardItem *item);
    QStandardItem *PrevSibling(QStandardItem *item);
    Rect GetItemRect(QStandardItem *item, bool contentOnly);
    std::wstring GetItemText(QStandardItem *item);
    bool SetItemText(QStandardItem *item, const std::wstring &text);
    Edit *EditLabel(QStandardItem *item);
    void EndEditItem(bool commit);
    void UpdateItemSizeHint(QStandardItem *item, bool clearHint);
    // Gives the state to every descendant whose check differs.
    void CheckChildren(QStandardItem *item, bool state);
    // Brings every ancestor in line with its children.
    void UpdateParentCheck(QStandardItem *item, bool state);
    void CheckRange(QStandardItem *from, QStandardItem *to, bool onContent, bool state);
    // The tree's signals, made again after each switch of the mode.
    void SetConnections();
    // Column 0 as wide as its contents, unless word wrap or frozen updates.
    void FitColumn();
    CustomStyle *Style() const { return m_style; }
    TreeViewItemDelegate *ItemDelegate() const;

    // Appearance, pictures and tool tips.
    void SetStyle(TreeView::StyleFlag remove, TreeView::StyleFlag add);
    void SetItemBold(QStandardItem *item, bool bold);
    bool IsItemBold(QStandardItem *item);
    void SetFont(const FontData &font, bool applyToItems);
    FontData GetFont();
    void SetBackgroundColor(RGBColor color);
    void SetTextColor(int color, bool applyToItems);
    int GetTextColor();
    int GetItemTextColor(QStandardItem *item);
    FontData GetItemFont(QStandardItem *item);
    void SetItemFont(QStandardItem *item, const FontData &font);
    void SetItemTextColor(QStandardItem *item, int color);
    void SetSelectionColors(int textColor, int backgroundColor);
    void SetItemHeight(int height);
    int GetItemHeight();
    void SetItemTooltip(QStandardItem *item, const std::wstring &text);
    std::wstring GetItemToolTip(QStandardItem *item);
    void SetItemToolTipMaxWidth(int width);
    int ItemToolTipMaxWidth() const { return m_toolTipMaxWidth; }
    void EnableWordWrapText(bool enable);
    bool IsEnabledWordWrapText();
    void UpdateWrappedTextSizeHint(bool reset);
    int AddPicture(QStandardItem *item, const std::wstring &path, int size);
    int AddPicture(QStandardItem *item, const unsigned char *data, int length, ImageTypes type, int size);
    bool SetPicture(QStandardItem *item, int index);
    std::wstring GetItemPicturePath(QStandardItem *item);
    TreePictureStore *Pictures() const { return m_pictures.get(); }
    // What the control keeps on an item beyond its data id (256) and the
    // text it was made with (257), in the item itself: it goes with the
    // item, whoever removes it.
    enum ItemRole { ToolTipRole = Qt::UserRole + 2, OwnLookRole = Qt::UserRole + 3 };
    // OwnLookRole's marks: what the caller set on the item itself, which
    // SetFont and SetTextColor given applyToItems set again.
    enum OwnLook { OwnFont = 1, OwnColor = 2 };
    // Drops what the control keeps of an item leaving the tree.
    void ForgetItem(QStandardItem *item);

    // Virtual items.
    std::wstring GetItemText(VirtTreeItem *item);
    bool SetItemText(VirtTreeItem *item, const std::wstring &text);
    bool SetItemTooltip(VirtTreeItem *item, const std::wstring &text);
    any GetItemData(VirtTreeItem *item);
    bool SetItemData(VirtTreeItem *item, const any &data);
    int AddPicture(VirtTreeItem *item, const std::wstring &path, int size);
    int AddPicture(VirtTreeItem *item, const unsigned char *data, int length, ImageTypes type, int size);
    bool SetPicture(VirtTreeItem *item, int index);
    std::wstring GetItemPicturePath(VirtTreeItem *item);
    bool GetCheck(VirtTreeItem *item);
    void RemoveAllVirtualItems();
    void SetExpanded(VirtTreeItem *item, bool expanded);
    bool IsExpanded(VirtTreeItem *item);
    VirtTreeItem *AddVirtualTreeItem(const std::wstring &text, VirtTreeItem *parent, const any &data);
    void UpdateVirtualView();
    void SetCurrentVirtualItem(VirtTreeItem *item);
    // The node made current last (by the caller, a click or a handler),
    // null once it is gone.
    VirtTreeItem *CurrentVirtualItem() const;
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

    // Sorting and row drag and drop.
    bool EnableRowsDragAndDrop(bool on);
    bool IsEnableRowsDragAndDrop() const { return m_rowsDragAndDrop; }
    void SetDragAndDropCanMove(const TreeView::CanMoveFunc &canMove);
    bool SetSortFunc(const TreeView::SortFunc &function);
    bool SetSortFunc(const TreeView::VirtSortFunc &function);
    void SortChildren(QStandardItem *parent, bool recursive);
    void SortVirtChildren(VirtTreeItem *parent, bool recursive);

    // The mouse handling's items (the widget's and the click handler's),
    // held by identity: each reads as null once its item is gone.
    ItemRef<QStandardItem *> anchorItem;
    ItemRef<QStandardItem *> clickedItem;
    ItemRef<QStandardItem *> editingItem;
    ItemRef<QStandardItem *> lastClickedItem;
    // The items the multi-selection gestures selected, in order.
    std::vector<ItemRef<QStandardItem *>> selectedList;
    bool IsListed(QStandardItem *item) const;
    void List(QStandardItem *item);
    void Unlist(QStandardItem *item);
    // The listed items still there.
    std::vector<QStandardItem *> ListedItems() const;
    // Cleared around a deselection whose event the mouse handler fires itself.
    bool handleSelection = true;

    // Runs `change` (rows added, taken or removed, several selection steps)
    // as one change: its events are held (EventGate) until it is whole, and
    // the selection is reported once, for the rows still there whose
    // selection differs from before. Inside another such change it just runs
    // `change`.
    void HoldSelectionEvents(const std::function<void()> &change);
    // Whether a label editor of the item is being made (its handlers may ask
    // for another edit of it, which is refused).
    bool IsOpeningEditor(QStandardItem *item) const;
    std::vector<ItemRef<QStandardItem *>> openingEditors;

private:
    // A new item, not yet placed.
    CustStandardItem *newItem(const std::wstring &text) const;
    // An item the control hands to its caller, read from the model now: the
    // caller's next call about it needs no look-up.
    QStandardItem *handOut(QStandardItem *item) const;
    // Data and wrapped size of an item just placed.
    void finishItem(QStandardItem *item, const any &data);
    // Batches: updates frozen around `add`, each item's picture set, sizes
    // computed again after.
    int addBatch(TreeView::ItemList &items, const std::function<QStandardItem *(const std::wstring &, const any &)> &add);
    bool refusesNewRoot() const;
    void onClicked(const QModelIndex &index);
    void onSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected);
    // Reports a selection change: the current virtual node follows at once;
    // the events (deselected rows first) reach the handlers when no change
    // is under way, each for its row if it is still there.
    void reportSelection(const QModelIndexList &off, const QModelIndexList &on);
    struct SelectionReport;
    void deliverSelection(const SelectionReport &report);
    void checkRangeByClick(QStandardItem *item, bool onContent);
    int addPicture(const unsigned char *data, int length, ImageTypes type, int size, const std::wstring &path);
    int addPictureFile(const std::wstring &path, int size);
    void applyPicture(QStandardItem *item, int index);
    void ensurePictures();
    void appendStyleSheet(const QString &rule);
    void setAllCheckable(bool checkable);
    bool isVirtualItem(VirtTreeItem *item) const;
    QModelIndex virtualIndex(VirtTreeItem *item) const;
    QStandardItemModel *newStandardModel(QWidget *tree);
    void switchMode(bool on);
    // Clears the rows and what the control keeps of them, firing nothing.
    void clearRows(bool withPictures);
    void onExpansion(const QModelIndex &index, bool expanded);
    // Delivers a virtual node's expansion event; a handler that builds the
    // virtual tree anew (lazy loading does) resets the view, and what was
    // expanded opens again once it returns.
    void deliverVirtualExpansion(const ItemRef<VirtTreeItem *> &node, bool expanded);
    // Row paths of the expanded virtual nodes, taken when the model is about
    // to be reset during an expansion's handlers: only then, so that an
    // expansion costs nothing more when no handler rebuilds the tree.
    std::vector<std::vector<int>> expandedVirtualPaths() const;
    void expandVirtualPaths(const std::vector<std::vector<int>> &paths);
    void onCloseEditor(QWidget *editor);

    bool m_headerLabelled = false;
    bool m_inSelectionChange = false;
    // Whether the last reported change selected nothing.
    bool m_lastSelectionEmpty = true;
    QPointer<QStandardItemModel> m_model;
    QPointer<TreeModel> m_treeModel;
    int m_toolTipMaxWidth = -1;
    // Items with a tool tip of their own (ToolTipRole).
    int m_itemToolTips = 0;
    std::shared_ptr<TreeViewItemContext> m_items;
    int m_checkMode = 0;
    QString m_baseStyleSheet;
    bool m_branchButtons = true;
    int m_itemHeight = -1;
    bool m_multiSelection = false;
    ItemRef<int> m_selectionAnchor;
    bool m_virtualMode = false;
    bool m_rowsDragAndDrop = false;
    bool m_acceptDrops = false;
    bool m_singleRoot = false;
    int m_textColor = -1;
    QPointer<TreeViewItemDelegate> m_itemDelegate;
    QPointer<VirtualTreeDelegate> m_virtualDelegate;
    std::unique_ptr<TreePictureStore> m_pictures;
    ItemRef<VirtTreeItem *> m_currentVirtualItem;
    ItemRef<VirtTreeItem *> m_toolTipVirtualItem;
    CustomStyle *m_style = nullptr;
    bool m_updatesEnabled = true;
    std::vector<QMetaObject::Connection> m_connections;
    // Re-entry guards: a handler of the event one of these fires may ask for
    // the same operation again.
    bool m_clearingRows = false;
    bool m_switchingMode = false;
    bool m_restoringExpansion = false;
    std::vector<ItemRef<QStandardItem *>> m_removing;
    // While an expansion's handlers run: the paths to open again, taken when
    // one of them resets the virtual model.
    int m_expansionDeliveries = 0;
    std::vector<std::vector<int>> m_pathsBeforeReset;
    bool m_resetDuringExpansion = false;
};

} // namespace AUILib
