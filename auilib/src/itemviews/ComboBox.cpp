#include "ComboBox.h"

#include "ComboBoxImpl.h"

namespace AUILib {

ComboBox::ComboBox()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindComboBox);
}

ComboBox::~ComboBox() = default;

bool ComboBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ComboBox::GetBaseImpl() const { return m_impl; }

int ComboBox::AddItem(const std::wstring &text, const any &data) { return InsertItem(Count(), text, data); }
int ComboBox::AddSeparator(const std::wstring &text, const any &data) { return InsertSeparator(Count(), text, data); }
void ComboBox::SetSeparatorColor(RGBColor) {}
int ComboBox::InsertItem(int index, const std::wstring &text, const any &data)
{
    return m_impl->InsertItem(index, text, data);
}
int ComboBox::InsertSeparator(int index, const std::wstring &text, const any &data)
{
    return m_impl->InsertSeparator(index, text, data);
}
void ComboBox::AddPicture(int index, const std::wstring &path, ScalePicture scale, Size size, BitmapType)
{
    m_impl->AddPicture(index, path, scale, size);
}
void ComboBox::AddPicture(int index, const unsigned char *bytes, int length, ImageTypes type, ScalePicture scale,
                          Size size, BitmapType)
{
    m_impl->AddPicture(index, bytes, length, type, scale, size);
}
void ComboBox::AddButton(int, const std::wstring &) {}
void ComboBox::AddButton(int, const unsigned char *, int, ImageTypes) {}
void ComboBox::SetCurSel(int index) { m_impl->SetCurSel(index); }
int ComboBox::GetCurSel() { return m_impl->GetCurSel(); }
std::wstring ComboBox::GetItemText(int index) { return m_impl->GetItemText(index); }
std::wstring ComboBox::CurrentText() { return m_impl->CurrentText(); }
void ComboBox::SetCurrentText(const std::wstring &text) { m_impl->SetCurrentText(text); }
void ComboBox::Clear() { m_impl->Clear(); }
int ComboBox::Count() { return m_impl->Count(); }
any ComboBox::GetItemData(int index) { return m_impl->GetItemData(index); }
bool ComboBox::SetItemData(int index, const any &data) { return m_impl->SetItemData(index, data); }
bool ComboBox::RemoveItemData(int index) { return m_impl->RemoveItemData(index); }
void ComboBox::OnlyNumbers(bool enable, int min, int max) { m_impl->OnlyNumbers(enable, min, max); }
void ComboBox::SetMaxVisibleItems(int count) { m_impl->SetMaxVisibleItems(count); }
int ComboBox::GetMaxVisibleItems() { return m_impl->GetMaxVisibleItems(); }
int ComboBox::FindString(const std::wstring &text, int startAfter) { return m_impl->FindString(text, startAfter); }
void ComboBox::AdjustItemWidth() { m_impl->AdjustItemWidth(); }
void ComboBox::SetAutoComplete(bool enable) { m_impl->SetAutoComplete(enable); }
bool ComboBox::IsAutoComplete() { return m_impl->IsAutoComplete(); }
void ComboBox::SetEditSel(int start, int length) { m_impl->SetEditSel(start, length); }
int ComboBox::SelectionLength() { return m_impl->SelectionLength(); }
int ComboBox::SelectionStart() { return m_impl->SelectionStart(); }
void ComboBox::SetCaretPosition(int position) { m_impl->SetCaretPosition(position); }
int ComboBox::GetCaretPosition() { return m_impl->GetCaretPosition(); }
void ComboBox::ShowDropDown(bool show) { m_impl->ShowDropDown(show); }
void ComboBox::SetTextColor(unsigned int color) { m_impl->SetTextColor(color); }
void ComboBox::SetSelectedItemTextColor(unsigned int color) { m_impl->SetSelectedItemTextColor(color); }
void ComboBox::SetSelectedItemBgColor(RGBColor) {}
void ComboBox::SetBackgroundColor(unsigned int, unsigned int, unsigned int) {}
void ComboBox::SetDropDownButtonBackgroundColor(unsigned int) {}
void ComboBox::ResetDropDownButtonBackgroundColor() {}

void ComboBox::SetFont(FontData font) { m_impl->SetFont(font); }
void ComboBox::DisableItem(int index, bool disable) { m_impl->DisableItem(index, disable); }
bool ComboBox::IsItemDisabled(int index) { return m_impl->IsItemDisabled(index); }
void ComboBox::SetItemFont(int index, FontData &font) { m_impl->SetItemFont(index, font); }
FontData ComboBox::GetItemFont(int index) { return m_impl->GetItemFont(index); }
void ComboBox::SetEditable(bool editable) { m_impl->SetEditable(editable); }
void ComboBox::EnableEditListMode(bool enable) { m_impl->EnableEditListMode(enable); }
bool ComboBox::GetDroppedState() { return m_impl->GetDroppedState(); }
bool ComboBox::ShowBalloonTip(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon)
{
    return m_impl->ShowBalloonTip(title, text, icon);
}
bool ComboBox::HideBalloonTip() { return m_impl->HideBalloonTip(); }
void ComboBox::SetBorderRadius(int) {}
void ComboBox::SetAddToListOnEnterKey(bool add) { m_impl->SetAddToListOnEnterKey(add); }
void ComboBox::DeleteString(int index) { m_impl->DeleteString(index); }
QWidget *ComboBox::GetWndPtr() { return m_impl->GetWndPtr(); }

} // namespace AUILib
