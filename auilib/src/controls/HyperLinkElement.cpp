#include "HyperLinkElement.h"

#include "HyperLinkElementImpl.h"

namespace AUILib {

HyperLinkElement::HyperLinkElement()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindHyperLinkElement);
}

HyperLinkElement::~HyperLinkElement() = default;

bool HyperLinkElement::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> HyperLinkElement::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
