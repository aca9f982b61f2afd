#include "CheckBoxImpl.h"

namespace AUILib {

CheckBox::impl::impl(CheckBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<CheckBoxQt>();
}

CheckBox::impl::~impl() = default;

} // namespace AUILib
