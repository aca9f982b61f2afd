// The headless checker against the local test server: reply served, missing,
// never answered, and unreadable.

#include "ModuleCheckFixture.h"

#include "RunningTimers.h"
#include "TestHttpServer.h"
#include "UpdateChecking.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

using modulecheck::ModuleCheckTest;
using modulecheck::reply;

namespace {

QStringList g_debugLines;

void collectDebug(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_debugLines << message;
}

class UpdateCheckingTest : public ModuleCheckTest
{
protected:
    void SetUp() override
    {
        ModuleCheckTest::SetUp();
        ASSERT_TRUE(server.isListening());
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", server.urlString(QString()).toUtf8());
        // Every wait keeps its real length unless a test needs it to run out.
        writeInstalled(modulecheck::fixture(QStringLiteral("UpdaterInfo.xml")));
        createInstalledFiles();
        start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"),
               QStringLiteral("-version"), QStringLiteral("12.0.1.1234")},
              QStringLiteral("Update List"));
        g_debugLines.clear();
        qInstallMessageHandler(collectDebug);
        // The manager's warning box is modal: answer it as a user would.
        QObject::connect(&boxCloser, &QTimer::timeout, [this] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                ++boxes;
                box->close();
            }
        });
        boxCloser.start(20);
    }

    void TearDown() override
    {
        qInstallMessageHandler(nullptr);
        ModuleCheckTest::TearDown();
    }

    // Runs the event loop until the condition holds or the time is up.
    template <typename Condition>
    bool waitFor(Condition condition, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return condition();
    }

    void pause(int ms)
    {
        waitFor([] { return false; }, ms);
    }

    int timeOutLines() const { return g_debugLines.filter(QStringLiteral("Update Time out")).size(); }

    TestHttpServer server;
    QTimer boxCloser;
    int boxes = 0;
};

TEST_F(UpdateCheckingTest, ServedReplyFinishesTheCheckAndStopsTheTimer)
{
    server.setFile(QStringLiteral("/addons/get_addons.php"), reply());
    UpdateChecking checker(QStringLiteral("Update List"));
    checker.setModuleManager(manager.get());
    checker.startUpdateCheck();
    EXPECT_TRUE(checker.hasTimer());
    ASSERT_TRUE(waitFor([&] { return checker.finished() == 1; }, 20000));
    EXPECT_EQ(checker.checkState(), 1);
    EXPECT_FALSE(checker.hasTimer());
    EXPECT_EQ(manager->CountAvailableModule(), 6);
    EXPECT_TRUE(g_debugLines.contains(QStringLiteral("检查完成")));
    // Nothing is left that could fire later.
    EXPECT_EQ(runningTimers(&checker), 0);
    pause(100);
    EXPECT_EQ(timeOutLines(), 0);
    EXPECT_EQ(checker.checkState(), 1);
    checker.timeOut();
    EXPECT_EQ(checker.checkState(), 1);
}

TEST_F(UpdateCheckingTest, MissingReplyIsAnErrorAndTheTimerRunsOn)
{
    // Long enough for the error to come first on an idle machine; on a loaded one
    // the order may turn, which the checks below allow.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "CheckTimeout=1000");
    UpdateChecking checker(QStringLiteral("Update List"));
    checker.setModuleManager(manager.get());
    checker.startUpdateCheck();
    ASSERT_TRUE(waitFor([&] { return checker.finished() == 1 && boxes == 1; }, 20000));
    EXPECT_EQ(checker.checkState(), -1);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().path(), QStringLiteral("/addons/get_addons.php"));
    // The error does not stop the time-out, which then ends the timer.
    ASSERT_TRUE(waitFor([&] { return !checker.hasTimer(); }, 20000));
    EXPECT_EQ(timeOutLines(), 1);
    EXPECT_EQ(checker.checkState(), -1);
}

TEST_F(UpdateCheckingTest, SilentServerEndsByTheTimeOut)
{
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    server.setResponse(QStringLiteral("*"), silent);
    // Both run out; the transfer's a whole second after the check's.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "CheckTimeout=300,TransferNoResponse=1300");
    UpdateChecking checker(QStringLiteral("Update List"));
    checker.setModuleManager(manager.get());
    QElapsedTimer clock;
    clock.start();
    checker.startUpdateCheck();
    ASSERT_TRUE(waitFor([&] { return !checker.hasTimer(); }, 20000));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_EQ(timeOutLines(), 1);
    EXPECT_EQ(checker.checkState(), -1);
    EXPECT_EQ(checker.finished(), 0);
    // The transfer's own watchdog gives up later; the check has already ended.
    ASSERT_TRUE(waitFor([&] { return checker.finished() == 1; }, 20000));
    EXPECT_EQ(timeOutLines(), 1);
    EXPECT_EQ(checker.checkState(), -1);
}

TEST_F(UpdateCheckingTest, UnreadableReplyIsNotAFinishedCheck)
{
    server.setFile(QStringLiteral("/addons/get_addons.php"), QByteArray("\x1f\x8b\x08 binary garbage"));
    UpdateChecking checker(QStringLiteral("Update List"));
    checker.setModuleManager(manager.get());
    checker.startUpdateCheck();
    ASSERT_TRUE(waitFor([&] { return checker.finished() == 1; }, 20000));
    EXPECT_EQ(checker.checkState(), -1);
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(manager->CountAvailableModule(), 0);
    EXPECT_FALSE(g_debugLines.contains(QStringLiteral("检查完成")));
}

TEST_F(UpdateCheckingTest, NothingStartsWithoutAManager)
{
    UpdateChecking checker(QStringLiteral("Update List"));
    checker.startUpdateCheck();
    EXPECT_FALSE(checker.hasTimer());
    pause(100);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_EQ(checker.finished(), 0);
}

} // namespace
