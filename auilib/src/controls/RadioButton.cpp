#include "RadioButton.h"

#include "RadioButtonImpl.h"

#include <utility>

namespace AUILib {

RadioButton::RadioButton()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindRadioButton);
}

RadioButton::~RadioButton() = default;

bool RadioButton::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> RadioButton::GetBaseImpl() const { return m_impl; }

void RadioButton::SetCheck(bool check) { m_impl->SetCheck(check); }

bool RadioButton::Checked() { return m_impl->Checked(); }

void RadioButton::LoadPicture(const std::wstring &path, ScalePicture scale, int iconSize)
{
    m_impl->LoadPicture(path, scale, iconSize);
}

void RadioButton::LoadPicture(const unsigned char *data, int length, ImageTypes type, ScalePicture scale,
                              int iconSize)
{
    m_impl->LoadPicture(data, length, type, scale, iconSize);
}

void RadioButton::SetText(const std::wstring &text) { m_impl->SetText(text); }

std::wstring RadioButton::GetText() const { return m_impl->GetText(); }

void RadioButton::SetGroupInfo(std::shared_ptr<GroupInfo> group) { m_group = std::move(group); }

std::shared_ptr<GroupInfo> RadioButton::GetGroupInfo() { return m_group; }

} // namespace AUILib
