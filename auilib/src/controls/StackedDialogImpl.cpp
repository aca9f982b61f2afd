#include "StackedDialogImpl.h"

namespace AUILib {

StackedDialog::impl::impl(StackedDialog *owner)
    : BaseImplQt(owner)
{
    MakeWidget<StackedDialogQt>();
}

StackedDialog::impl::~impl() = default;

} // namespace AUILib
