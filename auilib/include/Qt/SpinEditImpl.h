#pragma once

#include "BaseImplQt.h"
#include "SpinEdit.h"
#include "SpinEditQt.h"

namespace AUILib {

// Drives the widget it makes, a SpinEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class SpinEdit::impl : public BaseImplQt
{
public:
    explicit impl(SpinEdit *owner);
    ~impl() override;

    // Null once Qt deleted the widget.
    SpinEditQt *Spin() const { return WidgetAs<SpinEditQt>(); }
};

} // namespace AUILib
