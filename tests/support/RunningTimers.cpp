#include "RunningTimers.h"

#include <QAbstractEventDispatcher>
#include <QObject>

int runningTimers(const QObject *object)
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(object->thread());
    if (!dispatcher)
        return 0;
    QObject *self = const_cast<QObject *>(object);
    int count = dispatcher->registeredTimers(self).size();
    for (QObject *child : object->findChildren<QObject *>())
        count += dispatcher->registeredTimers(child).size();
    return count;
}
