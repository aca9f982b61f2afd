#pragma once

#include "BaseImplQt.h"
#include "HyperLinkElement.h"
#include "HyperLinkElementQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class HyperLinkElement::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<HyperLinkElementQt> m_widget;
};

} // namespace AUILib
