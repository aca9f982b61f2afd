#include "ButtonBox.h"

#include "ButtonBoxImpl.h"

namespace AUILib {

ButtonBox::ButtonBox()
    : m_impl(std::make_shared<impl>())
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

} // namespace AUILib
