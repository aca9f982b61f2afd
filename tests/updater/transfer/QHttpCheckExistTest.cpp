#include "QHttpCheckExist.h"
#include "Sandbox.h"
#include "TestHttpServer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

class Probe : public SandboxTest
{
protected:
    void SetUp() override { ASSERT_TRUE(server.isListening()) << server.error().toStdString(); }

    bool notFound(const QString &path)
    {
        QHttpCheckExist probe(nullptr, server.urlString(path));
        EXPECT_TRUE(probe.checkExit());
        return probe.isNotFound();
    }

    TestHttpServer server;
};

TEST_F(Probe, OnlyAShortBodyWithTheCodeMeansMissing)
{
    const QByteArray missing = "{\"code\":1000003,\"msg\":\"resource does not exist\"}";
    server.setFile(QStringLiteral("/short"), missing);
    // 150 bytes or more: the same text is not the service's answer.
    server.setFile(QStringLiteral("/long"), missing + QByteArray(150 - missing.size(), ' '));
    server.setFile(QStringLiteral("/almost"), missing + QByteArray(149 - missing.size(), ' '));
    server.setFile(QStringLiteral("/spaced"), "{\"code\": 1000003}");
    server.setFile(QStringLiteral("/list"), QByteArray(100000, 'x'));
    TestHttpServer::Response missingWith404;
    missingWith404.status = 404;
    missingWith404.body = missing;
    server.setResponse(QStringLiteral("/gone"), missingWith404);
    server.setRedirect(QStringLiteral("/moved"), server.urlString(QStringLiteral("/short")));

    struct Case { const char *path; bool notFound; };
    for (const Case &c : {Case{"/short", true}, Case{"/long", false}, Case{"/almost", true}, Case{"/spaced", false},
                          Case{"/list", false}, Case{"/gone", true}, Case{"/moved", true}}) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(notFound(QString::fromLatin1(c.path)), c.notFound);
    }
}

TEST_F(Probe, SilentServerCannotHoldIt)
{
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferNoResponse=300");
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    server.setResponse(QStringLiteral("/silent"), silent);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(notFound(QStringLiteral("/silent")));
    EXPECT_LT(timer.elapsed(), 5000);
}

// The answer is in the first bytes: a body without a length that goes on, or
// that trickles them, cannot hold the probe either. Only the stall wait, which
// the trickle must run out, is shortened.
TEST_F(Probe, EndlessOrTricklingBodiesCannotHoldIt)
{
    TestHttpServer::Response endless;
    endless.generatedBytes = TestHttpServer::kEndless;
    endless.sendContentLength = false;
    TestHttpServer::Response trickle;
    trickle.body = "{\"code\":1000003}" + QByteArray(100, ' ');
    trickle.sendContentLength = false;
    trickle.bytesPerSecond = 5;
    server.setResponse(QStringLiteral("/endless"), endless);
    server.setResponse(QStringLiteral("/trickle"), trickle);

    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(notFound(QStringLiteral("/endless")));
    EXPECT_LT(timer.elapsed(), 10000);

    sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferStall=500");
    timer.restart();
    notFound(QStringLiteral("/trickle"));
    EXPECT_LT(timer.elapsed(), 10000) << "the trickle takes 23 s";
}

} // namespace
