#include "ModalRun.h"

#include "EventGate.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

namespace AUILib {

namespace {

// Ends the run at the window's own hiding or its end. A hiding the platform
// reports (the window minimized) is not the dialog's end.
class EndOfRun : public QObject
{
public:
    EndOfRun(QDialog *window, QEventLoop *loop)
        : m_loop(loop)
    {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, loop, &QEventLoop::quit);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            m_loop->quit();
        return false;
    }

private:
    QEventLoop *m_loop;
};

} // namespace

int ModalRun::Exec(QDialog *window)
{
    QPointer<QDialog> guard = window;
    const bool deleteOnClose = window->testAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    const bool wasShowModal = window->testAttribute(Qt::WA_ShowModal);
    window->setAttribute(Qt::WA_ShowModal, true);
    window->setResult(0);

    QEventLoop loop;
    {
        EndOfRun end(window, &loop);
        {
            // Qt sends the resize and the Show from inside its showing, before
            // the window counts as shown: a handler that ended the dialog there
            // would be undone by the rest of the showing.
            EventGate::Hold hold;
            window->show();
        }
        // A handler of the showing may have ended the dialog already.
        if (guard && guard->isVisible())
            loop.exec(QEventLoop::DialogExec);
    }
    if (!guard)
        return QDialog::Rejected;
    const int result = guard->result();
    guard->setAttribute(Qt::WA_ShowModal, wasShowModal);
    if (deleteOnClose)
        delete guard;
    return result;
}

} // namespace AUILib
