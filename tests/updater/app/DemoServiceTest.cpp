// The demo update service (tools/) as the demo uses it: a child process whose
// first output line is its URL, answering the updater's certificate-list mode and
// the module manager's update check with packages the install road accepts.

#include "../check/ModuleCheckFixture.h"

#include "COB_Ozip.h"
#include "DemoService.h"
#include "DlgDownload.h"
#include "UpdaterProcess.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <memory>

namespace {

class DemoServiceTest : public modulecheck::ModuleCheckTest
{
};

QByteArray fetch(const QString &url)
{
    QNetworkAccessManager network;
    QNetworkReply *reply = network.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    delete reply;
    return body;
}

TEST_F(DemoServiceTest, ServesBothCertificateLists)
{
    DemoService service;
    ASSERT_TRUE(service.url().startsWith(QLatin1String("http://127.0.0.1:"))) << service.url().toStdString();
    const QString eutl = sandbox.base() + QStringLiteral("/certs/eutl.xml");
    const QString oatl = sandbox.base() + QStringLiteral("/certs/oatl.xml");
    ASSERT_TRUE(QDir().mkpath(sandbox.base() + QStringLiteral("/certs")));
    const UpdaterRun run = runUpdater(
        sandbox, {QStringLiteral("-downloadTrustCertfile"), QStringLiteral("-certeutlurl"), service.url() + "/certs/eutl.xml",
                  QStringLiteral("-eutlfile"), eutl, QStringLiteral("-certoatlurl"), service.url() + "/certs/oatl.xml",
                  QStringLiteral("-oatlfile"), oatl, QStringLiteral("-downtype"), QStringLiteral("manual")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    // Both attempted (bits 16 and 24), both fetched (0 in each list's byte).
    EXPECT_EQ(run.out.toStdString(), "16842752\n") << run.err.toStdString();
    EXPECT_TRUE(sandbox.readFile(eutl).contains("<TSLType>EUTL</TSLType>"));
    EXPECT_TRUE(sandbox.readFile(oatl).contains("<TSLType>OATL</TSLType>"));
    EXPECT_TRUE(service.logged(QStringLiteral("GET /certs/oatl.xml -> 200")));
}

TEST_F(DemoServiceTest, ReplyOffersItsModulesWithInstallablePackages)
{
    DemoService service;
    ASSERT_FALSE(service.url().isEmpty());
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.url().toUtf8());
    start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"), QStringLiteral("-version"),
           QStringLiteral("12.1.0.1234"), QStringLiteral("-readerlang"), QStringLiteral("en-US"),
           QStringLiteral("-PackageType"), QStringLiteral("general")},
          QStringLiteral("Update List"));

    ASSERT_EQ(runQuery(), QStringLiteral("finish"));
    EXPECT_EQ(offered(), QStringList({QStringLiteral("Orbel PDF Reader Updater"), QStringLiteral("Signature"),
                                      QStringLiteral("OCR_French")}));
    EXPECT_TRUE(manager->GetQueryResultInfo().bHasUpdate);
    // The zh-CN package's service path gives the same reply.
    EXPECT_EQ(fetch(service.url() + "/check?addon=Update%20List"),
              fetch(service.url() + "/addons/get_addons.php?addon=Update%20List"));

    DlgDownload dialog;
    for (int i = 0; i < manager->CountAvailableModule(); ++i) {
        const MODULEINFO &module = *manager->GetAvailabletModule(i);
        SCOPED_TRACE(module.name);
        const QString url = QString::fromStdString(module.url);
        EXPECT_TRUE(url.startsWith(service.url() + QStringLiteral("/packages/"))) << url.toStdString();
        const QByteArray bytes = fetch(url);
        EXPECT_EQ(bytes.size(), DlgDownload::ExpectedSize(module));
        EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toStdString(), module.md5);

        const QString packagePath = sandbox.base() + QStringLiteral("/") + QString::number(i) + QStringLiteral(".ozip");
        const QString folder = sandbox.base() + QStringLiteral("/unpacked") + QString::number(i) + QLatin1Char('/');
        ASSERT_TRUE(sandbox.writeFile(packagePath, bytes));
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(COB_Ozip().Unzip2(packagePath, folder), COB_Ozip::Done);
        QVector<_SetupInfo *> installers;
        dialog.ParseSetupInfo(folder, installers);
        ASSERT_EQ(installers.size(), 1);
        EXPECT_TRUE(IsSetupInstallerInside(folder, installers.first()->name));
        EXPECT_TRUE(QFileInfo(installers.first()->name).isFile()) << installers.first()->name.toStdString();
        qDeleteAll(installers);
    }
}

// Held, the last package of the reply trickles until "POST /release" (the demo
// asks to quit meanwhile), then comes whole; the other packages never wait.
TEST_F(DemoServiceTest, HeldLastPackageTricklesUntilReleased)
{
    DemoService plain;
    DemoService service({QStringLiteral("--hold-last-package")});
    ASSERT_FALSE(service.url().isEmpty());
    const QString last = QStringLiteral("/packages/OCR_French_1.5.0.0.ozip");
    const QString other = QStringLiteral("/packages/Signature_3.2.0.0.ozip");
    const QByteArray whole = fetch(plain.url() + last);
    ASSERT_FALSE(whole.isEmpty());

    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> held(network.get(QNetworkRequest(QUrl(service.url() + last))));
    QSignalSpy finished(held.get(), &QNetworkReply::finished);
    QSignalSpy progress(held.get(), &QNetworkReply::downloadProgress);
    ASSERT_TRUE(progress.wait(10000));
    // Half a megabyte at the trickle would take two minutes, not the ten seconds fetch allows.
    const QByteArray otherBytes = fetch(service.url() + other);
    EXPECT_FALSE(otherBytes.isEmpty());
    EXPECT_EQ(otherBytes, fetch(plain.url() + other));
    EXPECT_FALSE(held->isFinished());
    EXPECT_LT(held->bytesAvailable(), whole.size() / 4);

    QNetworkRequest release(QUrl(service.url() + QStringLiteral("/release")));
    release.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/plain"));
    std::unique_ptr<QNetworkReply> released(network.post(release, QByteArray()));
    ASSERT_TRUE(finished.count() > 0 || finished.wait(20000));
    EXPECT_EQ(held->error(), QNetworkReply::NoError) << held->errorString().toStdString();
    EXPECT_EQ(held->readAll(), whole);
    EXPECT_TRUE(service.logged(QStringLiteral("POST /release -> 200")));
    // Released for good: a later fetch is whole at once.
    EXPECT_EQ(fetch(service.url() + last), whole);
}

} // namespace
