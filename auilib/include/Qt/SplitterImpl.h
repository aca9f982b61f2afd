#pragma once

#include "BaseImplQt.h"
#include "Splitter.h"
#include "SplitterQt.h"

#include <QPointer>

namespace AUILib {

// Watches the widget it makes; the widget belongs to its Qt parent.
class Splitter::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

private:
    QPointer<SplitterQt> m_widget;
};

} // namespace AUILib
