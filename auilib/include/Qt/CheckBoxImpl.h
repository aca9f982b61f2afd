#pragma once

#include "BaseImplQt.h"
#include "CheckBox.h"
#include "CheckBoxQt.h"

namespace AUILib {

// Drives the widget it makes, a CheckBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class CheckBox::impl : public BaseImplQt
{
public:
    explicit impl(CheckBox *owner);
    ~impl() override;
};

} // namespace AUILib
