// A whole update check (query, reply, judgement) under a plain QCoreApplication.

#include "ModuleCheckFixture.h"

#include "TestHttpServer.h"
#include "UpdateChecking.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using modulecheck::ModuleCheckTest;
using modulecheck::reply;

namespace {

class HeadlessCheckTest : public ModuleCheckTest
{
protected:
    void SetUp() override
    {
        ModuleCheckTest::SetUp();
        ASSERT_EQ(qobject_cast<QApplication *>(QCoreApplication::instance()), nullptr);
        ASSERT_TRUE(server.isListening()) << server.error().toStdString();
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", server.urlString(QString()).toUtf8());
        writeInstalled(modulecheck::fixture(QStringLiteral("UpdaterInfo.xml")));
        createInstalledFiles();
        start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"),
               QStringLiteral("-version"), QStringLiteral("12.0.1.1234")},
              QStringLiteral("Update List"));
    }

    TestHttpServer server;
};

TEST_F(HeadlessCheckTest, WholeCheckRunsWithoutWidgets)
{
    server.setFile(QStringLiteral("/addons/get_addons.php"), reply());
    // No window is registered here: the manager has none and needs none.
    EXPECT_EQ(manager->GetDownloadWindow(), nullptr);

    UpdateChecking checker(QStringLiteral("Update List"));
    checker.setModuleManager(manager.get());
    checker.startUpdateCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checker.finished() == 1; }, 20000));
    EXPECT_EQ(checker.checkState(), 1);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(server.requests().first().target.startsWith("/addons/get_addons.php?addon=Update%20List&"));

    // Judged against the installed components: the current one, the one the
    // service does not offer and the pruned ones are gone.
    EXPECT_EQ(offered(), (QStringList{"Orbel PDF Reader Updater", "Signature", "Stamps", "Translator",
                                      "OCR_Japanese", "Dictionary"}));
    const QueryResultInfo result = manager->GetQueryResultInfo();
    EXPECT_TRUE(result.bQueryDone);
    EXPECT_TRUE(result.bHasUpdate);
    EXPECT_TRUE(result.bHasAdminUpdate);

    // Download control without a window does nothing.
    manager->AddSelModule(manager->GetAvailabletModule(1));
    manager->startDownload();
    manager->Download(manager->GetSelModule(0));
    manager->OnDownloadPause();
    manager->OnDownloadResume();
    EXPECT_TRUE(manager->stopDownload());
}

TEST_F(HeadlessCheckTest, FailedTransferEndsTheCheckWithoutAWindow)
{
    // Nothing is served: the transfer fails, and the warning a user would see
    // has no one to go to.
    UpdateChecking checker(QStringLiteral("Update List"));
    checker.setModuleManager(manager.get());
    QSignalSpy errors(manager.get(), &CReaderModuleManager::sErrorFinish);
    checker.startUpdateCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return checker.finished() == 1; }, 20000));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(checker.checkState(), -1);
    EXPECT_EQ(manager->CountAvailableModule(), 0);
}

} // namespace
