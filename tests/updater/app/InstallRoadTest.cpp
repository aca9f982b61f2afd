// The install road of the executable: packages named on the command line are
// unpacked and installed one after another through the (stand-in) Installer.

#include "CRegister.h"
#include "FakeInstaller.h"
#include "InstallHistory.h"
#include "OzipWriter.h"
#include "PlistTool.h"
#include "Sandbox.h"
#include "UpdaterProcess.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// A package whose "Setup.xml" lists its installers; every package also carries
// a "readme.txt" of its own, so that mixed folders would show.
QByteArray package(const QByteArray &name, const QList<QByteArray> &installers)
{
    QByteArray setup = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n";
    for (const QByteArray &installer : installers)
        setup += "  <file name=\"" + installer + "\" parameter=\"\" iscommon=\"false\"/>\n";
    setup += "</setup>\n";
    OzipWriter writer;
    writer.file("Setup.xml", setup).file("readme.txt", "package " + name);
    for (const QByteArray &installer : installers)
        writer.file(installer, "installer " + installer);
    return writer.bytes();
}

// Relative paths of the files under a folder, sorted.
QStringList filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

class InstallRoad : public SandboxTest
{
};

TEST_F(InstallRoad, PackagesInstallInTurnEachInItsOwnFolderAndABrokenOneIsSkipped)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    const QString first = sandbox.base() + QStringLiteral("/pkgs/first.ozip");
    const QString broken = sandbox.base() + QStringLiteral("/pkgs/broken.ozip");
    const QString last = sandbox.base() + QStringLiteral("/pkgs/last.ozip");
    ASSERT_TRUE(sandbox.writeFile(first, package("first", {"FirstA.pkg", "FirstB.pkg"})));
    QByteArray damaged = package("broken", {"Broken.pkg"});
    damaged[40] = char(damaged.at(40) ^ 0x55);
    ASSERT_TRUE(sandbox.writeFile(broken, damaged));
    ASSERT_TRUE(sandbox.writeFile(last, package("last", {"Last.pkg"})));

    const UpdaterRun run = runUpdater(
        sandbox, {QStringLiteral("-install"), QStringLiteral("-OzipPath"), first + '|' + broken + '|' + last});
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0);

    // Every installer of a package ends before the next package starts, in order.
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read) << run.err.toStdString();
    QStringList names;
    for (const InstallReceipt &receipt : receipts)
        names << receipt.displayName;
    EXPECT_EQ(names, (QStringList{QStringLiteral("FirstA"), QStringLiteral("FirstB"), QStringLiteral("Last")}))
        << run.err.toStdString();
    // The line names why, in the log's words; a package named on the command line is its owner's and stays.
    EXPECT_NE(run.err.indexOf(QStringLiteral("package skipped: %1: the package is damaged (its checksum does not "
                                             "match); download it again\n").arg(broken)),
              -1)
        << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(broken));

    // One folder per package under the run's unpack folder: nothing mixed or replaced.
    const QString uncompress = sandbox.dataRoot() + QStringLiteral("updater/uncompress/");
    const QStringList runs = QDir(uncompress).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(runs.size(), 1);
    const QString folder = uncompress + runs.first();
    EXPECT_EQ(filesUnder(folder + QStringLiteral("/1")),
              (QStringList{QStringLiteral("FirstA.pkg"), QStringLiteral("FirstB.pkg"), QStringLiteral("Setup.xml"),
                           QStringLiteral("readme.txt")}));
    EXPECT_EQ(sandbox.readFile(folder + QStringLiteral("/1/readme.txt")), QByteArray("package first"));
    EXPECT_EQ(filesUnder(folder + QStringLiteral("/3")),
              (QStringList{QStringLiteral("Last.pkg"), QStringLiteral("Setup.xml"), QStringLiteral("readme.txt")}));
    EXPECT_EQ(sandbox.readFile(folder + QStringLiteral("/3/readme.txt")), QByteArray("package last"));
}

TEST_F(InstallRoad, EmptyEntriesAreSkippedAndAFailingInstallerDoesNotStopTheRoad)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    const QString failing = sandbox.base() + QStringLiteral("/pkgs/failing.ozip");
    const QString good = sandbox.base() + QStringLiteral("/pkgs/good.ozip");
    ASSERT_TRUE(sandbox.writeFile(good, package("good", {"Good.pkg"})));
    // The stand-in fails an installer that has a ".fail" file beside it.
    QByteArray withMarker;
    {
        OzipWriter writer;
        writer.file("Setup.xml",
                    "<setup><file name=\"Failing.pkg\" parameter=\"\" iscommon=\"false\"/></setup>")
            .file("Failing.pkg", "x")
            .file("Failing.pkg.fail", "");
        withMarker = writer.bytes();
    }
    ASSERT_TRUE(sandbox.writeFile(failing, withMarker));

    const UpdaterRun run = runUpdater(
        sandbox, {QStringLiteral("-install"), QStringLiteral("-OzipPath"), failing + QStringLiteral("||") + good});
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read) << run.err.toStdString();
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().displayName, QStringLiteral("Good"));
    const QRegularExpression skipped(QStringLiteral("package skipped: %1: the installer .*/Failing\\.pkg failed with "
                                                    "exit code 1\n").arg(QRegularExpression::escape(failing)));
    EXPECT_TRUE(run.err.contains(skipped)) << run.err.toStdString();
    EXPECT_NE(run.err.indexOf(QStringLiteral("package installed: ") + good), -1) << run.err.toStdString();
}

// Decompression bombs made by the package writer: one whose directory lists more
// than the disk holds, one whose data goes on behind its listed entries. Each
// fails with its reason in the log and leaves nothing on disk; the road goes on.
TEST_F(InstallRoad, BombsAreStoppedAtTheirListedSizesLoggedAndLeaveNothing)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    const QString huge = sandbox.base() + QStringLiteral("/pkgs/huge.ozip");
    const QString behind = sandbox.base() + QStringLiteral("/pkgs/behind.ozip");
    const QString good = sandbox.base() + QStringLiteral("/pkgs/good.ozip");
    ASSERT_TRUE(QDir().mkpath(sandbox.base() + QStringLiteral("/pkgs")));
    {
        OzipWriter writer;
        ASSERT_TRUE(writer.listBeyondAnyDisk(65535).write(huge));
    }
    const QByteArray setup = "<setup><file name=\"Behind.pkg\"/></setup>";
    {
        OzipWriter writer;
        writer.options().endMark = true;
        writer.options().trailingData = QByteArray(16 << 20, '\0');
        writer.file("Setup.xml", setup).file("Behind.pkg", "x");
        ASSERT_TRUE(writer.write(behind));
    }
    ASSERT_TRUE(sandbox.writeFile(good, package("good", {"Good.pkg"})));

    const UpdaterRun run = runUpdater(
        sandbox, {QStringLiteral("-install"), QStringLiteral("-OzipPath"), huge + '|' + behind + '|' + good});
    ASSERT_TRUE(run.finished) << run.err.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read) << run.err.toStdString();
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().displayName, QStringLiteral("Good"));

    const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
    EXPECT_NE(log.indexOf(QStringLiteral("Failed to extract the package %1: not enough disk space to unpack the "
                                         "package: it needs ").arg(huge)),
              -1)
        << log.toStdString();
    EXPECT_NE(log.indexOf(QStringLiteral("Failed to extract the package %1: the package is damaged: its data goes on "
                                         "past the %2 bytes its directory lists").arg(behind).arg(setup.size() + 1)),
              -1)
        << log.toStdString();

    const QString uncompress = sandbox.dataRoot() + QStringLiteral("updater/uncompress/");
    const QStringList runs = QDir(uncompress).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(QDir(uncompress + runs.first()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("3")});
}

TEST_F(InstallRoad, ForcedUpdateIsHandedOverAsAnInstallCommandLine)
{
    const QString key = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orbel Software\\Orbel PDF Reader\\InstallAppName");
    const QStringList arguments = {QStringLiteral("-insForceUpdate"), QStringLiteral("-SessionID"), QStringLiteral("S1"),
                                   QStringLiteral("-readerpath"), QStringLiteral("/Applications/Reader.app")};

    // Without the reader's application nothing is handed over, and the run ends.
    UpdaterRun run = runUpdater(sandbox, arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.indexOf(QStringLiteral("qsAppName文件不存在")), -1) << run.err.toStdString();
    EXPECT_EQ(run.err.indexOf(QStringLiteral("csCommandLine=")), -1);

    ASSERT_TRUE(CRegister::regSetString(key, QStringLiteral("Orbel PDF Reader.app"),
                                        QStringLiteral("/Applications/Orbel PDF Reader.app")));
    ASSERT_TRUE(QDir().mkpath(sandbox.systemPath(QStringLiteral("/Applications/Orbel PDF Reader.app"))));
    ASSERT_TRUE(sandbox.writeFile(QStringLiteral("ForceUpdateList.txt"), "/u/a.ozip|\n/u/b.ozip\n"));
    run = runUpdater(sandbox, arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.indexOf(QStringLiteral(
                  "||strTempUpdaterPath=||csCommandLine= -insForceUpdate -SessionID \"S1\" -readerpath "
                  "\"/Applications/Reader.app\" -readerlang \"31\" -install -OzipPath \"/u/a.ozip|\n/u/b.ozip\n\"")),
              -1)
        << run.err.toStdString();
}

} // namespace
