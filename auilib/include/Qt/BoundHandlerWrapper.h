#pragma once

#include <QEvent>

#include <functional>
#include <memory>

namespace AUILib {

class BaseImpl;

// A handler bound to copies of its arguments, posted to the receiving control's
// widget so that it runs after the emitting code has returned to the event loop.
class BoundHandlerWrapper : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(32769);

    BoundHandlerWrapper(std::weak_ptr<BaseImpl> receiver, std::function<void()> handler);
    ~BoundHandlerWrapper() override;

    // Runs the handler once; later calls, and a receiver destroyed since the
    // post, do nothing. A throwing handler is logged, not passed on.
    void Run();

private:
    std::weak_ptr<BaseImpl> m_receiver;
    std::function<void()> m_handler;
};

// Makes sure deferred handlers run for every widget, inside a dialog or not.
void EnsureDeferredDispatch();

} // namespace AUILib
