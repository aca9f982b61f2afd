#pragma once

#include "BaseImplQt.h"
#include "DateEdit.h"
#include "DateEditQt.h"

namespace AUILib {

// Drives the widget it makes, a DateEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class DateEdit::impl : public BaseImplQt
{
public:
    explicit impl(DateEdit *owner);
    ~impl() override;
};

} // namespace AUILib
