#include "StackedDialogImpl.h"

namespace AUILib {

StackedDialog::impl::impl()
    : m_widget(new StackedDialogQt)
{
}

StackedDialog::impl::~impl() = default;

QWidget *StackedDialog::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
