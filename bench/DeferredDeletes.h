#pragma once

#include <QCoreApplication>
#include <QEvent>

// A control hands its widget to the event loop for deletion, and a benchmark runs no
// event loop: declared before the control in an iteration, this deletes the widget when
// the iteration ends, so iterations neither keep each other's memory nor skip that work.
struct DeferredDeletes
{
    ~DeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
