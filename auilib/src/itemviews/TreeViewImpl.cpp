#include "TreeViewImpl.h"

namespace AUILib {

TreeView::impl::impl(TreeView *owner)
    : BaseImplQt(owner)
{
    MakeWidget<TreeViewQt>();
}

TreeView::impl::~impl() = default;

bool TreeView::impl::HasOwnContextMenu() const
{
    return true;
}

} // namespace AUILib
