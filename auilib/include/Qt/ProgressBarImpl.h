#pragma once

#include "BaseImplQt.h"
#include "ProgressBar.h"
#include "ProgressBarQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class ProgressBar::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<ProgressBarQt> m_widget;
};

} // namespace AUILib
