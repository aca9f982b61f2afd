#pragma once

#include "BaseImplQt.h"
#include "ScrollArea.h"
#include "ScrollAreaQt.h"

namespace AUILib {

// Drives the widget it makes, a ScrollAreaQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ScrollArea::impl : public BaseImplQt
{
public:
    explicit impl(ScrollArea *owner);
    ~impl() override;
};

} // namespace AUILib
