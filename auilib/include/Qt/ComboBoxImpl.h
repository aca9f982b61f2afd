#pragma once

#include "BaseImplQt.h"
#include "ComboBox.h"
#include "ComboBoxQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class ComboBox::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<ComboBoxQt> m_widget;
};

} // namespace AUILib
