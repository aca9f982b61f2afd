#pragma once

#include "BaseImplQt.h"
#include "TabView.h"
#include "TabViewQt.h"

namespace AUILib {

// Drives the widget it makes, a TabViewQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class TabView::impl : public BaseImplQt
{
public:
    explicit impl(TabView *owner);
    ~impl() override;
};

} // namespace AUILib
