#pragma once

#include "BaseImplQt.h"
#include "TreeView.h"
#include "TreeViewQt.h"

namespace AUILib {

// Drives the widget it makes, a TreeViewQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class TreeView::impl : public BaseImplQt
{
public:
    explicit impl(TreeView *owner);
    ~impl() override;

    // The stored context menu is not shown: a tree view pops up its own menu, for the item under the pointer.
    bool HasOwnContextMenu() const override;
};

} // namespace AUILib
