#pragma once

#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Answers the modal windows that come up while it lives, in place of a user on
// the offscreen platform. Every message box is recorded (title and text) and
// answered with the chosen button; any other modal window is handed to the
// handlers, which are asked again on every look until one answers true (so a
// handler may wait for the window to reach the state it wants first).
//
//   ModalAnswerer answerer(QMessageBox::Yes);
//   answerer.onModal([](QWidget *w) { ... click something ...; return true; });
class ModalAnswerer
{
public:
    using Handler = std::function<bool(QWidget *modal)>;

    explicit ModalAnswerer(QMessageBox::StandardButton boxAnswer = QMessageBox::No);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    void setBoxAnswer(QMessageBox::StandardButton answer) { m_boxAnswer = answer; }
    void onModal(Handler handler) { m_handlers.append(std::move(handler)); }

    QStringList boxTitles;
    QStringList boxTexts;

private:
    void look();

    QMessageBox::StandardButton m_boxAnswer;
    QList<Handler> m_handlers;
    QTimer m_timer;
};
