#include "CheckBoxImpl.h"

namespace AUILib {

CheckBox::impl::impl()
    : m_widget(new CheckBoxQt)
{
}

CheckBox::impl::~impl() = default;

QWidget *CheckBox::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
