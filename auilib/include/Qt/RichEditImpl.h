#pragma once

#include "BaseImplQt.h"
#include "RichEdit.h"
#include "RichEditQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class RichEdit::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<RichEditQt> m_widget;
};

} // namespace AUILib
