#include "HyperLinkElementImpl.h"

namespace AUILib {

HyperLinkElement::impl::impl()
    : m_widget(new HyperLinkElementQt)
{
}

HyperLinkElement::impl::~impl() = default;

QWidget *HyperLinkElement::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
