#pragma once

#include "BaseImplQt.h"
#include "ComboBoxFS.h"
#include "ComboBoxFSQt.h"

namespace AUILib {

// Drives the widget it makes, a ComboBoxFSQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ComboBoxFS::impl : public BaseImplQt
{
public:
    explicit impl(ComboBoxFS *owner);
    ~impl() override;
};

} // namespace AUILib
