// auilib_stress: the toolkit's own random caller (see StressOptions.h for the
// command line and the README for how to run and replay it).
#include "AUILibConfig.h"
#include "ControlCatalogue.h"
#include "CrashReport.h"
#include "InputDriver.h"
#include "LinkSink.h"
#include "OperationTable.h"
#include "Progress.h"
#include "Reactions.h"
#include "SequenceRunner.h"
#include "StressFiles.h"
#include "StressOptions.h"
#include "Watchdog.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The bound on one step; a step past it is stuck, whatever the machine.
constexpr long long kStepLimitMs = 10000;

void listNames()
{
    std::printf("control kinds:\n");
    for (const ControlCatalogue::Kind &kind : ControlCatalogue::kinds())
        std::printf("  %s (%s)\n", kind.name, kind.factoryName);
    std::printf("  Dialog\noperations:\n");
    for (const std::string &name : OperationTable::instance().names())
        std::printf("  %s\n", name.c_str());
    std::printf("inputs:\n");
    for (int i = 0; i < InputDriver::kCount; ++i)
        std::printf("  %s\n", InputDriver::kNames[i]);
    std::printf("handler actions:\n");
    for (int i = 0; i < Reactions::kActionCount; ++i)
        std::printf("  %s\n", Reactions::kActionNames[i]);
    std::printf("changes of the world:\n");
    for (int i = 0; i < SequenceRunner::kWorldCount; ++i)
        std::printf("  %s\n", SequenceRunner::kWorldNames[i]);
    std::printf("arguments:\n  huge-text\n  huge-size\n  stale-item\n  cyclic-parent\n");
}

} // namespace

int main(int argc, char **argv)
{
    StressOptions options;
    if (!options.parse(std::vector<std::string>(argv + 1, argv + argc)))
        return 1;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CrashReport::install();
    QApplication application(argc, argv);
    AUILib::GetCurrentLanguage(); // makes the toolkit's configuration, which fills the factory
    OperationTable::setUp(options);
    if (options.list) {
        listNames();
        return 0;
    }
    StressFiles files;
    if (!files.ready())
        return 2;
    LinkSink links;
    Progress::instance().start(options.seed, options.replaySwitches());
    Watchdog watchdog(kStepLimitMs);
    SequenceRunner runner(options, files);
    const int result = runner.run();
    // Messages Qt gives while it shuts down go to its own handler, not to the trace.
    qInstallMessageHandler(nullptr);
    return result;
}
