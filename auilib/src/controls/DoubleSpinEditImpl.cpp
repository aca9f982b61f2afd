#include "DoubleSpinEditImpl.h"

namespace AUILib {

DoubleSpinEdit::impl::impl()
    : m_widget(new DoubleSpinEditQt)
{
}

DoubleSpinEdit::impl::~impl() = default;

QWidget *DoubleSpinEdit::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
