#pragma once

#include "BaseImplQt.h"
#include "MultiLineEdit.h"
#include "MultiLineEditQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class MultiLineEdit::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<MultiLineEditQt> m_widget;
};

} // namespace AUILib
