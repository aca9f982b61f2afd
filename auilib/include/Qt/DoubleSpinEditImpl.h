#pragma once

#include "BaseImplQt.h"
#include "DoubleSpinEdit.h"
#include "DoubleSpinEditQt.h"

namespace AUILib {

// Drives the widget it makes, a DoubleSpinEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class DoubleSpinEdit::impl : public BaseImplQt
{
public:
    explicit impl(DoubleSpinEdit *owner);
    ~impl() override;
};

} // namespace AUILib
