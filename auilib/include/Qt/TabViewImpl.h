#pragma once

#include "BaseImplQt.h"
#include "TabView.h"
#include "TabViewQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class TabView::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<TabViewQt> m_widget;
};

} // namespace AUILib
