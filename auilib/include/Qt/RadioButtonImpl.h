#pragma once

#include "BaseImplQt.h"
#include "RadioButton.h"
#include "RadioButtonQt.h"

namespace AUILib {

// Drives the widget it makes, a RadioButtonQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class RadioButton::impl : public BaseImplQt
{
public:
    explicit impl(RadioButton *owner);
    ~impl() override;
};

} // namespace AUILib
