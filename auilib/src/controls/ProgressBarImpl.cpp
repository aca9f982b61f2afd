#include "ProgressBarImpl.h"

namespace AUILib {

ProgressBar::impl::impl()
    : m_widget(new ProgressBarQt)
{
}

ProgressBar::impl::~impl() = default;

QWidget *ProgressBar::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
