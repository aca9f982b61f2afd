#include "CRegister.h"
#include "FakeInstaller.h"
#include "FakeReader.h"
#include "InstallHistory.h"
#include "OzipWriter.h"
#include "PlistTool.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdaterProcess.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class Startup : public SandboxTest
{
};

TEST_F(Startup, InternetDisabledProbeExitsAtOnce)
{
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("checkbDisableInternet")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.indexOf(QStringLiteral("is not running ,start One!")), -1) << run.err.toStdString();
    EXPECT_EQ(run.err.indexOf(QStringLiteral("eventloop")), -1);
}

TEST_F(Startup, CertificateModeWordOnlyCountsAtTheStart)
{
    // In the middle of the command the word is an unknown value: a normal run
    // (installing nothing) that leaves the unpack folder behind.
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("-install"), QStringLiteral("-downloadTrustCertfile")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(QDir(sandbox.dataRoot() + QStringLiteral("updater/uncompress")).exists());
}

TEST_F(Startup, CertificateModeRunsWithoutTheNormalRun)
{
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("-downloadTrustCertfile")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(QDir(sandbox.dataRoot() + QStringLiteral("updater/uncompress")).exists());
}

TEST_F(Startup, UnpackFolderIsFreshForEveryRun)
{
    const QString stale = sandbox.dataRoot() + QStringLiteral("updater/uncompress/123/stale.txt");
    ASSERT_TRUE(sandbox.writeFile(stale, "old"));
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("-install")});
    ASSERT_TRUE(run.finished);
    EXPECT_FALSE(QFileInfo::exists(stale));
    const QStringList folders = QDir(sandbox.dataRoot() + QStringLiteral("updater/uncompress"))
                                    .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    bool digits = false;
    folders.first().toLongLong(&digits);
    EXPECT_TRUE(digits) << folders.first().toStdString();
}

TEST_F(Startup, SecondInstanceHandsOverItsLastArgumentAndExits)
{
    // The first instance waits for an update service that never answers, and
    // goes on serving later instances meanwhile.
    TestHttpServer service;
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    service.setResponse(QStringLiteral("/addons/get_addons.php"), silent);
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.urlString(QString()).toUtf8());
    auto first = startUpdater(sandbox, {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List")});
    const QString socketFile = sandbox.tmp() + QStringLiteral("/Orbel PDF Reader Update");
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(socketFile) && timer.elapsed() < 30000)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(socketFile)) << "the first instance never listened";

    const UpdaterRun second = runUpdater(sandbox, {QStringLiteral("-run"), QStringLiteral("handed-over")});
    ASSERT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_NE(second.err.indexOf(QStringLiteral("Orbel PDF Reader Updater is already running ,quit!")), -1);

    QString firstErr;
    timer.restart();
    while (!firstErr.contains(QStringLiteral("The value is: handed-over")) && timer.elapsed() < 20000) {
        first->waitForReadyRead(100);
        firstErr += QString::fromUtf8(first->readAllStandardError());
    }
    EXPECT_NE(firstErr.indexOf(QStringLiteral("The value is: handed-over")), -1) << firstErr.toStdString();
    first->kill();
    first->waitForFinished();
}

TEST_F(Startup, ACheckReportsItsOutcomeAndTheProcessEnds)
{
    TestHttpServer service;
    service.setFile(QStringLiteral("/addons/get_addons.php"), "<?xml version=\"1.0\"?>\n<addons/>\n");
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.urlString(QString()).toUtf8());
    FakeReader reader;
    ASSERT_TRUE(reader.isListening());
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List")});
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_TRUE(reader.waitForWords(1));
    EXPECT_EQ(reader.words(), QStringList{QStringLiteral("update finished")});
    EXPECT_EQ(service.requests(QStringLiteral("/addons/get_addons.php")).size(), 1);
}

TEST_F(Startup, StaleSocketFileIsReplaced)
{
    const QString socketFile = sandbox.tmp() + QStringLiteral("/Orbel PDF Reader Update");
    ASSERT_TRUE(sandbox.writeFile(socketFile, ""));
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("checkbDisableInternet")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.indexOf(QStringLiteral("is not running ,start One!")), -1);
}

TEST_F(Startup, ArgumentWithBlanksStaysOneWord)
{
    // Without the quoting, "Orbel" would be a stray word that stops the parse before -install.
    const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("-readerpath"), QStringLiteral("/Applications/Orbel PDF Reader.app"),
                                                QStringLiteral("-install"), QStringLiteral("-OzipPath"), QStringLiteral("p.ozip")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.indexOf(QStringLiteral("install package: p.ozip")), -1) << run.err.toStdString();
}

// The next reminder time lands in the reader's preferences in the machine's
// layout, where another program reads it.
TEST_F(Startup, ReminderModeWritesLastDayInTheCurrentLayout)
{
    const QString lastDay = QStringLiteral("HKEY_CURRENT_USER/Software/Orbel Software/Orbel PDF Reader/plugins/Updater/LastDay");
    const struct
    {
        bool classic;
        QStringList arguments;
        const char *value;
    } cases[] = {
        {false, {QStringLiteral("setnextautoupdatetime:2026-12-24"), QStringLiteral("10:00")}, "2026-12-24 10:00"},
        {true, {QStringLiteral("setnextautoupdatetime:2026-12-24"), QStringLiteral("10:00")}, "2026-12-24 10:00"},
        {false, {QStringLiteral("setnextautoupdatetime:")}, ""},
    };
    // The reader's own binary files, with an entry that must stay.
    const QList<QByteArray> files = PlistTool::make(
        {QStringLiteral("{'HKEY_LOCAL_MACHINE.SOFTWARE.Orbel Software.Orbel PDF Reader.bContinue': '0'}"),
         QStringLiteral("{'Classic': {'Kept': 'yes'}}"), QStringLiteral("{'Kept': 'yes'}")});
    // What each run left, read together once all have run.
    QStringList results;
    for (const auto &c : cases) {
        Sandbox box;
        if (c.classic) {
            ASSERT_TRUE(PlistTool::put(
                box.systemPath(QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/LocalMachine/LocalMachine.plist")),
                files.at(0)));
        }
        ASSERT_TRUE(PlistTool::put(box.userPlist(), files.at(c.classic ? 1 : 2)));
        const UpdaterRun run = runUpdater(box, c.arguments);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, 0);
        results << sandbox.base() + QStringLiteral("/result%1.plist").arg(results.size());
        ASSERT_TRUE(sandbox.writeFile(results.last(), box.readFile(box.userPlist())));
        // The reminder mode ends before the normal run.
        EXPECT_FALSE(QDir(box.dataRoot(c.classic ? QStringLiteral("Classic") : QStringLiteral("Continuous"))
                          + QStringLiteral("updater")).exists());
    }

    const QList<QJsonValue> read = PlistTool::read(results);
    for (const auto &c : cases) {
        const QJsonObject file = read.at(int(&c - cases)).toObject();
        const QJsonObject entries = c.classic ? file.value("Classic").toObject() : file;
        const QString key = c.classic ? lastDay : PlistTool::topLevelKey(lastDay);
        ASSERT_TRUE(entries.contains(key)) << QJsonDocument(file).toJson().toStdString();
        EXPECT_EQ(entries.value(key).toString(), QLatin1String(c.value));
        EXPECT_EQ(entries.value("Kept").toString(), QStringLiteral("yes"));
    }
}

// The modes that open no window run where there is no display at all (a
// scheduler, a remote shell), each with its own result.
TEST_F(Startup, ModesWithoutAWindowNeedNoDisplay)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    TestHttpServer server;
    ASSERT_TRUE(server.isListening());
    const QByteArray list = QByteArray("<TrustServiceStatusList>eutl</TrustServiceStatusList>").repeated(50);
    server.setFile(QStringLiteral("/eutl.xml"), list);
    const QString listFile = sandbox.base() + QStringLiteral("/certs/eutl.xml");
    ASSERT_TRUE(sandbox.writeFile(listFile, "old list"));
    const QString package = sandbox.base() + QStringLiteral("/pkgs/Quiet.ozip");
    OzipWriter writer;
    writer.file("Setup.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n"
                             "  <file name=\"Quiet.pkg\" parameter=\"\" iscommon=\"false\"/>\n</setup>\n")
        .file("Quiet.pkg", "installer");
    ASSERT_TRUE(sandbox.writeFile(package, writer.bytes()));

    const QStringList modes[] = {
        {QStringLiteral("-downloadTrustCertfile"), QStringLiteral("-certeutlurl"),
         server.urlString(QStringLiteral("/eutl.xml")), QStringLiteral("-eutlfile"), listFile},
        {QStringLiteral("-install"), QStringLiteral("-OzipPath"), package},
        {QStringLiteral("setnextautoupdatetime:2030-01-02"), QStringLiteral("10:00")},
        {QStringLiteral("checkbDisableInternet")},
        {QStringLiteral("-insForceUpdate")},
    };
    QStringList outputs;
    for (const QStringList &arguments : modes) {
        SCOPED_TRACE(arguments.first().toStdString());
        const UpdaterRun run = runUpdaterWithoutDisplay(sandbox, arguments);
        ASSERT_TRUE(run.finished) << run.err.toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        outputs << run.out;
    }

    // The certificate mode's result code: the EUTL fetched, no OATL asked for.
    EXPECT_EQ(outputs.first(), QStringLiteral("65536\n"));
    EXPECT_EQ(sandbox.readFile(listFile), list);
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().displayName, QStringLiteral("Quiet"));
    EXPECT_EQ(CRegister::regGetString(QStringLiteral("HKEY_CURRENT_USER\\Software\\Orbel Software\\Orbel PDF Reader"
                                                     "\\plugins\\Updater"),
                                      QStringLiteral("LastDay")),
              QStringLiteral("2030-01-02 10:00"));
}

// Every file and folder under a directory with its size and time, to tell
// whether a run changed anything.
QStringList treeState(const QString &folder)
{
    QStringList state;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        state << QStringLiteral("%1 %2 %3").arg(info.filePath()).arg(info.size()).arg(
                     info.lastModified().toMSecsSinceEpoch());
    }
    state.sort();
    return state;
}

// Where no display can be opened, the modes that show windows say so in one
// line and fail, instead of Qt aborting the process, and leave nothing behind:
// no log (the reader's debug switch is on), no settings, no socket, no state.
TEST_F(Startup, WindowedModesWithoutADisplayFailInOneLine)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    ASSERT_FALSE(sandbox.installUpdater().isEmpty());
    const QStringList before = treeState(sandbox.base());

    const QStringList modes[] = {
        {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List")},
        {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Auto Updater")},
        {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("OCR_French")},
        {QStringLiteral("-run"), QStringLiteral("Update List")},
    };
    for (const QStringList &arguments : modes) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const UpdaterRun run = runUpdaterWithoutDisplay(sandbox, arguments);
        ASSERT_TRUE(run.finished) << run.err.toStdString();
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        const QStringList lines = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1) << run.err.toStdString();
        EXPECT_TRUE(lines.first().contains(QStringLiteral("needs a display"))) << run.err.toStdString();
        EXPECT_TRUE(lines.first().contains(QStringLiteral("DISPLAY nor WAYLAND_DISPLAY")));
    }
    EXPECT_EQ(treeState(sandbox.base()), before);
}

// A display that is named but has no server behind it is found only as Qt
// starts: the run still ends in one line and a failure code, not in Qt's abort,
// and has written nothing before (no log folder, though the debug switch is on).
TEST_F(Startup, WindowedModeOnADisplayThatCannotBeOpenedFailsInOneLine)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    ASSERT_FALSE(sandbox.installUpdater().isEmpty());
    const QStringList before = treeState(sandbox.base());
    // An X display number no server listens on (its socket would be here).
    int number = 6317;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
        ++number;
    const UpdaterRun run = runUpdaterOnDisplay(
        sandbox, {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List")},
        QStringLiteral(":%1").arg(number));
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    const QStringList lines = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << run.err.toStdString();
    EXPECT_TRUE(lines.first().contains(QStringLiteral("cannot be opened"))) << run.err.toStdString();
    EXPECT_EQ(treeState(sandbox.base()), before);
}

TEST_F(Startup, LogFollowsTheReadersSwitch)
{
    const struct
    {
        const char *file;
        bool logs;
    } cases[] = {
        {"{'Preferences.General.bDebugMode': 1, 'Preferences.Languages.nChooseLan': 42}", true},
        {"{'Preferences.General.bDebugMode': 2}", false},
        {"{}", false},
    };
    QStringList values;
    for (const auto &c : cases)
        values << QString::fromLatin1(c.file);
    const QList<QByteArray> files = PlistTool::make(values);
    for (const auto &c : cases) {
        Sandbox box;
        ASSERT_TRUE(PlistTool::put(box.userPlist(), files.at(int(&c - cases))));
        const UpdaterRun run = runUpdater(box, {QStringLiteral("checkbDisableInternet")});
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.log.contains(QStringLiteral("qsCmd: checkbDisableInternet")), c.logs) << c.file;
        if (c.logs) {
            EXPECT_TRUE(run.log.contains(QStringLiteral("plist path and lang value: "
                                                        "com.orbel-software.Orbel.PDF.Reader.plist\n42")))
                << run.log.toStdString();
        }
    }
}

} // namespace
