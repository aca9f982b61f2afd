#include "MultiLineEditImpl.h"

namespace AUILib {

MultiLineEdit::impl::impl()
    : m_widget(new MultiLineEditQt)
{
}

MultiLineEdit::impl::~impl() = default;

QWidget *MultiLineEdit::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
