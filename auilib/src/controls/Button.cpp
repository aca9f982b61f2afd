#include "Button.h"

#include "ButtonImpl.h"

namespace AUILib {

Button::Button()
    : m_impl(std::make_shared<impl>(this, nullptr))
{
    SetControlKind(ControlKindButton);
}

Button::Button(QPushButton *existing)
    : m_impl(std::make_shared<impl>(this, existing))
{
    SetControlKind(ControlKindButton);
}

Button::~Button() = default;

bool Button::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Button::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
