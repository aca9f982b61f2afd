#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdaterProcess.h"

#include <QFileInfo>
#include <QLockFile>
#include <gtest/gtest.h>

namespace {

const QByteArray kNotFound = "{\"code\":1000003,\"msg\":\"no such resource\"}";

// The certificate-list mode as the reader starts it: a child process whose one
// output line is the result code.
class CertificateLists : public SandboxTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening()) << server.error().toStdString();
        server.setFile(QStringLiteral("/eutl.xml"), eutl);
        server.setFile(QStringLiteral("/oatl.xml"), oatl);
    }

    QStringList arguments(const QString &eutlPath, const QString &oatlPath, const QString &downType = QString()) const
    {
        QStringList args{QStringLiteral("-downloadTrustCertfile")};
        if (!eutlPath.isEmpty())
            args << QStringLiteral("-certeutlurl") << server.urlString(eutlPath) << QStringLiteral("-eutlfile")
                 << eutlFile;
        if (!oatlPath.isEmpty())
            args << QStringLiteral("-certoatlurl") << server.urlString(oatlPath) << QStringLiteral("-oatlfile")
                 << oatlFile;
        if (!downType.isEmpty())
            args << QStringLiteral("-downtype") << downType;
        return args;
    }

    QString run(const QStringList &args)
    {
        const UpdaterRun result = runUpdater(sandbox, args);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0);
        return result.out;
    }

    TestHttpServer server;
    const QByteArray eutl = QByteArray("<TrustServiceStatusList>eutl</TrustServiceStatusList>").repeated(50);
    const QByteArray oatl = QByteArray("<TrustServiceStatusList>oatl</TrustServiceStatusList>").repeated(40);
    const QString eutlFile = sandbox.base() + QStringLiteral("/certs/eutl list.xml");
    const QString oatlFile = sandbox.base() + QStringLiteral("/certs/oatl.xml");
};

TEST_F(CertificateLists, BothListsFetched)
{
    for (const QString &downType : {QStringLiteral("manual"), QStringLiteral("auto")}) {
        SCOPED_TRACE(downType.toStdString());
        ASSERT_TRUE(sandbox.writeFile(eutlFile, "old eutl"));
        const QString out = run(arguments(QStringLiteral("/eutl.xml"), QStringLiteral("/oatl.xml"), downType));
        EXPECT_EQ(out, downType == QLatin1String("auto") ? QStringLiteral("285278208\n") : QStringLiteral("16842752\n"));
        EXPECT_TRUE(sandbox.readFile(eutlFile) == eutl);
        EXPECT_TRUE(sandbox.readFile(oatlFile) == oatl);
        EXPECT_FALSE(QFileInfo::exists(eutlFile + QStringLiteral(".tmp")));
    }
}

TEST_F(CertificateLists, OneListAlone)
{
    ASSERT_TRUE(sandbox.writeFile(eutlFile, QByteArray()));
    EXPECT_EQ(run(arguments(QString(), QStringLiteral("/oatl.xml"))), QStringLiteral("16777216\n"));
    EXPECT_TRUE(sandbox.readFile(oatlFile) == oatl);
    EXPECT_EQ(run(arguments(QStringLiteral("/eutl.xml"), QString())), QStringLiteral("65536\n"));
    EXPECT_TRUE(sandbox.readFile(eutlFile) == eutl);
}

TEST_F(CertificateLists, NoListNoOutput)
{
    EXPECT_EQ(run(arguments(QString(), QString(), QStringLiteral("auto"))), QString());
}

TEST_F(CertificateLists, ListLockedByAnotherProcess)
{
    ASSERT_TRUE(sandbox.writeFile(eutlFile, "old eutl"));
    QLockFile lock(eutlFile + QStringLiteral(".tmp"));
    ASSERT_TRUE(lock.tryLock(0));
    // The other list is still fetched.
    EXPECT_EQ(run(arguments(QStringLiteral("/eutl.xml"), QStringLiteral("/oatl.xml"))), QStringLiteral("16842754\n"));
    EXPECT_EQ(sandbox.readFile(eutlFile), "old eutl");
    EXPECT_TRUE(sandbox.readFile(oatlFile) == oatl);
    EXPECT_EQ(server.requests(QStringLiteral("/eutl.xml")).size(), 0);
}

TEST_F(CertificateLists, ListWithoutATargetIsNotDownloaded)
{
    const QStringList args{QStringLiteral("-downloadTrustCertfile"), QStringLiteral("-certeutlurl"),
                           server.urlString(QStringLiteral("/eutl.xml"))};
    EXPECT_EQ(run(args), QStringLiteral("65538\n"));
    EXPECT_EQ(server.requests(QStringLiteral("/eutl.xml")).size(), 1) << "probed, not downloaded";
}

TEST_F(CertificateLists, ListReportedUnavailableIsLeftAlone)
{
    ASSERT_TRUE(sandbox.writeFile(eutlFile, "old eutl"));
    server.setFile(QStringLiteral("/eutl.xml"), kNotFound);
    EXPECT_EQ(run(arguments(QStringLiteral("/eutl.xml"), QString())), QStringLiteral("65536\n"));
    EXPECT_EQ(sandbox.readFile(eutlFile), "old eutl");
    EXPECT_EQ(server.requests(QStringLiteral("/eutl.xml")).size(), 1) << "probed, not downloaded";
}

TEST_F(CertificateLists, FailedDownloadKeepsThePreviousList)
{
    // The probe sees a list; the download itself then fails in one of several ways.
    TestHttpServer::Response serverError;
    serverError.status = 500;
    serverError.body = QByteArray(300, 'e');
    TestHttpServer::Response cut;
    cut.body = eutl;
    cut.dropAtByte = eutl.size() / 2;
    TestHttpServer::Response stalled;
    stalled.body = eutl;
    stalled.stallAtByte = 100;
    // Every case here fails, so a short stall wait cannot fail one wrongly; the
    // probe's wait stays long.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferStall=300");
    struct Case { const char *name; TestHttpServer::Response download; };
    for (const Case &c : {Case{"500", serverError}, Case{"cut short", cut}, Case{"stalled", stalled}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sandbox.writeFile(eutlFile, "old eutl"));
        int served = 0;
        const TestHttpServer::Response download = c.download;
        const QByteArray whole = eutl;
        server.setHandler(QStringLiteral("/eutl.xml"), [&served, download, whole](const TestHttpServer::Request &) {
            TestHttpServer::Response probeAnswer;
            probeAnswer.body = whole;
            return served++ == 0 ? probeAnswer : download;
        });
        EXPECT_EQ(run(arguments(QStringLiteral("/eutl.xml"), QString())), QStringLiteral("65538\n"));
        EXPECT_EQ(sandbox.readFile(eutlFile), "old eutl");
        EXPECT_FALSE(QFileInfo::exists(eutlFile + QStringLiteral(".part")));
    }
}

} // namespace
