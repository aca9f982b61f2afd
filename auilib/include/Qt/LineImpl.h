#pragma once

#include "BaseImplQt.h"
#include "Line.h"
#include "LineQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class Line::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<LineQt> m_widget;
};

} // namespace AUILib
