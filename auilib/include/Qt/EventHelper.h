#pragma once

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
    // Neither is owned; the dialog owns the bridge and outlives it.
    EventHelper(BaseGUIObject *control, EventHelperHost *host);
    ~EventHelper() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Target;

    Target findTarget(QObject *watched, QWidget *window) const;
    std::shared_ptr<BaseGUIObject> elementNamed(const QObject *object) const;
    // Whether a mouse or wheel event goes to the target: not to a disabled
    // control whose implementation declines it.
    static bool takesMouse(Target &target);
    // Calls the procedure; a handler that throws is logged and reads as false.
    bool deliver(BaseGUIObject *target, Event &event) const;
    bool keyEvent(BaseGUIObject *target, QKeyEvent *event);
    bool moveEvent(BaseGUIObject *target, QWidget *window, QEvent *event);
    bool inputMethodEvent(BaseGUIObject *target, QEvent *event);
    bool toolTipEvent(Target &target, QObject *watched, QEvent *event);
    bool dragEvent(BaseGUIObject *target, QEvent *event);
    void resizeToScreen(BaseGUIObject *target);

    BaseGUIObject *m_control;
    EventHelperHost *m_host;
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
