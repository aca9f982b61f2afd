#include "Reactions.h"

#include "BaseGUIObject.h"
#include "OperationTable.h"
#include "Progress.h"
#include "StressRandom.h"
#include "Trace.h"
#include "World.h"

using namespace AUILib;

namespace {

int g_depth = 0;
int g_calls = 0;
int g_actions = 0;

enum Action { Nothing, Clear, Remove, Select, Mode, AnyOperation, Editor, ReleaseControl, ReleaseWindow };

Action choose(StressRandom &random)
{
    const int roll = random.below(1000);
    if (roll < 600)
        return Nothing;
    if (roll < 640)
        return Clear;
    if (roll < 680)
        return Remove;
    if (roll < 720)
        return Select;
    if (roll < 760)
        return Mode;
    if (roll < 860)
        return AnyOperation;
    if (roll < 900)
        return Editor;
    if (roll < 925)
        return ReleaseControl;
    if (roll < 940)
        return ReleaseWindow;
    return Nothing;
}

OperationRole roleOf(Action action)
{
    switch (action) {
    case Clear: return OperationRole::Clear;
    case Remove: return OperationRole::Remove;
    case Select: return OperationRole::Select;
    default: return OperationRole::Mode;
    }
}

void runSome(World &world, BaseGUIObject &control, const std::string &name,
             const std::vector<const Operation *> &operations, StressRandom &random, const Hint &hint)
{
    if (operations.empty()) {
        Trace::instance().line("(no such operation)");
        return;
    }
    const Operation *operation = operations[static_cast<std::size_t>(random.below(static_cast<int>(operations.size())))];
    OperationTable::run(world, control, name, *operation, random, hint);
}

void releaseWindow(World &world, World::Control &entry, StressRandom &random)
{
    const int index = world.windowOf(entry);
    if (index < 0) {
        Trace::instance().line("(no window holds it)");
        return;
    }
    World::Window &window = world.windows()[static_cast<std::size_t>(index)];
    // Never an immediate delete here: Qt is inside one of the window's own events.
    static const World::Release ways[] = {World::Release::Object, World::Release::DeleteLater, World::Release::Close};
    world.releaseWindow(window, ways[random.below(3)]);
}

} // namespace

const char *const Reactions::kActionNames[] = {"clear", "remove", "select", "mode", "operation", "editor",
                                               "release-control", "release-window"};
const int Reactions::kActionCount = 8;

void Reactions::startStep()
{
    g_calls = 0;
    g_actions = 0;
}

void Reactions::react(unsigned serial, int control, const std::string &event, const Hint &hint,
                      BaseGUIObject *editor)
{
    World *world = World::current();
    if (!world || world->serial() != serial || world->tearingDown())
        return;
    World::Control &entry = world->controls()[static_cast<std::size_t>(control)];
    Trace &trace = Trace::instance();
    const bool live = world->live(entry) != nullptr;
    trace.setDepth(g_depth + 1);
    trace.line("> " + entry.name + " " + event + (live ? "" : " [its control is being released]"));
    const int call = ++g_calls;
    // A control whose last hold is being dropped is not called again: its own
    // members are being destroyed (its handlers just learn that it goes).
    if (!live || g_depth >= kMaxDepth || g_actions >= kMaxActionsPerStep) {
        trace.setDepth(g_depth);
        return;
    }
    StressRandom random(Progress::instance().seed(), static_cast<std::uint64_t>(world->sequence()),
                        static_cast<std::uint64_t>(Progress::instance().step() + 1), 0x100000u + call);
    Action action = choose(random);
    if (action == Editor && !editor)
        action = AnyOperation;
    if (action != Nothing && world->skips(kActionNames[action - 1]))
        action = Nothing;
    if (action == Nothing) {
        trace.setDepth(g_depth);
        return;
    }
    ++g_actions;
    ++g_depth;
    trace.line(std::string("= ") + kActionNames[action - 1]);
    const OperationTable &table = OperationTable::instance();
    switch (action) {
    case Clear:
    case Remove:
    case Select:
    case Mode: {
        std::vector<const Operation *> chosen = table.of(entry.kind, roleOf(action));
        // A kind without such operations does something else of its own.
        runSome(*world, *entry.control, entry.name, chosen.empty() ? table.of(entry.kind) : chosen, random, hint);
        break;
    }
    case AnyOperation:
        runSome(*world, *entry.control, entry.name, table.of(entry.kind), random, hint);
        break;
    case Editor:
        runSome(*world, *editor, entry.name + ".editor", table.of(editor->GetControlKind()), random, Hint());
        break;
    case ReleaseControl:
        world->releaseControl(entry);
        break;
    case ReleaseWindow:
        releaseWindow(*world, entry, random);
        break;
    default:
        break;
    }
    --g_depth;
    trace.setDepth(g_depth);
}
