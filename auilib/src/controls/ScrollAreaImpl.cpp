#include "ScrollAreaImpl.h"

namespace AUILib {

ScrollArea::impl::impl()
    : m_widget(new ScrollAreaQt)
{
}

ScrollArea::impl::~impl() = default;

QWidget *ScrollArea::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
