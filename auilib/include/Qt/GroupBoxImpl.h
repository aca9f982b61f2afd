#pragma once

#include "BaseImplQt.h"
#include "GroupBox.h"
#include "GroupBoxQt.h"

namespace AUILib {

// Drives the widget it makes, a GroupBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class GroupBox::impl : public BaseImplQt
{
public:
    explicit impl(GroupBox *owner);
    ~impl() override;
};

} // namespace AUILib
