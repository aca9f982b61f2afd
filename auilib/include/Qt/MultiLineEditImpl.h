#pragma once

#include "BaseImplQt.h"
#include "MultiLineEdit.h"
#include "MultiLineEditQt.h"

namespace AUILib {

// Drives the widget it makes, a MultiLineEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class MultiLineEdit::impl : public BaseImplQt
{
public:
    explicit impl(MultiLineEdit *owner);
    ~impl() override;
};

} // namespace AUILib
