#include "BoundHandlerWrapper.h"

#include "AUILibLogger.h"
#include "BaseGUIObject.h"
#include "BaseImpl.h"
#include "EventSignal.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <mutex>

namespace AUILib {

namespace {

// Runs every deferred handler as it reaches its widget, before any widget's own
// filters: a control outside a built dialog gets its handlers too, and no
// second filter can run one again.
class DeferredDispatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != BoundHandlerWrapper::kType)
            return QObject::eventFilter(watched, event);
        static_cast<BoundHandlerWrapper *>(event)->Run();
        return true;
    }
};

std::mutex g_dispatcherLock;
QPointer<DeferredDispatcher> g_dispatcher;

} // namespace

BoundHandlerWrapper::BoundHandlerWrapper(std::weak_ptr<BaseImpl> receiver, std::function<void()> handler)
    : QEvent(kType)
    , m_receiver(std::move(receiver))
    , m_handler(std::move(handler))
{
}

BoundHandlerWrapper::~BoundHandlerWrapper() = default;

void BoundHandlerWrapper::Run()
{
    std::function<void()> handler;
    handler.swap(m_handler);
    // The receiver may have been destroyed while the event waited; its handler
    // would then reach into a dead control.
    if (!handler || m_receiver.expired())
        return;
    try {
        handler();
    } catch (const std::exception &error) {
        detail::ReportHandlerFailure(&error);
    } catch (...) {
        detail::ReportHandlerFailure(nullptr);
    }
}

void EnsureDeferredDispatch()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    std::lock_guard<std::mutex> lock(g_dispatcherLock);
    if (g_dispatcher)
        return;
    if (QThread::currentThread() != app->thread()) {
        // Queued to the GUI thread ahead of the handler's own event, so it is in
        // place before that event is delivered.
        QMetaObject::invokeMethod(app, [] { EnsureDeferredDispatch(); }, Qt::QueuedConnection);
        return;
    }
    g_dispatcher = new DeferredDispatcher(app);
    app->installEventFilter(g_dispatcher);
}

namespace detail {

std::weak_ptr<BaseImpl> ReceiverImpl(BaseGUIObject *receiver)
{
    if (!receiver)
        return {};
    return receiver->GetBaseImpl();
}

void PostBoundHandler(const std::weak_ptr<BaseImpl> &receiver, std::function<void()> call)
{
    const std::shared_ptr<BaseImpl> impl = receiver.lock();
    if (!impl)
        return;
    QWidget *widget = impl->GetWidget();
    if (!widget)
        return;
    EnsureDeferredDispatch();
    QCoreApplication::postEvent(widget, new BoundHandlerWrapper(receiver, std::move(call)), Qt::NormalEventPriority);
}

void ReportHandlerFailure(const std::exception *error)
{
    if (error)
        AUILibLogger::GetInstance().LogException(*error);
    else
        AUILibLogger::GetInstance().LogException(std::wstring(L"unknown exception in an event handler"));
}

} // namespace detail

} // namespace AUILib
