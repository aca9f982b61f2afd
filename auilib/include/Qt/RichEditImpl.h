#pragma once

#include "BaseImplQt.h"
#include "RichEdit.h"
#include "RichEditQt.h"

namespace AUILib {

// Drives the widget it makes, a RichEditQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class RichEdit::impl : public BaseImplQt
{
public:
    explicit impl(RichEdit *owner);
    ~impl() override;
};

} // namespace AUILib
