#pragma once

#include "BaseImplQt.h"
#include "ScrollBar.h"
#include "ScrollBarQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class ScrollBar::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<ScrollBarQt> m_widget;
};

} // namespace AUILib
