#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

ModalAnswerer::ModalAnswerer(int giveUpMs)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    m_timer.start(10);
    m_giveUp.setSingleShot(true);
    QObject::connect(&m_giveUp, &QTimer::timeout, [this] { m_gaveUp = true; });
    m_giveUp.start(giveUpMs);
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::on(const QString &objectName, Rule rule)
{
    m_rules.append({objectName, std::move(rule)});
}

void ModalAnswerer::answerBoxes(const QList<QMessageBox::StandardButton> &buttons)
{
    m_answers.append(buttons);
}

void ModalAnswerer::poll()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window)
        return;
    if (m_gaveUp) {
        if (QDialog *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
        return;
    }
    for (const QPointer<QWidget> &met : qAsConst(m_met)) {
        if (met == window)
            return;
    }
    m_met.append(window);

    QPointer<QWidget> guarded(window);
    if (QMessageBox *box = qobject_cast<QMessageBox *>(window)) {
        m_seen << box->text();
        m_boxes << box->text();
        const QMessageBox::StandardButton answer = m_answers.isEmpty() ? QMessageBox::NoButton : m_answers.takeFirst();
        QTimer::singleShot(0, box, [box, answer] {
            QAbstractButton *button = answer == QMessageBox::NoButton ? nullptr : box->button(answer);
            if (button)
                button->click();
            else
                box->close();
        });
        return;
    }
    m_seen << window->objectName();
    for (const auto &rule : qAsConst(m_rules)) {
        if (rule.first != window->objectName())
            continue;
        Rule act = rule.second;
        QTimer::singleShot(0, window, [guarded, act] {
            if (guarded)
                act(guarded);
        });
        return;
    }
}
