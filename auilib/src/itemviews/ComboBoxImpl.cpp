#include "ComboBoxImpl.h"

namespace AUILib {

ComboBox::impl::impl()
    : m_widget(new ComboBoxQt)
{
}

ComboBox::impl::~impl() = default;

QWidget *ComboBox::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
