#pragma once

#include "BaseImplQt.h"
#include "Slider.h"
#include "SliderQt.h"

namespace AUILib {

// Drives the widget it makes, a SliderQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class Slider::impl : public BaseImplQt
{
public:
    explicit impl(Slider *owner);
    ~impl() override;
};

} // namespace AUILib
