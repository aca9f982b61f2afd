#include "RichEditImpl.h"

namespace AUILib {

RichEdit::impl::impl()
    : m_widget(new RichEditQt)
{
}

RichEdit::impl::~impl() = default;

QWidget *RichEdit::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
