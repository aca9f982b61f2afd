#pragma once

#include "BaseImplQt.h"
#include "StackedDialog.h"
#include "StackedDialogQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class StackedDialog::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<StackedDialogQt> m_widget;
};

} // namespace AUILib
