#pragma once

#include "BaseImplQt.h"
#include "ComboBox.h"
#include "ComboBoxQt.h"

namespace AUILib {

// Drives the widget it makes, a ComboBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ComboBox::impl : public BaseImplQt
{
public:
    explicit impl(ComboBox *owner);
    ~impl() override;
};

} // namespace AUILib
