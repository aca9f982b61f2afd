#pragma once

#include <cstdint>
#include <functional>

class QAbstractItemModel;
class QObject;

namespace AUILib {

// The toolkit's one rule for events raised while Qt is changing something.
//
// A handler may do anything the interface allows: clear the rows, remove its
// item, release its control or the window that holds it. An operation of Qt's
// that is still on the stack (a removal that moves the current row before the
// rows go, a sort, a layout pass, the destruction of a window) would not
// survive that, and no check made after the handler returns can protect it.
// So while something is changing, the events every control raises are held,
// and delivered once the change is whole: in the order they were raised, each
// asked again at delivery whether its control is still there and whether the
// item it names is still there (BaseImplQt::Fire with an ItemRef does both).
//
// What counts as a change: an operation of a control that changes its model
// or its widget tree holds an EventGate::Hold for its duration; a model
// handed to Watch holds from each of its about-to signals to the matching
// done signal; a pass Qt starts by itself holds until it is whole (Arrives),
// and so does Qt's handling of what the window system reports
// (WatchWindowSystem). The gate is one for the GUI thread, not one per
// control: a handler of one control may as well touch the control being
// changed.
//
// Events raised while a window that holds the control is being destroyed are
// not held but dropped (BaseImplQt::CanDeliver); the destruction notices the
// interface names (OnDestroyed) are emitted directly and still arrive.
class EventGate
{
public:
    // Holds events from construction to destruction. The events held are
    // delivered when the last hold ends, before the call that ended it
    // returns: events raised from inside a delivery come out at the end of
    // the call that raised them, ahead of older ones still waiting.
    class Hold
    {
    public:
        Hold();
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        std::uint64_t m_first;
    };

    // Whether events are being held now.
    static bool Holding();
    // Runs `delivery` now, or queues it until no hold is left.
    static void Deliver(std::function<void()> delivery);
    // Holds events from each about-to signal of the model (rows or columns
    // inserted, removed or moved, a layout change, a reset) to its done
    // signal, while `context` lives. Slots run in the order they were
    // connected: watch a model before a view or selection model is given it,
    // or the view's own reactions to the about-to signal come first.
    static void Watch(QAbstractItemModel *model, QObject *context);

    // Passes Qt starts by itself, from the event loop: a posted layout
    // request's layout pass, a window the platform resized or closed, the
    // activation a hidden window hands on. Qt sends the geometry, visibility
    // and activation events of such a pass from inside the delivery of
    // another event, and walks its own copies of widget lists around them.
    // The event bridge calls Arrives for every event Qt delivers it. One of
    // those kinds (`fromAPass`) sent from inside another event holds every
    // event from there on until control is back in an event loop, where Qt's
    // pass is whole. An event delivered outside any other (the outermost
    // delivery, or a direct call's) ends such a hold first, since whatever
    // pass began it is over, and is itself delivered as before; so does any
    // event raised while no event at all is being delivered.
    //
    // A nested event loop that a slot of the application starts inside Qt's
    // pass counts as back in an event loop.
    static void Arrives(bool fromAPass);

    // What the window system reports (a window activated or deactivated, as
    // a click on another window or a window that goes does; a window moved,
    // resized, minimized) Qt turns into a pass outside any event: for an
    // activation it sends the activation events of every window concerned
    // and then moves the focus, from lists and pointers it took before the
    // first of them, so a handler that released a widget there leaves Qt
    // walking a freed one. Each such report is handled under a Hold, and
    // what it raised is delivered once Qt is done with it. Input (keys, the
    // mouse) and closing are not held: a procedure may still consume them.
    // Every control asks for this when it is made; the first one installs it.
    static void WatchWindowSystem();

    // The number of deliveries waiting: while there are any, a handler may
    // still run before the current call returns.
    static int Waiting();

private:
    friend class ModelWatch;
    static std::uint64_t begin();
    static void end(std::uint64_t first);
    static void holdUntilEventLoop();
    // Ends the hold holdUntilEventLoop began, if it is still open.
    static void endLoopHold();
    // Ends it when no more than `deliveries` event deliveries are under way.
    static void settleLoopHold(int deliveries);
};

} // namespace AUILib
