#include "TabViewImpl.h"

namespace AUILib {

TabView::impl::impl(TabView *owner)
    : BaseImplQt(owner)
{
    MakeWidget<TabViewQt>();
}

TabView::impl::~impl() = default;

} // namespace AUILib
