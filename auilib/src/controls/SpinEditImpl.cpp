#include "SpinEditImpl.h"

namespace AUILib {

SpinEdit::impl::impl()
    : m_widget(new SpinEditQt)
{
}

SpinEdit::impl::~impl() = default;

QWidget *SpinEdit::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
