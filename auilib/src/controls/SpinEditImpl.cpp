#include "SpinEditImpl.h"

namespace AUILib {

SpinEdit::impl::impl(SpinEdit *owner)
    : BaseImplQt(owner)
{
    MakeWidget<SpinEditQt>();
}

SpinEdit::impl::~impl() = default;

} // namespace AUILib
