#include "CheckMacProcessRunning.h"

#include "Sandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The process list is the whole machine's, and other tests run beside this one:
// every test looks for a name of its own.
class CheckMacProcessRunningTest : public SandboxTest
{
protected:
    void SetUp() override
    {
        name = QStringLiteral("Orbel PDF Reader %1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(QRandomGenerator::global()->generate());
        program = sandbox.base() + QLatin1Char('/') + name;
        ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/cat"), program));
    }

    void TearDown() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // cat waits on its open input for as long as the test runs.
    void run(const QStringList &arguments)
    {
        process.start(program, arguments);
        ASSERT_TRUE(process.waitForStarted());
    }

    QString name;
    QString program;
    QProcess process;
};

TEST_F(CheckMacProcessRunningTest, FindsAProcessWhoseCommandEndsWithTheName)
{
    QList<qulonglong> found;
    EXPECT_FALSE(CheckMacProcessRunning(name, found));

    run({});
    found.clear();
    EXPECT_TRUE(CheckMacProcessRunning(name, found));
    EXPECT_FALSE(found.isEmpty());
}

TEST_F(CheckMacProcessRunningTest, ACommandWithArgumentsAfterTheNameDoesNotCount)
{
    run({QStringLiteral("-")});
    QList<qulonglong> found;
    EXPECT_FALSE(CheckMacProcessRunning(name, found));
    EXPECT_FALSE(found.isEmpty()); // the line was seen, it just does not end with the name
}

TEST_F(CheckMacProcessRunningTest, ANameCannotEscapeIntoTheShell)
{
    const QString marker = sandbox.base() + QStringLiteral("/escaped");
    QList<qulonglong> found;
    EXPECT_FALSE(CheckMacProcessRunning(QStringLiteral("x'; touch '") + marker + QStringLiteral("'; echo '"), found));
    EXPECT_FALSE(QFileInfo::exists(marker));
}

} // namespace
