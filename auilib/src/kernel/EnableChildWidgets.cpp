#include "EnableChildWidgets.h"

#include <QWidget>

namespace AUILib {

void EnableChildWidgets(BaseImpl *, QWidget *widget, bool enable)
{
    if (!widget)
        return;
    widget->setEnabled(enable);
    // Each child is set explicitly too, so a child disabled on its own before
    // follows the call rather than keeping its old state.
    const QList<QWidget *> children = widget->findChildren<QWidget *>();
    for (QWidget *child : children)
        child->setEnabled(enable);
}

} // namespace AUILib
