#pragma once

#include "BaseImplQt.h"
#include "DoubleSpinEdit.h"
#include "DoubleSpinEditQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class DoubleSpinEdit::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<DoubleSpinEditQt> m_widget;
};

} // namespace AUILib
