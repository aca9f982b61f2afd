#pragma once

#include "BaseImplQt.h"
#include "TreeView.h"
#include "TreeViewQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class TreeView::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<TreeViewQt> m_widget;
};

} // namespace AUILib
