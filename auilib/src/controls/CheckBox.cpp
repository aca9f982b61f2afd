#include "CheckBox.h"

#include "CheckBoxImpl.h"

namespace AUILib {

CheckBox::CheckBox()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindCheckBox);
}

CheckBox::~CheckBox() = default;

bool CheckBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> CheckBox::GetBaseImpl() const { return m_impl; }

void CheckBox::SetCheck(CheckBoxStates state) { m_impl->SetCheck(state); }

CheckBoxStates CheckBox::GetCheck() { return m_impl->GetCheck(); }

void CheckBox::SetTristate(bool tristate) { m_impl->SetTristate(tristate); }

void CheckBox::SetTextColor(RGBColor) {}

void CheckBox::SetText(const std::wstring &text) { m_impl->SetText(text); }

std::wstring CheckBox::GetText() const { return m_impl->GetText(); }

void CheckBox::SetWrap(bool wrap) { m_impl->SetWrap(wrap); }

void CheckBox::SetMinimumHeight(unsigned int height) { m_impl->SetMinimumHeight(height); }

void CheckBox::SetBtnBorderColor(RGBColor, RGBColor) {}

void CheckBox::SetBtnBackgroundColor(RGBColor, RGBColor) {}

void CheckBox::SetBtnCheckmarkColor(RGBColor) {}

void CheckBox::SetBorderRadius(int) {}

} // namespace AUILib
