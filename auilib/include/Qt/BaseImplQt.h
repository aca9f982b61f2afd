#pragma once

#include "BaseGUIObject.h"
#include "BaseImpl.h"
#include "EventGate.h"
#include "EventSignal.h"
#include "ItemRef.h"
#include "OwnerRef.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace AUILib {

class FormElement;
class PromptsPopup;

namespace detail {

// A slot that keeps its implementation alive while it runs. It takes the
// first signal arguments, as many as the wrapped slot takes (Qt's own count).
template <class Impl, class Slot, class ArgList>
struct KeptAliveSlot;

template <class Impl, class Slot, class... Args>
struct KeptAliveSlot<Impl, Slot, QtPrivate::List<Args...>>
{
    Impl *impl;
    Slot slot;

    void operator()(Args... args)
    {
        // A signal sent while Qt destroys the widget reaches a control that is
        // already gone for its callers.
        if (impl->WidgetBeingDestroyed())
            return;
        const auto keepAlive = impl->weak_from_this().lock();
        slot(args...);
    }
};

} // namespace detail

// A tool tip shown over part of a widget. The area is in widget coordinates
// with inclusive edges.
struct ToolTipRecord
{
    QString key;
    QString text;
    QRect area;
};

struct ToolTipRegion
{
    // Empty for the dialog's own entry. Weak: the region lives in the
    // control's own implementation, which a strong reference would keep alive
    // for ever.
    std::weak_ptr<BaseGUIObject> control;
    std::unique_ptr<ToolTipRecord> record;
};

// The Qt bodies of the common control operations, written once against the
// control's QWidget, and the one way every control's implementation deals with
// its widget, its connections and its public control:
// - MakeWidget makes the control's own widget (deleted with the
//   implementation while it has no Qt parent; a widget placed by Create or a
//   form belongs to its Qt parent), WrapWidget drives one that exists;
// - WidgetAs<W>() is the widget or null once Qt has begun to delete it: the
//   gone-widget check of every control-specific operation. Qt sends focus-out,
//   hide and destroyed from inside the widget's destructor, while a QPointer
//   still holds it; the widget counts as gone from the moment its own class's
//   destructor is done (its dynamic class is no longer the one made or
//   wrapped), so a handler those signals reach finds a gone control;
// - Connect and SingleShot tie every Qt connection and timer to a context
//   that dies with the implementation, so no signal reaches it afterwards;
// - Fire is the one way a control raises one of its public events, from
//   the implementation, the widget or a delegate alike; IsLive is the one
//   way to ask afterwards whether the control is still there, and ItemRef
//   the one way to hold an item across it (Owner is an OwnerRef, never a
//   plain pointer).
// Implementations are made with MakeImpl, which cuts every connection before
// any destructor runs.
class BaseImplQt : public BaseImpl, public std::enable_shared_from_this<BaseImplQt>
{
public:
    // `owner` is the public control whose events this implementation fires.
    explicit BaseImplQt(BaseGUIObject *owner = nullptr);
    ~BaseImplQt() override;

    // The widget made or wrapped; null before that and once Qt began to
    // delete it.
    QWidget *GetWidget() override;
    // Whether Qt is inside the widget's destructor: it is still there, but
    // counts as gone.
    bool WidgetBeingDestroyed() const;
    // Whether a window that holds the widget is being destroyed: what the
    // control raises then reaches nobody.
    bool WindowBeingDestroyed() const;
    // Whether Qt is taking `widget` apart, or a window holding it: a widget
    // placed there, or a menu run from there, would join a focus chain and a
    // widget tree Qt is unlinking.
    static bool BeingDestroyed(const QWidget *widget);

    // Whether giving `widget` the parent `parent` would make it its own
    // ancestor: `parent` is the widget or lies inside it.
    static bool WouldOwnItself(const QWidget *widget, const QWidget *parent);
    // A position bounded to a quarter of the int range, far beyond any
    // screen: Qt adds a window's position, a size or a frame to it in int.
    static int BoundedCoordinate(long long value);
    // A length or a sum of them, worked out in long long, as the nearest int.
    static int Saturated(long long value);
    // A point of the interface bounded so, for Qt's mapping to and from the
    // screen.
    static QPoint BoundedPoint(Point point);
    // Called by a toolkit window from the first line of its own destructor:
    // Qt hides a dialog, moving the focus out of it, in QDialog's destructor,
    // before QWidget's marks the window as being destroyed. From here on the
    // controls inside count as in a window being destroyed.
    static void WindowDestructionBegins(QWidget *window);

    // The implementation of a public control, null for none or another kind.
    static std::shared_ptr<BaseImplQt> Of(const BaseGUIObject *control);

    // Raises the public control's `event` with `values`: the one way every
    // control fires, from its implementation, its widget or a delegate.
    // - While EventGate holds (something is changing), the event waits and is
    //   delivered when the change is whole; otherwise it is delivered now.
    // - Either way, at delivery it reaches the handlers only while the control
    //   is there (CanDeliver) and every item or control it names is there,
    //   read as it is then: an item is named by an ItemRef (its current row,
    //   or the model's object for it), a control by a ControlRef, never by a
    //   plain pointer or a row number kept from before.
    // - An event of no subscriber at the time it is raised reaches nobody,
    //   and is not kept.
    // - The implementation stays alive while the handlers run, even if one of
    //   them releases the control.
    // The answer says whether the firing code may go on: false once the
    // control is released or this implementation retired (stop quietly).
    // True says nothing of what a handler changed: whatever is held across
    // the call is held by ItemRef and asked again, and the widget is asked
    // for again.
    template <class T, class... Args, class... Values>
    bool Fire(EventSignal<void(Args...)> T::*event, Values &&...values)
    {
        static_assert(sizeof...(Args) == sizeof...(Values), "one value for each of the event's arguments");
        static_assert((!std::is_pointer_v<std::decay_t<Values>> && ...),
                      "an event names items and controls by identity (ItemRef, ControlRef), never by pointer");
        const std::shared_ptr<BaseImplQt> keepAlive = weak_from_this().lock();
        if (!CanDeliver())
            return false;
        // Nobody to tell: nothing is kept waiting (a fill raises an event
        // for every cell it places, most often to no handler at all).
        if (T *owner = OwnerAs<T>(); owner && (owner->*event).Count() == 0)
            return true;
        if (!EventGate::Holding())
            return emitNow<T>(event, std::forward_as_tuple(std::forward<Values>(values)...),
                              std::index_sequence_for<Values...>{});
        EventGate::Deliver([weak = weak_from_this(), event,
                            held = std::make_tuple(
                                detail::EventValue<std::decay_t<Values>>::Hold(std::forward<Values>(values))...)]() mutable {
            if (const std::shared_ptr<BaseImplQt> self = weak.lock())
                self->emitNow<T>(event, held, std::index_sequence_for<Values...>{});
        });
        return true;
    }

    // Whether the public control still lives and this is still its
    // implementation: the check after anything that may have run a handler.
    bool IsLive() const { return !m_retired && m_owner.get() != nullptr; }
    // Whether an event of the control may reach its handlers now: it lives,
    // and neither its widget nor a window holding it is being destroyed.
    bool CanDeliver() const { return IsLive() && !WidgetBeingDestroyed() && !WindowBeingDestroyed(); }

    // Called once the Designer form holding the control is built, its
    // properties set and its connections made: what the control needs of the
    // form beyond that (a line's orientation, a button box's standard buttons,
    // a list widget's items, values the implementation keeps beside the
    // widget) it takes here. The form's values win over the control's own
    // defaults, which its constructor applied. Nothing by default.
    virtual void OnFormLoaded(const FormElement &element);
    // Whether the event bridge hands mouse and wheel events to the control's
    // procedure while the control is disabled. Yes by default.
    virtual bool TakesMouseEventsWhenDisabled() const;
    // Whether the control pops up a context menu of its own, so that the
    // event bridge leaves the stored context menu alone. No by default.
    virtual bool HasOwnContextMenu() const;

    // Cuts every connection and timer made through Connect and SingleShot
    // and gives up a widget that never got a parent. Runs once, from
    // MakeImpl's deleter before any destructor (else from this destructor).
    void Retire();

    void Show(bool show, bool repaint) override;
    bool IsVisible() override;
    void Enable(bool enable, bool withChildren) override;
    bool IsEnabled() override;
    int GetLogicalPixelsX() override;
    int GetLogicalPixelsY() override;
    Rect GetWindowRect() override;
    Rect GetClientRect() override;
    Point ScreenToClient(Point point) override;
    Point ClientToScreen(Point point) override;
    Size IdealSize() override;
    Size MinimumIdealSize() override;
    Size MinimumSize() override;
    Size MaximumSize() override;
    void SetMinimumSize(const Size &size) override;
    void SetMaximumSize(const Size &size) override;
    void MoveWindow(int x, int y, int width, int height, bool repaint) override;
    int GetFrarmeWidth() override;
    int SetTimer(unsigned int id, unsigned int milliseconds) override;
    void KillTimer(unsigned int id) override;
    void Update() override;
    void Update(const Region &region) override;
    void Repaint() override;
    void Repaint(const Region &region) override;
    SizePolicy GetSizePolicy() override;
    void SetSizePolicy(const SizePolicy &policy) override;
    void SetAcceptDrops(bool accept) override;
    bool IsAcceptDrops() override;
    void SetTrackMouseEvent() override;
    bool IsTrackMouseEvent() override;
    void SetTrackMouseFlag(bool track) override;
    int GetWidthForText(std::wstring &text, FontData *font) override;
    bool ShowBalloonTipEx(const std::wstring &text, const std::wstring &iconPath, bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &text, const unsigned char *iconBytes, int byteCount, bool unused,
                          bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &text, BalloonTipIconType icon, bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const std::wstring &iconPath,
                          bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, const unsigned char *iconBytes,
                          int byteCount, bool unused, bool persistent) override;
    bool ShowBalloonTipEx(const std::wstring &title, const std::wstring &text, BalloonTipIconType icon, bool unused,
                          bool persistent) override;
    bool HideBalloonTipEx() override;
    bool IsBalloonTipDisplayed() override;
    void OnSkinChange() override;
    bool ShowCustomToolTip(const QPoint &globalPos) override;
    bool SetParent(QWidget *parent) override;
    void ReservedOperation() override;
    std::int32_t *ReservedField() override;

    // The event bridge shows the text of the first region containing the cursor.
    std::vector<ToolTipRegion> &ToolTipRegions() { return m_toolTipRegions; }

protected:
    // The widget, or AgnosticUIException("Control is not valid."): the check of
    // the common operations.
    QWidget *widgetOrThrow();

    // The widget as the control's own Qt class, or null once it is gone (or is
    // of another class): control-specific setters then do nothing and getters
    // answer a neutral value.
    template <class W>
    W *WidgetAs() const
    {
        return qobject_cast<W *>(liveWidget());
    }
    // The widget as W, or AgnosticUIException("Control is not valid.").
    template <class W>
    W *WidgetAsOrThrow()
    {
        widgetOrThrow();
        return WidgetAs<W>();
    }

    // Makes the control's widget without a parent; it is deleted with this
    // implementation unless it has a Qt parent by then.
    template <class W, class... Args>
    W *MakeWidget(Args &&...args)
    {
        W *widget = new W(std::forward<Args>(args)...);
        m_widget = widget;
        m_widgetClass = widget->metaObject();
        m_madeWidget = widget;
        return widget;
    }
    // Drives a widget that exists (a form's, a button box's); it stays its
    // owner's.
    template <class W>
    W *WrapWidget(W *existing)
    {
        m_widget = existing;
        m_widgetClass = existing ? existing->metaObject() : nullptr;
        m_madeWidget = nullptr;
        return existing;
    }

    // QObject::connect of a signal to a lambda, with this implementation's
    // context: the slot (which may capture `this`) is never called once the
    // implementation is retired, and the implementation stays alive while it
    // runs, even when a handler it fires drops the control.
    template <class Sender, class Signal, class Slot>
    QMetaObject::Connection Connect(const Sender *sender, Signal signal, Slot slot)
    {
        using SignalArgs = typename QtPrivate::FunctionPointer<Signal>::Arguments;
        constexpr int count = QtPrivate::ComputeFunctorArgumentCount<Slot, SignalArgs>::Value;
        static_assert(count >= 0, "the slot does not take the signal's arguments");
        using SlotArgs = typename QtPrivate::List_Left<SignalArgs, count>::Value;
        return QObject::connect(sender, signal, m_context.get(),
                                detail::KeptAliveSlot<BaseImplQt, Slot, SlotArgs>{this, std::move(slot)});
    }
    // A single-shot timer, on the same terms.
    template <class Slot>
    void SingleShot(int milliseconds, Slot slot)
    {
        QTimer::singleShot(milliseconds, m_context.get(),
                           detail::KeptAliveSlot<BaseImplQt, Slot, QtPrivate::List<>>{this, std::move(slot)});
    }
    // For the Qt calls that take a context object of their own.
    QObject *ConnectionContext() const { return m_context.get(); }

    // The public control, null once it is destroyed.
    BaseGUIObject *Owner() const { return m_owner.get(); }
    template <class T>
    T *OwnerAs() const
    {
        BaseGUIObject *owner = m_owner.get();
        Q_ASSERT(!owner || dynamic_cast<T *>(owner));
        return static_cast<T *>(owner);
    }

    // Null (0, 0, -1, -1) until MoveWindow or hiding a dialog stores one.
    QRect m_savedGeometry;

private:
    template <class T, class Event, class Tuple, std::size_t... I>
    bool emitNow(Event event, Tuple &&values, std::index_sequence<I...>)
    {
        using Values = std::decay_t<Tuple>;
        if (!CanDeliver())
            return false;
        if (!(detail::EventValue<std::decay_t<std::tuple_element_t<I, Values>>>::IsThere(std::get<I>(values)) && ...))
            return true;
        if (T *owner = OwnerAs<T>())
            (owner->*event).Emit(
                detail::EventValue<std::decay_t<std::tuple_element_t<I, Values>>>::Get(std::get<I>(values))...);
        return IsLive();
    }

    // The widget while it is whole: null once Qt began to delete it.
    QWidget *liveWidget() const;
    // Whether the widget is a window that said its destruction began.
    static bool isGoing(const QWidget *widget);

    // Creates the balloon on first use, prepares it, lets `decorate` set title
    // and icon, and shows it; false when the balloon refuses (no widget).
    bool showBalloon(const std::wstring &text, bool persistent, bool closeOnInteraction,
                     const std::function<void(PromptsPopup &)> &decorate);

    std::vector<ToolTipRegion> m_toolTipRegions;
    std::int32_t m_reserved = 0;
    bool m_trackMouse = false;
    bool m_acceptDrops = false;
    std::shared_ptr<PromptsPopup> m_balloon;
    OwnerRef<BaseGUIObject> m_owner;
    QPointer<QWidget> m_widget;
    // The widget's class as made or wrapped.
    const QMetaObject *m_widgetClass = nullptr;
    QPointer<QWidget> m_madeWidget;
    std::unique_ptr<QObject> m_context;
    bool m_retired = false;
};

// Makes a control's implementation, shared, with a deleter that retires it
// first: no connection of it fires while its destructors run.
template <class Impl, class... Args>
std::shared_ptr<Impl> MakeImpl(Args &&...args)
{
    return std::shared_ptr<Impl>(new Impl(std::forward<Args>(args)...), [](Impl *impl) {
        impl->Retire();
        delete impl;
    });
}

} // namespace AUILib
