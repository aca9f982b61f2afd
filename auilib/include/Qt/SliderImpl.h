#pragma once

#include "BaseImplQt.h"
#include "Slider.h"
#include "SliderQt.h"

namespace AUILib {

// Drives the widget it makes, a SliderQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Once the widget is gone the setters do nothing and GetValue answers 0.
class Slider::impl : public BaseImplQt
{
public:
    explicit impl(Slider *owner);
    ~impl() override;

    void SetPageSize(int size);
    void SetLineSize(int size);
    void SetRange(int min, int max);
    void SetValue(int value);
    int GetValue() const;

    // A form's range and steps, bounded as the setters bound them.
    void OnFormLoaded(const FormElement &element) override;
};

} // namespace AUILib
