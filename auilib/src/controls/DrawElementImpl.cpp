#include "DrawElementImpl.h"

namespace AUILib {

DrawElement::impl::impl()
    : m_widget(new DrawElementQt)
{
}

DrawElement::impl::~impl() = default;

QWidget *DrawElement::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
