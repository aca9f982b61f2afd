#pragma once

#include "BaseImplQt.h"
#include "ProgressBar.h"
#include "ProgressBarQt.h"

namespace AUILib {

// Drives the widget it makes, a ProgressBarQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ProgressBar::impl : public BaseImplQt
{
public:
    explicit impl(ProgressBar *owner);
    ~impl() override;
};

} // namespace AUILib
