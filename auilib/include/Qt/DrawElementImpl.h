#pragma once

#include "BaseImplQt.h"
#include "DrawElement.h"
#include "DrawElementQt.h"

namespace AUILib {

// Drives the widget it makes, a DrawElementQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class DrawElement::impl : public BaseImplQt
{
public:
    explicit impl(DrawElement *owner);
    ~impl() override;
};

} // namespace AUILib
