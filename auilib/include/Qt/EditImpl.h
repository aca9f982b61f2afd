#pragma once

#include "BaseImplQt.h"
#include "Edit.h"
#include "EditQt.h"

namespace AUILib {

// Drives the widget it makes, a EditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class Edit::impl : public BaseImplQt
{
public:
    explicit impl(Edit *owner);
    ~impl() override;

    // The stored context menu is not shown: an edit pops up its own menu, which knows about read-only state and the clipboard.
    bool HasOwnContextMenu() const override;
};

} // namespace AUILib
