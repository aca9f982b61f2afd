#include "CheckBox.h"

#include "CheckBoxImpl.h"

namespace AUILib {

CheckBox::CheckBox()
    : m_impl(std::make_shared<impl>())
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

} // namespace AUILib
