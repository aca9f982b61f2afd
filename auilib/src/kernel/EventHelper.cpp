#include "EventHelper.h"

#include "AUILibLogger.h"
#include "BaseGUIObject.h"
#include "BaseImplQt.h"
#include "BoundHandlerWrapper.h"
#include "ContextMenu.h"
#include "Event.h"
#include "EventGate.h"
#include "EventHelperHost.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDebug>
#include <QDropEvent>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QStyle>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>

#include <climits>
#include <cmath>

namespace AUILib {

EventHelperHost::~EventHelperHost() = default;

namespace {

constexpr int kMovingDelayMs = 100;
constexpr int kInputMethodNativeKey = 0x01ffffff;

Point roundedPoint(const QPointF &point)
{
    return Point{static_cast<int>(std::lround(point.x())), static_cast<int>(std::lround(point.y()))};
}

bool isReturnOrSpace(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

// The events Qt sends from inside its own passes over a widget tree (laying
// out, showing, hiding, handing on the activation), walking its copies of
// widget lists around them.
bool comesFromAPass(int type)
{
    switch (type) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        return true;
    default:
        return false;
    }
}

BaseImplQt *qtImpl(const std::shared_ptr<BaseImpl> &impl)
{
    return dynamic_cast<BaseImplQt *>(impl.get());
}

} // namespace

// The control an event belongs to. `hold` keeps an element of the dialog alive
// while its procedure runs, should the procedure remove it from the dialog.
struct EventHelper::Target
{
    BaseGUIObject *control = nullptr;
    std::shared_ptr<BaseGUIObject> hold;
    std::shared_ptr<BaseImpl> heldImpl;

    // The control's Qt implementation, held for the rest of the event; null
    // without a control.
    BaseImplQt *impl();
};

EventHelper::EventHelper(BaseGUIObject *control, EventHelperHost *host)
    : m_control(control)
    , m_host(host)
{
    m_deactivationTimer.setSingleShot(true);
    m_movingTimer.setSingleShot(true);
}

EventHelper::~EventHelper() = default;

void EventHelper::Dispose(EventHelper *bridge)
{
    if (!bridge)
        return;
    bridge->m_control = OwnerRef<BaseGUIObject>();
    if (bridge->m_running > 0)
        bridge->m_disposed = true;
    else
        delete bridge;
}

BaseGUIObject *EventHelper::live(const Target &target) const
{
    // Nothing once the dialog is gone: the dialog itself is asked through the
    // bridge's own reference, which its release cleared.
    if (!target.control || !control())
        return nullptr;
    BaseGUIObject *found = target.hold ? target.hold.get() : control();
    // The widget the event came from is the control's: gone with it.
    const std::shared_ptr<BaseImplQt> impl = BaseImplQt::Of(found);
    return !impl || (impl->CanDeliver() && impl->GetWidget()) ? found : nullptr;
}

std::shared_ptr<BaseGUIObject> EventHelper::elementNamed(const QObject *object) const
{
    EventHelperHost *dialog = host();
    if (!dialog || !object)
        return {};
    return dialog->GetElementByName(object->objectName().toStdWString());
}

EventHelper::Target EventHelper::findTarget(QObject *watched, QWidget *window) const
{
    Target target;
    if (watched == window) {
        target.control = control();
        return target;
    }
    // The nearest control whose own widget holds the watched one: an item
    // view's viewport, the line edit inside a spin box or a combo box, belong
    // to that control, inside containers too. A widget of the form that is no
    // control's own (a second control of a name already taken) is skipped.
    // A control whose widget Qt is destroying is gone: what that widget
    // still sends reaches nobody, not even a container around it.
    for (QObject *object = watched; object && object != window; object = object->parent()) {
        std::shared_ptr<BaseGUIObject> element = elementNamed(object);
        if (!element)
            continue;
        QWidget *own = element->GetPlatformHandle();
        if (!own)
            break;
        if (own == object) {
            target.hold = std::move(element);
            break;
        }
    }
    target.control = target.hold.get();
    return target;
}

BaseImplQt *EventHelper::Target::impl()
{
    if (!control)
        return nullptr;
    if (!heldImpl)
        heldImpl = control->GetBaseImpl();
    return qtImpl(heldImpl);
}

bool EventHelper::takesMouse(Target &target)
{
    BaseImplQt *impl = target.impl();
    return !impl || impl->TakesMouseEventsWhenDisabled() || target.control->IsEnabled();
}

bool EventHelper::call(BaseGUIObject *target, Event &event)
{
    if (!target || !target->EventProcedure())
        return false;
    // Called through a copy: a procedure may replace itself, which would
    // otherwise destroy it while it runs.
    const BaseGUIObject::EventProcedureFn procedure = target->EventProcedure();
    // An exception must not unwind through Qt's event delivery.
    try {
        return procedure(target, &event);
    } catch (const std::exception &error) {
        AUILibLogger::GetInstance().LogException(error);
    } catch (...) {
        AUILibLogger::GetInstance().LogException(std::wstring(L"unknown exception in an event procedure"));
    }
    return false;
}

void EventHelper::whenWhole(const Target &target, std::function<void(BaseGUIObject *control)> delivery)
{
    if (!EventGate::Holding()) {
        if (BaseGUIObject *now = live(target))
            delivery(now);
        return;
    }
    if (!target.control)
        return;
    // Held by identity: the element through the dialog's own shared pointer,
    // the dialog through the bridge.
    EventGate::Deliver([bridge = QPointer<EventHelper>(this), element = std::weak_ptr<BaseGUIObject>(target.hold),
                        isDialog = !target.hold, delivery = std::move(delivery)] {
        if (!bridge || bridge->m_disposed)
            return;
        Target again;
        again.hold = element.lock();
        again.control = isDialog ? bridge->control() : again.hold.get();
        ++bridge->m_running;
        if (BaseGUIObject *now = bridge->live(again))
            delivery(now);
        if (--bridge->m_running == 0 && bridge->m_disposed) {
            // Its dialog went during the delivery.
            delete bridge.data();
        }
    });
}

template <class E>
bool EventHelper::deliver(const Target &target, E &event)
{
    if (EventGate::Holding()) {
        whenWhole(target, [event](BaseGUIObject *control) mutable { call(control, event); });
        return false;
    }
    return call(live(target), event);
}

void EventHelper::resizeToScreen(BaseGUIObject *target)
{
    EventHelperHost *dialog = host();
    if (dialog && control()->IsVisible())
        dialog->ResizeDialogAccordingScreen(target);
}

bool EventHelper::eventFilter(QObject *watched, QEvent *event)
{
    ++m_running;
    const QPointer<QObject> receiver(watched);
    bool answer = filter(watched, event);
    // A procedure may end with the receiver gone (its window deleted by a
    // modal run's event loop, say): answered, Qt hands the event to nobody.
    if (!receiver)
        answer = true;
    if (--m_running == 0 && m_disposed) {
        // Its dialog went during the delivery; nothing of it runs after this.
        delete this;
    }
    return answer;
}

bool EventHelper::filter(QObject *watched, QEvent *event)
{
    const int type = event->type();
    // Sent from inside another event, by a pass Qt started itself: what the
    // procedures (and every control's handlers) do waits until Qt is back in
    // the event loop. An event that arrives after such a pass delivers what
    // waited first, which may release the dialog or the target: both are
    // looked up after it.
    const QPointer<QObject> receiver(watched);
    EventGate::Arrives(comesFromAPass(type));

    BaseGUIObject *dialog = control();
    if (!receiver || !dialog)
        return false;
    QWidget *window = dialog->GetPlatformWindow();
    if (!window)
        return false;
    Target found = findTarget(watched, window);
    BaseGUIObject *target = found.control;
    if (type == 0 || type > 127) {
        if (type == BoundHandlerWrapper::kType)
            static_cast<BoundHandlerWrapper *>(event)->Run();
        return false;
    }

    switch (type) {
    case QEvent::Timer: {
        TimerEvent timer(static_cast<QTimerEvent *>(event)->timerId());
        return deliver(found, timer);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::HoverMove: {
        if (!target)
            return false;
        if (!takesMouse(found))
            return false;
        if (type == QEvent::HoverMove) {
            // Hover events carry no button state.
            auto *hover = static_cast<QHoverEvent *>(event);
            MouseEvent mouse(Event::HoverMove, roundedPoint(hover->posF()), 0,
                             static_cast<unsigned int>(hover->modifiers()));
            return deliver(found, mouse);
        }
        auto *qmouse = static_cast<QMouseEvent *>(event);
        MouseEvent mouse(static_cast<Event::Type>(type), roundedPoint(qmouse->localPos()),
                         static_cast<unsigned int>(qmouse->buttons()), static_cast<unsigned int>(qmouse->modifiers()));
        return deliver(found, mouse);
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return keyEvent(found, static_cast<QKeyEvent *>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        FocusEvent focus(static_cast<Event::Type>(type));
        return deliver(found, focus);
    }
    case QEvent::Leave: {
        if (!target)
            return false;
        const std::shared_ptr<BaseImpl> impl = target->GetBaseImpl();
        if (!impl || !impl->IsTrackMouseEvent())
            return false;
        MouseLeaveEvent leave;
        return deliver(found, leave);
    }
    case QEvent::Paint: {
        PaintEvent paint;
        return deliver(found, paint);
    }
    case QEvent::Move:
        return moveEvent(found, window, event);
    case QEvent::Resize: {
        auto *resize = static_cast<QResizeEvent *>(event);
        ResizeEvent value(Size{resize->oldSize().width(), resize->oldSize().height()},
                          Size{resize->size().width(), resize->size().height()});
        return deliver(found, value);
    }
    case QEvent::Show: {
        resizeToScreen(target);
        ShowEvent show;
        return deliver(found, show);
    }
    case QEvent::Hide: {
        HideEvent hide;
        return deliver(found, hide);
    }
    case QEvent::Close:
        if (target && target->GetControlKind() == ControlKindDialog && host() && target == dialog &&
            host()->FilterDone(0) == -1) {
            event->ignore();
            return true;
        }
        return false;
    case QEvent::WindowActivate: {
        WindowActivateEvent activate;
        return deliver(found, activate);
    }
    case QEvent::WindowDeactivate: {
        if (!m_repeatSeen)
            m_deactivationTimer.start(QApplication::keyboardInputInterval());
        m_deactivated = true;
        WindowDeactivateEvent deactivate;
        return deliver(found, deactivate);
    }
    case QEvent::Wheel: {
        if (!target)
            return false;
        if (!takesMouse(found))
            return false;
        auto *wheel = static_cast<QWheelEvent *>(event);
        const QPoint angle = wheel->angleDelta();
        const int delta = angle.y() != 0 ? angle.y() : angle.x();
        MouseWheelEvent value(static_cast<short>(qBound(SHRT_MIN, delta, SHRT_MAX)),
                              roundedPoint(wheel->globalPosition()), static_cast<unsigned int>(wheel->buttons()),
                              static_cast<unsigned int>(wheel->modifiers()));
        return deliver(found, value);
    }
    case QEvent::ApplicationPaletteChange: {
        ApplicationPaletteChangeEvent palette;
        deliver(found, palette);
        return false;
    }
    case QEvent::ShortcutOverride:
        if (!target)
            return false;
        qDebug().noquote().nospace() << QString::fromStdWString(target->GetName()) << " -> Shortcut event";
        return keyEvent(found, static_cast<QKeyEvent *>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return dragEvent(found, event);
    case QEvent::DragLeave:
        event->accept();
        return true;
    case QEvent::LayoutRequest:
        resizeToScreen(target);
        return false;
    case QEvent::ContextMenu: {
        if (!target)
            return false;
        ContextMenuEvent menu;
        if (deliver(found, menu) || !live(found))
            return true;
        BaseImplQt *impl = found.impl();
        if (impl && impl->HasOwnContextMenu())
            return false;
        const std::shared_ptr<ContextMenu> popup = target->GetContextMenu();
        if (!popup)
            return false;
        popup->Show(true);
        // Answered: passed on, the request would reach the widget's own
        // menu and then the parents', and one click would show menu after menu.
        return true;
    }
    case QEvent::InputMethod:
        return inputMethodEvent(found, event);
    case QEvent::ToolTip:
        return toolTipEvent(found, watched, event);
    default:
        return false;
    }
}

bool EventHelper::keyEvent(const Target &found, QKeyEvent *event)
{
    BaseGUIObject *target = found.control;
    if (!target)
        return false;
    const int type = event->type();
    if (type == QEvent::KeyRelease)
        m_deactivated = false;
    if (type != QEvent::KeyRelease && isReturnOrSpace(event->key())) {
        // A press that arrives just after the window lost activation was meant
        // for the window that took it.
        if (event->isAutoRepeat()) {
            m_repeatSeen = true;
            if (m_deactivated)
                return true;
        } else {
            m_repeatSeen = false;
            if (m_deactivationTimer.isActive())
                return true;
        }
    }
    if (!target->EventProcedure())
        return false;

    const unsigned int modifiers = static_cast<unsigned int>(event->modifiers()) &
                                   (Event::ShiftModifier | Event::ControlModifier | Event::AltModifier);
    KeyEvent key(static_cast<Event::Type>(type), SysKeyToAUIKey(event->key()), static_cast<Event::Modifier>(modifiers),
                 event->text().toStdWString(), event->key());
    const Event::Key code = key.GetKey();
    if (code == Event::KeyTab || code == Event::KeyEscape || code == Event::KeyPause ||
        type == QEvent::ShortcutOverride || (type == QEvent::KeyRelease && !key.IsSpecialKey())) {
        qDebug() << "Event processed and propagated to parent";
        if (code != Event::KeyTab)
            event->ignore();
        return false;
    }
    if (deliver(found, key)) {
        qDebug() << "Event NOT processed and propagated to parent";
        event->ignore();
        return true;
    }
    qDebug() << "Event processed and NOT propagated to parent";
    event->accept();
    return false;
}

bool EventHelper::moveEvent(const Target &found, QWidget *window, QEvent *event)
{
    BaseGUIObject *target = found.control;
    if (!target || !target->EventProcedure())
        return false;
    const QPoint position = static_cast<QMoveEvent *>(event)->pos();
    const QRect start(position, window->frameGeometry().size());
    // The bridge's own move of the window is reported, and asks for none.
    const bool ours = m_moving;
    QPointer<QWidget> guarded(window);
    const auto moving = [this, guarded, position, start, ours](BaseGUIObject *control) {
        QRect asked = start;
        MovingEvent value(&asked);
        const bool answer = call(control, value);
        // A procedure that released the dialog (or deleted its window) ends
        // the move where it is.
        if (this->control() && guarded)
            followMove(guarded, position, ours ? QRect(position, start.size()) : asked);
        return answer;
    };
    if (EventGate::Holding()) {
        whenWhole(found, moving);
        return false;
    }
    BaseGUIObject *now = live(found);
    return now && moving(now);
}

void EventHelper::followMove(QWidget *window, const QPoint &position, const QRect &asked)
{
    m_movingTimer.stop();
    m_movingTimer.disconnect();
    if (asked.topLeft() == position)
        return;
    const int titleBar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QPoint wanted(asked.left(), asked.top() - titleBar);
    connect(&m_movingTimer, &QTimer::timeout, this, [this, guarded = QPointer<QWidget>(window), wanted] {
        if (!guarded)
            return;
        m_moving = true;
        guarded->move(wanted);
        m_moving = false;
    });
    m_movingTimer.start(kMovingDelayMs);
}

bool EventHelper::inputMethodEvent(const Target &found, QEvent *event)
{
    BaseGUIObject *target = found.control;
    if (!target || !target->EventProcedure())
        return false;
    const std::shared_ptr<BaseImpl> impl = target->GetBaseImpl();
    if (impl && impl->IsProgrammaticUpdate())
        return false;
    const QString commit = static_cast<QInputMethodEvent *>(event)->commitString();
    if (commit.isEmpty())
        return false;
    bool any = false;
    // One key event per character, so a character outside the basic plane is
    // never split into two halves of a surrogate pair.
    const QVector<uint> codePoints = commit.toUcs4();
    for (uint codePoint : codePoints) {
        if (!live(found))
            break;
        KeyEvent key(Event::KeyPress, Event::KeyNone, Event::NoModifier,
                     std::wstring(1, static_cast<wchar_t>(codePoint)), kInputMethodNativeKey);
        if (deliver(found, key))
            any = true;
    }
    return any;
}

bool EventHelper::toolTipEvent(Target &target, QObject *watched, QEvent *event)
{
    if (!target.control)
        return false;
    auto *help = static_cast<QHelpEvent *>(event);
    if (BaseImplQt *impl = target.impl()) {
        // Regions are in the control's own widget's coordinates; the event may
        // come from a widget inside it (an item view's viewport).
        QPoint position = help->pos();
        QWidget *from = qobject_cast<QWidget *>(watched);
        QWidget *own = target.control->GetPlatformHandle();
        if (from && own && from != own)
            position = from->mapTo(own, position);
        for (const ToolTipRegion &region : impl->ToolTipRegions()) {
            if (region.record && region.record->area.contains(position)) {
                QToolTip::showText(help->globalPos(), region.record->text);
                return true;
            }
        }
        if (impl->ShowCustomToolTip(help->globalPos()))
            return true;
    }
    QToolTip::showText(help->globalPos(), QString());
    return true;
}

bool EventHelper::dragEvent(const Target &found, QEvent *event)
{
    BaseGUIObject *target = found.control;
    // Table and text views take drags on their viewports, which belong to them.
    if (!target || !target->IsAcceptDrops())
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        static_cast<QDropEvent *>(event)->acceptProposedAction();
        return true;
    }
    if (!target->EventProcedure())
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    std::vector<std::wstring> paths;
    if (const QMimeData *mime = drop->mimeData()) {
        for (const QUrl &url : mime->urls())
            paths.push_back(url.path(QUrl::FullyDecoded).toStdWString());
    }
    DropEvent value(Event::Drop, roundedPoint(drop->posF()), paths);
    return deliver(found, value);
}

} // namespace AUILib
