#pragma once

#include "BaseImplQt.h"
#include "GroupBox.h"
#include "GroupBoxQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class GroupBox::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<GroupBoxQt> m_widget;
};

} // namespace AUILib
