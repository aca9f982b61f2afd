#include "CUP_Log.h"
#include "PlistTool.h"
#include "Sandbox.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>
#include <gtest/gtest.h>
#include <vector>

namespace {

QString readLog(const Sandbox &sandbox, const QString &layout = QStringLiteral("Continuous"))
{
    return QString::fromUtf8(sandbox.readFile(sandbox.logFile(layout)));
}

TEST(CUP_LogTest, WritesOnlyWhileDebugModeIsExactlyOne)
{
    const struct
    {
        const char *value; // Python value of the switch; null: absent
        bool logs;
    } cases[] = {{nullptr, false}, {"0", false}, {"2", false}, {"'0'", false}, {"'x'", false},
                 {"1", true},      {"'1'", true}, {"True", true}};
    Sandbox outer;
    QStringList values;
    for (const auto &c : cases) {
        values << QLatin1Char('{') + (c.value ? QStringLiteral("'Preferences.General.bDebugMode': %1").arg(c.value)
                                              : QStringLiteral("'Other': 1"))
                      + QLatin1Char('}');
    }
    const QList<QByteArray> files = PlistTool::make(values);
    for (const auto &c : cases) {
        Sandbox sandbox;
        ASSERT_TRUE(PlistTool::put(sandbox.userPlist(), files.at(int(&c - cases))));
        CUP_Log::CreateLog();
        CUP_Log::PrintLog(QStringLiteral("probe"));
        EXPECT_EQ(readLog(sandbox).contains(QStringLiteral("probe")), c.logs) << (c.value ? c.value : "absent");
    }
}

TEST(CUP_LogTest, LineFormatAndMessagesKeptAsTheyAre)
{
    Sandbox sandbox;
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    CUP_Log::PrintLog(QStringLiteral("first %1 %2 caf\u00e9"));
    CUP_Log::PrintLog(QStringLiteral("second"));
    const QStringList lines = readLog(sandbox).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].isEmpty());
    const QRegularExpression shape(QStringLiteral("^\\[CUP_Log\\]\\[\\w{3} \\w{3} +\\d+ \\d\\d:\\d\\d:\\d\\d \\d{4}\\](.*)$"));
    const QRegularExpressionMatch first = shape.match(lines[0]);
    ASSERT_TRUE(first.hasMatch()) << lines[0].toStdString();
    EXPECT_EQ(first.captured(1), QStringLiteral("first %1 %2 caf\u00e9"));
    EXPECT_EQ(shape.match(lines[1]).captured(1), QStringLiteral("second"));
}

TEST(CUP_LogTest, SwitchIsReadAfreshAndFlatInEveryLayout)
{
    Sandbox sandbox;
    // In the classic layout the switch is still the flat key, not an entry of the map.
    const QList<QByteArray> files = PlistTool::make(
        {QStringLiteral("{'HKEY_LOCAL_MACHINE.SOFTWARE.Orbel Software.Orbel PDF Reader.bContinue': '0'}"),
         QStringLiteral("{'Classic': {'Preferences/General/bDebugMode': 0}, 'Preferences.General.bDebugMode': 1}"),
         QStringLiteral("{'Preferences.General.bDebugMode': 0}")});
    ASSERT_TRUE(PlistTool::put(
        sandbox.systemPath(QStringLiteral("/usr/local/share/orbel/Orbel PDF Reader/LocalMachine/LocalMachine.plist")),
        files.at(0)));
    ASSERT_TRUE(PlistTool::put(sandbox.userPlist(), files.at(1)));
    CUP_Log::CreateLog();
    CUP_Log::PrintLog(QStringLiteral("on"));
    ASSERT_TRUE(PlistTool::put(sandbox.userPlist(), files.at(2)));
    CUP_Log::PrintLog(QStringLiteral("off"));
    const QString log = readLog(sandbox, QStringLiteral("Classic"));
    EXPECT_TRUE(log.contains(QStringLiteral("]on\n")));
    EXPECT_FALSE(log.contains(QStringLiteral("]off")));
}

TEST(CUP_LogTest, NoFolderNoLog)
{
    Sandbox sandbox;
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    // A file where the data folder should be: the folder cannot be made.
    ASSERT_TRUE(sandbox.writeFile(sandbox.home() + QStringLiteral("/.local/share/Orbel Software"), "x"));
    CUP_Log::CreateLog();
    EXPECT_EQ(CUP_Log::m_pFile, nullptr);
    CUP_Log::PrintLog(QStringLiteral("lost")); // must not crash
}

TEST(CUP_LogTest, TwoThreadsKeepEveryLineWhole)
{
    Sandbox sandbox;
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    const int perThread = 150;
    std::vector<QThread *> threads;
    for (int t = 0; t < 2; ++t) {
        threads.push_back(QThread::create([t] {
            for (int i = 0; i < perThread; ++i)
                CUP_Log::PrintLog(QStringLiteral("thread%1 line%2 ").arg(t).arg(i) + QString(200, QLatin1Char('x')));
        }));
    }
    for (QThread *thread : threads)
        thread->start();
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    QStringList lines = readLog(sandbox).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.takeLast(), QString());
    ASSERT_EQ(lines.size(), 2 * perThread);
    const QRegularExpression shape(QStringLiteral("^\\[CUP_Log\\]\\[[^\\]]+\\]thread[01] line\\d+ x{200}$"));
    for (const QString &line : lines)
        ASSERT_TRUE(shape.match(line).hasMatch()) << line.toStdString();
}

} // namespace
