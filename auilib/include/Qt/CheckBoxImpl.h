#pragma once

#include "BaseImplQt.h"
#include "CheckBox.h"
#include "CheckBoxQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class CheckBox::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<CheckBoxQt> m_widget;
};

} // namespace AUILib
