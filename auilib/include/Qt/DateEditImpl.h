#pragma once

#include "BaseImplQt.h"
#include "DateEdit.h"
#include "DateEditQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class DateEdit::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<DateEditQt> m_widget;
};

} // namespace AUILib
