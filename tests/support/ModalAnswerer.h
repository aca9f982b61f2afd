#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class QDialog;
class QWidget;

// Answers the modal windows that come up while it lives, in place of a user on
// the offscreen platform. Every message box is recorded (title and text) and
// answered with the next queued button, else the chosen one; any other modal
// window is handed to the handlers, which are asked again on every look until
// one answers true (so a handler may wait for the window to reach the state it
// wants first). A rule given for an object name acts once per window instead,
// on a later turn of the event loop, so that it may open further modal windows.
// After giveUpMs every modal window left is rejected, so that no test hangs.
//
//   ModalAnswerer answerer(QMessageBox::Yes);
//   answerer.onModal([](QWidget *w) { ... click something ...; return true; });
//   answerer.on("DlgUpdatesTree", [](QWidget *w) { ... click something ...; });
class ModalAnswerer
{
public:
    using Handler = std::function<bool(QWidget *modal)>;
    using Rule = std::function<void(QWidget *modal)>;

    explicit ModalAnswerer(QMessageBox::StandardButton boxAnswer = QMessageBox::No, int giveUpMs = 20000);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    void setBoxAnswer(QMessageBox::StandardButton answer) { m_boxAnswer = answer; }
    // Answers for the next message boxes, one each, before the standing answer.
    void answerBoxes(const QList<QMessageBox::StandardButton> &answers) { m_queued.append(answers); }
    void onModal(Handler handler) { m_handlers.append(std::move(handler)); }
    void on(const QString &objectName, Rule rule);
    // Called once for every modal window, message boxes included, when it is
    // first seen up and before anything answers it.
    void onEveryWindow(Rule inspector) { m_inspectors.append(std::move(inspector)); }
    bool gaveUp() const { return m_gaveUp; }

    // Runs the dialog modally and answers it once, when it is up, with `answer`;
    // returns what exec() returns.
    static int exec(QDialog &dialog, const std::function<void(QDialog *)> &answer);

    QStringList boxTitles;
    QStringList boxTexts;
    // The object names of the other modal windows, once per window.
    QStringList windows;

private:
    void look();

    QMessageBox::StandardButton m_boxAnswer;
    QList<QMessageBox::StandardButton> m_queued;
    QList<Handler> m_handlers;
    QList<QPointer<QWidget>> m_met;
    QList<Rule> m_inspectors;
    QList<QPointer<QWidget>> m_inspected;
    QTimer m_timer;
    QTimer m_giveUp;
    bool m_gaveUp = false;
};
