#include "ScrollAreaImpl.h"

namespace AUILib {

ScrollArea::impl::impl(ScrollArea *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ScrollAreaQt>();
}

ScrollArea::impl::~impl() = default;

} // namespace AUILib
