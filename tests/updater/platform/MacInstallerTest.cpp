#include "MacInstaller.h"

#include "FakeInstaller.h"
#include "InstallHistory.h"
#include "PlistTool.h"
#include "Sandbox.h"

#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

namespace {

class MacInstallerTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
        folder = sandbox.base() + QStringLiteral("/uncompress/1714564800/");
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    QString package(const QString &name, const QByteArray &marker = QByteArray()) const
    {
        const QString path = folder + name;
        sandbox.writeFile(path, "package");
        if (!marker.isEmpty())
            sandbox.writeFile(path + QLatin1Char('.') + QString::fromLatin1(marker), QByteArray());
        return path;
    }

    QString historyFile() const { return sandbox.systemPath(QStringLiteral("/Library/Receipts/InstallHistory.plist")); }

    // Starts the way the updater does and waits for the end: the exit code, or -2
    // when nothing started.
    static int startAndWait(const QString &program, const QString &argument)
    {
        QProcess process;
        if (!MacInstaller::start(process, program, argument))
            return -2;
        EXPECT_TRUE(process.waitForFinished(30000));
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString folder;
};

// Both ways of starting the Installer run the stand-in at the Installer's path.
TEST_F(MacInstallerTest, TheInstallerAndOpenBothInstallThePackage)
{
    for (const QString &program : {MacInstaller::installerProgram(), QStringLiteral("open")}) {
        SCOPED_TRACE(program.toStdString());
        QFile::remove(historyFile());
        const QDateTime started = QDateTime::currentDateTimeUtc();
        const QString pkg = package(QStringLiteral("Reader Update.pkg"));
        EXPECT_EQ(startAndWait(program, pkg), 0);
        EXPECT_EQ(InstallHistory::confirm(pkg, started), InstallHistory::Confirmed);
        EXPECT_EQ(InstallHistory::confirm(package(QStringLiteral("Other.pkg")), started), InstallHistory::NoReceipt);
    }
}

// The receipt is checked with another tool: it must be what macOS writes.
TEST_F(MacInstallerTest, TheStandInAppendsAReceiptInTheMacFormat)
{
    ASSERT_TRUE(PlistTool::write(historyFile(),
                                 QStringLiteral("[{'date': datetime.datetime(2020, 1, 1), 'displayName': 'Old',"
                                                " 'displayVersion': '1', 'packageIdentifiers': ['com.old'],"
                                                " 'processName': 'softwareupdated'}]"),
                                 PlistTool::Format::Binary));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    EXPECT_EQ(startAndWait(MacInstaller::installerProgram(), package(QStringLiteral("Reader_12.1.pkg"))), 0);
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    const QJsonValue history = PlistTool::read(historyFile());
    ASSERT_TRUE(history.isArray());
    const QJsonArray receipts = history.toArray();
    ASSERT_EQ(receipts.size(), 2);
    EXPECT_EQ(receipts[0].toObject().value(QStringLiteral("displayName")).toString(), QStringLiteral("Old"));

    const QJsonObject receipt = receipts[1].toObject();
    EXPECT_EQ(receipt.keys(), (QStringList{QStringLiteral("date"), QStringLiteral("displayName"),
                                           QStringLiteral("displayVersion"), QStringLiteral("packageIdentifiers"),
                                           QStringLiteral("processName")}));
    EXPECT_EQ(receipt.value(QStringLiteral("displayName")).toString(), QStringLiteral("Reader_12.1"));
    EXPECT_EQ(receipt.value(QStringLiteral("packageIdentifiers")).toArray(),
              QJsonArray{QStringLiteral("com.orbel-software.pkg.Reader_12.1")});
    EXPECT_EQ(receipt.value(QStringLiteral("processName")).toString(), QStringLiteral("Installer"));
    EXPECT_TRUE(receipt.value(QStringLiteral("displayVersion")).isString());
    // plistlib gives dates as naive UTC.
    const QDateTime date = QDateTime::fromString(
        receipt.value(QStringLiteral("date")).toObject().value(QStringLiteral("date")).toString(), Qt::ISODate);
    ASSERT_TRUE(date.isValid());
    QDateTime utc = date;
    utc.setTimeSpec(Qt::UTC);
    EXPECT_GE(utc.toSecsSinceEpoch(), before);
    EXPECT_LE(utc.toSecsSinceEpoch(), after);
}

TEST_F(MacInstallerTest, TheStandInCanBeToldToFailOrToLeaveNoReceipt)
{
    const QDateTime started = QDateTime::currentDateTimeUtc();
    EXPECT_EQ(startAndWait(QStringLiteral("open"), package(QStringLiteral("Failing.pkg"), "fail")), 1);
    EXPECT_EQ(startAndWait(QStringLiteral("open"), folder + QStringLiteral("Missing.pkg")), 1);
    EXPECT_EQ(InstallHistory::confirm(folder + QStringLiteral("Failing.pkg"), started), InstallHistory::HistoryMissing);

    const QString quiet = package(QStringLiteral("Quiet.pkg"), "noreceipt");
    EXPECT_EQ(startAndWait(QStringLiteral("open"), quiet), 0);
    EXPECT_EQ(InstallHistory::confirm(quiet, started), InstallHistory::HistoryMissing);

    // The stand-in never writes over a history it cannot read, nor one whose text
    // (a NUL, kept whole from a binary file) it could not write back readable.
    const QByteArray nulInReceipt = sandbox.readFile(QStringLiteral(ORBEL_TEST_DATA_DIR "/plist/nul-in-receipt.bplist"));
    for (const QByteArray &contents : {QByteArray("garbage"), nulInReceipt}) {
        ASSERT_TRUE(sandbox.writeFile(historyFile(), contents));
        EXPECT_EQ(startAndWait(QStringLiteral("open"), package(QStringLiteral("Reader.pkg"))), 1);
        EXPECT_EQ(sandbox.readFile(historyFile()), contents);
    }
}

TEST_F(MacInstallerTest, InstallersEndingTogetherKeepEveryReceipt)
{
    const QDateTime started = QDateTime::currentDateTimeUtc();
    std::vector<std::unique_ptr<QProcess>> processes;
    QStringList packages;
    for (int i = 0; i < 8; ++i) {
        packages << package(QStringLiteral("Part%1.pkg").arg(i));
        processes.push_back(std::make_unique<QProcess>());
        ASSERT_TRUE(MacInstaller::start(*processes.back(), MacInstaller::installerProgram(), packages.last()));
    }
    for (auto &process : processes) {
        ASSERT_TRUE(process->waitForFinished(30000));
        EXPECT_EQ(process->exitCode(), 0);
    }
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    EXPECT_EQ(receipts.size(), 8);
    for (const QString &pkg : packages)
        EXPECT_EQ(InstallHistory::confirm(pkg, started), InstallHistory::Confirmed) << pkg.toStdString();
}

// Bringing the Installer to the front has no meaning here; nothing runs.
TEST_F(MacInstallerTest, OpeningTheInstallerApplicationDoesNothing)
{
    QProcess process;
    EXPECT_FALSE(MacInstaller::start(process, QStringLiteral("open"), MacInstaller::installerApplication()));
    EXPECT_EQ(process.state(), QProcess::NotRunning);
    EXPECT_EQ(MacInstaller::execute(QStringLiteral("open"), MacInstaller::installerApplication()), 0);
    EXPECT_FALSE(QFileInfo::exists(historyFile()));

    EXPECT_EQ(MacInstaller::execute(QStringLiteral("open"), package(QStringLiteral("Reader.pkg"))), 0);
    EXPECT_TRUE(QFileInfo::exists(historyFile()));
}

// Without an Installer nothing starts, and the caller learns it at once instead
// of waiting for an end that never comes.
TEST(MacInstallerMissingTest, NoInstallerMeansNothingStarts)
{
    Sandbox sandbox;
    sandbox.writeFile(sandbox.base() + QStringLiteral("/Reader.pkg"), "package");
    QProcess process;
    EXPECT_FALSE(MacInstaller::start(process, MacInstaller::installerProgram(),
                                     sandbox.base() + QStringLiteral("/Reader.pkg")));
    EXPECT_EQ(MacInstaller::execute(QStringLiteral("open"), sandbox.base() + QStringLiteral("/Reader.pkg")), -1);
}

} // namespace
