#include "EnablePageWidget.h"

#include "EnableChildWidgets.h"

#include <QWidget>

namespace AUILib {

void EnablePageWidget(QWidget *page, bool enable, bool withChildren)
{
    if (!page)
        return;
    if (withChildren)
        EnableChildWidgets(page, enable);
    else
        page->setEnabled(enable);
}

} // namespace AUILib
