#include "TreeView.h"

#include "SkinManager.h"
#include "TreeViewImpl.h"

#include <QPoint>

#include <cstdint>

namespace AUILib {

// Calls go through m_impl->, which keeps the implementation alive while a
// handler the call runs may release the control. The reads written with
// m_impl.get()-> (texts, checks, neighbours) change nothing and run no
// handler: they skip that hold, which a walk over every item would pay per call.

QStandardItem *const TreeView::RootItemHandle = reinterpret_cast<QStandardItem *>(std::intptr_t(-65536));
QStandardItem *const TreeView::FirstItemHandle = reinterpret_cast<QStandardItem *>(std::intptr_t(-65535));
QStandardItem *const TreeView::LastItemHandle = reinterpret_cast<QStandardItem *>(std::intptr_t(-65534));

TreeView::TreeView()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindTreeView);
}

TreeView::~TreeView()
{
    // The implementation goes first, then the events it could still fire.
    m_impl.reset();
}

bool TreeView::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

Size TreeView::IdealSize() { return m_impl->IdealSize(); }
std::shared_ptr<BaseImpl> TreeView::GetBaseImpl() const { return m_impl; }

void TreeView::SetHeaderLabel(const std::wstring &text) { m_impl->SetHeaderLabel(text); }
void TreeView::SetHeaderVisible(bool visible) { m_impl->SetHeaderVisible(visible); }
bool TreeView::IsHeaderVisible() { return m_impl->IsHeaderVisible(); }
QStandardItem *TreeView::AddItem(const std::wstring &text, any data) { return m_impl->AddItem(text, data); }
int TreeView::AddItems(ItemList &items) { return m_impl->AddItems(items); }
QStandardItem *TreeView::InsertItem(const std::wstring &text, QStandardItem *parent, QStandardItem *after, any data)
{
    return m_impl->InsertItem(text, parent, after, data);
}
int TreeView::InsertItems(ItemList &items, QStandardItem *parent, QStandardItem *after)
{
    return m_impl->InsertItems(items, parent, after);
}
QStandardItem *TreeView::AddSubItem(const std::wstring &text, any data, QStandardItem *parent)
{
    return m_impl->AddSubItem(text, data, parent);
}
int TreeView::AddSubItems(ItemList &items, QStandardItem *parent) { return m_impl->AddSubItems(items, parent); }
int TreeView::AddPicture(QStandardItem *item, const std::wstring &path, int size, BitmapType)
{
    return m_impl->AddPicture(item, path, size);
}
int TreeView::AddPicture(QStandardItem *item, const unsigned char *data, int length, ImageTypes imageType, int size,
                         BitmapType)
{
    return m_impl->AddPicture(item, data, length, imageType, size);
}
bool TreeView::SetPicture(QStandardItem *item, int index) { return m_impl->SetPicture(item, index); }
std::wstring TreeView::GetItemPicturePath(QStandardItem *item) { return m_impl->GetItemPicturePath(item); }
QStandardItem *TreeView::CurrentItem() { return m_impl->CurrentItem(); }
int TreeView::Count() { return m_impl->Count(); }
void TreeView::SetCurrentItem(QStandardItem *item) { m_impl->SetCurrentItem(item); }
void TreeView::SelectItem(QStandardItem *item, bool select) { m_impl->SelectItem(item, select); }
bool TreeView::IsSelectedItem(QStandardItem *item) { return m_impl->IsSelectedItem(item); }
std::wstring TreeView::GetItemText(QStandardItem *item) { return m_impl.get()->GetItemText(item); }
std::wstring TreeView::GetItemTextRaw(QStandardItem *item) { return m_impl.get()->GetItemText(item); }
bool TreeView::SetItemText(QStandardItem *item, const std::wstring &text) { return m_impl->SetItemText(item, text); }
any TreeView::GetItemData(QStandardItem *item) { return m_impl->GetItemData(item); }
bool TreeView::SetItemData(QStandardItem *item, any data) { return m_impl->SetItemData(item, data); }
bool TreeView::RemoveItemData(QStandardItem *item) { return m_impl->RemoveItemData(item); }
bool TreeView::RemoveItem(QStandardItem *item) { return m_impl->RemoveItem(item); }
bool TreeView::RemoveAllItems(bool withPictures) { return m_impl->RemoveAllItems(withPictures); }
void TreeView::SetExpanded(QStandardItem *item, bool expanded) { m_impl->SetExpanded(item, expanded); }
bool TreeView::IsExpanded(QStandardItem *item) { return m_impl->IsExpanded(item); }
void TreeView::EnableEditItems(bool enable) { m_impl->EnableEditItems(enable); }
bool TreeView::IsEnabledEditItems() { return m_impl->IsEnabledEditItems(); }
QStandardItem *TreeView::VisibleTopLevelItem(QStandardItem *item) { return m_impl->VisibleTopLevelItem(item); }
QStandardItem *TreeView::GetTopLevelItem(QStandardItem *item) { return m_impl->GetTopLevelItem(item); }
QStandardItem *TreeView::GetRootItem() { return m_impl.get()->GetRootItem(); }
QStandardItem *TreeView::GetParentItem(QStandardItem *item) { return m_impl.get()->GetParentItem(item); }
QStandardItem *TreeView::GetFirstChild(QStandardItem *item) { return m_impl.get()->GetFirstChild(item); }
QStandardItem *TreeView::NextSibling(QStandardItem *item) { return m_impl.get()->NextSibling(item); }
QStandardItem *TreeView::PrevSibling(QStandardItem *item) { return m_impl.get()->PrevSibling(item); }
std::list<QStandardItem *> TreeView::CheckedItems() { return m_impl->CheckedItems(); }
std::list<QStandardItem *> TreeView::SelectedItems() { return m_impl->SelectedItems(); }
void TreeView::SetCheckMode(CheckMode mode) { m_impl->SetCheckMode(mode); }
TreeView::CheckMode TreeView::GetCheckMode() { return m_impl->GetCheckMode(); }
void TreeView::SetCheck(QStandardItem *item, bool checked) { m_impl->SetCheck(item, checked); }
bool TreeView::GetCheck(QStandardItem *item) { return m_impl.get()->GetCheck(item); }
QStandardItem *TreeView::HitTest(Point point, unsigned int *flags)
{
    return m_impl->HitTest(QPoint(point.x, point.y), flags);
}
Rect TreeView::GetItemRect(QStandardItem *item, bool contentOnly) { return m_impl->GetItemRect(item, contentOnly); }
bool TreeView::ItemHasChildren(QStandardItem *item) { return m_impl->ItemHasChildren(item); }

std::wstring TreeView::GetItemText(VirtTreeItem *item) { return m_impl.get()->GetItemText(item); }
bool TreeView::SetItemText(VirtTreeItem *item, const std::wstring &text) { return m_impl->SetItemText(item, text); }
bool TreeView::SetItemTooltip(VirtTreeItem *item, const std::wstring &text)
{
    return m_impl->SetItemTooltip(item, text);
}
any TreeView::GetItemData(VirtTreeItem *item) { return m_impl->GetItemData(item); }
bool TreeView::SetItemData(VirtTreeItem *item, any data) { return m_impl->SetItemData(item, data); }
int TreeView::AddPicture(VirtTreeItem *item, const std::wstring &path, int size, BitmapType)
{
    return m_impl->AddPicture(item, path, size);
}
int TreeView::AddPicture(VirtTreeItem *item, const unsigned char *data, int length, ImageTypes imageType, int size,
                         BitmapType)
{
    return m_impl->AddPicture(item, data, length, imageType, size);
}
bool TreeView::SetPicture(VirtTreeItem *item, int index) { return m_impl->SetPicture(item, index); }
std::wstring TreeView::GetItemPicturePath(VirtTreeItem *item) { return m_impl->GetItemPicturePath(item); }
bool TreeView::GetCheck(VirtTreeItem *item) { return m_impl.get()->GetCheck(item); }
void TreeView::RemoveAllVirtualItems() { m_impl->RemoveAllVirtualItems(); }
void TreeView::SetExpanded(VirtTreeItem *item, bool expanded) { m_impl->SetExpanded(item, expanded); }
bool TreeView::IsExpanded(VirtTreeItem *item) { return m_impl->IsExpanded(item); }

void TreeView::SetUpdatesEnabled(bool enabled) { m_impl->SetUpdatesEnabled(enabled); }
void TreeView::SetStyle(StyleFlag remove, StyleFlag add) { m_impl->SetStyle(remove, add); }
void TreeView::SetItemBold(QStandardItem *item, bool bold) { m_impl->SetItemBold(item, bold); }
bool TreeView::IsItemBold(QStandardItem *item) { return m_impl->IsItemBold(item); }
void TreeView::SetFont(FontData &font, bool applyToItems) { m_impl->SetFont(font, applyToItems); }
FontData TreeView::GetFont() { return m_impl->GetFont(); }
void TreeView::SetBackgroundColor(RGBColor color) { m_impl->SetBackgroundColor(color); }
void TreeView::SetTextColor(int color, bool applyToItems) { m_impl->SetTextColor(color, applyToItems); }
int TreeView::GetTextColor() { return m_impl->GetTextColor(); }
int TreeView::GetItemTextColor(QStandardItem *item) { return m_impl->GetItemTextColor(item); }
FontData TreeView::GetItemFont(QStandardItem *item) { return m_impl->GetItemFont(item); }
void TreeView::SetItemFont(QStandardItem *item, FontData &font) { m_impl->SetItemFont(item, font); }
void TreeView::SetItemTextColor(QStandardItem *item, int color) { m_impl->SetItemTextColor(item, color); }
void TreeView::SetSelectionColors(int textColor, int backgroundColor)
{
    m_impl->SetSelectionColors(textColor, backgroundColor);
}
void TreeView::SetItemHeight(int height) { m_impl->SetItemHeight(height); }
int TreeView::GetItemHeight() { return m_impl->GetItemHeight(); }
void TreeView::SetItemTooltip(QStandardItem *item, const std::wstring &text) { m_impl->SetItemTooltip(item, text); }
std::wstring TreeView::GetItemToolTip(QStandardItem *item) { return m_impl->GetItemToolTip(item); }
void TreeView::SetItemToolTipMaxWidth(int width) { m_impl->SetItemToolTipMaxWidth(width); }
void TreeView::EnableWordWrapText(bool enable) { m_impl->EnableWordWrapText(enable); }
bool TreeView::IsEnabledWordWrapText() { return m_impl->IsEnabledWordWrapText(); }
void TreeView::DisableAutomaticTooltips(bool) {}

void TreeView::SetMultiSelection(bool on) { m_impl->SetMultiSelection(on); }
bool TreeView::IsSetMultiSelection() { return m_impl->IsSetMultiSelection(); }
void TreeView::SetSingleRoot(bool on) { m_impl->SetSingleRoot(on); }
bool TreeView::IsSingleRoot() { return m_impl->IsSingleRoot(); }
int TreeView::ChildCount(QStandardItem *item, bool recursive) { return m_impl->ChildCount(item, recursive); }
Edit *TreeView::EditLabel(QStandardItem *item) { return m_impl->EditLabel(item); }
void TreeView::EndEditLabel(bool commit) { m_impl->EndEditItem(commit); }
void TreeView::DisableEditLabel(QStandardItem *item, bool disable) { m_impl->DisableEditLabel(item, disable); }
bool TreeView::IsDisabledEditLabel(QStandardItem *item) { return m_impl->IsDisabledEditLabel(item); }
void TreeView::SetVirtualMode(bool on) { m_impl->SetVirtualMode(on); }
bool TreeView::IsVirtualModeEnabled() { return m_impl->IsVirtualModeEnabled(); }

bool TreeView::EnableRowsDragAndDrop(bool on) { return m_impl->EnableRowsDragAndDrop(on); }
bool TreeView::IsEnableRowsDragAndDrop() { return m_impl->IsEnableRowsDragAndDrop(); }
void TreeView::SetDragAndDropCanMove(const CanMoveFunc &canMove) { m_impl->SetDragAndDropCanMove(canMove); }
bool TreeView::SetSortFunc(const SortFunc &function) { return m_impl->SetSortFunc(function); }
bool TreeView::SetSortFunc(const VirtSortFunc &function) { return m_impl->SetSortFunc(function); }
void TreeView::SortChildren(QStandardItem *parent, bool recursive) { m_impl->SortChildren(parent, recursive); }
void TreeView::SortVirtChildren(VirtTreeItem *parent, bool recursive) { m_impl->SortVirtChildren(parent, recursive); }

VirtTreeItem *TreeView::AddVirtualTreeItem(std::wstring &text, VirtTreeItem *parent, any data)
{
    return m_impl->AddVirtualTreeItem(text, parent, data);
}
void TreeView::UpdateVirtualView() { m_impl->UpdateVirtualView(); }
void TreeView::SetCurrentVirtualItem(VirtTreeItem *item) { m_impl->SetCurrentVirtualItem(item); }
VirtTreeItem *TreeView::CurrentVirtualItem() { return m_impl->CurrentVirtualItem(); }
VirtTreeItem *TreeView::RootItem() { return m_impl->RootItem(); }
VirtTreeItem *TreeView::GetParentItem(VirtTreeItem *item) { return m_impl.get()->GetParentItem(item); }
VirtTreeItem *TreeView::GetChildItem(VirtTreeItem *item, int index) { return m_impl.get()->GetChildItem(item, index); }
int TreeView::ChildCount(VirtTreeItem *item) { return m_impl.get()->ChildCount(item); }
int TreeView::GetLevel(VirtTreeItem *item) { return m_impl.get()->GetLevel(item); }
void TreeView::EnableVirtualItemCheckboxes(bool enable) { m_impl->EnableVirtualItemCheckboxes(enable); }
void TreeView::SetCheck(VirtTreeItem *item, bool checked, bool withChildren)
{
    m_impl->SetCheck(item, checked, withChildren);
}
void TreeView::SetCheckAllVirtualItems(bool checked) { m_impl->SetCheckAllVirtualItems(checked); }
bool TreeView::IsCheckedAllVirtualItems() { return m_impl->IsCheckedAllVirtualItems(); }
void TreeView::SetBoldTextPosition(VirtTreeItem *item, int start, int length)
{
    m_impl->SetBoldTextPosition(item, start, length);
}

} // namespace AUILib
