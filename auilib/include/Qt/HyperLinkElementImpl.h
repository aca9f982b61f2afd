#pragma once

#include "BaseImplQt.h"
#include "HyperLinkElement.h"
#include "HyperLinkElementQt.h"

namespace AUILib {

// Drives the widget it makes, a HyperLinkElementQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class HyperLinkElement::impl : public BaseImplQt
{
public:
    explicit impl(HyperLinkElement *owner);
    ~impl() override;
};

} // namespace AUILib
