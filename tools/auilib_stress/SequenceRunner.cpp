#include "SequenceRunner.h"

#include "AUILibConfig.h"
#include "BaseGUIObject.h"
#include "CrashReport.h"
#include "Draw.h"
#include "InputDriver.h"
#include "ModalCloser.h"
#include "OperationTable.h"
#include "Progress.h"
#include "Reactions.h"
#include "StressFiles.h"
#include "StressOptions.h"
#include "StressRandom.h"
#include "Trace.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

using namespace AUILib;

namespace {

// The toolkit's process-wide settings as the run found them; every sequence
// starts from them again.
struct Globals
{
    char decimal = '.';
    SkinMode skin = SkinModeDefault;
    bool rtl = false;
    ReadingDirection reading = ReadingDirectionLeftToRight;
    int radii[4] = {0, 0, 0, 0};
    std::wstring language;
    bool encrypted = true;
};

Globals g_globals;

enum WorldChange { NewControl, NewWindow, ReleaseControl, ReleaseWindow, DeleteWindow, DeleteWidget, ChangeGlobals };

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

const char *const SequenceRunner::kWorldNames[] = {"new-control",   "new-window",    "release-control",
                                                   "release-window", "delete-window", "delete-widget",
                                                   "globals",        "form-dialog",   "loader-window",
                                                   "download-dialog"};
const int SequenceRunner::kWorldCount = 10;

SequenceRunner::SequenceRunner(const StressOptions &options, StressFiles &files)
    : m_options(options)
    , m_files(files)
    , m_closer(new ModalCloser)
{
    g_globals.decimal = GetDecimalChar();
    g_globals.skin = GetGlobalSkinMode();
    g_globals.rtl = GetLayoutRTL();
    g_globals.reading = GetReadingDirection();
    g_globals.radii[0] = GetComboboxRadius();
    g_globals.radii[1] = GetCheckboxRadius();
    g_globals.radii[2] = GetEditRadius();
    g_globals.radii[3] = GetContextMenuRadius();
    g_globals.language = GetCurrentLanguage();
    g_globals.encrypted = ExpectsEncryptedLanguageFiles();
}

SequenceRunner::~SequenceRunner() = default;

void SequenceRunner::restoreGlobals()
{
    SetCurrentLanguage(g_globals.language, g_globals.encrypted);
    SetForcedDecimalChar(g_globals.decimal);
    SetGlobalSkinMode(g_globals.skin);
    SetLayoutRTL(g_globals.rtl);
    QApplication::setLayoutDirection(Qt::LeftToRight);
    SetReadingDirection(g_globals.reading);
    SetComboboxRadius(g_globals.radii[0]);
    SetCheckboxRadius(g_globals.radii[1]);
    SetEditRadius(g_globals.radii[2]);
    SetContextMenuRadius(g_globals.radii[3]);
    QApplication::clipboard()->setText(QStringLiteral("clipboard 42"));
}

void SequenceRunner::changeGlobals(StressRandom &random)
{
    Trace &trace = Trace::instance();
    switch (random.below(6)) {
    case 0: {
        const bool rtl = random.percent(50);
        trace.line(std::string("SetLayoutRTL(") + (rtl ? "true)" : "false)"));
        SetLayoutRTL(rtl);
        break;
    }
    case 1: {
        const int direction = random.percent(80) ? random.below(2) : 7;
        trace.line("SetReadingDirection(" + std::to_string(direction) + ")");
        SetReadingDirection(static_cast<ReadingDirection>(direction));
        break;
    }
    case 2: {
        static const char decimals[] = {'.', ',', 'p', '0', '\0', '-'};
        const char decimal = decimals[random.below(6)];
        trace.line("SetForcedDecimalChar(" + std::to_string(static_cast<int>(decimal)) + ")");
        SetForcedDecimalChar(decimal);
        break;
    }
    case 3: {
        const int mode = random.below(6);
        trace.line("SetGlobalSkinMode(" + std::to_string(mode) + ")");
        SetGlobalSkinMode(static_cast<SkinMode>(mode));
        break;
    }
    case 4: {
        static const int radii[] = {0, 4, -1, 100000, INT_MAX, INT_MIN};
        const int radius = radii[random.below(6)];
        trace.line("radii " + std::to_string(radius));
        SetComboboxRadius(radius);
        SetCheckboxRadius(radius);
        SetEditRadius(radius);
        SetContextMenuRadius(radius);
        break;
    }
    default: {
        static const wchar_t *const languages[] = {L"de-DE", L"en_US", L"", L"xx", L"ar-SA", L"zh-CN"};
        const std::wstring language = languages[random.below(6)];
        trace.line("SetCurrentLanguage(" + Draw::describe(language) + ")");
        SetCurrentLanguage(language, random.percent(50));
        break;
    }
    }
}

void SequenceRunner::build(World &world, long long sequence)
{
    StressRandom random(m_options.seed, static_cast<std::uint64_t>(sequence), 0, 0);
    const int host = world.addHost(random);
    const int controls = 3 + random.below(6);
    for (int i = 0; i < controls; ++i)
        world.addCodeControl(host, random);
    if (random.percent(50) && !world.skips("form-dialog"))
        world.addFormDialog();
    if (random.percent(30) && !world.skips("loader-window"))
        world.addLoaderWindow();
    if (random.percent(15) && !world.skips("download-dialog"))
        world.addDownloadDialog();
}

void SequenceRunner::addWindow(World &world, StressRandom &random)
{
    const int roll = random.below(100);
    if (roll < 40) {
        const int host = world.addHost(random);
        world.addCodeControl(host, random);
        world.addCodeControl(host, random);
    } else if (roll < 65 && !world.skips("form-dialog")) {
        world.addFormDialog();
    } else if (roll < 85 && !world.skips("loader-window")) {
        world.addLoaderWindow();
    } else if (!world.skips("download-dialog")) {
        world.addDownloadDialog();
    }
}

// A control's widget deleted behind the control's back, as Qt deletes the
// children of a window: the control answers as a gone one from then on.
void SequenceRunner::deleteWidget(World &world, StressRandom &random)
{
    std::vector<World::Control *> withWidget;
    for (World::Control &control : world.controls())
        if (control.widget && control.kind != ControlKindDialog)
            withWidget.push_back(&control);
    if (withWidget.empty())
        return;
    World::Control *control = withWidget[static_cast<std::size_t>(random.below(static_cast<int>(withWidget.size())))];
    Trace::instance().line("delete the widget of " + control->name);
    delete control->widget.data();
}

void SequenceRunner::changeWorld(World &world, StressRandom &random)
{
    static const int weights[] = {30, 12, 15, 8, 5, 10, 8};
    int roll = random.below(88);
    int change = 0;
    while (roll >= weights[change]) {
        roll -= weights[change];
        ++change;
    }
    if (world.liveControlCount() < 3 && !world.skips("new-control"))
        change = NewControl;
    if (world.skips(kWorldNames[change])) {
        Trace::instance().line(std::string("(") + kWorldNames[change] + " is left out)");
        return;
    }
    std::vector<World::Window *> windows;
    for (World::Window &window : world.windows())
        if (window.widget)
            windows.push_back(&window);
    auto anyWindow = [&]() -> World::Window * {
        return windows.empty() ? nullptr
                               : windows[static_cast<std::size_t>(random.below(static_cast<int>(windows.size())))];
    };
    switch (static_cast<WorldChange>(change)) {
    case NewControl: {
        World::Window *window = anyWindow();
        world.addCodeControl(window ? window->id : world.addHost(random), random);
        break;
    }
    case NewWindow:
        addWindow(world, random);
        break;
    case ReleaseControl: {
        std::vector<World::Control *> live;
        for (World::Control &control : world.controls())
            if (world.live(control))
                live.push_back(&control);
        if (!live.empty())
            world.releaseControl(*live[static_cast<std::size_t>(random.below(static_cast<int>(live.size())))]);
        break;
    }
    case ReleaseWindow:
        if (World::Window *window = anyWindow())
            world.releaseWindow(*window, random.percent(50) ? World::Release::Object : World::Release::DeleteLater);
        break;
    case DeleteWindow:
        if (World::Window *window = anyWindow())
            world.releaseWindow(*window, random.percent(50) ? World::Release::Delete : World::Release::Close);
        break;
    case DeleteWidget:
        deleteWidget(world, random);
        break;
    case ChangeGlobals:
        changeGlobals(random);
        break;
    }
}

void SequenceRunner::runStep(World &world, long long sequence, int step)
{
    Progress::instance().enter(sequence, step, "step");
    Reactions::startStep();
    m_closer->startStep();
    ++m_steps;
    StressRandom random(m_options.seed, static_cast<std::uint64_t>(sequence), static_cast<std::uint64_t>(step) + 1, 0);
    if (world.liveControlCount() < 3 || random.percent(6)) {
        changeWorld(world, random);
    } else {
        std::vector<World::Control *> targets;
        for (World::Control &control : world.controls())
            if (world.live(control) || control.widget)
                targets.push_back(&control);
        if (targets.empty()) {
            changeWorld(world, random);
        } else {
            World::Control &target = *targets[static_cast<std::size_t>(random.below(static_cast<int>(targets.size())))];
            BaseGUIObject *control = world.live(target);
            const std::vector<const Operation *> &operations = OperationTable::instance().of(target.kind);
            if (control && !operations.empty() && random.percent(70)) {
                const Operation *operation =
                    operations[static_cast<std::size_t>(random.below(static_cast<int>(operations.size())))];
                OperationTable::run(world, *control, target.name, *operation, random, Hint());
            } else {
                InputDriver::act(world, target, random);
            }
        }
    }
    world.refreshWindows();
}

bool SequenceRunner::runSequence(long long sequence)
{
    Trace::instance().clear();
    restoreGlobals();
    Progress::instance().enter(sequence, -1, "build");
    {
        World world(sequence, m_files, m_options);
        build(world, sequence);
        QEventLoop loop;
        QTimer timer;
        int next = 0;
        bool busy = false;
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            // A step's own event loop (a menu, a modal window) runs this timer too:
            // the next step waits until the step that opened it returns.
            if (busy)
                return;
            while (next < m_options.steps && !m_options.runsStep(next))
                ++next;
            // The time is up: the sequence ends after the steps it ran (a replay of it
            // runs them again, and the ones after).
            if (m_deadline && std::chrono::steady_clock::now() >= *m_deadline && next < m_options.steps) {
                Trace::instance().line("the time is up after step " + std::to_string(next - 1));
                next = m_options.steps;
            }
            if (next >= m_options.steps) {
                timer.stop();
                loop.quit();
                return;
            }
            busy = true;
            runStep(world, sequence, next++);
            busy = false;
        });
        timer.start(0);
        loop.exec();
        Progress::instance().enter(sequence, m_options.steps, "teardown");
    }
    // Whatever is left on the screen goes out of sight before the next sequence.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowType() != Qt::Desktop)
            widget->hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const bool leaked = CrashReport::leaksFound();
    Progress::instance().idle();
    return !leaked;
}

int SequenceRunner::run()
{
    if (m_options.replay >= 0) {
        Trace::instance().setLive(true);
        std::printf("auilib_stress: replaying sequence %lld of seed %llu\n", m_options.replay,
                    static_cast<unsigned long long>(m_options.seed));
        if (!runSequence(m_options.replay))
            return CrashReport::kExitLeak;
        std::printf("auilib_stress: sequence %lld of seed %llu ran %lld steps: no fault\n", m_options.replay,
                    static_cast<unsigned long long>(m_options.seed), m_steps);
        return 0;
    }
    Trace::instance().setLive(m_options.trace);
    const auto start = std::chrono::steady_clock::now();
    if (m_options.minutes > 0)
        m_deadline = start + std::chrono::milliseconds(static_cast<long long>(m_options.minutes * 60000));
    auto lastNote = start;
    long long sequence = 0;
    for (;; ++sequence) {
        if (m_options.sequences > 0 && sequence >= m_options.sequences)
            break;
        if (m_options.minutes > 0 && secondsSince(start) >= m_options.minutes * 60)
            break;
        if (!runSequence(sequence))
            return CrashReport::kExitLeak;
        if (secondsSince(lastNote) >= 30) {
            lastNote = std::chrono::steady_clock::now();
            std::printf("auilib_stress: seed %llu: %lld sequences, %lld steps, %.0f s\n",
                        static_cast<unsigned long long>(m_options.seed), sequence + 1, m_steps, secondsSince(start));
            std::fflush(stdout);
        }
    }
    std::printf("auilib_stress: seed %llu: %lld sequences (0..%lld), %lld steps in %.0f s: no fault\n",
                static_cast<unsigned long long>(m_options.seed), sequence, sequence - 1, m_steps, secondsSince(start));
    return 0;
}
