#pragma once

#include "BaseImplQt.h"
#include "Slider.h"
#include "SliderQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class Slider::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<SliderQt> m_widget;
};

} // namespace AUILib
