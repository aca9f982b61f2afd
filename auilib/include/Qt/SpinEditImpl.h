#pragma once

#include "BaseImplQt.h"
#include "SpinEdit.h"
#include "SpinEditQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class SpinEdit::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<SpinEditQt> m_widget;
};

} // namespace AUILib
