#pragma once

#include "BaseImplQt.h"
#include "Edit.h"
#include "EditQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class Edit::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<EditQt> m_widget;
};

} // namespace AUILib
