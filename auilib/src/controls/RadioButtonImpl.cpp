#include "RadioButtonImpl.h"

namespace AUILib {

RadioButton::impl::impl()
    : m_widget(new RadioButtonQt)
{
}

RadioButton::impl::~impl() = default;

QWidget *RadioButton::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
