#include "EditImpl.h"

namespace AUILib {

Edit::impl::impl()
    : m_widget(new EditQt)
{
}

Edit::impl::~impl() = default;

QWidget *Edit::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
