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

TEST_F(PlatformLayer, WaitsKeepTheirValuesUnlessScaled)
{
    struct Case { const char *scale; Waits::Wait wait; int expected; };
    const Case cases[] = {
        {"", Waits::CheckTimeout, 60000},
        {"", Waits::TransferStall, 90000},
        {"garbage", Waits::SingleInstanceConnect, 500},
        {"-2", Waits::ShortDelay, 3000},
        {"0.01", Waits::TransferNoResponse, 900},
        {"0.0000001", Waits::InstallPoll, 1},
        {"2", Waits::ShellCommand, 60000},
    };
    for (const Case &c : cases) {
        sandbox.setEnv("ORBEL_UPDATER_TIME_SCALE", c.scale);
        EXPECT_EQ(Waits::ms(c.wait), c.expected) << "scale " << c.scale;
    }
}

} // namespace
