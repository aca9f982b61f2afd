#include "FocusWatcher.h"

#include <QEvent>
#include <QWidget>

namespace AUILib {

FocusWatcher::FocusWatcher(QWidget *parent)
    : QObject(parent)
{
    if (parent)
        parent->installEventFilter(this);
}

bool FocusWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        emit focusChanged(true);
    else if (event->type() == QEvent::FocusOut)
        emit focusChanged(false);
    return QObject::eventFilter(watched, event);
}

} // namespace AUILib
