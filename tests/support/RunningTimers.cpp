#include "RunningTimers.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <QTimer>

int runningTimers(const QObject *object)
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(object->thread());
    int count = dispatcher ? dispatcher->registeredTimers(const_cast<QObject *>(object)).size() : 0;
    // Only QTimers below it: the private helpers of Qt's own children (a network
    // manager's caches) keep timers of their own that say nothing about the object.
    for (const QTimer *timer : object->findChildren<QTimer *>()) {
        if (timer->isActive())
            ++count;
    }
    return count;
}
