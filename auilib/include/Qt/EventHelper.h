#pragma once

#include "OwnerRef.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QKeyEvent;
class QWidget;

namespace AUILib {

class BaseGUIObject;
class Event;
class EventHelperHost;

// Turns the Qt events of a dialog's widgets into toolkit events for the event
// procedure of the control they belong to. The dialog installs one bridge as
// event filter on its window and on every widget of its form.
class EventHelper : public QObject
{
    Q_OBJECT

public:
    // Neither is owned; the dialog owns the bridge and is the host. A
    // procedure the bridge calls may release the dialog: from then on the
    // bridge delivers nothing and stops the event it was handling.
    EventHelper(BaseGUIObject *control, EventHelperHost *host);
    ~EventHelper() override;

    // How the dialog gives its bridge up: deleted at once, or, when the
    // dialog goes from inside one of the bridge's deliveries, as that
    // delivery returns.
    static void Dispose(EventHelper *bridge);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Target;

    bool filter(QObject *watched, QEvent *event);
    // The dialog, null once it is gone; the host goes with it.
    BaseGUIObject *control() const { return m_control.get(); }
    EventHelperHost *host() const { return m_control ? m_host : nullptr; }
    // Whether the target of the event being handled is still there after a
    // delivery: the dialog itself, or an element the event holds.
    bool stillThere(const Target &target) const;


    Target findTarget(QObject *watched, QWidget *window) const;
    std::shared_ptr<BaseGUIObject> elementNamed(const QObject *object) const;
    // Whether a mouse or wheel event goes to the target: not to a disabled
    // control whose implementation declines it.
    static bool takesMouse(Target &target);
    // Calls the procedure; a handler that throws is logged and reads as false.
    bool deliver(BaseGUIObject *target, Event &event) const;
    bool keyEvent(BaseGUIObject *target, QKeyEvent *event);
    bool moveEvent(const Target &target, QWidget *window, QEvent *event);
    bool inputMethodEvent(const Target &target, QEvent *event);
    bool toolTipEvent(Target &target, QObject *watched, QEvent *event);
    bool dragEvent(BaseGUIObject *target, QEvent *event);
    void resizeToScreen(BaseGUIObject *target);

    OwnerRef<BaseGUIObject> m_control;
    EventHelperHost *m_host;
    int m_running = 0;
    bool m_disposed = false;
    // Marks the interval after a deactivation in which Return, Enter and Space
    // presses are taken as left over from the other window.
    QTimer m_deactivationTimer;
    bool m_deactivated = false;
    bool m_repeatSeen = false;
    // Set while the window is moved to where a handler asked, so that the move
    // this causes does not start the timer again.
    bool m_moving = false;
    QTimer m_movingTimer;
};

} // namespace AUILib
