#pragma once

#include "OwnerRef.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <functional>
#include <memory>

class QKeyEvent;
class QRect;
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
    // The target's control as it is now, asked through the kernel: null once
    // it, its widget or the dialog is gone, and while it or a window holding
    // it is being destroyed.
    BaseGUIObject *live(const Target &target) const;

    Target findTarget(QObject *watched, QWidget *window) const;
    std::shared_ptr<BaseGUIObject> elementNamed(const QObject *object) const;
    // Whether a mouse or wheel event goes to the target: not to a disabled
    // control whose implementation declines it.
    static bool takesMouse(Target &target);
    // Hands `event` to the target's procedure, and answers the procedure's
    // answer. While EventGate holds (Qt is inside an operation of a control
    // that a procedure must not disturb) a copy waits and is handed over once
    // the operation is whole, the target asked again then; the answer is
    // false, and the event goes on to Qt.
    template <class E>
    bool deliver(const Target &target, E &event);
    // Runs `delivery` with the target's control now, or once no hold is left.
    void whenWhole(const Target &target, std::function<void(BaseGUIObject *control)> delivery);
    // Calls the procedure; a handler that throws is logged and reads as false.
    static bool call(BaseGUIObject *control, Event &event);
    bool keyEvent(const Target &target, QKeyEvent *event);
    bool moveEvent(const Target &target, QWidget *window, QEvent *event);
    // After a procedure saw a move: the window goes where it asked, shortly.
    void followMove(QWidget *window, const QPoint &position, const QRect &asked);
    bool inputMethodEvent(const Target &target, QEvent *event);
    bool toolTipEvent(Target &target, QObject *watched, QEvent *event);
    bool dragEvent(const Target &target, QEvent *event);
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
