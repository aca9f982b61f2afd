#pragma once

#include "BaseImplQt.h"
#include "ProgressBar.h"
#include "ProgressBarQt.h"

namespace AUILib {

// Drives the widget it makes, a ProgressBarQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Once the widget is gone the setters do nothing and the getters answer 0.
class ProgressBar::impl : public BaseImplQt
{
public:
    explicit impl(ProgressBar *owner);
    ~impl() override;

    void SetRange(int min, int max);
    bool SetValue(int value);
    int GetValue() const;
    int GetMinimum() const;
    int GetMaximum() const;
};

} // namespace AUILib
