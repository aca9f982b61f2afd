#include "OzipUnpacker.h"

#include "COB_Ozip.h"
#include "OzipWriter.h"
#include "Sandbox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class OzipUnpackerTest : public SandboxTest
{
protected:
    QString folder() const { return sandbox.base() + QStringLiteral("/unpack/1"); }

    QString write(const QByteArray &contents)
    {
        const QString path = sandbox.base() + QStringLiteral("/package.ozip");
        EXPECT_TRUE(sandbox.writeFile(path, contents));
        return path;
    }
};

TEST_F(OzipUnpackerTest, UnpacksOffTheCallersThreadAndAnswersOnIt)
{
    const QString package = write(OzipWriter().file("Setup.xml", "<setup/>").bytes());
    ASSERT_TRUE(QDir().mkpath(folder()));
    OzipUnpacker unpacker;
    QThread *answeredOn = nullptr;
    QObject::connect(&unpacker, &OzipUnpacker::finished, [&] { answeredOn = QThread::currentThread(); });
    QSignalSpy finished(&unpacker, &OzipUnpacker::finished);
    ASSERT_TRUE(unpacker.start(package, folder()));
    // The outcome never comes inside start(): the caller goes on at once.
    EXPECT_TRUE(unpacker.isRunning());
    EXPECT_EQ(finished.count(), 0);
    EXPECT_FALSE(unpacker.start(package, folder()));

    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(0).at(0).toInt(), int(COB_Ozip::Done));
    EXPECT_EQ(finished.at(0).at(1).toString(), QString());
    EXPECT_EQ(answeredOn, QThread::currentThread());
    EXPECT_FALSE(unpacker.isRunning());
    EXPECT_EQ(sandbox.readFile(folder() + QStringLiteral("/Setup.xml")), QByteArray("<setup/>"));
}

// A bomb whose first entry is written before the data behind it gives it away:
// the package fails with its reason and its folder goes, what was written included.
TEST_F(OzipUnpackerTest, AFailedUnpackLeavesNothingBehind)
{
    OzipWriter bomb;
    bomb.options().endMark = true;
    bomb.options().trailingData = QByteArray(8 << 20, '\0');
    bomb.file("Setup.xml", "<setup/>").file("Reader.pkg", QByteArray(1 << 20, 'p'));
    const QString package = write(bomb.bytes());
    ASSERT_TRUE(QDir().mkpath(folder()));

    OzipUnpacker unpacker;
    QSignalSpy finished(&unpacker, &OzipUnpacker::finished);
    ASSERT_TRUE(unpacker.start(package, folder()));
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(finished.at(0).at(0).toInt(), int(COB_Ozip::BadContents));
    EXPECT_TRUE(finished.at(0).at(1).toString().contains(QStringLiteral("goes on past")));
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

TEST_F(OzipUnpackerTest, DestroyingStopsALongUnpackAndRemovesItsFolder)
{
    // 64 GiB of zeros to check: far longer than this test runs.
    const QString package = sandbox.base() + QStringLiteral("/hollow.ozip");
    ASSERT_TRUE(OzipWriter::writeHollow(package, qint64(64) << 30));
    ASSERT_TRUE(sandbox.writeFile(folder() + QStringLiteral("/marker"), "made by the caller"));

    auto unpacker = std::make_unique<OzipUnpacker>();
    QSignalSpy finished(unpacker.get(), &OzipUnpacker::finished);
    ASSERT_TRUE(unpacker->start(package, folder()));
    // The event loop goes on while it works.
    bool ticked = false;
    QTimer::singleShot(0, [&] { ticked = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticked; }, 5000));
    EXPECT_TRUE(unpacker->isRunning());

    QElapsedTimer stopping;
    stopping.start();
    unpacker.reset();
    EXPECT_LT(stopping.elapsed(), 5000);
    EXPECT_FALSE(QFileInfo::exists(folder()));
    EXPECT_EQ(finished.count(), 0);
}

} // namespace
