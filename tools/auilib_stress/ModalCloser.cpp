#include "ModalCloser.h"

#include "Progress.h"
#include "StressRandom.h"
#include "Trace.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QWidget>

ModalCloser::ModalCloser()
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { look(); });
    m_timer.start();
}

void ModalCloser::startStep()
{
    m_turns = 0;
}

void ModalCloser::look()
{
    QWidget *open = QApplication::activePopupWidget();
    if (!open)
        open = QApplication::activeModalWidget();
    if (!open) {
        // A dialog run modally after (or while) it was shown modeless: its loop
        // runs, but Qt never made it modal (the modality of a shown window waits
        // for its next show).
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog *>(window) && window->testAttribute(Qt::WA_ShowModal))
                open = window;
    }
    if (!open || (!open->isVisible() && !open->testAttribute(Qt::WA_ShowModal))) {
        m_seen = nullptr;
        m_seenFor = 0;
        return;
    }
    // A few turns first: the code that opened it is to reach its own event loop.
    if (open != m_seen) {
        m_seen = open;
        m_seenFor = 0;
    }
    if (++m_seenFor < 3)
        return;
    m_seenFor = 0;
    // Acted on from a timer of its own: what the action opens (a folder
    // browser a chosen row starts, a message box a handler of the rejection
    // shows) runs its loop inside the action, and Qt fires no timer again
    // while its slot runs; this one goes on looking meanwhile.
    QTimer::singleShot(0, this, [this, open = QPointer<QWidget>(open)] {
        if (open)
            act(open);
    });
}

void ModalCloser::act(QWidget *open)
{
    const Progress &progress = Progress::instance();
    StressRandom random(progress.seed(), static_cast<std::uint64_t>(progress.sequence()),
                        static_cast<std::uint64_t>(progress.step() + 1), 0x200000u + static_cast<unsigned>(++m_turns));
    Trace &trace = Trace::instance();
    const std::string name = open->metaObject()->className();
    if (auto *menu = qobject_cast<QMenu *>(open)) {
        QList<QAction *> entries;
        for (QAction *action : menu->actions())
            if (action->isEnabled() && !action->isSeparator() && action->isVisible())
                entries.push_back(action);
        if (!entries.isEmpty() && random.percent(60)) {
            QAction *chosen = entries[random.below(entries.size())];
            trace.line("closer: chooses \"" + chosen->text().toStdString() + "\" in a menu");
            menu->setActiveAction(chosen);
            // The entry's handler may take the menu away with the press.
            QPointer<QMenu> guard = menu;
            QTest::keyPress(menu, Qt::Key_Return);
            if (guard)
                QTest::keyRelease(menu, Qt::Key_Return);
        } else {
            trace.line("closer: closes a menu");
            menu->close();
        }
        return;
    }
    if (auto *dialog = qobject_cast<QDialog *>(open)) {
        const bool accept = random.percent(20);
        trace.line("closer: " + std::string(accept ? "accepts " : "rejects ") + name);
        accept ? dialog->accept() : dialog->reject();
        return;
    }
    QAbstractItemView *view = open->findChild<QAbstractItemView *>();
    if (view && view->model() && view->model()->rowCount() > 0 && random.percent(60)) {
        const int row = random.below(view->model()->rowCount());
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        trace.line("closer: clicks row " + std::to_string(row) + " of a " + name);
        QPointer<QWidget> stillOpen = open;
        QPointer<QWidget> guard = view->viewport();
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        if (guard)
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        if (stillOpen && stillOpen == QApplication::activePopupWidget())
            stillOpen->close();
        return;
    }
    trace.line("closer: closes a " + name);
    open->close();
}
