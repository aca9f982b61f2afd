#include "DialogQt.h"

#include "Dialog.h"
#include "DialogImplQt.h"

#include <QKeyEvent>

namespace AUILib {

DialogQt::DialogQt(Dialog *owner, QWidget *parent)
    : QDialog(parent, Qt::WindowFlags())
    , m_owner(owner)
{
}

DialogQt::~DialogQt()
{
    BaseImplQt::WindowDestructionBegins(this);
}

void DialogQt::done(int result)
{
    if (m_owner) {
        result = m_owner->FilterDone(result);
        if (result == -1)
            return;
    }
    QDialog::done(result);
}

void DialogQt::accept()
{
    done(Dialog::Accepted);
}

void DialogQt::reject()
{
    QWidget *top = window();
    if (!top || top == this) {
        // Rejecting skips the result filter: only done and closing ask it.
        QDialog::done(Dialog::Rejected);
        return;
    }
    // A dialog embedded as a page rejects the window that holds it.
    if (auto *outer = qobject_cast<DialogQt *>(top))
        outer->reject();
}

void DialogQt::keyPressEvent(QKeyEvent *e)
{
    if (e->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(e);
        return;
    }
    // Escape is the close button's key: without one the dialog stays open.
    if (windowFlags().testFlag(Qt::WindowCloseButtonHint))
        done(Dialog::Rejected);
    else
        e->accept();
}

void DialogQt::resizeEvent(QResizeEvent *e)
{
    if (const std::shared_ptr<BaseImplQt> impl = BaseImplQt::Of(m_owner))
        impl->Fire(&Dialog::OnResize);
    QDialog::resizeEvent(e);
}

void DialogQt::showEvent(QShowEvent *event)
{
    if (m_owner) {
        // Qt makes a push button the default again whenever the dialog shows.
        auto impl = std::dynamic_pointer_cast<Dialog::impl>(m_owner->GetBaseImpl());
        if (impl && !impl->DefaultButtonsAllowed())
            impl->SetDefaultButton(nullptr);
    }
    QDialog::showEvent(event);
}

} // namespace AUILib
