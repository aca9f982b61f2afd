#include "RadioButton.h"

#include "RadioButtonImpl.h"

namespace AUILib {

RadioButton::RadioButton()
    : m_impl(std::make_shared<impl>())
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

} // namespace AUILib
