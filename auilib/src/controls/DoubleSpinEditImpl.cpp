#include "DoubleSpinEditImpl.h"

namespace AUILib {

DoubleSpinEdit::impl::impl(DoubleSpinEdit *owner)
    : BaseImplQt(owner)
{
    MakeWidget<DoubleSpinEditQt>();
}

DoubleSpinEdit::impl::~impl() = default;

} // namespace AUILib
