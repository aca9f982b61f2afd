#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton boxAnswer, int giveUpMs)
    : m_boxAnswer(boxAnswer)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
    m_timer.start(10);
    m_giveUp.setSingleShot(true);
    QObject::connect(&m_giveUp, &QTimer::timeout, [this] { m_gaveUp = true; });
    m_giveUp.start(giveUpMs);
}

ModalAnswerer::~ModalAnswerer()
{
    m_timer.stop();
}

void ModalAnswerer::on(const QString &objectName, Rule rule)
{
    onModal([objectName, rule, done = QList<QPointer<QWidget>>()](QWidget *modal) mutable {
        if (modal->objectName() != objectName)
            return false;
        if (!done.contains(modal)) {
            done.append(modal);
            QPointer<QWidget> guarded(modal);
            // The rule may run a modal loop of its own: not inside this look.
            QTimer::singleShot(0, modal, [guarded, rule] {
                if (guarded)
                    rule(guarded);
            });
        }
        return true;
    });
}

void ModalAnswerer::look()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (m_gaveUp) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    if (!m_inspected.contains(modal)) {
        m_inspected.append(modal);
        for (const Rule &inspector : qAsConst(m_inspectors))
            inspector(modal);
    }
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        boxTitles << box->windowTitle();
        boxTexts << box->text();
        const QMessageBox::StandardButton answer = m_queued.isEmpty() ? m_boxAnswer : m_queued.takeFirst();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->reject();
        return;
    }
    if (!m_met.contains(modal)) {
        m_met.append(modal);
        windows << modal->objectName();
    }
    for (const Handler &handler : qAsConst(m_handlers)) {
        if (handler(modal))
            return;
    }
}

int ModalAnswerer::exec(QDialog &dialog, const std::function<void(QDialog *)> &answer)
{
    ModalAnswerer answerer;
    answerer.onModal([&](QWidget *modal) {
        if (modal != &dialog)
            return false;
        answer(&dialog);
        return true;
    });
    return dialog.exec();
}
