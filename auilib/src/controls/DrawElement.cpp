#include "DrawElement.h"

#include "DrawElementImpl.h"

namespace AUILib {

DrawElement::DrawElement()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindDrawElement);
}

DrawElement::~DrawElement() = default;

bool DrawElement::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> DrawElement::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
