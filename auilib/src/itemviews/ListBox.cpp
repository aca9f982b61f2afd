#include "ListBox.h"

#include "ListBoxImpl.h"
#include "SkinManager.h"

namespace AUILib {

ListBox::ListBox()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindListBox);
}

ListBox::~ListBox() = default;

bool ListBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

Size ListBox::IdealSize() { return m_impl->IdealSize(); }
std::shared_ptr<BaseImpl> ListBox::GetBaseImpl() const { return m_impl; }
SkinManager *ListBox::GetSkinManager() { return BaseGUIObject::GetSkinManager(); }

void ListBox::SetBackgroundColor(int rgb) { m_impl->SetBackgroundColor(rgb); }
int ListBox::GetBackgroundColor() { return m_impl->GetBackgroundColor(); }
void ListBox::SetTextColor(int rgb) { m_impl->SetTextColor(rgb); }
int ListBox::GetTextColor() { return m_impl->GetTextColor(); }

void ListBox::AddPictureToHeader(int column, const std::wstring &path, int size, BitmapType)
{
    m_impl->AddPictureToHeader(column, path, size);
}

void ListBox::AddPictureToHeader(int column, const unsigned char *bytes, int length, ImageTypes imageType, int size,
                                 BitmapType)
{
    m_impl->AddPictureToHeader(column, bytes, length, imageType, size);
}

int ListBox::AddItem(const std::wstring &text, any data) { return m_impl->InsertItem(Count(), text, data); }
int ListBox::AddItemEx(std::list<std::wstring> &texts, any data) { return m_impl->InsertItemEx(-1, texts, data); }
int ListBox::AddRow(std::list<std::wstring> &texts, std::list<any> datas)
{
    return m_impl->InsertRow(-1, texts, datas);
}
int ListBox::InsertItem(int row, const std::wstring &text, any data) { return m_impl->InsertItem(row, text, data); }
int ListBox::InsertItemEx(int row, std::list<std::wstring> &texts, any data)
{
    return m_impl->InsertItemEx(row, texts, data);
}
int ListBox::InsertRow(int row, std::list<std::wstring> &texts, std::list<any> datas)
{
    return m_impl->InsertRow(row, texts, datas);
}
int ListBox::DeleteItem(ListBoxTreeItem *) { return 0; }

void ListBox::AddPictureEx(int row, int column, const std::wstring &path, int size, BitmapType)
{
    m_impl->AddPictureEx(row, column, path, size);
}

void ListBox::AddPictureEx(int row, int column, const unsigned char *bytes, int length, ImageTypes imageType,
                           int size, BitmapType)
{
    m_impl->AddPictureEx(row, column, bytes, length, imageType, size);
}

void ListBox::AddPicture(int row, const std::wstring &path, int size, BitmapType)
{
    m_impl->AddPictureEx(row, 0, path, size);
}

void ListBox::AddPicture(int row, const unsigned char *bytes, int length, ImageTypes imageType, int size, BitmapType)
{
    m_impl->AddPictureEx(row, 0, bytes, length, imageType, size);
}

void ListBox::AddPictureSysIcon(int row, const std::wstring &path) { m_impl->AddPictureSysIconEx(row, 0, path); }
void ListBox::AddPictureSysIconEx(int row, int column, const std::wstring &path)
{
    m_impl->AddPictureSysIconEx(row, column, path);
}

void ListBox::Clear() { m_impl->Clear(); }
int ListBox::Count() { return m_impl->Count(); }
std::wstring ListBox::GetItem(int row, int column) { return m_impl->GetItem(row, column); }
std::list<std::wstring> ListBox::GetItemEx(int row) { return m_impl->GetItemEx(row); }
int ListBox::GetItemIndex(const std::wstring &text) { return m_impl->GetItemIndex(text); }
bool ListBox::DeleteItem(int row) { return m_impl->DeleteItem(row); }
bool ListBox::DeleteItems(int first, int count) { return m_impl->DeleteItems(first, count); }
bool ListBox::DeleteSelItems() { return m_impl->DeleteSelItems(); }
void ListBox::SetSel(int row, bool select, bool setCurrent) { m_impl->SetSel(row, select, setCurrent); }
void ListBox::ClearSel() { m_impl->ClearSel(); }
std::list<std::wstring> ListBox::SelectedItems() { return m_impl->SelectedItems(); }
std::list<int> ListBox::SelectedItemsIndexes() { return m_impl->SelectedItemsIndexes(); }
void ListBox::SetCheckMode(CheckMode mode) { m_impl->SetCheckMode(mode); }
ListBox::CheckMode ListBox::GetCheckMode() { return m_impl->GetCheckMode(); }
void ListBox::SetCheck(int row, bool check) { m_impl->SetCheck(row, check); }
bool ListBox::GetCheck(int row) { return m_impl->GetCheck(row); }
std::list<std::wstring> ListBox::CheckedItems() { return m_impl->CheckedItems(); }
std::list<int> ListBox::CheckedItemsIndexes() { return m_impl->CheckedItemsIndexes(); }
bool ListBox::IsSingleSelection() { return m_impl->IsSingleSelection(); }
void ListBox::SetSingleSelection(bool single) { m_impl->SetSingleSelection(single); }
bool ListBox::IsSortingEnabled() { return m_impl->IsSortingEnabled(); }
void ListBox::SortingEnable(bool on) { m_impl->SortingEnable(on); }
bool ListBox::EnsureVisible(int row) { return m_impl->EnsureVisible(row); }
any ListBox::GetItemData(int row) { return m_impl->GetItemData(row); }
any ListBox::GetItemDataEx(int row, int column) { return m_impl->GetItemDataEx(row, column); }
bool ListBox::SetItemData(int row, any data) { return m_impl->SetItemData(row, data); }
bool ListBox::SetItemDataEx(int row, int column, any data) { return m_impl->SetItemDataEx(row, column, data); }
bool ListBox::SetItemText(int row, const std::wstring &text) { return m_impl->SetItemText(row, 0, text); }
bool ListBox::SetItemText(int row, int column, const std::wstring &text)
{
    return m_impl->SetItemText(row, column, text);
}
bool ListBox::SetItemTextEx(int row, std::list<std::wstring> &texts) { return m_impl->SetItemTextEx(row, texts); }
bool ListBox::RemoveItemData(int row) { return m_impl->RemoveItemData(row); }
void ListBox::SetShowGridlines(bool show) { m_impl->SetShowGridlines(show); }
int ListBox::FindString(const std::wstring &text, int start) { return m_impl->FindString(text, start); }
int ListBox::HitTest(Point point, unsigned int *flags, int *column) { return m_impl->HitTest(point, flags, column); }
void ListBox::AddRowButton(const unsigned char *bytes, int length, ImageTypes imageType)
{
    m_impl->AddRowButton(bytes, length, imageType);
}

void ListBox::AddRowButton(const std::wstring &path) { m_impl->AddRowButton(path); }
void ListBox::DisableSortingForRow(int row) { m_impl->DisableSortingForRow(row); }
void ListBox::ShowSelection(bool show) { m_impl->ShowSelection(show); }
void ListBox::SelectItemOnSetFocus(bool on) { m_impl->SelectItemOnSetFocus(on); }
void ListBox::SetAutomaticSearch(bool on) { m_impl->SetAutomaticSearch(on); }
bool ListBox::SortColumn(int column, bool caseSensitive) { return m_impl->SortColumn(column, caseSensitive); }
bool ListBox::SortColumn(int column, SortMode mode, bool caseSensitive)
{
    return m_impl->SortColumn(column, mode, caseSensitive);
}
void ListBox::SetColumnSortFunc(int column, const SortFunction &function) { m_impl->SetColumnSortFunc(column, function); }
void ListBox::SetColumnsCount(int count) { m_impl->SetColumnsCount(count); }
int ListBox::GetColumnsCount() { return m_impl->GetColumnsCount(); }
bool ListBox::SetColumnName(int column, const std::wstring &name) { return m_impl->SetColumnName(column, name); }
void ListBox::EnableColumnNames(bool show) { m_impl->EnableColumnNames(show); }
void ListBox::SetColumnWidth(int column, int width) { m_impl->SetColumnWidth(column, width); }
void ListBox::ResizeColumnToContent(int column, bool fit) { m_impl->ResizeColumnToContent(column, fit); }
bool ListBox::IsSetResizeColumnToContent(int column) { return m_impl->IsSetResizeColumnToContent(column); }
std::vector<int> ListBox::GetColumnsWidth() { return m_impl->GetColumnsWidth(); }
void ListBox::EnableWordWrapText(bool on) { m_impl->EnableWordWrapText(on); }
bool ListBox::IsEnableWordWrapText() { return m_impl->IsEnableWordWrapText(); }
void ListBox::SetItemsHeight(int height) { m_impl->SetItemsHeight(height); }
void ListBox::SetHeaderTooltip(int column, const std::wstring &text) { m_impl->SetHeaderTooltip(column, text); }
void ListBox::SetHeaderPictureAlign(int column, HeaderStyle style) { m_impl->SetHeaderPictureAlign(column, style); }
ListBox::HeaderStyle ListBox::GetHeaderPictureAlign(int column) { return m_impl->GetHeaderPictureAlign(column); }
void ListBox::SetItemTextColor(int row, RGBColor color) { m_impl->SetItemTextColor(row, color); }
void ListBox::UnderlineItems(bool underline) { m_impl->UnderlineItems(underline); }
void ListBox::EnableItemsAutoTooltip(bool on, int maxLength) { m_impl->EnableItemsAutoTooltip(on, maxLength); }
void ListBox::EnableRowsDragAndDrop(bool on) { m_impl->EnableRowsDragAndDrop(on); }
bool ListBox::IsEnableRowsDragAndDrop() { return m_impl->IsEnableRowsDragAndDrop(); }
void ListBox::SetEditItems(Editable editable) { m_impl->SetEditItems(editable); }
ListBox::Editable ListBox::IsSetEditItems() { return m_impl->IsSetEditItems(); }
void ListBox::SetItemEditMode(int row, int column, EditMode mode) { m_impl->SetItemEditMode(row, column, mode); }
void ListBox::SetColumnEditMode(int column, EditMode mode) { m_impl->SetColumnEditMode(column, mode); }

// The list shows no tree.
ListBoxTreeItem *ListBox::AddRootItem(std::list<std::wstring> &, std::list<any>) { return nullptr; }
ListBoxTreeItem *ListBox::InsertRootItem(int, std::list<std::wstring> &, std::list<any>) { return nullptr; }
ListBoxTreeItem *ListBox::AddSubitem(ListBoxTreeItem *, std::list<std::wstring> &, std::list<any>) { return nullptr; }
ListBoxTreeItem *ListBox::InsertSubitem(ListBoxTreeItem *, int, std::list<std::wstring> &, std::list<any>)
{
    return nullptr;
}
ListBoxTreeItem *ListBox::GetTreeItem(int) { return nullptr; }
ListBoxTreeItem *ListBox::GetParentItem(ListBoxTreeItem *) { return nullptr; }
std::list<ListBoxTreeItem *> ListBox::GetRootItems() { return {}; }
std::list<ListBoxTreeItem *> ListBox::GetChildItems(ListBoxTreeItem *) { return {}; }
std::list<std::wstring> ListBox::GetItemTexts(ListBoxTreeItem *) { return {}; }
std::list<any> ListBox::GetItemDatas(ListBoxTreeItem *) { return {}; }
std::list<int> ListBox::GetItemImageIndexes(ListBoxTreeItem *) { return {}; }
int ListBox::SetExpanded(ListBoxTreeItem *, bool) { return -1; }
int ListBox::DisableChildItem(ListBoxTreeItem *, bool) { return -1; }
int ListBox::GetTreeItemIndex(ListBoxTreeItem *) { return -1; }
bool ListBox::IsDisabledChildItem(ListBoxTreeItem *) { return false; }

} // namespace AUILib
