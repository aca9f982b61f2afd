#pragma once

#include "BaseImplQt.h"
#include "ListBox.h"
#include "ListBoxQt.h"

namespace AUILib {

// Drives the widget it makes, a ListBoxQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class ListBox::impl : public BaseImplQt
{
public:
    explicit impl(ListBox *owner);
    ~impl() override;

    // A form's QListWidget: its items become the rows of the one column, and
    // its current row the current cell. QUiLoader gives a table neither.
    void OnFormLoaded(const FormElement &element) override;
};

} // namespace AUILib
