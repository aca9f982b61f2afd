#pragma once

#include "BaseImplQt.h"
#include "ChildDialog.h"
#include "ChildDialogQt.h"

namespace AUILib {

// Drives the page it makes, a ChildDialogQt: placed by Create or a form, the
// page belongs to its Qt parent; never placed, it goes with this
// implementation.
class ChildDialog::impl : public BaseImplQt
{
public:
    explicit impl(ChildDialog *owner);
    ~impl() override;

    void SetBackgroundColor(int colour);
    int BackgroundColor() const { return m_backgroundColor; }

private:
    int m_backgroundColor = -1;
};

} // namespace AUILib
