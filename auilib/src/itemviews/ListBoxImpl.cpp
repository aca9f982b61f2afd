#include "ListBoxImpl.h"

namespace AUILib {

ListBox::impl::impl()
    : m_widget(new ListBoxQt)
{
}

ListBox::impl::~impl() = default;

QWidget *ListBox::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
