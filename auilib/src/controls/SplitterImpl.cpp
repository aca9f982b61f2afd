#include "SplitterImpl.h"

namespace AUILib {

Splitter::impl::impl()
    : m_widget(new SplitterQt)
{
}

Splitter::impl::~impl() = default;

QWidget *Splitter::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
