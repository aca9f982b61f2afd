#include "TabViewImpl.h"

namespace AUILib {

TabView::impl::impl()
    : m_widget(new TabViewQt)
{
}

TabView::impl::~impl() = default;

QWidget *TabView::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
