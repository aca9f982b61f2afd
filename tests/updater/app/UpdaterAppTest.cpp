#include "CSetup_CommandLine.h"
#include "PlistTool.h"
#include "Sandbox.h"
#include "UpdaterApp.h"
#include "UpdaterProcess.h"

#include <QGuiApplication>
#include <QHostInfo>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class UpdaterAppTest : public SandboxTest
{
protected:
    QString layoutFile() const
    {
        return sandbox.systemPath(
            QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/LocalMachine/LocalMachine.plist"));
    }
};

TEST_F(UpdaterAppTest, DataFoldersFollowTheLayout)
{
    EXPECT_EQ(UpdaterApp::GetAppDateRootPath(), sandbox.dataRoot(QStringLiteral("Continuous")));
    EXPECT_EQ(UpdaterApp::GetAppDatePath(), sandbox.dataRoot(QStringLiteral("Continuous"))
                                                + QStringLiteral("Orbel PDF Reader/"));
    ASSERT_TRUE(PlistTool::write(
        layoutFile(), QStringLiteral("{'HKEY_LOCAL_MACHINE.SOFTWARE.Orbel Software.Orbel PDF Reader.bContinue': '0'}")));
    EXPECT_EQ(UpdaterApp::GetAppDateRootPath(), sandbox.dataRoot(QStringLiteral("Classic")));
    EXPECT_EQ(UpdaterApp::GetAppDatePath(), sandbox.dataRoot(QStringLiteral("Classic"))
                                                + QStringLiteral("Orbel PDF Reader/"));
    // Nothing is made on disk.
    EXPECT_FALSE(QFileInfo::exists(sandbox.dataRoot(QStringLiteral("Classic"))));
    EXPECT_EQ(UpdaterApp::GetCurrentUserPlist(), sandbox.userPlist().toStdString());
}

TEST_F(UpdaterAppTest, MajorVersion)
{
    const struct
    {
        const char *version;
        const char *major;
    } cases[] = {{"12.1.0.1234", "12.1"}, {"12.1", ""}, {"12..3", "12."}, {"", ""}, {"12.1.0", "12.1"},
                 {"...", "."}};
    for (const auto &c : cases) {
        CSetup_CommandLine commandLine;
        commandLine.ProcessCmdLine(QStringLiteral("-version ") + QLatin1String(c.version));
        UpdaterApp app(&commandLine);
        EXPECT_EQ(app.GetBigVersioin(), QLatin1String(c.major)) << c.version;
    }
}

TEST_F(UpdaterAppTest, ReaderWindowCentre)
{
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
    const struct
    {
        const char *entries;
        QPoint centre;
    } cases[] = {
        {"'Window Position': '@Point(100 200)', 'Window Size': '@Size(800 600)'", QPoint(499, 499)},
        {"'Window Position': '@Point(-5 -5)', 'Window Size': '@Size(2 2)'", QPoint(-4, -4)},
        {"'Window Position': '@Point(100 0)'", QPoint(99, -1)},
        {"'Window Position': '@Point(0 0)', 'Window Size': '@Size(800 600)'", screen},
        {"'Window Position': '@Point(-10 -10)', 'Window Size': '@Size(21 21)'", screen},
        {"'Window Size': '@Size(800 600)'", screen},
    };
    QStringList values;
    for (const auto &c : cases)
        values << QStringLiteral("{%1}").arg(c.entries);
    const QList<QByteArray> files = PlistTool::make(values);
    for (const auto &c : cases) {
        ASSERT_TRUE(PlistTool::put(sandbox.userPlist(), files.at(int(&c - cases))));
        EXPECT_EQ(UpdaterApp::GetMainAppCenterPos(), c.centre) << c.entries;
    }
    QFile::remove(sandbox.userPlist());
    EXPECT_EQ(UpdaterApp::GetMainAppCenterPos(), screen);
}

TEST_F(UpdaterAppTest, HardwareAddressesLeaveOutEmptyAndVirtualOnes)
{
    EXPECT_EQ(UpdaterApp::FormatMacAddress({QStringLiteral("00:00:00:00:00:00"), QStringLiteral("AA:BB:CC:DD:EE:0F"),
                                            QString(), QStringLiteral("00:50:56:C0:00:01"),
                                            QStringLiteral("00:50:56:C0:00:08"), QStringLiteral("00:50:56:c0:00:01"),
                                            QStringLiteral("00:50:56:C0:00:02")},
                                           QStringLiteral("host")),
              "AA-BB-CC-DD-EE-0F|00-50-56-c0-00-01|00-50-56-C0-00-02|host");
    EXPECT_EQ(UpdaterApp::FormatMacAddress({QStringLiteral("00:00:00:00:00:00")}, QStringLiteral("host")), "host");
    const std::string real = UpdaterApp::GetMacAddress();
    const std::string host = QHostInfo::localHostName().toStdString();
    ASSERT_GE(real.size(), host.size());
    EXPECT_EQ(real.substr(real.size() - host.size()), host);
    EXPECT_EQ(real.find("00-00-00-00-00-00"), std::string::npos);
}

// The package type decides the language table; the updater shows it by the
// translation file it looks for ("qm path:"), or by looking for none.
TEST_F(UpdaterAppTest, PackageTypeFromEitherResourcesFolder)
{
    const QString own = QFileInfo(sandbox.updaterExecutable()).path() + QStringLiteral("/../Resources/packagetype.xml");
    const QString reader = sandbox.readerBundle() + QStringLiteral("/Contents/Resources/packagetype.xml");
    auto packageFile = [](const char *type) {
        return QByteArray("<?xml version=\"1.0\"?>\n<package name=\"") + type + "\"/>\n";
    };
    const struct
    {
        QByteArray ownFile; // empty: none
        QByteArray readerFile;
        int language;
        const char *code; // null: no translation file looked for
    } cases[] = {
        {{}, {}, 59, "ja-JP"},
        {packageFile("zh-CN"), {}, 59, nullptr},
        {packageFile("zh-CN"), {}, 25, "zh-CN"},
        {{}, packageFile("ja-JP"), 59, "ja-JP"},
        {{}, packageFile("ja-JP"), 25, nullptr},
        {packageFile("zh-CN"), packageFile("ja-JP"), 59, nullptr},
        // A broken first file is not passed over for the second: no type, the general table.
        {QByteArray("<package name="), packageFile("zh-CN"), 59, "ja-JP"},
        {QByteArray("<package/>"), packageFile("zh-CN"), 42, "de-DE"},
        {packageFile("zh-cn"), {}, 42, "de-DE"},
    };
    sandbox.installUpdater();
    QStringList values;
    for (const auto &c : cases)
        values << QStringLiteral("{'Preferences.Languages.nChooseLan': %1}").arg(c.language);
    const QList<QByteArray> files = PlistTool::make(values);
    for (const auto &c : cases) {
        QFile::remove(own);
        QFile::remove(reader);
        if (!c.ownFile.isEmpty()) {
            ASSERT_TRUE(sandbox.writeFile(own, c.ownFile));
        }
        if (!c.readerFile.isEmpty()) {
            ASSERT_TRUE(sandbox.writeFile(reader, c.readerFile));
        }
        ASSERT_TRUE(PlistTool::put(sandbox.userPlist(), files.at(int(&c - cases))));
        const UpdaterRun run = runUpdater(sandbox, {QStringLiteral("checkbDisableInternet")});
        ASSERT_TRUE(run.finished);
        const QString label = QString::fromLatin1(c.ownFile) + QLatin1Char('|') + QString::fromLatin1(c.readerFile)
                              + QLatin1Char('|') + QString::number(c.language);
        if (c.code) {
            const QString expected = QStringLiteral("/lang/%1/leafviewer_%1.qm").arg(QLatin1String(c.code));
            EXPECT_TRUE(run.err.contains(expected)) << label.toStdString() << "\n" << run.err.toStdString();
        } else {
            EXPECT_FALSE(run.err.contains(QStringLiteral("qm path:"))) << label.toStdString();
        }
    }
}

} // namespace
