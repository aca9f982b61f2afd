#pragma once

#include "BaseImplQt.h"
#include "ScrollBar.h"
#include "ScrollBarQt.h"

namespace AUILib {

// Drives the widget it makes, a ScrollBarQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ScrollBar::impl : public BaseImplQt
{
public:
    explicit impl(ScrollBar *owner);
    ~impl() override;
};

} // namespace AUILib
