#include "LineImpl.h"

namespace AUILib {

Line::impl::impl()
    : m_widget(new LineQt)
{
}

Line::impl::~impl() = default;

QWidget *Line::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
