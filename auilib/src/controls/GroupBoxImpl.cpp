#include "GroupBoxImpl.h"

namespace AUILib {

GroupBox::impl::impl(GroupBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<GroupBoxQt>();
}

GroupBox::impl::~impl() = default;

} // namespace AUILib
