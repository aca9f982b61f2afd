#pragma once

#include "BaseImplQt.h"
#include "RadioButton.h"
#include "RadioButtonQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class RadioButton::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<RadioButtonQt> m_widget;
};

} // namespace AUILib
