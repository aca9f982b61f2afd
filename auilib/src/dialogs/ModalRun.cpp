#include "ModalRun.h"

#include "EventGate.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

namespace AUILib {

namespace {

// Ends the run at the window's own hiding, its end, or once it is no longer a
// window (a handler placed the dialog inside another: nothing is left to
// close). A hiding the platform reports (the window minimized) is not the
// dialog's end. Remembered, since it may come before the loop runs, and a
// loop quit before it runs runs all the same.
class EndOfRun : public QObject
{
public:
    EndOfRun(QDialog *window, QEventLoop *loop)
        : m_window(window)
        , m_loop(loop)
    {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this] { end(); });
    }

    bool Ended() const { return m_ended; }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::Hide && !event->spontaneous()) ||
            (event->type() == QEvent::ParentChange && m_window && !m_window->isWindow()))
            end();
        return false;
    }

private:
    void end()
    {
        m_ended = true;
        m_loop->quit();
    }

    QPointer<QDialog> m_window;
    QEventLoop *m_loop;
    bool m_ended = false;
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
        if (guard && guard->isVisible() && !end.Ended())
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
