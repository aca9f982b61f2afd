#pragma once

#include "BaseImplQt.h"
#include "StackedDialog.h"
#include "StackedDialogQt.h"

namespace AUILib {

// Drives the widget it makes, a StackedDialogQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
class StackedDialog::impl : public BaseImplQt
{
public:
    explicit impl(StackedDialog *owner);
    ~impl() override;

    void SetCurrentIndex(int index);
    int GetCurrentIndex() const;
    QWidget *GetPage(int index);
    int InsertChildDialog(int index, QWidget *page);
    void EnablePage(int index, bool enable, bool withChildren);
};

} // namespace AUILib
