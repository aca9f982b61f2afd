#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Answers the modal windows that come up while it lives, in place of a user.
// Each window is met once: it is noted in seen() (a message box by its text,
// any other window by its object name) and handed to the rule given for its
// object name, on a later turn of the event loop, so a rule may itself open
// further modal windows. A message box without a rule gets the next of the
// queued buttons, or is closed. A window that has neither is left alone, and
// after giveUpMs every modal window left is rejected so that no test hangs.
class ModalAnswerer
{
public:
    using Rule = std::function<void(QWidget *)>;

    explicit ModalAnswerer(int giveUpMs = 20000);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    void on(const QString &objectName, Rule rule);
    void answerBoxes(const QList<QMessageBox::StandardButton> &buttons);
    QStringList seen() const { return m_seen; }
    // Message box texts only.
    QStringList boxes() const { return m_boxes; }
    bool gaveUp() const { return m_gaveUp; }

private:
    void poll();

    QTimer m_timer;
    QTimer m_giveUp;
    QList<QPair<QString, Rule>> m_rules;
    QList<QMessageBox::StandardButton> m_answers;
    QList<QPointer<QWidget>> m_met;
    QStringList m_seen;
    QStringList m_boxes;
    bool m_gaveUp = false;
};
