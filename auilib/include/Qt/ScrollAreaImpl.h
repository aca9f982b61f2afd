#pragma once

#include "BaseImplQt.h"
#include "ScrollArea.h"
#include "ScrollAreaQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class ScrollArea::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<ScrollAreaQt> m_widget;
};

} // namespace AUILib
