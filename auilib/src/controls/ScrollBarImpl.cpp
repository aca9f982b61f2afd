#include "ScrollBarImpl.h"

namespace AUILib {

ScrollBar::impl::impl(ScrollBar *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ScrollBarQt>();
}

ScrollBar::impl::~impl() = default;

} // namespace AUILib
