#include "DlgDownload.h"

#include "CUP_Log.h"
#include "DlgMessage.h"
#include "FileSizeLimit.h"
#include "FakeInstaller.h"
#include "InstallHistory.h"
#include "OzipWriter.h"
#include "PlistTool.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdaterApp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

QByteArray setupXml(const QStringList &installers)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n";
    for (const QString &name : installers)
        xml += "  <file name=\"" + name.toUtf8() + "\" parameter=\"\" iscommon=\"false\"/>\n";
    return xml + "</setup>\n";
}

// A package whose "Setup.xml" lists the given installers, each present in it;
// `extra` adds further entries (such as the stand-in's markers).
QByteArray package(const QStringList &installers, const QList<QPair<QByteArray, QByteArray>> &extra = {})
{
    OzipWriter writer;
    writer.file("Setup.xml", setupXml(installers));
    for (const QString &name : installers)
        writer.file(name.toUtf8(), "installer " + name.toUtf8());
    for (const auto &entry : extra)
        writer.file(entry.first, entry.second);
    return writer.bytes();
}

class DlgDownloadTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        // The dialog's own delays run out; transfers and started installers keep their real waits.
        sandbox.setEnv("ORBEL_UPDATER_WAITS", "ShortDelay=30,InstallerToFront=10");
        sandbox.listOnlyOwnProcesses();
        ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
        ASSERT_TRUE(server.isListening());
        dialog = std::make_unique<DlgDownload>();
        watch();
    }

    void TearDown() override { modules.clear(); }

    void watch()
    {
        QObject::connect(dialog.get(), &DlgDownload::SignalInstallProgress, [this](QString title, int value) {
            progress[title].append(value);
            if (value == -1)
                reasons[title] = dialog->failureReason();
        });
        QObject::connect(dialog.get(), &DlgDownload::SignalCurrentProgress,
                         [this](QString title, double percent) { percents[title].append(percent); });
        QObject::connect(dialog.get(), &DlgDownload::SignalSetCurrentDownloadModule,
                         [this](QString name) { started.append(name); });
        // What the update dialogs do with a package that was already there.
        QObject::connect(dialog.get(), &DlgDownload::SignalStartInstall, dialog.get(),
                         &DlgDownload::installHasDownloadUpdates);
    }

    // A module served from the test server; its size text is right unless given.
    MODULEINFO *module(const QString &name, const QByteArray &contents, const QString &type = QStringLiteral("service"),
                       const QString &urlPath = QString())
    {
        auto record = std::make_unique<MODULEINFO>();
        const QString path = urlPath.isEmpty() ? QStringLiteral("/pkgs/%1.ozip").arg(name) : urlPath;
        if (!contents.isNull())
            server.setFile(path, contents);
        record->name = name.toStdString();
        record->title = (name + QStringLiteral(" title")).toStdString();
        record->module_type = type.toStdString();
        record->url = (server.urlString(path) + QStringLiteral("?sig=1")).toStdString();
        record->size = QStringLiteral("%1B").arg(contents.size()).toStdString();
        modules.push_back(std::move(record));
        return modules.back().get();
    }

    QString title(const QString &name) const { return name + QStringLiteral(" title"); }

    // Runs the selection until every module reported its last value (100 or -1).
    void run(const QVector<MODULEINFO *> &selection, int timeoutMs = 20000)
    {
        dialog->setSelectUpdates(selection);
        dialog->startShowDownload();
        QElapsedTimer timer;
        timer.start();
        auto done = [&] {
            for (MODULEINFO *m : selection) {
                const QList<int> values = progress.value(QString::fromStdString(m->title));
                if (values.isEmpty() || (values.last() != 100 && values.last() != -1))
                    return false;
            }
            return true;
        };
        while (!done() && timer.elapsed() < timeoutMs)
            QTest::qWait(10);
        // Anything more that would still arrive (a second step on, a late end).
        QTest::qWait(100);
    }

    QString downloads() const { return UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/"); }

    // The display names of the install history's receipts, oldest first; empty when it cannot be read.
    static QStringList installed()
    {
        QVector<InstallReceipt> receipts;
        QStringList names;
        if (InstallHistory::read(receipts) == InstallHistory::Read) {
            for (const InstallReceipt &r : qAsConst(receipts))
                names << r.displayName;
        }
        return names;
    }

    TestHttpServer server;
    std::unique_ptr<DlgDownload> dialog;
    std::vector<std::unique_ptr<MODULEINFO>> modules;
    QMap<QString, QList<int>> progress;
    QMap<QString, QList<double>> percents;
    // Why each failed module failed, as the window said when it failed.
    QMap<QString, QString> reasons;
    QStringList started;
};

using Values = QList<int>;

TEST_F(DlgDownloadTest, EveryModuleEndsOnceAndTheSequenceGoesOn)
{
    MODULEINFO *good = module(QStringLiteral("Good"), package({QStringLiteral("Good.pkg")}));
    MODULEINFO *missing = module(QStringLiteral("Missing"), QByteArray());
    MODULEINFO *failing = module(QStringLiteral("Failing"),
                                 package({QStringLiteral("Failing.pkg")}, {{"Failing.pkg.fail", ""}}));
    MODULEINFO *quiet = module(QStringLiteral("Quiet"),
                               package({QStringLiteral("Quiet.pkg")}, {{"Quiet.pkg.noreceipt", ""}}));
    MODULEINFO *there = module(QStringLiteral("There"), package({QStringLiteral("There.pkg")}));
    // Already downloaded in full: installed from disk without a transfer.
    ASSERT_TRUE(sandbox.writeFile(downloads() + QStringLiteral("There.ozip"), package({QStringLiteral("There.pkg")})));

    run({good, missing, failing, quiet, there});

    EXPECT_EQ(progress.value(title(QStringLiteral("Good"))), (Values{0, 20, 90, 100}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Missing"))), (Values{-1}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Failing"))), (Values{0, 20, -1}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Quiet"))), (Values{0, 20, -1}));
    EXPECT_EQ(progress.value(title(QStringLiteral("There"))), (Values{0, 0, 20, 90, 100}));
    EXPECT_EQ(started, (QStringList{QStringLiteral("Good"), QStringLiteral("Missing"), QStringLiteral("Failing"),
                                    QStringLiteral("Quiet"), QStringLiteral("There")}));
    EXPECT_TRUE(server.requests(QStringLiteral("/pkgs/There.ozip")).isEmpty());
    // The package already there shows as complete at once.
    EXPECT_EQ(percents.value(title(QStringLiteral("There"))), (QList<double>{100.0}));
    const QList<double> goodPercents = percents.value(title(QStringLiteral("Good")));
    EXPECT_TRUE(!goodPercents.isEmpty() && goodPercents.last() == 100.0);
    // The query after the extension is not part of the stored name.
    EXPECT_TRUE(QFileInfo::exists(downloads() + QStringLiteral("Good.ozip")));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DlgDownloadTest, InstallersOfOnePackageRunInTurnAndMoveOnOnce)
{
    MODULEINFO *pair = module(QStringLiteral("Pair"), package({QStringLiteral("First.pkg"), QStringLiteral("Second.pkg")}));
    MODULEINFO *mixed = module(QStringLiteral("Mixed"), package({QStringLiteral("Ok.pkg"), QStringLiteral("Bad.pkg")},
                                                                 {{"Bad.pkg.fail", ""}}));
    MODULEINFO *last = module(QStringLiteral("Last"), package({QStringLiteral("Last.pkg")}));

    run({pair, mixed, last});

    EXPECT_EQ(progress.value(title(QStringLiteral("Pair"))), (Values{0, 20, 90, 100}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Mixed"))), (Values{0, 20, -1}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Last"))), (Values{0, 20, 90, 100}));
    EXPECT_EQ(started, (QStringList{QStringLiteral("Pair"), QStringLiteral("Mixed"), QStringLiteral("Last")}));

    EXPECT_EQ(installed(), (QStringList{QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Ok"),
                                        QStringLiteral("Last")}));
}

TEST_F(DlgDownloadTest, APackageWithoutAUsableSetupListFails)
{
    OzipWriter noSetup;
    noSetup.file("Reader.pkg", "x");
    const struct
    {
        const char *what;
        QByteArray contents;
    } cases[] = {
        {"no Setup.xml", noSetup.bytes()},
        {"not XML", OzipWriter().file("Setup.xml", "<setup><file name=").file("Reader.pkg", "x").bytes()},
        {"no file element", OzipWriter().file("Setup.xml", "<setup><other name=\"Reader.pkg\"/></setup>").bytes()},
        {"no name", OzipWriter().file("Setup.xml", "<setup><file/></setup>").bytes()},
        // The package itself lies two folders up: reachable, but outside the unpack folder.
        {"installer outside", OzipWriter().file("Setup.xml", setupXml({QStringLiteral("../../Case4.ozip")})).bytes()},
    };
    QVector<MODULEINFO *> selection;
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        selection.append(module(QStringLiteral("Case%1").arg(i), cases[i].contents));
    MODULEINFO *last = module(QStringLiteral("Last"), package({QStringLiteral("Last.pkg")}));
    selection.append(last);

    run(selection);

    const QString unpacked = UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/uncompress/");
    const char *const why[] = {
        "the package has no Setup.xml",
        // Read tolerantly, the cut list names an installer without a name: the folder itself.
        "refused installer: <unpack folder>/ is not inside the package",
        "its Setup.xml lists no installer",
        "refused installer: <unpack folder>/ is not inside the package",
        "refused installer: <unpack folder>/../../Case4.ozip is not inside the package",
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(cases[i].what);
        const QString name = title(QStringLiteral("Case%1").arg(i));
        EXPECT_EQ(progress.value(name), (Values{0, 20, -1}));
        // The unpack folder is named after the second it was made in.
        QString reason = reasons.value(name);
        reason.replace(QRegularExpression(QRegularExpression::escape(unpacked) + QStringLiteral("\\d+")),
                       QStringLiteral("<unpack folder>"));
        EXPECT_EQ(reason.toStdString(), why[i]);
    }
    EXPECT_EQ(progress.value(title(QStringLiteral("Last"))), (Values{0, 20, 90, 100}));
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts[0].displayName, QStringLiteral("Last"));
}

// A package that does not unpack is reported and skipped. Where another try
// cannot help, a disk without room for the unpack or for the download itself,
// the window names the cause in the words of the log instead.
TEST_F(DlgDownloadTest, AFailureIsReportedAndAFullDiskNamed)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    QByteArray damaged = package({QStringLiteral("Broken.pkg")});
    damaged[10] = char(damaged[10] ^ 0xff);
    OzipWriter roomless;
    roomless.file("Setup.xml", setupXml({QStringLiteral("Roomless.pkg")})).listBeyondAnyDisk(65534);

    const struct
    {
        const char *name;
        QByteArray contents;
        bool fullDisk; // no file may pass 512 KB while the module is downloaded
        Values values;
        QString box;    // the box's text up to the reason it names; all of it when it names none
        QString logged; // the log's line up to the same reason
        const char *reason;
    } cases[] = {
        {"Broken", damaged, false, {0, -1},
         QStringLiteral("Failed to extract the downloaded package. Please try again."), QString(), nullptr},
        {"Roomless", roomless.bytes(), false, {0, -1}, QStringLiteral("Failed to extract the downloaded package: "),
         QStringLiteral("Failed to extract the package %1Roomless.ozip: ").arg(downloads()),
         "not enough disk space to unpack the package: "},
        {"Full", QByteArray(2 << 20, 'x'), true, {-1}, QStringLiteral("Failed to download Full title: "),
         QStringLiteral("Download failed: Full.ozip from %1?sig=1: ")
             .arg(server.urlString(QStringLiteral("/pkgs/Full.ozip"))),
         "disk full or not writable: cannot store "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MODULEINFO *failing = module(QString::fromLatin1(c.name), c.contents);
        const QString last = QStringLiteral("After%1").arg(QLatin1String(c.name));
        MODULEINFO *next = module(last, package({last + QStringLiteral(".pkg")}));
        QStringList boxes;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->accept();
            }
        });
        answer.start(20);
        {
            std::unique_ptr<FileSizeLimit> fullDisk;
            if (c.fullDisk) {
                fullDisk = std::make_unique<FileSizeLimit>(512 * 1024);
                ASSERT_TRUE(fullDisk->isSet());
                run({failing});
            }
        }
        run(c.fullDisk ? QVector<MODULEINFO *>{next} : QVector<MODULEINFO *>{failing, next});

        EXPECT_EQ(progress.value(title(QString::fromLatin1(c.name))), c.values);
        EXPECT_EQ(progress.value(title(last)), (Values{0, 20, 90, 100}));
        ASSERT_EQ(boxes.size(), 1) << boxes.join(QLatin1Char('\n')).toStdString();
        if (!c.reason) {
            EXPECT_EQ(boxes.first(), c.box);
            continue;
        }
        ASSERT_TRUE(boxes.first().startsWith(c.box)) << boxes.first().toStdString();
        const QString reason = boxes.first().mid(c.box.size());
        EXPECT_TRUE(reason.startsWith(QLatin1String(c.reason))) << reason.toStdString();
        const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
        EXPECT_TRUE(log.contains(c.logged + reason)) << log.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(downloads() + QStringLiteral("Full.ozip")));
}

// A package found damaged in the download folder would pass for complete by its
// size on every later run and fail the same way: it goes when its failure is
// reported, and the next attempt fetches it afresh and installs it.
TEST_F(DlgDownloadTest, ADamagedDownloadGoesAndIsFetchedAgain)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    const QByteArray good = package({QStringLiteral("Again.pkg")});
    QByteArray damaged = good;
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x5A);
    MODULEINFO *again = module(QStringLiteral("Again"), good);
    const QString file = downloads() + QStringLiteral("Again.ozip");
    ASSERT_TRUE(sandbox.writeFile(file, damaged));
    QStringList boxes;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->accept();
        }
    });
    answer.start(20);

    run({again});
    EXPECT_EQ(progress.value(title(QStringLiteral("Again"))), (Values{0, 0, -1}));
    EXPECT_EQ(reasons.value(title(QStringLiteral("Again"))),
              QStringLiteral("the package is damaged (its checksum does not match); download it again"));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Failed to extract the downloaded package. Please try again.")});
    EXPECT_TRUE(server.requests(QStringLiteral("/pkgs/Again.ozip")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file));
    const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
    EXPECT_TRUE(
        log.contains(QStringLiteral("Removed the damaged package %1; it is downloaded again next time").arg(file)))
        << log.toStdString();

    progress.clear();
    run({again});
    EXPECT_EQ(server.requests(QStringLiteral("/pkgs/Again.ozip")).size(), 1);
    EXPECT_EQ(progress.value(title(QStringLiteral("Again"))), (Values{0, 20, 90, 100}));
    EXPECT_EQ(installed(), QStringList{QStringLiteral("Again")});
    EXPECT_EQ(boxes.size(), 1);
}

// Stopping the sequence while a package is on its way, running or paused,
// leaves nothing of it; a pause alone keeps the part for the continue.
TEST_F(DlgDownloadTest, ACancelledDownloadLeavesNoPart)
{
    // Noise does not compress: the package is as large as its padding.
    QByteArray padding(256 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(padding.data()), padding.size() / 4);
    const QByteArray big = package({QStringLiteral("Slow.pkg")}, {{"padding.bin", padding}});
    for (const bool paused : {false, true}) {
        SCOPED_TRACE(paused ? "paused" : "running");
        MODULEINFO *slow = module(QStringLiteral("Slow"), QByteArray());
        TestHttpServer::Response trickle;
        trickle.body = big;
        trickle.bytesPerSecond = 64 * 1024;
        server.setResponse(QStringLiteral("/pkgs/Slow.ozip"), trickle);
        slow->size = QStringLiteral("%1B").arg(big.size()).toStdString();
        const QString file = downloads() + QStringLiteral("Slow.ozip");
        dialog->setSelectUpdates({slow});
        dialog->startShowDownload();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(file).size() > 0; }, 10000));
        if (paused) {
            dialog->pauseDown();
            EXPECT_TRUE(QFileInfo::exists(file));
        }
        dialog->cancel();
        EXPECT_FALSE(QFileInfo::exists(file));
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 0; }, 10000));
        EXPECT_TRUE(progress.value(title(QStringLiteral("Slow"))).isEmpty()) << "a cancel is no failed module";
        EXPECT_FALSE(QFileInfo::exists(file));
    }
}

// HTTP/1.1 lets a server send a package without its length (chunked, or ended by
// closing the connection): it installs. One that ends before the size its module
// lists fails with the reason logged, and its file goes, like any failed download.
TEST_F(DlgDownloadTest, APackageWithoutALengthInstallsAndAShortOneFails)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    auto served = [&](const QString &name, TestHttpServer::Response response, qint64 listed) {
        MODULEINFO *m = module(name, QByteArray());
        server.setResponse(QStringLiteral("/pkgs/%1.ozip").arg(name), response);
        m->size = QStringLiteral("%1B").arg(listed).toStdString();
        return m;
    };
    const QByteArray whole = package({QStringLiteral("Short.pkg")});
    const int half = whole.size() / 2;
    TestHttpServer::Response chunked;
    chunked.body = package({QStringLiteral("Chunked.pkg")});
    chunked.chunked = true;
    TestHttpServer::Response unmeasured;
    unmeasured.body = package({QStringLiteral("Unmeasured.pkg")});
    unmeasured.sendContentLength = false;
    TestHttpServer::Response halfLength;
    halfLength.body = whole.left(half);
    TestHttpServer::Response cut;
    cut.body = whole;
    cut.sendContentLength = false;
    cut.dropAtByte = half;

    run({served(QStringLiteral("Chunked"), chunked, chunked.body.size()),
         served(QStringLiteral("Unmeasured"), unmeasured, unmeasured.body.size()),
         served(QStringLiteral("HalfLength"), halfLength, whole.size()),
         served(QStringLiteral("Cut"), cut, whole.size())});

    EXPECT_EQ(progress.value(title(QStringLiteral("Chunked"))), (Values{0, 20, 90, 100}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Unmeasured"))), (Values{0, 20, 90, 100}));
    const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
    for (const QString &name : {QStringLiteral("HalfLength"), QStringLiteral("Cut")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(progress.value(title(name)), Values{-1});
        EXPECT_FALSE(QFileInfo::exists(downloads() + name + QStringLiteral(".ozip")));
        const QString line = QStringLiteral("Download failed: %1.ozip from %2?sig=1: size mismatch: got %3 of %4 bytes")
                                 .arg(name, server.urlString(QStringLiteral("/pkgs/%1.ozip").arg(name)))
                                 .arg(half)
                                 .arg(whole.size());
        EXPECT_TRUE(log.contains(line)) << log.toStdString();
        // Never shown as whole on its way.
        EXPECT_FALSE(percents.value(title(name)).contains(100.0));
    }
    EXPECT_EQ(installed(), (QStringList{QStringLiteral("Chunked"), QStringLiteral("Unmeasured")}));
}

TEST_F(DlgDownloadTest, JavaScriptModulesAreMovedAtOnceReplacingOldCopies)
{
    const QString scripts = UpdaterApp::GetAppDatePath() + QStringLiteral("SilentInstall/JavaScripts/");
    ASSERT_TRUE(sandbox.writeFile(scripts + QStringLiteral("JSPlugin.ozip"), "old"));
    MODULEINFO *js = module(QStringLiteral("JSPlugin"), QByteArray("new scripts"), QStringLiteral("plugin"));
    MODULEINFO *last = module(QStringLiteral("Last"), package({QStringLiteral("Last.pkg")}));

    run({js, last});

    EXPECT_EQ(progress.value(title(QStringLiteral("JSPlugin"))), (Values{100}));
    EXPECT_EQ(sandbox.readFile(scripts + QStringLiteral("JSPlugin.ozip")), QByteArray("new scripts"));
    EXPECT_FALSE(QFileInfo::exists(downloads() + QStringLiteral("JSPlugin.ozip")));
    EXPECT_EQ(progress.value(title(QStringLiteral("Last"))), (Values{0, 20, 90, 100}));
}

// The prompt is answered by the test: Retry while the reader still runs asks
// again; Retry once it is gone installs; Cancel declines the module. Its button
// text comes through the translation of the user's language.
TEST_F(DlgDownloadTest, TheReaderMustBeClosedBeforeAnAddOnInstalls)
{
    struct RetryTranslator : QTranslator
    {
        QString translate(const char *context, const char *source, const char *, int) const override
        {
            return qstrcmp(context, "DlgDownload") == 0 && qstrcmp(source, "Retry") == 0 ? QStringLiteral("Erneut")
                                                                                         : QString();
        }
        bool isEmpty() const override { return false; }
    } translator;
    QCoreApplication::installTranslator(&translator);

    const QString readerProgram = sandbox.base() + QStringLiteral("/Orbel PDF Reader");
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/cat"), readerProgram));
    QProcess reader;
    reader.start(readerProgram, QStringList());
    ASSERT_TRUE(reader.waitForStarted());

    MODULEINFO *declined = module(QStringLiteral("Declined"), package({QStringLiteral("Declined.pkg")}),
                                  QStringLiteral("addon"));
    MODULEINFO *retried = module(QStringLiteral("Retried"), package({QStringLiteral("Retried.pkg")}),
                                 QStringLiteral("addon"));

    QStringList prompts;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<DlgMessage *>(QApplication::activeModalWidget());
        if (!box)
            return;
        prompts << box->findChild<QLabel *>(QStringLiteral("label"))->text();
        auto *ok = box->findChild<QPushButton *>(QStringLiteral("pushButton_ok"));
        EXPECT_EQ(ok->text(), QStringLiteral("Erneut"));
        if (prompts.size() == 1) {
            QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("pushButton_cancel")), Qt::LeftButton);
        } else if (prompts.size() == 2) {
            QTest::mouseClick(ok, Qt::LeftButton); // the reader still runs
        } else {
            reader.kill();
            reader.waitForFinished();
            QTest::mouseClick(ok, Qt::LeftButton);
        }
    });
    answer.start(20);
    run({declined, retried});
    if (reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished();
    }

    ASSERT_EQ(prompts.size(), 3);
    EXPECT_EQ(prompts[0], QStringLiteral("Download completed. Please close Orbel PDF Reader when you complete your "
                                         "job, and click \"Install\"."));
    EXPECT_EQ(progress.value(title(QStringLiteral("Declined"))), (Values{0, 20, -1}));
    EXPECT_EQ(progress.value(title(QStringLiteral("Retried"))), (Values{0, 20, 90, 100}));
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts[0].displayName, QStringLiteral("Retried"));
}

TEST(DlgDownloadNamesTest, FileNameAndExpectedSizeFromTheModule)
{
    const struct
    {
        const char *url;
        const char *name;
        const char *file;
    } names[] = {
        {"http://h/a/pkg.ozip?sig=1", "m", "pkg.ozip"},
        {"http://h/a/pkg.ozipx/y", "m", "y"},
        {"http://h/a/file.bin?q=1", "m", "file.bin?q=1"},
        {"http://h/a/", "Module", "Module"},
        {"http://h/a/..", "Module", "Module"},
        {"http://h/a/", "../../Library/evil.ozip", ""}, // no way out of the download folder
        {"http://h/a/", "..", ""},
    };
    for (const auto &c : names) {
        SCOPED_TRACE(c.url);
        MODULEINFO m;
        m.url = c.url;
        m.name = c.name;
        EXPECT_EQ(DlgDownload::DownloadFileName(m), QLatin1String(c.file));
    }
    const struct
    {
        const char *size;
        qint64 bytes;
    } sizes[] = {{"1048576B", 1048576}, {"1048576", 1048576}, {"1.2MB", 0}, {"B", 0}, {"", 0}, {"5000000000B", 5000000000LL}};
    for (const auto &c : sizes) {
        SCOPED_TRACE(c.size);
        MODULEINFO m;
        m.size = c.size;
        EXPECT_EQ(DlgDownload::ExpectedSize(m), c.bytes);
    }
}

// Internal runs name packages on a share by path; those live under the root.
// Any other scheme is refused: a file:// url would read the machine's own files.
TEST_F(DlgDownloadTest, PathsAreLocalFilesAndWebUrlsStay)
{
    const struct
    {
        const char *url;
        QUrl expected;
    } cases[] = {
        {"/Volumes/Share/Updates/pkg 1.ozip",
         QUrl::fromLocalFile(sandbox.root() + QStringLiteral("/Volumes/Share/Updates/pkg 1.ozip"))},
        {"http://h/a/pkg.ozip?sig=1", QUrl(QStringLiteral("http://h/a/pkg.ozip?sig=1"))},
        {"https://h/a/pkg.ozip", QUrl(QStringLiteral("https://h/a/pkg.ozip"))},
        {"file:///etc/hostname", QUrl()},
        {"FILE:///etc/hostname", QUrl()},
        {"ftp://h/a/pkg.ozip", QUrl()},
        {"pkg.ozip", QUrl()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.url);
        MODULEINFO m;
        m.url = c.url;
        EXPECT_EQ(DlgDownload::DownloadUrl(m), c.expected);
    }
}

// A size text without a number never makes a file on disk count as complete.
TEST_F(DlgDownloadTest, AModuleNameNeverLeadsOutOfTheDownloadFolder)
{
    // The url names no file, and the name the service gives would lead one folder up.
    MODULEINFO *m = module(QStringLiteral("Escape"), package({QStringLiteral("Escape.pkg")}), QStringLiteral("service"),
                           QStringLiteral("/pkgs/"));
    m->url = server.urlString(QStringLiteral("/pkgs/")).toStdString();
    m->name = "../outside.ozip";
    m->title = "Escape title";
    const QString outside = downloads() + QStringLiteral("../outside.ozip");
    ASSERT_TRUE(sandbox.writeFile(outside, "kept"));

    run({m});

    EXPECT_EQ(progress.value(title(QStringLiteral("Escape"))), Values{-1});
    EXPECT_TRUE(server.requests(QStringLiteral("/pkgs/")).isEmpty());
    EXPECT_EQ(sandbox.readFile(outside), QByteArray("kept"));
}

// A package larger than its module says is not stored whole before it is refused.
TEST_F(DlgDownloadTest, APackageLargerThanItsModuleSaysIsCutOff)
{
    MODULEINFO *big = module(QStringLiteral("Big"), QByteArray());
    TestHttpServer::Response tenTimes;
    tenTimes.generatedBytes = 10 << 20;
    server.setResponse(QStringLiteral("/pkgs/Big.ozip"), tenTimes);
    big->size = "1048576B";
    MODULEINFO *last = module(QStringLiteral("Last"), package({QStringLiteral("Last.pkg")}));

    run({big, last});

    EXPECT_EQ(progress.value(title(QStringLiteral("Big"))), Values{-1});
    EXPECT_FALSE(QFileInfo::exists(downloads() + QStringLiteral("Big.ozip")));
    EXPECT_EQ(progress.value(title(QStringLiteral("Last"))), (Values{0, 20, 90, 100}));
}

TEST_F(DlgDownloadTest, AnExistingFileWithoutAKnownSizeIsFetchedAgain)
{
    MODULEINFO *m = module(QStringLiteral("Sized"), package({QStringLiteral("Sized.pkg")}));
    m->size = "1.2MB";
    ASSERT_TRUE(sandbox.writeFile(downloads() + QStringLiteral("Sized.ozip"), QByteArray()));

    run({m});

    EXPECT_EQ(server.requests(QStringLiteral("/pkgs/Sized.ozip")).size(), 1);
    EXPECT_EQ(progress.value(title(QStringLiteral("Sized"))), (Values{0, 20, 90, 100}));
}

} // namespace

namespace {

// The installer list in document order: name (below the folder), parameter, flag.
TEST(DlgDownloadSetupTest, SetupListVariants)
{
    Sandbox sandbox;
    DlgDownload dialog;
    const QString folder = sandbox.base() + QStringLiteral("/unpack");
    const struct
    {
        const char *what;
        QByteArray xml;
        QStringList entries; // name|parameter|iscommon
    } cases[] = {
        {"two installers in order",
         "<setup><file name=\"B.pkg\" parameter=\"-q\" iscommon=\"TRUE\"/><file name=\"A.pkg\"/></setup>",
         {QStringLiteral("B.pkg|-q|1"), QStringLiteral("A.pkg||0")}},
        {"other tags and text are skipped",
         "<root>text<other name=\"X.pkg\"/><file name=\"Y.pkg\" iscommon=\"yes\"/><!-- c --></root>",
         {QStringLiteral("Y.pkg||0")}},
        {"a prefixed tag is still a file", "<s:setup xmlns:s=\"u\"><s:file name=\"P.pkg\"/></s:setup>",
         {QStringLiteral("P.pkg||0")}},
        {"no name is the folder itself", "<setup><file parameter=\"p\"/></setup>", {QStringLiteral("|p|0")}},
        {"no element at all", "just text", {}},
        {"empty file", "", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(folder).removeRecursively();
        ASSERT_TRUE(sandbox.writeFile(folder + QStringLiteral("/Setup.xml"), c.xml));
        QVector<_SetupInfo *> result;
        dialog.ParseSetupInfo(folder, result);
        QStringList got;
        for (_SetupInfo *info : result) {
            EXPECT_TRUE(info->name.startsWith(folder + QLatin1Char('/')));
            got << info->name.mid(folder.size() + 1) + QLatin1Char('|') + info->parameter + QLatin1Char('|')
                       + QString::number(info->iscommon);
        }
        qDeleteAll(result);
        EXPECT_EQ(got, c.entries);
    }

    // No Setup.xml: an empty list, and the folder is made; no folder name: untouched.
    const QString fresh = sandbox.base() + QStringLiteral("/fresh/");
    QVector<_SetupInfo *> result;
    dialog.ParseSetupInfo(fresh, result);
    EXPECT_TRUE(result.isEmpty());
    EXPECT_TRUE(QFileInfo(fresh).isDir());
    _SetupInfo kept;
    result.append(&kept);
    dialog.ParseSetupInfo(QString(), result);
    EXPECT_EQ(result.size(), 1);
}

} // namespace

namespace {

// The label's text, the bar and the percent sent on; the clock runs from the
// first progress of the process, not of each window or module.
TEST(DlgDownloadProgressTest, RemainingTimeCountsFromTheFirstProgressOfTheRun)
{
    Sandbox sandbox;
    DlgDownload first;
    QList<double> percents;
    QObject::connect(&first, &DlgDownload::SignalCurrentProgress, [&](QString, double p) { percents << p; });
    auto *label = first.findChild<QLabel *>(QStringLiteral("timeRemainLabel"));
    auto *bar = first.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    ASSERT_TRUE(label && bar);
    EXPECT_EQ(label->text(), QStringLiteral("Time Remaining: "));

    first.updateProgress(0, 3 * 1024 * 1024);
    EXPECT_EQ(label->text(), QStringLiteral("Time Remaining: -- seconds ( 0.00/3.00 MB)"));
    first.updateProgress(1024 * 1024, 3 * 1024 * 1024);
    EXPECT_EQ(bar->value(), 33);
    ASSERT_EQ(percents.size(), 2);
    EXPECT_DOUBLE_EQ(percents[1], 100.0 / 3);
    EXPECT_TRUE(label->text().endsWith(QStringLiteral(" seconds ( 1.00/3.00 MB)"))) << label->text().toStdString();

    QTest::qWait(300);
    DlgDownload second;
    auto *secondLabel = second.findChild<QLabel *>(QStringLiteral("timeRemainLabel"));
    // One byte in about 0.3 s leaves about 300 s for the other thousand.
    second.updateProgress(1, 1001);
    const QString text = secondLabel->text();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Time Remaining: (\\d+) seconds \\( 0\\.00/0\\.00 MB\\)$")).match(text);
    ASSERT_TRUE(match.hasMatch()) << text.toStdString();
    EXPECT_GE(match.captured(1).toInt(), 250);
}

} // namespace
