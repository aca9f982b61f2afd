#pragma once

#include "BaseImplQt.h"
#include "ListBox.h"
#include "ListBoxQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class ListBox::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<ListBoxQt> m_widget;
};

} // namespace AUILib
