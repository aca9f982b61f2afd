#include "QHttpDownLoadS.h"
#include "CUP_Log.h"
#include "FileSizeLimit.h"
#include "PlistTool.h"
#include "RunningTimers.h"
#include "Sandbox.h"
#include "TestCertificateAuthority.h"
#include "TestHttpServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

QByteArray testBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = static_cast<char>(x);
    }
    return bytes;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void runEventsFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

// Turns every text into nonsense, to show which texts go through translation.
class GarbleTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *, const char *, int) const override
    {
        return QStringLiteral("garbled");
    }
    bool isEmpty() const override { return false; }
};

// Counts what one downloader reported.
struct Verdicts
{
    int finished = 0;
    int failed = 0;
    int networkErrors = 0;
    qlonglong lastReceived = -1;
    qlonglong lastTotal = -1;
    QElapsedTimer clock;
    qint64 failedAtMs = -1;

    void watch(QHttpDownLoadS *d)
    {
        clock.start();
        QObject::connect(d, &QHttpDownLoadS::oneDownLoadFinish, [this] { ++finished; });
        QObject::connect(d, &QHttpDownLoadS::errorfinish, [this] {
            ++failed;
            failedAtMs = clock.elapsed();
        });
        QObject::connect(d, &QHttpDownLoadS::error_network, [this] { ++networkErrors; });
        QObject::connect(d, &QHttpDownLoadS::signal_updateProgress, [this](qlonglong r, qlonglong t) {
            lastReceived = r;
            lastTotal = t;
        });
    }
    int verdicts() const { return finished + failed; }
};

class Transfer : public SandboxTest
{
protected:
    void SetUp() override { ASSERT_TRUE(server.isListening()) << server.error().toStdString(); }

    // Both watchdogs run out after periodMs; read whenever a transfer starts.
    void setPeriod(int periodMs)
    {
        const QByteArray ms = QByteArray::number(periodMs);
        sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferStall=" + ms + ",TransferNoResponse=" + ms);
    }

    std::unique_ptr<QHttpDownLoadS> makeDownloader(const QString &path, qint64 *resume = nullptr,
                                                   bool follow = false)
    {
        auto d = std::make_unique<QHttpDownLoadS>(nullptr, nullptr, nullptr, resume);
        d->m_bFollowRedirects = follow;
        EXPECT_TRUE(d->setUrlAndFilePath(server.url(path), target));
        verdicts.watch(d.get());
        return d;
    }

    QByteArray onDisk() const { return sandbox.readFile(target); }

    TestHttpServer server;
    QString target = sandbox.base() + QStringLiteral("/file.bin");
    Verdicts verdicts;
};

TEST_F(Transfer, WholeFileArrivesWithOneVerdict)
{
    // Synchronous and not, with and without a resume position: the Range header is
    // sent exactly when the caller keeps a position.
    const QByteArray data = testBytes(300000);
    server.setFile(QStringLiteral("/f"), data);
    struct Case { bool synchronous; bool withPosition; };
    for (const Case &c : {Case{true, false}, Case{false, false}, Case{true, true}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << "synchronous " << c.synchronous << " position " << c.withPosition);
        server.clearRequests();
        verdicts = Verdicts();
        qint64 position = 0;
        auto d = makeDownloader(QStringLiteral("/f"), c.withPosition ? &position : nullptr);
        ASSERT_TRUE(d->startDownLoads(c.synchronous));
        if (c.synchronous) {
            EXPECT_EQ(verdicts.finished, 1) << "a synchronous start returns after its verdict";
        }
        ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 10000));
        EXPECT_EQ(verdicts.finished, 1);
        EXPECT_EQ(verdicts.failed, 0);
        EXPECT_TRUE(onDisk() == data);
        EXPECT_EQ(verdicts.lastReceived, data.size());
        EXPECT_EQ(verdicts.lastTotal, data.size());
        ASSERT_EQ(server.requests().size(), 1);
        const TestHttpServer::Request request = server.requests().first();
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.hasHeader("Range"), c.withPosition);
        if (c.withPosition) {
            EXPECT_EQ(request.header("Range"), "bytes=0-");
            EXPECT_EQ(position, data.size());
        }
    }
}

TEST_F(Transfer, StartingAgainWithoutAPositionWritesTheFileAfresh)
{
    // No Range is sent, so the whole body comes again: it must not land after what
    // the earlier start left in the file.
    const QByteArray data = testBytes(300000);
    TestHttpServer::Response slow;
    slow.body = data;
    slow.bytesPerSecond = 1000000;
    server.setResponse(QStringLiteral("/f"), slow);
    for (const bool paused : {false, true}) {
        SCOPED_TRACE(paused ? "paused and continued" : "started again");
        verdicts = Verdicts();
        auto d = makeDownloader(QStringLiteral("/f"));
        if (paused) {
            ASSERT_TRUE(d->startDownLoads(false));
            ASSERT_TRUE(waitUntil([&] { return verdicts.lastReceived >= 50000; }, 10000));
            d->pauseDownloads();
            d->continueDownload();
        } else {
            ASSERT_TRUE(d->startDownLoads(true));
            ASSERT_TRUE(d->startDownLoads(true));
        }
        ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() >= (paused ? 1 : 2); }, 10000));
        EXPECT_EQ(verdicts.failed, 0);
        EXPECT_TRUE(onDisk() == data) << "size on disk " << onDisk().size();
    }
}

TEST_F(Transfer, EmptyFileIsComplete)
{
    server.setFile(QStringLiteral("/empty"), QByteArray());
    auto d = makeDownloader(QStringLiteral("/empty"));
    ASSERT_TRUE(d->startDownLoads(true));
    EXPECT_EQ(verdicts.finished, 1);
    EXPECT_EQ(verdicts.failed, 0);
    EXPECT_TRUE(QFileInfo::exists(target));
}

// Packages on a share are named by path and fetched as local files, also after a pause.
TEST_F(Transfer, LocalFileIsFetchedLikeAWholeAnswer)
{
    const QByteArray data = testBytes(200000);
    const QString source = sandbox.base() + QStringLiteral("/share/pkg.ozip");
    ASSERT_TRUE(sandbox.writeFile(source, data));
    for (const bool resumed : {false, true}) {
        SCOPED_TRACE(resumed ? "resumed" : "fresh");
        verdicts = Verdicts();
        qint64 position = 0;
        auto d = std::make_unique<QHttpDownLoadS>(nullptr, nullptr, nullptr, &position);
        ASSERT_TRUE(d->setUrlAndFilePath(QUrl::fromLocalFile(source), target));
        if (resumed) {
            // Half a file already on disk: the whole file comes again from byte 0.
            ASSERT_TRUE(sandbox.writeFile(target, data.left(1000)));
            position = 1000;
        }
        verdicts.watch(d.get());
        ASSERT_TRUE(d->startDownLoads(true));
        EXPECT_EQ(verdicts.finished, 1);
        EXPECT_EQ(verdicts.failed, 0);
        EXPECT_TRUE(onDisk() == data);
    }

    verdicts = Verdicts();
    auto missing = std::make_unique<QHttpDownLoadS>(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(missing->setUrlAndFilePath(QUrl::fromLocalFile(source + QStringLiteral(".gone")), target));
    verdicts.watch(missing.get());
    missing->startDownLoads(true);
    EXPECT_EQ(verdicts.finished, 0);
    EXPECT_EQ(verdicts.failed, 1);
}

TEST_F(Transfer, FailedAnswersAreNeverAFinishedFile)
{
    const QByteArray data = testBytes(50000);
    TestHttpServer::Response notFound;
    notFound.status = 404;
    notFound.body = "<html>not here</html>";
    TestHttpServer::Response serverError;
    serverError.status = 500;
    serverError.body = "<html>broken</html>";
    TestHttpServer::Response shortBody;
    shortBody.body = data;
    shortBody.dropAtByte = 20000;
    TestHttpServer::Response dropped;
    dropped.dropBeforeHeaders = true;
    TestHttpServer::Response unannounced;
    unannounced.body = data;
    unannounced.sendContentLength = false;
    TestHttpServer::Response wrongRange; // 206 that does not start where we asked
    wrongRange.status = 206;
    wrongRange.body = data.mid(100);
    wrongRange.headers.append(qMakePair(QByteArray("Content-Range"), QByteArray("bytes 100-49999/50000")));
    server.setResponse(QStringLiteral("/404"), notFound);
    server.setResponse(QStringLiteral("/500"), serverError);
    server.setResponse(QStringLiteral("/short"), shortBody);
    server.setResponse(QStringLiteral("/dropped"), dropped);
    server.setResponse(QStringLiteral("/unannounced"), unannounced);
    server.setResponse(QStringLiteral("/wrongrange"), wrongRange);
    server.setRedirect(QStringLiteral("/moved"), server.urlString(QStringLiteral("/404")));

    struct Case { const char *path; bool withPosition; };
    for (const Case &c : {Case{"/404", false}, Case{"/500", false}, Case{"/short", false}, Case{"/dropped", false},
                          Case{"/unannounced", false}, Case{"/wrongrange", true}, Case{"/moved", false}}) {
        SCOPED_TRACE(c.path);
        verdicts = Verdicts();
        qint64 position = 0;
        auto d = makeDownloader(QString::fromLatin1(c.path), c.withPosition ? &position : nullptr);
        ASSERT_TRUE(d->startDownLoads(true));
        EXPECT_EQ(verdicts.finished, 0);
        EXPECT_EQ(verdicts.failed, 1);
        runEventsFor(50);
        EXPECT_EQ(verdicts.verdicts(), 1);
        // An error page or a redirect body is not written as the file.
        EXPECT_FALSE(onDisk().contains("<html>")) << onDisk().left(40).toStdString();
    }
}

TEST_F(Transfer, RedirectsAreFollowedWhenAsked)
{
    const QByteArray data = testBytes(10000);
    server.setFile(QStringLiteral("/real"), data);
    server.setRedirect(QStringLiteral("/old"), server.urlString(QStringLiteral("/real")), 302);
    server.setRedirect(QStringLiteral("/older"), QStringLiteral("/old"), 301);
    auto d = makeDownloader(QStringLiteral("/older"), nullptr, true);
    ASSERT_TRUE(d->startDownLoads(true));
    EXPECT_EQ(verdicts.finished, 1);
    EXPECT_EQ(verdicts.failed, 0);
    EXPECT_TRUE(onDisk() == data);
    EXPECT_EQ(server.requests(QStringLiteral("/real")).size(), 1);

    // A server cannot send the transfer into the machine's own files.
    const QString local = sandbox.base() + QStringLiteral("/secret.txt");
    ASSERT_TRUE(sandbox.writeFile(local, "secret"));
    server.setRedirect(QStringLiteral("/local"), QUrl::fromLocalFile(local).toString(), 302);
    verdicts = Verdicts();
    auto toFile = makeDownloader(QStringLiteral("/local"), nullptr, true);
    ASSERT_TRUE(toFile->startDownLoads(true));
    EXPECT_EQ(verdicts.failed, 1);
    EXPECT_FALSE(QFileInfo::exists(target));
}

// Pause a throttled transfer part-way, let the server answer the resume in one of
// three ways, continue.
TEST_F(Transfer, PauseAndContinue)
{
    const QByteArray data = testBytes(400000);
    struct Case { const char *name; int resumeStatus; bool honourRange; };
    for (const Case &c : {Case{"206", 200, true}, Case{"200 ignoring the range", 200, false},
                          Case{"500", 500, true}}) {
        SCOPED_TRACE(c.name);
        GarbleTranslator garble;
        QCoreApplication::installTranslator(&garble);
        TestHttpServer::Response slow;
        slow.body = data;
        slow.bytesPerSecond = 1000000;
        server.setResponse(QStringLiteral("/f"), slow);
        server.clearRequests();
        verdicts = Verdicts();
        qint64 position = 0;
        auto d = makeDownloader(QStringLiteral("/f"), &position);
        ASSERT_TRUE(d->startDownLoads(false));
        ASSERT_TRUE(waitUntil([&] { return verdicts.lastReceived >= 50000; }, 10000));
        d->pauseDownloads();
        const qint64 pausedAt = position;
        EXPECT_GE(pausedAt, 50000);
        EXPECT_LT(pausedAt, data.size());
        EXPECT_EQ(QFileInfo(target).size(), pausedAt);
        // The watchdogs keep their real length while the transfer runs; that the
        // pause stops them shows in the timers, not by sitting out a period.
        EXPECT_EQ(runningTimers(d.get()), 0) << "a paused transfer is not watched";
        runEventsFor(100);
        EXPECT_EQ(verdicts.verdicts(), 0);
        const QByteArray partial = onDisk();
        EXPECT_TRUE(partial == data.left(static_cast<int>(pausedAt)));

        TestHttpServer::Response resumed;
        resumed.status = c.resumeStatus;
        resumed.body = c.resumeStatus == 200 ? data : QByteArray("<html>oops</html>");
        resumed.honourRange = c.honourRange;
        server.setResponse(QStringLiteral("/f"), resumed);
        d->continueDownload();
        ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
        EXPECT_EQ(runningTimers(d.get()), 0);
        runEventsFor(100);
        EXPECT_EQ(verdicts.verdicts(), 1);

        ASSERT_EQ(server.requests().size(), 2);
        EXPECT_EQ(server.requests().at(1).header("Range"), "bytes=" + QByteArray::number(pausedAt) + "-");
        if (c.resumeStatus == 200) {
            EXPECT_EQ(verdicts.finished, 1);
            EXPECT_TRUE(onDisk() == data) << "size on disk " << onDisk().size();
            EXPECT_EQ(position, data.size());
        } else {
            EXPECT_EQ(verdicts.failed, 1);
            EXPECT_FALSE(QFileInfo::exists(target)) << "a failed download leaves no part behind";
            EXPECT_EQ(position, 0);
        }
        QCoreApplication::removeTranslator(&garble);
    }
}

TEST_F(Transfer, SilentServerFailsOnce)
{
    // Before the headers (the no-response watchdog) and in the middle of the body
    // (the stall watchdog), synchronous or not: one failure, nothing after it.
    setPeriod(300);
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    TestHttpServer::Response stalls;
    stalls.body = testBytes(100000);
    stalls.stallAtByte = 30000;
    server.setResponse(QStringLiteral("/silent"), silent);
    server.setResponse(QStringLiteral("/stalls"), stalls);
    for (const char *path : {"/silent", "/stalls"}) {
        for (bool synchronous : {true, false}) {
            SCOPED_TRACE(testing::Message() << path << " synchronous " << synchronous);
            verdicts = Verdicts();
            auto d = makeDownloader(QString::fromLatin1(path));
            ASSERT_TRUE(d->startDownLoads(synchronous));
            ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
            EXPECT_GE(verdicts.failedAtMs, 250);
            // Neither watchdog is left to give a second verdict.
            EXPECT_EQ(runningTimers(d.get()), 0);
            runEventsFor(300);
            EXPECT_EQ(verdicts.failed, 1);
            EXPECT_EQ(verdicts.finished, 0);
        }
    }
}

// The first bytes come late in the first period and then pause for less than a
// period: not a stall. When they never resume, the failure comes one whole period
// after the last bytes, not at the first tick. Only the stall wait is short, and
// both gaps stay most of a second inside it, so load cannot stretch them past it.
class TransferStall : public Transfer, public ::testing::WithParamInterface<int>
{
};

TEST_P(TransferStall, IsAWholePeriodWithoutProgress)
{
    const int period = 2000;
    const int headerDelay = 1200;
    const int pauseMs = GetParam();
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferStall=" + QByteArray::number(period));
    const QByteArray data = testBytes(60000);
    TestHttpServer::Response late;
    late.body = data;
    late.headerDelayMs = headerDelay;
    late.stallAtByte = 20000;
    late.stallMs = pauseMs;
    server.setResponse(QStringLiteral("/late"), late);
    auto d = makeDownloader(QStringLiteral("/late"));
    ASSERT_TRUE(d->startDownLoads(false));
    ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
    if (pauseMs >= 0) {
        EXPECT_EQ(verdicts.finished, 1);
        EXPECT_TRUE(onDisk() == data);
    } else {
        EXPECT_EQ(verdicts.failed, 1);
        EXPECT_GE(verdicts.failedAtMs, headerDelay + period - 50);
    }
}

INSTANTIATE_TEST_SUITE_P(Resume, TransferStall, ::testing::Values(1000, -1),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return info.param >= 0 ? "AfterAPause" : "Never";
                         });

TEST_F(Transfer, ContinuingAgainAndAgainKeepsOneWatchdog)
{
    TestHttpServer::Response stalls;
    stalls.body = testBytes(100000);
    stalls.stallAtByte = 1000;
    server.setResponse(QStringLiteral("/stalls"), stalls);
    qint64 position = 0;
    auto d = makeDownloader(QStringLiteral("/stalls"), &position);
    ASSERT_TRUE(d->startDownLoads(false));
    for (int i = 0; i < 3; ++i) {
        runEventsFor(50);
        d->pauseDownloads();
        // Only the last start's watchdogs are meant to run out.
        if (i == 2)
            setPeriod(300);
        d->continueDownload();
    }
    ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
    EXPECT_EQ(runningTimers(d.get()), 0);
    runEventsFor(400);
    EXPECT_EQ(verdicts.failed, 1);
    EXPECT_EQ(verdicts.finished, 0);
    // One request per start at most: a stale watchdog would start another. Fewer can arrive on a
    // loaded machine, where a start may be paused or cut short before its request is sent.
    EXPECT_LE(server.requests().size(), 4);
}

TEST_F(Transfer, LockFileGuardsTheTarget)
{
    server.setFile(QStringLiteral("/f"), testBytes(1000));
    ASSERT_TRUE(sandbox.writeFile(target, "older"));
    QLockFile other(target + QStringLiteral(".tmp"));
    ASSERT_TRUE(other.tryLock(0));

    QHttpDownLoadS held(nullptr, nullptr, nullptr, nullptr);
    held.m_bUseLockFile = true;
    EXPECT_FALSE(held.setUrlAndFilePath(server.url(QStringLiteral("/f")), target));
    EXPECT_EQ(onDisk(), "older") << "a file another process is downloading stays";

    other.unlock();
    QHttpDownLoadS guarded(nullptr, nullptr, nullptr, nullptr);
    guarded.m_bUseLockFile = true;
    verdicts.watch(&guarded);
    ASSERT_TRUE(guarded.setUrlAndFilePath(server.url(QStringLiteral("/f")), target));
    EXPECT_FALSE(QFileInfo::exists(target));
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_FALSE(guarded.startDownLoads(true)) << "the lock is taken at the start too";
    other.unlock();
    ASSERT_TRUE(guarded.startDownLoads(true));
    EXPECT_EQ(verdicts.finished, 1);
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".tmp"))) << "the lock ends with the transfer";
}

TEST_F(Transfer, RejectsWhatItCannotDownload)
{
    QHttpDownLoadS d(nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(d.setUrlAndFilePath(QUrl(QStringLiteral("http://127.0.0.1:1")), target)) << "no path";
    for (const char *url : {"ftp://127.0.0.1/f", "data:text/plain,abc", "qrc:/res/f", "127.0.0.1/f"})
        EXPECT_FALSE(d.setUrlAndFilePath(QUrl(QString::fromLatin1(url)), target)) << url;
    EXPECT_FALSE(d.setUrlAndFilePath(server.url(QStringLiteral("/f")), QString()));
    ASSERT_TRUE(d.setUrlAndFilePath(server.url(QStringLiteral("/f")),
                                    sandbox.base() + QStringLiteral("/no/such/folder/f")));
    EXPECT_FALSE(d.startDownLoads(true));
}

TEST_F(Transfer, CertificateIsVerified)
{
    TestHttpServer tlsServer(TestHttpServer::Tls);
    ASSERT_TRUE(tlsServer.isListening()) << tlsServer.error().toStdString();
    const QByteArray data = testBytes(100000);
    tlsServer.setFile(QStringLiteral("/f"), data);
    for (bool trusted : {false, true}) {
        SCOPED_TRACE(trusted);
        if (trusted)
            tlsServer.authority()->trustInThisProcess();
        verdicts = Verdicts();
        QHttpDownLoadS d(nullptr, nullptr, nullptr, nullptr);
        verdicts.watch(&d);
        ASSERT_TRUE(d.setUrlAndFilePath(tlsServer.url(QStringLiteral("/f")), target));
        ASSERT_TRUE(d.startDownLoads(true));
        EXPECT_EQ(verdicts.finished, trusted ? 1 : 0);
        EXPECT_EQ(verdicts.failed, trusted ? 0 : 1);
        if (trusted) {
            EXPECT_TRUE(onDisk() == data);
        } else {
            EXPECT_GE(verdicts.networkErrors, 1);
        }
    }
}

TEST_F(Transfer, ProgressOfACompleteFileCanBeReportedDirectly)
{
    QHttpDownLoadS d(nullptr, nullptr, nullptr, nullptr);
    verdicts.watch(&d);
    d.downloadProgress(4096, 4096);
    EXPECT_EQ(verdicts.lastReceived, 4096);
    EXPECT_EQ(verdicts.lastTotal, 4096);
    EXPECT_EQ(verdicts.verdicts(), 0);
}

// A server that sends more than it should, or never stops, or trickles: each
// transfer ends by its bound, well before the real stall wait, says why in the
// log and leaves nothing on disk.
TEST_F(Transfer, HostileServersAreCutOffAtTheirBound)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    const qint64 declared = 1 << 20;
    // Should a bound fail, the disk of the machine is not what fills up.
    FileSizeLimit diskGuard(64 << 20);
    ASSERT_TRUE(diskGuard.isSet());

    TestHttpServer::Response tenTimes; // honest about its length, but ten times the declared size
    tenTimes.generatedBytes = 10 * declared;
    TestHttpServer::Response hugeLength; // announces 100 GiB and never ends
    hugeLength.generatedBytes = TestHttpServer::kEndless;
    hugeLength.announcedLength = qint64(100) << 30;
    TestHttpServer::Response noLength;
    noLength.generatedBytes = TestHttpServer::kEndless;
    noLength.sendContentLength = false;
    TestHttpServer::Response chunks;
    chunks.generatedBytes = TestHttpServer::kEndless;
    chunks.chunked = true;
    TestHttpServer::Response endlessErrorPage;
    endlessErrorPage.status = 404;
    endlessErrorPage.generatedBytes = TestHttpServer::kEndless;
    endlessErrorPage.sendContentLength = false;

    struct Case
    {
        const char *name;
        TestHttpServer::Response response;
        qint64 limit;
        bool exact; // the limit is the size the file must have, not just its most
        const char *reason;
    };
    const Case cases[] = {
        {"ten times the declared size", tenTimes, declared, false, "size exceeded: "},
        {"ten times the expected size", tenTimes, declared, true, "size exceeded: "},
        {"endless with a length", hugeLength, declared, false, "size exceeded: "},
        {"endless without a length, past the limit", noLength, declared, false, "size exceeded: "},
        {"endless without a length, past the expected size", noLength, declared, true, "size exceeded: "},
        // Nothing to hold it to: not even taken.
        {"endless without a length, no size known", noLength, 0, false, "refused: "},
        {"endless in chunks, past the limit", chunks, declared, false, "size exceeded: "},
        {"endless in chunks, past the expected size", chunks, declared, true, "size exceeded: "},
        {"endless error page", endlessErrorPage, 0, false, "refused: "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        server.setResponse(QStringLiteral("/hostile"), c.response);
        for (const bool synchronous : {true, false}) {
            SCOPED_TRACE(synchronous ? "synchronous" : "asynchronous");
            verdicts = Verdicts();
            const qint64 sentBefore = server.bodyBytesSent();
            auto d = makeDownloader(QStringLiteral("/hostile"));
            if (c.exact)
                d->setExpectedSize(c.limit);
            else
                d->setSizeLimit(c.limit);
            // Should a bound fail, the test fails instead of reading on for good.
            QTimer::singleShot(20000, d.get(), [&d] { d->stopDownLoads(); });
            ASSERT_TRUE(d->startDownLoads(synchronous));
            ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
            EXPECT_EQ(verdicts.failed, 1);
            EXPECT_TRUE(d->failureReason().startsWith(QLatin1String(c.reason))) << d->failureReason().toStdString();
            EXPECT_FALSE(d->failedOnDisk());
            EXPECT_FALSE(QFileInfo::exists(target));
            // A body that never ends is only over once the connection is dropped.
            if (c.response.generatedBytes == TestHttpServer::kEndless) {
                EXPECT_TRUE(waitUntil([&] { return server.openConnections() == 0; }, 20000));
            }
            EXPECT_LT(server.bodyBytesSent() - sentBefore, 64 << 20);
            EXPECT_EQ(runningTimers(d.get()), 0);
        }
    }
    const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
    const QString line = QStringLiteral("Download failed: file.bin from %1: size exceeded: the server sends 10485760 "
                                        "bytes, more than the 1048576 expected")
                             .arg(server.urlString(QStringLiteral("/hostile")));
    EXPECT_TRUE(log.contains(line)) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("size exceeded: the server sent more than the 1048576 bytes expected")))
        << log.toStdString();
}

// HTTP/1.1 lets a server leave the length out (chunked, or the body ended by
// closing the connection). Such an answer is taken when the caller knows a size
// to hold it to, and the progress is measured against the size it expects.
TEST_F(Transfer, AnAnswerWithoutALengthIsTakenWithinWhatIsKnown)
{
    const QByteArray data = testBytes(300000);
    TestHttpServer::Response chunks;
    chunks.body = data;
    chunks.chunked = true;
    TestHttpServer::Response closed;
    closed.body = data;
    closed.sendContentLength = false;
    for (const auto &response : {chunks, closed}) {
        for (const bool exact : {false, true}) {
            SCOPED_TRACE(testing::Message() << (response.chunked ? "chunked" : "ended by closing") << " "
                                            << (exact ? "expected size" : "size limit"));
            server.setResponse(QStringLiteral("/f"), response);
            verdicts = Verdicts();
            auto d = makeDownloader(QStringLiteral("/f"));
            if (exact)
                d->setExpectedSize(data.size());
            else
                d->setSizeLimit(8 << 20);
            ASSERT_TRUE(d->startDownLoads(true));
            EXPECT_EQ(verdicts.finished, 1);
            EXPECT_EQ(verdicts.failed, 0);
            EXPECT_TRUE(onDisk() == data) << "size on disk " << onDisk().size();
            EXPECT_TRUE(d->failureReason().isEmpty()) << d->failureReason().toStdString();
            if (exact) {
                EXPECT_EQ(verdicts.lastReceived, data.size());
                EXPECT_EQ(verdicts.lastTotal, data.size());
            }
        }
    }
}

// A body that ends before the whole file (the size the caller expects, or the
// length the server announced) is a failed download with its reason in the log,
// never a complete one, and leaves no file; progress never shows it whole.
TEST_F(Transfer, ABodyThatEndsShortIsASizeMismatch)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    const QByteArray data = testBytes(50000);
    TestHttpServer::Response half; // honest about its length, which is half the file
    half.body = data.left(25000);
    TestHttpServer::Response closedEarly;
    closedEarly.body = data;
    closedEarly.sendContentLength = false;
    closedEarly.dropAtByte = 20000;
    TestHttpServer::Response chunksCut;
    chunksCut.body = data;
    chunksCut.chunked = true;
    chunksCut.dropAtByte = 20000;
    TestHttpServer::Response lengthCut; // announces the whole file, closes part-way
    lengthCut.body = data;
    lengthCut.dropAtByte = 20000;
    const struct
    {
        const char *name;
        TestHttpServer::Response response;
        qint64 expected; // 0: the caller knows no size
        qint64 got;
    } cases[] = {
        {"a length of half the expected size", half, data.size(), 25000},
        {"closed early without a length", closedEarly, data.size(), 20000},
        {"chunks cut off", chunksCut, data.size(), 20000},
        {"closed before its own length", lengthCut, 0, 20000},
    };
    for (const auto &c : cases) {
        for (const bool synchronous : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.name << (synchronous ? " synchronous" : " asynchronous"));
            server.setResponse(QStringLiteral("/short"), c.response);
            verdicts = Verdicts();
            auto d = makeDownloader(QStringLiteral("/short"));
            d->setExpectedSize(c.expected);
            ASSERT_TRUE(d->startDownLoads(synchronous));
            ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
            EXPECT_EQ(verdicts.finished, 0);
            EXPECT_EQ(verdicts.failed, 1);
            const QString reason = QStringLiteral("size mismatch: got %1 of %2 bytes").arg(c.got).arg(data.size());
            EXPECT_EQ(d->failureReason(), reason);
            EXPECT_FALSE(d->failedOnDisk());
            EXPECT_FALSE(QFileInfo::exists(target));
            EXPECT_LT(verdicts.lastReceived, verdicts.lastTotal) << "shown as whole";
            const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
            EXPECT_TRUE(log.contains(QStringLiteral("Download failed: file.bin from %1: %2")
                                         .arg(server.urlString(QStringLiteral("/short")), reason)))
                << log.toStdString();
            runEventsFor(50);
            EXPECT_EQ(verdicts.verdicts(), 1);
        }
    }
}

// Less than a KiB within the stall period is a stall, and only bytes kept count:
// an error page trickled forever does not keep the transfer open either.
TEST_F(Transfer, ATrickleIsAStall)
{
    const int period = 1000;
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferStall=" + QByteArray::number(period));
    TestHttpServer::Response trickle;
    trickle.generatedBytes = 1 << 20;
    trickle.bytesPerSecond = 200;
    TestHttpServer::Response tricklingErrorPage;
    tricklingErrorPage.status = 404;
    tricklingErrorPage.generatedBytes = TestHttpServer::kEndless;
    tricklingErrorPage.sendContentLength = false;
    tricklingErrorPage.bytesPerSecond = 2000;
    for (const auto &response : {trickle, tricklingErrorPage}) {
        SCOPED_TRACE(response.status);
        server.setResponse(QStringLiteral("/trickle"), response);
        verdicts = Verdicts();
        auto d = makeDownloader(QStringLiteral("/trickle"));
        ASSERT_TRUE(d->startDownLoads(false));
        ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
        EXPECT_EQ(verdicts.failed, 1);
        EXPECT_GE(verdicts.failedAtMs, period - 50);
        EXPECT_FALSE(QFileInfo::exists(target));
        if (response.status == 200) {
            EXPECT_TRUE(d->failureReason().startsWith(QLatin1String("stalled: "))) << d->failureReason().toStdString();
            EXPECT_GT(verdicts.lastReceived, 0) << "bytes did arrive";
        }
    }
}

TEST_F(Transfer, AFullDiskEndsTheTransferAndNamesTheCause)
{
    TestHttpServer::Response big;
    big.generatedBytes = 8 << 20;
    server.setResponse(QStringLiteral("/big"), big);
    auto d = makeDownloader(QStringLiteral("/big"));
    {
        FileSizeLimit limit(512 * 1024);
        ASSERT_TRUE(limit.isSet());
        ASSERT_TRUE(d->startDownLoads(true));
    }
    EXPECT_EQ(verdicts.failed, 1);
    EXPECT_EQ(verdicts.finished, 0);
    EXPECT_TRUE(d->failureReason().startsWith(QLatin1String("disk full or not writable: cannot store ")))
        << d->failureReason().toStdString();
    EXPECT_TRUE(d->failedOnDisk());
    EXPECT_FALSE(QFileInfo::exists(target));
}

// A resumed transfer joins only a part that continues the bytes on disk exactly;
// anything else fails instead of handing on a mixed or gapped file.
TEST_F(Transfer, AResumeJoinsOnlyTheMatchingPart)
{
    const QByteArray data = testBytes(50000);
    const QByteArray changed = testBytes(60000);

    // Starts with `present` on disk and the given resume position, against `response`.
    auto resume = [&](const QByteArray &present, qint64 position, const TestHttpServer::Response &response) {
        server.setResponse(QStringLiteral("/f"), response);
        server.clearRequests();
        verdicts = Verdicts();
        qint64 pos = position;
        auto d = makeDownloader(QStringLiteral("/f"), &pos);
        EXPECT_TRUE(sandbox.writeFile(target, present));
        pos = position;
        EXPECT_TRUE(d->startDownLoads(true));
        return d;
    };

    {
        SCOPED_TRACE("a position past the end of the file asks from the end of the file");
        TestHttpServer::Response whole;
        whole.body = data;
        auto d = resume(data.left(1000), 5000, whole);
        ASSERT_EQ(server.requests().size(), 1);
        EXPECT_EQ(server.requests().first().header("Range"), "bytes=1000-");
        EXPECT_EQ(verdicts.finished, 1);
        EXPECT_TRUE(onDisk() == data);
    }
    {
        SCOPED_TRACE("a part that starts earlier than asked, its length adding up");
        // Appended, these 49000 bytes would make a file of the right size with 500 bytes twice.
        TestHttpServer::Response earlier;
        earlier.status = 206;
        earlier.body = data.mid(500, 49000);
        earlier.headers.append(qMakePair(QByteArray("Content-Range"), QByteArray("bytes 500-49499/50000")));
        auto d = resume(data.left(1000), 1000, earlier);
        EXPECT_EQ(verdicts.failed, 1);
        EXPECT_TRUE(d->failureReason().startsWith(QLatin1String("refused: "))) << d->failureReason().toStdString();
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    {
        SCOPED_TRACE("a file whose size changed between pause and continue");
        TestHttpServer::Response slow;
        slow.body = data;
        slow.bytesPerSecond = 100000;
        server.setResponse(QStringLiteral("/f"), slow);
        verdicts = Verdicts();
        qint64 pos = 0;
        auto d = makeDownloader(QStringLiteral("/f"), &pos);
        ASSERT_TRUE(d->startDownLoads(false));
        ASSERT_TRUE(waitUntil([&] { return verdicts.lastReceived >= 5000; }, 10000));
        d->pauseDownloads();
        ASSERT_LT(pos, data.size());
        server.setFile(QStringLiteral("/f"), changed);
        d->continueDownload();
        ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 10000));
        EXPECT_EQ(verdicts.failed, 1);
        EXPECT_TRUE(d->failureReason().contains(QLatin1String("changed"))) << d->failureReason().toStdString();
        EXPECT_FALSE(QFileInfo::exists(target));
    }
}

} // namespace

// A transfer given up before its verdict (the user cancelled, its owner went)
// leaves nothing: no verdict, no part on disk, no connection. One that already
// has its verdict keeps its file.
TEST_F(Transfer, AGivenUpTransferLeavesNoPart)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    const QByteArray data = testBytes(400000);
    TestHttpServer::Response slow;
    slow.body = data;
    slow.bytesPerSecond = 200000;
    server.setResponse(QStringLiteral("/f"), slow);
    enum Way { Abandoned, Destroyed };
    for (const bool paused : {false, true}) {
        for (const Way way : {Abandoned, Destroyed}) {
            SCOPED_TRACE(testing::Message() << (paused ? "paused, " : "running, ")
                                            << (way == Abandoned ? "abandoned" : "destroyed"));
            server.clearRequests();
            verdicts = Verdicts();
            qint64 position = 0;
            auto d = makeDownloader(QStringLiteral("/f"), &position);
            ASSERT_TRUE(d->startDownLoads(false));
            ASSERT_TRUE(waitUntil([&] { return QFileInfo(target).size() >= 20000; }, 10000));
            if (paused) {
                d->pauseDownloads();
                ASSERT_TRUE(QFileInfo::exists(target)) << "a pause keeps the part for the continue";
            }
            if (way == Abandoned) {
                d->abandon();
                d->continueDownload(); // nothing is left to continue
            } else {
                d.reset();
            }
            EXPECT_FALSE(QFileInfo::exists(target));
            EXPECT_EQ(position, 0);
            EXPECT_TRUE(waitUntil([&] { return server.openConnections() == 0; }, 10000));
            runEventsFor(50);
            EXPECT_EQ(verdicts.verdicts(), 0);
            EXPECT_EQ(server.requests().size(), 1);
        }
    }
    const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
    const QString cancelled =
        QStringLiteral("Download cancelled: file.bin from %1\n").arg(server.urlString(QStringLiteral("/f")));
    EXPECT_EQ(log.count(cancelled), 4) << log.toStdString();

    server.setFile(QStringLiteral("/f"), data);
    verdicts = Verdicts();
    auto d = makeDownloader(QStringLiteral("/f"));
    ASSERT_TRUE(d->startDownLoads(true));
    ASSERT_EQ(verdicts.finished, 1);
    d->abandon();
    d.reset();
    EXPECT_TRUE(onDisk() == data);
}

// A body may arrive in full as far as HTTP can tell and still lack its end: a
// chunk-size line that is no number ends a chunked body in Qt without an error.
// The caller's check then fails the transfer like any other short body.
TEST_F(Transfer, ABodyTheCallerFindsNotWholeFails)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    const QByteArray data = testBytes(50000);
    TestHttpServer::Response broken;
    broken.body = data;
    broken.chunked = true;
    broken.breakChunksAtByte = 20000;
    server.setResponse(QStringLiteral("/f"), broken);

    // Unchecked, the first part passes for the whole body.
    auto d = makeDownloader(QStringLiteral("/f"));
    d->setSizeLimit(8 << 20);
    ASSERT_TRUE(d->startDownLoads(true));
    EXPECT_EQ(verdicts.finished, 1);
    EXPECT_TRUE(onDisk() == data.left(20000)) << "size on disk " << onDisk().size();

    for (const bool synchronous : {true, false}) {
        SCOPED_TRACE(synchronous ? "synchronous" : "asynchronous");
        verdicts = Verdicts();
        d = makeDownloader(QStringLiteral("/f"));
        d->setSizeLimit(8 << 20);
        QString checked;
        d->setWholeCheck([&](const QString &path) {
            checked = path;
            return QFileInfo(path).size() == data.size() ? QString() : QStringLiteral("cut short: it ends early");
        });
        ASSERT_TRUE(d->startDownLoads(synchronous));
        ASSERT_TRUE(waitUntil([&] { return verdicts.verdicts() > 0; }, 20000));
        EXPECT_EQ(checked, target);
        EXPECT_EQ(verdicts.failed, 1);
        EXPECT_EQ(d->failureReason(), QStringLiteral("cut short: it ends early"));
        EXPECT_FALSE(QFileInfo::exists(target));
        runEventsFor(50);
        EXPECT_EQ(verdicts.verdicts(), 1);
    }
    const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
    EXPECT_TRUE(log.contains(QStringLiteral("Download failed: file.bin from %1: cut short: it ends early")
                                 .arg(server.urlString(QStringLiteral("/f")))))
        << log.toStdString();

    // A whole body passes the check.
    server.setFile(QStringLiteral("/f"), data);
    verdicts = Verdicts();
    d = makeDownloader(QStringLiteral("/f"));
    d->setWholeCheck([&](const QString &path) {
        return QFileInfo(path).size() == data.size() ? QString() : QStringLiteral("cut short");
    });
    ASSERT_TRUE(d->startDownLoads(true));
    EXPECT_EQ(verdicts.finished, 1);
    EXPECT_TRUE(onDisk() == data);
}
