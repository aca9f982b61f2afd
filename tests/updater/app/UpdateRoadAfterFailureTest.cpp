// The update road after a failure, run as the road runs (the application
// controller on the offscreen platform, answering the dialogs itself) against
// the local test server: what a failed or given-up run leaves behind, and what
// the next run makes of it.

#include "CSetup_CommandLine.h"
#include "FakeInstaller.h"
#include "FakeReader.h"
#include "InstallHistory.h"
#include "ModalAnswerer.h"
#include "OzipWriter.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdateDialogs.h"
#include "UpdaterApp.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <memory>
#include <gtest/gtest.h>

namespace {

const char kReplyPath[] = "/addons/get_addons.php";

// A package whose one installer the stand-in Installer records; `paddingKiB` of
// noise (which does not compress) gives its transfer a middle.
QByteArray package(const QByteArray &name, int paddingKiB = 0)
{
    OzipWriter writer;
    writer.file("Setup.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n  <file name=\"" + name
                                 + ".pkg\" parameter=\"\" iscommon=\"false\"/>\n</setup>\n");
    writer.file(name + ".pkg", "installer");
    if (paddingKiB > 0) {
        QByteArray padding(paddingKiB * 1024, Qt::Uninitialized);
        QRandomGenerator(qHash(name)).fillRange(reinterpret_cast<quint32 *>(padding.data()), padding.size() / 4);
        writer.file("padding.bin", padding);
    }
    return writer.bytes();
}

class UpdateRoadAfterFailure : public SandboxTest
{
protected:
    void SetUp() override
    {
        // The windows' own delays run out; transfers, the check and the installers keep their real waits.
        sandbox.setEnv("ORBEL_UPDATER_WAITS", "ShortDelay=30,InstallerToFront=10");
        sandbox.listOnlyOwnProcesses();
        ASSERT_TRUE(service.isListening());
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.urlString(QString()).toUtf8());
        ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
        ASSERT_TRUE(reader.isListening());
        // Installed, and older than offered.
        ASSERT_TRUE(sandbox.writeFile(sandbox.readerBundle() + QStringLiteral("/Contents/Resources/UpdaterInfo.xml"),
                                      "<updater_info>\n"
                                      "  <component name=\"Alpha\" version=\"1.0.0.0\"/>\n"
                                      "  <component name=\"Beta\" version=\"1.0.0.0\"/>\n"
                                      "</updater_info>\n"));
        UpdateDialogs::install(nullptr);
    }

    // Serves a package and returns its "<addon .../>" line for the reply.
    QByteArray offer(const QByteArray &name, const QByteArray &bytes)
    {
        const QString path = QStringLiteral("/packages/%1.ozip").arg(QLatin1String(name));
        service.setFile(path, bytes);
        return "  <addon name=\"" + name + "\" title=\"" + name + "\" version=\"2.0.0.0\" size=\""
               + QByteArray::number(bytes.size()) + "B\" module_type=\"service\" result=\"true\" url=\""
               + service.urlString(path).toUtf8() + "\"/>\n";
    }

    static QByteArray reply(const QByteArray &modules)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<addons>\n" + modules + "</addons>\n";
    }

    // The user checks every add-on and chooses "Download and Install".
    void chooseAddOns(ModalAnswerer &answerer)
    {
        answerer.on(QStringLiteral("DlgUpdatesTree"), [this](QWidget *modal) {
            auto *view = modal->findChild<QTreeView *>(QStringLiteral("treeView_4"));
            auto *download = modal->findChild<QPushButton *>(QStringLiteral("button_download"));
            ASSERT_TRUE(view && view->model() && download);
            const QModelIndexList addons = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole,
                                                                QStringLiteral("Add-ons"), 1, Qt::MatchExactly);
            ASSERT_EQ(addons.size(), 1);
            offered = view->model()->rowCount(addons.first());
            view->setCurrentIndex(addons.first());
            QTest::keyClick(view, Qt::Key_Space);
            QTest::mouseClick(download, Qt::LeftButton);
        });
    }

    // The same, and the progress window is closed once every row has ended.
    void answerAsAUser(ModalAnswerer &answerer)
    {
        chooseAddOns(answerer);
        answerer.onModal([](QWidget *modal) {
            auto *close = modal->findChild<QPushButton *>(QStringLiteral("btn_close"));
            if (modal->objectName() != QLatin1String("dlgfound") || !close || close->text() != QLatin1String("Close"))
                return false;
            QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
            return true;
        });
    }

    // One run from the reader's command line for a manual check.
    void run()
    {
        CSetup_CommandLine commandLine;
        commandLine.ProcessCmdLine(JoinCommandArgumentsForParse(
            {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"),
             QStringLiteral("-readerpath"), sandbox.readerBundle() + QStringLiteral("/Contents/MacOS"),
             QStringLiteral("-version"), QStringLiteral("12.1.0.1234"), QStringLiteral("-PackageType"),
             QStringLiteral("general")}));
        auto app = std::make_unique<UpdaterApp>(&commandLine);
        theApp = app.get();
        app->runUpdate(31, 225);
        EXPECT_TRUE(app->IsQuitRequested());
        theApp = nullptr;
    }

    static QStringList installed()
    {
        QVector<InstallReceipt> receipts;
        QStringList names;
        if (InstallHistory::read(receipts) == InstallHistory::Read) {
            for (const InstallReceipt &receipt : qAsConst(receipts))
                names << receipt.displayName;
        }
        return names;
    }

    // Every file and folder the runs left in the updater's data folder.
    QStringList leftInTheDataFolder() const
    {
        const QString folder = sandbox.dataRoot() + QStringLiteral("updater");
        QStringList left;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            left << QDir(folder).relativeFilePath(it.next());
        left.sort();
        return left;
    }

    QString downloads() const { return sandbox.dataRoot() + QStringLiteral("updater/"); }

    TestHttpServer service;
    FakeReader reader;
    int offered = 0;
};

// A package left damaged at its listed size (a resume answered with the wrong
// part, a disk error) is taken as complete by its size, fails to unpack and is
// reported; it goes with that report, so the next run fetches it afresh and
// installs it.
TEST_F(UpdateRoadAfterFailure, ADamagedPackageIsFetchedAgainOnTheNextRun)
{
    const QByteArray good = package("Alpha");
    service.setFile(QLatin1String(kReplyPath), reply(offer("Alpha", good)));
    QByteArray damaged = good;
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x5A);
    ASSERT_TRUE(sandbox.writeFile(downloads() + QStringLiteral("Alpha.ozip"), damaged));

    {
        ModalAnswerer answerer;
        answerAsAUser(answerer);
        run();
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_EQ(answerer.boxTexts,
                  QStringList{QStringLiteral("Failed to extract the downloaded package. Please try again.")});
    }
    EXPECT_TRUE(service.requests(QStringLiteral("/packages/Alpha.ozip")).isEmpty());
    EXPECT_TRUE(installed().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(downloads() + QStringLiteral("Alpha.ozip")));

    {
        ModalAnswerer answerer;
        answerAsAUser(answerer);
        run();
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_TRUE(answerer.boxTexts.isEmpty()) << answerer.boxTexts.join('\n').toStdString();
    }
    EXPECT_EQ(service.requests(QStringLiteral("/packages/Alpha.ozip")).size(), 1);
    EXPECT_EQ(installed(), QStringList{QStringLiteral("Alpha")});
}

// A reply that ends before its document does, cut after its first module (sent
// without a length, or chunked with framing that breaks, which Qt ends without
// an error), is a failed check: reported and shown like any other, offering
// nothing and leaving nothing. The same reply whole offers both and installs them.
TEST_F(UpdateRoadAfterFailure, AReplyCutAfterItsFirstModuleOffersNothing)
{
    const QByteArray first = offer("Alpha", package("Alpha"));
    const QByteArray whole = reply(first + offer("Beta", package("Beta")));
    const int cut = whole.indexOf(first) + first.size();
    TestHttpServer::Response closed;
    closed.body = whole;
    closed.sendContentLength = false;
    closed.dropAtByte = cut;
    TestHttpServer::Response brokenChunks;
    brokenChunks.body = whole;
    brokenChunks.chunked = true;
    brokenChunks.breakChunksAtByte = cut;
    const struct
    {
        const char *name;
        TestHttpServer::Response response;
    } cases[] = {
        {"sent without a length", closed},
        {"chunked with broken framing", brokenChunks},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        service.setResponse(QLatin1String(kReplyPath), c.response);
        const int words = reader.words().size();
        ModalAnswerer answerer;
        answerAsAUser(answerer);
        run();
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_EQ(answerer.boxTexts, QStringList{QStringLiteral(
                                         "Cannot connect to the server. Please check your network connection.")});
        EXPECT_FALSE(answerer.windows.contains(QStringLiteral("DlgUpdatesTree")));
        ASSERT_TRUE(reader.waitForWords(words + 1));
        EXPECT_EQ(reader.words().mid(words), QStringList{QStringLiteral("errornetwork")});
        EXPECT_TRUE(leftInTheDataFolder().isEmpty()) << leftInTheDataFolder().join(' ').toStdString();
    }
    EXPECT_TRUE(service.requests(QStringLiteral("/packages/Alpha.ozip")).isEmpty());
    EXPECT_TRUE(installed().isEmpty());

    service.setFile(QLatin1String(kReplyPath), whole);
    ModalAnswerer answerer;
    answerAsAUser(answerer);
    run();
    EXPECT_FALSE(answerer.gaveUp());
    EXPECT_TRUE(answerer.boxTexts.isEmpty()) << answerer.boxTexts.join('\n').toStdString();
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(installed(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
}

// A check that times out with its reply half there, and a download the user
// stops, leave nothing behind in the data folder: no part of the reply or of a
// package, no unpack folder.
TEST_F(UpdateRoadAfterFailure, ATimedOutCheckAndACancelledDownloadLeaveNothing)
{
    // Only the check's time-out is to run out; the transfer's own watchdogs keep their length.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "ShortDelay=30,InstallerToFront=10,CheckTimeout=500");
    const QByteArray slowPackage = package("Alpha", 256);
    const QByteArray whole = reply(offer("Alpha", slowPackage));
    TestHttpServer::Response stalled;
    stalled.body = whole;
    stalled.stallAtByte = 60;
    service.setResponse(QLatin1String(kReplyPath), stalled);
    {
        ModalAnswerer answerer;
        run();
        EXPECT_FALSE(answerer.gaveUp());
        ASSERT_TRUE(reader.waitForWords(1));
        EXPECT_EQ(reader.words(), QStringList{QStringLiteral("errornetwork")});
    }
    EXPECT_TRUE(leftInTheDataFolder().isEmpty()) << leftInTheDataFolder().join(' ').toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.openConnections() == 0; }, 10000));

    // The package trickles: the user quits while it is on its way, and confirms.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "ShortDelay=30,InstallerToFront=10");
    service.setFile(QLatin1String(kReplyPath), whole);
    TestHttpServer::Response trickle;
    trickle.body = slowPackage;
    trickle.bytesPerSecond = 32 * 1024;
    service.setResponse(QStringLiteral("/packages/Alpha.ozip"), trickle);
    const QString part = downloads() + QStringLiteral("Alpha.ozip");
    bool quit = false;
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        chooseAddOns(answerer);
        answerer.onModal([&](QWidget *modal) {
            auto *close = modal->findChild<QPushButton *>(QStringLiteral("btn_close"));
            if (modal->objectName() != QLatin1String("dlgfound") || !close || QFileInfo(part).size() == 0)
                return false;
            quit = true;
            QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
            return true;
        });
        run();
        EXPECT_FALSE(answerer.gaveUp());
        EXPECT_TRUE(quit);
        EXPECT_EQ(answerer.boxTexts.size(), 1) << answerer.boxTexts.join('\n').toStdString();
    }
    EXPECT_EQ(service.requests(QStringLiteral("/packages/Alpha.ozip")).size(), 1);
    // The check itself succeeded: its reply stays, and nothing else.
    EXPECT_EQ(leftInTheDataFolder(), QStringList{QStringLiteral("update_tmpfile.xml")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return service.openConnections() == 0; }, 10000));
    EXPECT_TRUE(installed().isEmpty());
}

} // namespace
