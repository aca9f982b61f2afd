#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// Ends what a step pops up and would otherwise wait on a user for: context
// menus (an entry is chosen, or the menu closes), combo box lists and calendars
// (a row is clicked, or they close), modal dialogs and message boxes (rejected,
// now and then accepted). It looks from a timer, so it also runs inside the
// event loops of menus and modal windows; what it chooses comes from the step's
// numbers and the count of its own turns.
class ModalCloser : public QObject
{
public:
    ModalCloser();

    // A new step: the turns are counted from 0 again.
    void startStep();

private:
    void look();
    void act(QWidget *open);

    QTimer m_timer;
    QPointer<QWidget> m_seen;
    int m_seenFor = 0;
    int m_turns = 0;
};
