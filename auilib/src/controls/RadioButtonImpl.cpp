#include "RadioButtonImpl.h"

namespace AUILib {

RadioButton::impl::impl(RadioButton *owner)
    : BaseImplQt(owner)
{
    MakeWidget<RadioButtonQt>();
}

RadioButton::impl::~impl() = default;

} // namespace AUILib
