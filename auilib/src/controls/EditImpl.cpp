#include "EditImpl.h"

namespace AUILib {

Edit::impl::impl(Edit *owner)
    : BaseImplQt(owner)
{
    MakeWidget<EditQt>();
}

Edit::impl::~impl() = default;

bool Edit::impl::HasOwnContextMenu() const
{
    return true;
}

} // namespace AUILib
