#include "Sandbox.h"
#include "SystemPaths.h"
#include "Waits.h"

#include <gtest/gtest.h>

namespace {

class PlatformLayer : public SandboxTest
{
};

TEST_F(PlatformLayer, SystemPathsResolveUnderTheRoot)
{
    EXPECT_EQ(SystemPaths::resolve(QStringLiteral("/Library/Receipts/InstallHistory.plist")),
              sandbox.root() + QStringLiteral("/Library/Receipts/InstallHistory.plist"));
    EXPECT_EQ(SystemPaths::resolve(QStringLiteral("relative/x")), QStringLiteral("relative/x"));
    qunsetenv("ORBEL_UPDATER_ROOT");
    EXPECT_EQ(SystemPaths::resolve(QStringLiteral("/usr/local/share/orbel")), QStringLiteral("/usr/local/share/orbel"));
}

TEST_F(PlatformLayer, WaitsKeepTheirValuesUnlessScaledOrSet)
{
    // A set wait ignores the scale, so a test can shorten the waits that must run
    // out while the others stay long.
    struct Case { const char *scale; const char *waits; Waits::Wait wait; int expected; };
    const Case cases[] = {
        {"", "", Waits::CheckTimeout, 60000},
        {"", "", Waits::TransferStall, 90000},
        {"garbage", "", Waits::SingleInstanceConnect, 500},
        {"-2", "", Waits::ShortDelay, 3000},
        {"0.01", "", Waits::TransferNoResponse, 900},
        {"0.0000001", "", Waits::InstallPoll, 1},
        {"2", "", Waits::ShellCommand, 60000},
        {"", "CheckTimeout=300", Waits::CheckTimeout, 300},
        {"0.01", "CheckTimeout=300", Waits::CheckTimeout, 300},
        {"0.01", "CheckTimeout=300", Waits::TransferStall, 900},
        {"", "TransferStall=200, TransferNoResponse = 4000", Waits::TransferNoResponse, 4000},
        {"", "TransferStall=200,TransferNoResponse=4000", Waits::TransferStall, 200},
        {"", "TransferNoResponseX=5,Transfer=5,=5,TransferStall", Waits::TransferStall, 90000},
        {"", "ShortDelay=soon,ShortDelay=-3", Waits::ShortDelay, 3000},
        {"", "ShortDelay=10,ShortDelay=20", Waits::ShortDelay, 20},
        {"", "InstallPoll=0", Waits::InstallPoll, 1},
    };
    for (const Case &c : cases) {
        sandbox.setEnv("ORBEL_UPDATER_TIME_SCALE", c.scale);
        sandbox.setEnv("ORBEL_UPDATER_WAITS", c.waits);
        EXPECT_EQ(Waits::ms(c.wait), c.expected) << "scale " << c.scale << ", waits " << c.waits;
    }
}

} // namespace
