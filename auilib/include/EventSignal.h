#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace AUILib {

class BaseGUIObject;
class BaseImpl;

namespace detail {

// Posts `call` to the receiver's widget as a deferred-handler event. Nothing is
// posted when the receiver's implementation or widget is gone. Defined beside
// BoundHandlerWrapper so this header stays free of Qt.
void PostBoundHandler(const std::weak_ptr<BaseImpl> &receiver, std::function<void()> call);

// The receiver's implementation, held weakly by a bound subscriber.
std::weak_ptr<BaseImpl> ReceiverImpl(BaseGUIObject *receiver);

// A handler that threw: logged through the toolkit log, never passed on.
void ReportHandlerFailure(const std::exception *error);

} // namespace detail

template <class Signature>
class EventSignal;

// A control's multicast notification. Subscribers are called in the order they
// were added: direct ones at once on the emitting thread, bound ones later from
// the receiver's event processing. Emit walks a copy of the list taken under the
// lock, so a handler may emit again or change the list: one added during a
// firing waits for the next, one removed during a firing is not called in it
// any more, and a handler may destroy the list's control.
template <class... Args>
class EventSignal<void(Args...)>
{
public:
    using Handler = std::function<void(Args...)>;

    enum Kind { Direct = 0, Bound = 1 };

    EventSignal() = default;
    ~EventSignal()
    {
        // A firing still walking its copy calls nobody once the list is gone.
        std::lock_guard<std::mutex> lock(m_lock);
        for (const EntryPtr &entry : m_entries)
            entry->removed.store(true);
    }
    EventSignal(const EventSignal &) = delete;
    EventSignal &operator=(const EventSignal &) = delete;

    // Returns an id for Unsubscribe.
    int Subscribe(Handler handler)
    {
        return add(Direct, std::move(handler), nullptr);
    }

    // The handler runs later, posted to the receiver's widget; a receiver gone
    // by then is skipped.
    int SubscribeBound(BaseGUIObject *receiver, Handler handler)
    {
        return add(Bound, std::move(handler), receiver);
    }

    bool Unsubscribe(int id)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if ((*it)->id == id) {
                (*it)->removed.store(true);
                m_entries.erase(it);
                return true;
            }
        }
        return false;
    }

    void UnsubscribeAll()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (const EntryPtr &entry : m_entries)
            entry->removed.store(true);
        m_entries.clear();
    }

    std::size_t Count() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_entries.size();
    }

    void SetBlocked(bool blocked) { m_blocked.store(blocked); }
    bool IsBlocked() const { return m_blocked.load(); }

    void Emit(Args... args)
    {
        if (m_blocked.load())
            return;
        std::vector<EntryPtr> entries;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            entries.assign(m_entries.begin(), m_entries.end());
        }
        // From here on nothing of `this` is touched: a handler may destroy it.
        for (const EntryPtr &entry : entries) {
            if (entry->removed.load() || !entry->handler)
                continue;
            try {
                if (entry->kind == Direct) {
                    entry->handler(args...);
                } else if (entry->kind == Bound) {
                    // Copies of the arguments as they are now; the handler may run
                    // long after the caller's values changed.
                    auto values = std::make_tuple(std::decay_t<Args>(args)...);
                    detail::PostBoundHandler(entry->receiverImpl,
                                             [handler = entry->handler, values]() mutable { std::apply(handler, values); });
                }
            } catch (const std::exception &error) {
                detail::ReportHandlerFailure(&error);
            } catch (...) {
                detail::ReportHandlerFailure(nullptr);
            }
        }
    }

private:
    // Shared with the firings walking a copy of the list, which skip it once
    // it is removed.
    struct Entry
    {
        int id = 0;
        int kind = Direct;
        Handler handler;
        BaseGUIObject *receiver = nullptr;
        std::weak_ptr<BaseImpl> receiverImpl;
        std::atomic<bool> removed{false};
    };
    using EntryPtr = std::shared_ptr<Entry>;

    int add(int kind, Handler handler, BaseGUIObject *receiver)
    {
        auto entry = std::make_shared<Entry>();
        entry->kind = kind;
        entry->handler = std::move(handler);
        entry->receiver = receiver;
        if (kind == Bound)
            entry->receiverImpl = detail::ReceiverImpl(receiver);
        std::lock_guard<std::mutex> lock(m_lock);
        entry->id = ++m_lastId;
        m_entries.push_back(std::move(entry));
        return m_lastId;
    }

    std::list<EntryPtr> m_entries;
    mutable std::mutex m_lock;
    std::atomic<bool> m_blocked{false};
    int m_lastId = 0;
};

} // namespace AUILib
