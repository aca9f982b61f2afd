#include "ScrollBarImpl.h"

namespace AUILib {

ScrollBar::impl::impl()
    : m_widget(new ScrollBarQt)
{
}

ScrollBar::impl::~impl() = default;

QWidget *ScrollBar::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
