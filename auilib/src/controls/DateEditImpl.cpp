#include "DateEditImpl.h"

namespace AUILib {

DateEdit::impl::impl()
    : m_widget(new DateEditQt)
{
}

DateEdit::impl::~impl() = default;

QWidget *DateEdit::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
