#pragma once

#include "BaseImplQt.h"
#include "ComboBoxFS.h"
#include "ComboBoxFSQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class ComboBoxFS::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<ComboBoxFSQt> m_widget;
};

} // namespace AUILib
