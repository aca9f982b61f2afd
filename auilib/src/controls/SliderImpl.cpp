#include "SliderImpl.h"

namespace AUILib {

Slider::impl::impl()
    : m_widget(new SliderQt)
{
}

Slider::impl::~impl() = default;

QWidget *Slider::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
