#include "ButtonBox.h"

#include "ButtonBoxImpl.h"

namespace AUILib {

ButtonBox::ButtonBox()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindButtonBox);
}

ButtonBox::~ButtonBox() = default;

bool ButtonBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ButtonBox::GetBaseImpl() const { return m_impl; }

void ButtonBox::SetOrientation(bool vertical) { m_impl->SetOrientation(vertical); }

std::shared_ptr<Button> ButtonBox::GetButton(QDialogButtonBox::StandardButton which)
{
    return m_impl->GetButton(which);
}

} // namespace AUILib
