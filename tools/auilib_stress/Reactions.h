#pragma once

#include "Draw.h"

#include <string>

namespace AUILib {
class BaseGUIObject;
}

// What the run's handlers do when an event reaches them. Most of the time
// nothing; otherwise what a handler may do: clear, remove the row or item it
// was told about, change the selection, switch a mode, start another operation
// of the same control (or of the editor it was handed), release the control,
// release the window that holds it. The choice comes from the numbers of the
// step and of the handler call within it. A handler that starts an operation
// may be reached again from inside it; past a small depth, and past a number
// of actions per step, handlers only trace their event.
class Reactions
{
public:
    static constexpr int kMaxDepth = 3;
    static constexpr int kMaxActionsPerStep = 40;

    // `serial` is the world the handler was subscribed in, `control` the index of
    // its control there; `editor` is an editor the event handed over (list box and
    // tree view label editing).
    static void react(unsigned serial, int control, const std::string &event, const Hint &hint,
                      AUILib::BaseGUIObject *editor = nullptr);

    // A new step: the handler calls are counted from 0 again.
    static void startStep();

    // The names --skip takes for handler actions.
    static const char *const kActionNames[];
    static const int kActionCount;
};
