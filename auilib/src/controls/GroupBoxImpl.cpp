#include "GroupBoxImpl.h"

namespace AUILib {

GroupBox::impl::impl()
    : m_widget(new GroupBoxQt)
{
}

GroupBox::impl::~impl() = default;

QWidget *GroupBox::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
