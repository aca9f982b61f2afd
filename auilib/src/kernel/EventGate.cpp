#include "EventGate.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QObject>
#include <QThread>

// How deep inside event deliveries Qt is lives in its private thread data;
// the window system's reports pass through a handler only its private
// interface lets one install.
#include <private/qobject_p.h>
#include <private/qthread_p.h>
#include <qpa/qwindowsysteminterface_p.h>

#include <deque>
#include <utility>
#include <vector>

namespace AUILib {

namespace {

struct Delivery
{
    std::uint64_t number;
    std::function<void()> delivery;
};

// GUI thread only, as every control is.
struct GateState
{
    int depth = 0;
    // Delivery loops under way, outermost first.
    int draining = 0;
    std::uint64_t next = 0;
    // In the order raised; numbers only grow from front to back.
    std::deque<Delivery> queue;
    // The hold HoldUntilEventLoop began, open until the event loop ends it.
    bool loopHold = false;
    std::uint64_t loopFirst = 0;
};

GateState &state()
{
    static GateState gate;
    Q_ASSERT(!QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread());
    return gate;
}

// Takes out the oldest delivery raised at or after `first`, if any.
bool takeFrom(std::uint64_t first, std::function<void()> &delivery)
{
    std::deque<Delivery> &queue = state().queue;
    // Deliveries raised during the hold that ended sit at the back.
    auto it = queue.end();
    while (it != queue.begin() && std::prev(it)->number >= first)
        --it;
    if (it == queue.end())
        return false;
    delivery = std::move(it->delivery);
    queue.erase(it);
    return true;
}

// The number of event deliveries under way on the GUI thread, as Qt counts
// them: one inside an event handler or filter, more inside an event sent from
// there.
int deliveriesUnderWay()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return 0;
    const QThreadData *thread = QObjectPrivate::get(application)->threadData.loadRelaxed();
    return thread ? thread->scopeLevel : 0;
}

} // namespace

EventGate::Hold::Hold()
    : m_first(EventGate::begin())
{
}

EventGate::Hold::~Hold()
{
    EventGate::end(m_first);
}

std::uint64_t EventGate::begin()
{
    GateState &gate = state();
    ++gate.depth;
    return gate.next;
}

void EventGate::end(std::uint64_t first)
{
    GateState &gate = state();
    Q_ASSERT(gate.depth > 0);
    if (--gate.depth > 0)
        return;
    // A delivery may hold again and end its own hold: that one delivers what
    // was raised under it, and the loop below it goes on with what is left.
    // With no loop below, everything waiting is this one's to deliver.
    if (gate.draining == 0)
        first = 0;
    struct Draining
    {
        int &count;
        explicit Draining(int &c) : count(++c) {}
        ~Draining() { --count; }
    } draining(gate.draining);
    std::function<void()> delivery;
    while (gate.depth == 0 && takeFrom(first, delivery)) {
        std::function<void()> running = std::move(delivery);
        running();
    }
}

bool EventGate::Holding()
{
    settleLoopHold(0);
    return state().depth > 0;
}

void EventGate::Deliver(std::function<void()> delivery)
{
    settleLoopHold(0);
    GateState &gate = state();
    if (gate.depth == 0) {
        delivery();
        return;
    }
    gate.queue.push_back(Delivery{gate.next++, std::move(delivery)});
}

void EventGate::Arrives(bool fromAPass)
{
    const int deliveries = deliveriesUnderWay();
    if (fromAPass && deliveries > 1)
        holdUntilEventLoop();
    else
        settleLoopHold(1);
}

void EventGate::holdUntilEventLoop()
{
    GateState &gate = state();
    if (gate.loopHold)
        return;
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return;
    gate.loopHold = true;
    gate.loopFirst = begin();
    // Posted: the next round of any event loop delivers it, never Qt's pass.
    QMetaObject::invokeMethod(application, [] { endLoopHold(); }, Qt::QueuedConnection);
}

void EventGate::endLoopHold()
{
    GateState &gate = state();
    if (!gate.loopHold)
        return;
    gate.loopHold = false;
    end(gate.loopFirst);
}

void EventGate::settleLoopHold(int deliveries)
{
    // A pass of Qt's that began the hold ran inside an event, one delivery
    // deeper than the one that started it: no more deliveries under way than
    // that, and the pass is over. Anywhere but at an event's arrival (in the
    // middle of Qt's own code) only outside every event.
    if (state().loopHold && deliveriesUnderWay() <= deliveries)
        endLoopHold();
}

namespace {

class WindowSystemPass : public QWindowSystemEventHandler
{
public:
    bool sendEvent(QWindowSystemInterfacePrivate::WindowSystemEvent *event) override
    {
        switch (event->type) {
        case QWindowSystemInterfacePrivate::ActivatedWindow:
        case QWindowSystemInterfacePrivate::WindowStateChanged:
        case QWindowSystemInterfacePrivate::GeometryChange:
        case QWindowSystemInterfacePrivate::WindowScreenChanged:
        case QWindowSystemInterfacePrivate::ApplicationStateChanged: {
            EventGate::Hold hold;
            return QWindowSystemEventHandler::sendEvent(event);
        }
        default:
            return QWindowSystemEventHandler::sendEvent(event);
        }
    }
};

} // namespace

void EventGate::WatchWindowSystem()
{
    // One for the process: Qt keeps the handler across applications.
    static WindowSystemPass pass;
    QWindowSystemInterfacePrivate::installWindowSystemEventHandler(&pass);
}

int EventGate::Waiting()
{
    return static_cast<int>(state().queue.size());
}

// Pairs a model's about-to signals with their done signals. Qt nests them
// (a done signal always ends the latest change begun), so a stack suffices.
class ModelWatch : public QObject
{
public:
    ModelWatch(QAbstractItemModel *model, QObject *context)
        : QObject(context)
    {
        using M = QAbstractItemModel;
        const auto open = [this] { m_open.push_back(EventGate::begin()); };
        const auto close = [this] { closeOne(); };
        connect(model, &M::rowsAboutToBeInserted, this, open);
        connect(model, &M::rowsInserted, this, close);
        connect(model, &M::rowsAboutToBeRemoved, this, open);
        connect(model, &M::rowsRemoved, this, close);
        connect(model, &M::rowsAboutToBeMoved, this, open);
        connect(model, &M::rowsMoved, this, close);
        connect(model, &M::columnsAboutToBeInserted, this, open);
        connect(model, &M::columnsInserted, this, close);
        connect(model, &M::columnsAboutToBeRemoved, this, open);
        connect(model, &M::columnsRemoved, this, close);
        connect(model, &M::columnsAboutToBeMoved, this, open);
        connect(model, &M::columnsMoved, this, close);
        connect(model, &M::layoutAboutToBeChanged, this, open);
        connect(model, &M::layoutChanged, this, close);
        connect(model, &M::modelAboutToBeReset, this, open);
        connect(model, &M::modelReset, this, close);
        // A model destroyed in the middle of a change ends it.
        connect(model, &QObject::destroyed, this, [this] { closeAll(); });
    }
    ~ModelWatch() override { closeAll(); }

private:
    void closeOne()
    {
        // A done signal without its about-to (the watch began mid-change) ends nothing.
        if (m_open.empty())
            return;
        const std::uint64_t first = m_open.back();
        m_open.pop_back();
        EventGate::end(first);
    }
    void closeAll()
    {
        while (!m_open.empty())
            closeOne();
    }

    std::vector<std::uint64_t> m_open;
};

void EventGate::Watch(QAbstractItemModel *model, QObject *context)
{
    if (model && context)
        new ModelWatch(model, context);
}

} // namespace AUILib
