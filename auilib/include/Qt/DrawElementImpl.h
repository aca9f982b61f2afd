#pragma once

#include "BaseImplQt.h"
#include "DrawElement.h"
#include "DrawElementQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class DrawElement::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<DrawElementQt> m_widget;
};

} // namespace AUILib
