// The update-check request as the service receives it, for each kind of run, and
// the outcome signals of a query.

#include "ModuleCheckFixture.h"

#include "CRegister.h"
#include "CUP_Log.h"
#include "ModalAnswerer.h"
#include "PlistTool.h"
#include "ServiceEndpoints.h"
#include "TestHttpServer.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <QWidget>
#include <ctime>

using modulecheck::ModuleCheckTest;
using modulecheck::fixture;
using modulecheck::reply;

namespace {

const char kGeneralPath[] = "/addons/get_addons.php";

class ModuleQueryTest : public ModuleCheckTest
{
protected:
    void SetUp() override
    {
        ModuleCheckTest::SetUp();
        ASSERT_TRUE(server.isListening()) << server.error().toStdString();
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", server.urlString(QString()).toUtf8());
        writeInstalled(fixture(QStringLiteral("UpdaterInfo.xml")));
        createInstalledFiles();
    }

    QByteArray lastTarget() const
    {
        const QList<TestHttpServer::Request> requests = server.requests();
        return requests.isEmpty() ? QByteArray() : requests.last().target;
    }

    static QStringList readerSwitches(const QString &type)
    {
        return {QStringLiteral("-updater"), QStringLiteral("-type"), type, QStringLiteral("-version"),
                QStringLiteral("12.0.1.1234"), QStringLiteral("-readerlang"), QStringLiteral("en-US"),
                QStringLiteral("-PackageType"), QStringLiteral("std")};
    }

    // A query value as it travels: the characters that would break the query escaped.
    static QByteArray escaped(const QString &value)
    {
        QByteArray out;
        for (const char c : value.toUtf8()) {
            const unsigned char byte = static_cast<unsigned char>(c);
            if (byte <= 0x20 || byte >= 0x7F || QByteArray("&#+%=").contains(c))
                out += "%" + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
            else
                out += c;
        }
        return out;
    }

    TestHttpServer server;
};

TEST_F(ModuleQueryTest, ListRunAsksTheGeneralServiceWithItsKeysInOrder)
{
    CRegister::regSetString(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orbel Software\\Orbel PDF Reader"),
                            QStringLiteral("Edition"), QStringLiteral("enterprise"));
    CRegister::regSetString(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Orbel Software\\Orbel PDF Reader\\Orbel Information"),
        QStringLiteral("AgentID"), QStringLiteral("A+B=1 #2"));
    server.setFile(QLatin1String(kGeneralPath), reply());
    start(readerSwitches(QStringLiteral("Update List")) << QStringLiteral("-Edition") << QStringLiteral("Pro&Co 100%"),
          QStringLiteral("Update List"));

    EXPECT_EQ(runQuery(), QStringLiteral("finish"));
    EXPECT_EQ(lastTarget(),
              QByteArray("/addons/get_addons.php?addon=Update%20List&product=Enterprise%20Leafviewer4Mac"
                         "&version=12.0&build=1.1234&platform=x64&EmbededLanguage=en-US"
                         "&edition=Pro%26Co%20100%25&AgentID=A%2BB%3D1%20%232&PackageType=std"));
    EXPECT_EQ(manager->CountAvailableModule(), 6);
    EXPECT_TRUE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_EQ(sandbox.readFile(sandbox.dataRoot() + QStringLiteral("updater/update_tmpfile.xml")), reply());
}

TEST_F(ModuleQueryTest, AutoRunOfTheChinesePackageAsksTheAsianService)
{
    RUN_IN_READER_BUNDLE();
    writePackageType(QStringLiteral("zh-CN"));
    server.setFile(QStringLiteral("/check"), reply());
    start(readerSwitches(QStringLiteral("Auto Updater")), QStringLiteral("Auto Updater"));

    EXPECT_EQ(runQuery(), QStringLiteral("finish"));
    EXPECT_EQ(lastTarget(), QByteArray("/check?addon=Auto%20Updater&product=Leafviewer4Mac&version=12.0"
                                       "&build=1.1234&platform=x64&EmbededLanguage=en-US&PackageType=std"));
    EXPECT_EQ(manager->CountAvailableModule(), 4);
}

TEST_F(ModuleQueryTest, ComponentRunSendsTheEncodedList)
{
    server.setFile(QLatin1String(kGeneralPath), reply());
    start({QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Translator,OCR_Japanese")},
          QStringLiteral("Translator,OCR_Japanese"));
    EXPECT_EQ(runQuery(), QStringLiteral("finish"));
    EXPECT_EQ(lastTarget(), QByteArray("/addons/get_addons.php?addon=Translator%2COCR_Japanese"
                                       "&product=Leafviewer4Mac&platform=x64&PackageType="));
}

TEST_F(ModuleQueryTest, InternalRunAppendsItsKeysToTheAdministratorsAddress)
{
    RUN_IN_READER_BUNDLE();
    server.setFile(QStringLiteral("/internal/check"), reply());
    const QString internalUrl = server.urlString(QStringLiteral("/internal/check")) + QStringLiteral("?site=7");
    start(readerSwitches(QStringLiteral("Auto Updater"))
              << QStringLiteral("-InternalUpdateURL") << internalUrl << QStringLiteral("-UserEmail")
              << QStringLiteral("an+na@corp.example"),
          QStringLiteral("Update List"));
    const QByteArray mac = escaped(QString::fromStdString(UpdaterApp::GetMacAddress()));

    // Whole hours east of UTC decide the area: only +8 is "cn".
    const struct
    {
        const char *tz;
        const char *area;
    } zones[] = {{"UTC-8", "cn"}, {"<+0830>-8:30", "cn"}, {"<+0845>-8:45", "cn"},
                 {"UTC-9", "us"}, {"UTC-7", "us"},        {"UTC+8", "us"}};
    for (const auto &zone : zones) {
        qputenv("TZ", zone.tz);
        tzset();
        EXPECT_EQ(runQuery(), QStringLiteral("finish")) << zone.tz;
        const QByteArray expected = "/internal/check?site=7&addon=Update%20List&product=Leafviewer4Mac&version=12.0"
                                    "&build=1.1234&platform=x64&EmbededLanguage=en-US&PackageType=std"
                                    "&domain_area="
                                    + QByteArray(zone.area) + "&Mac=" + mac
                                    + "&email=an%2Bna@corp.example&updateType=0";
        EXPECT_EQ(QUrl::fromPercentEncoding(lastTarget()), QUrl::fromPercentEncoding(expected)) << zone.tz;
        EXPECT_EQ(lastTarget().count('?'), 1);
    }
    EXPECT_TRUE(theApp->IsInternalUrl());
    // Judged as an internal run: the share's package is named by its path.
    ASSERT_NE(offeredModule("Dictionary"), nullptr);
    EXPECT_EQ(offeredModule("Dictionary")->url, "/Volumes/Share/Dictionary Pack.ozip");
}

TEST_F(ModuleQueryTest, VersionKeysFollowTheReaderVersion)
{
    const struct
    {
        const char *version;
        const char *keys;
    } cases[] = {{"12.0.1.1234", "&version=12.0&build=1.1234&"},
                 {"12.1", "&version=12.1&build=12.1&"},
                 {"12", "&version=12&build=12&"},
                 {"", "&platform"}};
    for (const auto &c : cases) {
        start({QStringLiteral("-version"), QLatin1String(c.version)}, QStringLiteral("Update List"));
        const QString query = manager->GetHttpURL(QStringLiteral("Update List"));
        EXPECT_TRUE(query.startsWith(QStringLiteral("addon=Update%20List&product=Leafviewer4Mac") + c.keys))
            << c.version << ": " << query.toStdString();
        EXPECT_TRUE(query.endsWith(QStringLiteral("&PackageType="))) << query.toStdString();
        TearDown();
    }
}

TEST_F(ModuleQueryTest, OutcomeSignals)
{
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));

    // Missing reply: the warning box, then the error signal; the transfer may
    // report the failed request as a network error first.
    QString boxText;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            boxText = box->findChild<QObject *>(QStringLiteral("qt_msgbox_label"))->property("text").toString();
            box->close();
        }
    });
    closer.start(20);
    const QString outcome = runQuery({QStringLiteral("error")});
    EXPECT_TRUE(outcome == QLatin1String("error") || outcome == QLatin1String("network,error")) << outcome.toStdString();
    EXPECT_EQ(boxText, QStringLiteral("Cannot connect to the server. Please check your network connection."));
    closer.stop();

    // A reply that cannot be read ends as a network failure.
    server.setFile(QLatin1String(kGeneralPath), "502 Bad Gateway");
    EXPECT_EQ(runQuery(), QStringLiteral("network"));
    EXPECT_FALSE(theApp->IsReplyParsed());

    // A reply that offers nothing is a finished check.
    server.setFile(QLatin1String(kGeneralPath), "<addons/>");
    EXPECT_EQ(runQuery(), QStringLiteral("finish"));
    EXPECT_FALSE(manager->GetQueryResultInfo().bHasUpdate);
    EXPECT_TRUE(theApp->IsReplyParsed());
}

// Real replies are kilobytes: one of 200 MB is refused as a failed check before it
// is stored, and the log gives its size, not its text. One that announces no length
// is cut off at the reply's cap instead.
TEST_F(ModuleQueryTest, AnOversizedReplyIsAFailedCheck)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));
    TestHttpServer::Response huge;
    huge.generatedBytes = TestHttpServer::kEndless;
    huge.announcedLength = 200 << 20;
    TestHttpServer::Response endlessChunks;
    endlessChunks.generatedBytes = TestHttpServer::kEndless;
    endlessChunks.chunked = true;
    const struct
    {
        TestHttpServer::Response response;
        const char *logged;
    } cases[] = {
        {huge, "size exceeded: the server sends 209715200 bytes"},
        {endlessChunks, "size exceeded: the server sent more than the 8388608 bytes expected"},
    };
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    closer.start(20);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.logged);
        server.setResponse(QLatin1String(kGeneralPath), c.response);
        const qint64 sentBefore = server.bodyBytesSent();

        EXPECT_EQ(runQuery(), QStringLiteral("error"));
        EXPECT_FALSE(QFileInfo::exists(sandbox.dataRoot() + QStringLiteral("updater/update_tmpfile.xml")));
        EXPECT_EQ(manager->CountAvailableModule(), 0);
        const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
        EXPECT_TRUE(log.contains(QLatin1String(c.logged))) << log.toStdString();
        EXPECT_LT(log.size(), 100000);
        EXPECT_LT(server.bodyBytesSent() - sentBefore, 64 << 20);
    }
}

// A reply whose document ends early (the connection closed before its end, or a
// chunked body whose framing broke, which Qt ends without an error) is a failed
// check like a failed transfer: the warning box, the error signal, its reason in
// the log, nothing offered and no reply file. The same reply whole is judged.
TEST_F(ModuleQueryTest, AReplyCutShortIsAFailedCheck)
{
    ASSERT_TRUE(PlistTool::write(sandbox.userPlist(), QStringLiteral("{'Preferences.General.bDebugMode': 1}")));
    CUP_Log::CreateLog();
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));
    const QByteArray first = "  <addon name=\"Stamps\" title=\"Stamps\" version=\"2.1.1.0\" size=\"2048000B\" "
                             "module_type=\"basic\" result=\"true\" url=\"https://h.example/Stamps.ozip\"/>\n";
    const QByteArray second = "  <addon name=\"Comments\" title=\"Comments\" version=\"1.1.0.0\" size=\"1024000B\" "
                              "module_type=\"basic\" result=\"true\" url=\"https://h.example/Comments.ozip\"/>\n";
    const QByteArray whole = modulecheck::replyOffering(first + second);
    const int cut = whole.indexOf(second);
    TestHttpServer::Response closed;
    closed.body = whole;
    closed.sendContentLength = false;
    closed.dropAtByte = cut;
    TestHttpServer::Response brokenChunks;
    brokenChunks.body = whole;
    brokenChunks.chunked = true;
    brokenChunks.breakChunksAtByte = cut;
    TestHttpServer::Response insideAnElement = closed;
    insideAnElement.dropAtByte = cut + 40;
    const struct
    {
        const char *name;
        TestHttpServer::Response response;
        const char *why;
    } cases[] = {
        {"closed without a length after the first module", closed, "its root element <addons> is never closed"},
        {"chunk framing broken after the first module", brokenChunks, "its root element <addons> is never closed"},
        {"closed inside an element", insideAnElement, "it ends inside an attribute value"},
    };
    ModalAnswerer answerer;
    const QString replyFile = sandbox.dataRoot() + QStringLiteral("updater/update_tmpfile.xml");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        server.setResponse(QLatin1String(kGeneralPath), c.response);
        answerer.boxTexts.clear();
        EXPECT_EQ(runQuery(), QStringLiteral("error"));
        EXPECT_EQ(answerer.boxTexts,
                  QStringList{QStringLiteral("Cannot connect to the server. Please check your network connection.")});
        EXPECT_EQ(manager->CountAvailableModule(), 0);
        EXPECT_FALSE(QFileInfo::exists(replyFile));
        const QString log = QString::fromUtf8(sandbox.readFile(sandbox.logFile()));
        EXPECT_TRUE(log.contains(QStringLiteral("Download failed: update_tmpfile.xml from %1")
                                     .arg(server.urlString(QLatin1String(kGeneralPath)))))
            << log.toStdString();
        EXPECT_TRUE(log.contains(QStringLiteral("cut short: the reply ends before its XML document does (%1)")
                                     .arg(QLatin1String(c.why))))
            << log.toStdString();
    }

    // Read from a file, however it came there, a cut document offers nothing either.
    EXPECT_FALSE(judge(whole.left(cut)));
    EXPECT_EQ(manager->CountAvailableModule(), 0);

    server.setFile(QLatin1String(kGeneralPath), whole);
    answerer.boxTexts.clear();
    EXPECT_EQ(runQuery(), QStringLiteral("finish"));
    EXPECT_TRUE(answerer.boxTexts.isEmpty());
    EXPECT_EQ(offered(), (QStringList{QStringLiteral("Stamps"), QStringLiteral("Comments")}));
    EXPECT_TRUE(QFileInfo::exists(replyFile));
}

// A query given up before its answer (the check timed out or was cancelled, and
// the run let its manager go) leaves no part of the reply behind.
TEST_F(ModuleQueryTest, AReplyGivenUpLeavesNoFile)
{
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));
    TestHttpServer::Response stalled;
    stalled.body = modulecheck::replyOffering(QByteArray(2000, ' '));
    stalled.stallAtByte = 60;
    server.setResponse(QLatin1String(kGeneralPath), stalled);
    const QString replyFile = sandbox.dataRoot() + QStringLiteral("updater/update_tmpfile.xml");
    ASSERT_FALSE(manager->QueryModuleInfo(nullptr, false));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(replyFile).size() == 60; }, 10000));
    manager.reset();
    EXPECT_FALSE(QFileInfo::exists(replyFile));
}

// Answers only what the reader's translation files hold: texts of the plain QObject context.
class QObjectContextTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        return qstrcmp(context, "QObject") == 0 ? QStringLiteral("T:") + QLatin1String(source) : QString();
    }
};

TEST_F(ModuleQueryTest, ConnectionWarningIsTranslatedLikeTheReadersTexts)
{
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));
    QObjectContextTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QString title;
    QString text;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            title = box->windowTitle();
            text = box->findChild<QObject *>(QStringLiteral("qt_msgbox_label"))->property("text").toString();
            box->close();
        }
    });
    closer.start(20);
    int errors = 0;
    QObject::connect(manager.get(), &CReaderModuleManager::sErrorFinish, [&] { ++errors; });
    manager->errorfinish(QString());
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(title, QStringLiteral("T:Orbel PDF Reader"));
    EXPECT_EQ(text, QStringLiteral("T:Cannot connect to the server. Please check your network connection."));
    EXPECT_EQ(errors, 1);
}

TEST_F(ModuleQueryTest, NoQueryWhenTheReplyFolderCannotBeMade)
{
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));
    // A file where the "updater" folder belongs.
    ASSERT_TRUE(sandbox.writeFile(sandbox.dataRoot() + QStringLiteral("updater"), "x"));
    QSignalSpy network(manager.get(), &CReaderModuleManager::sErrorNetwork);
    EXPECT_TRUE(manager->QueryModuleInfo(nullptr, false));
    EXPECT_TRUE(server.requests().isEmpty());
    // The failure arrives once the caller waits, not before and not only by its time-out.
    EXPECT_EQ(network.count(), 0);
    EXPECT_TRUE(network.wait(20000));
}

TEST_F(ModuleQueryTest, AnAddressThatCannotBeAskedEndsAsANetworkFailure)
{
    start(readerSwitches(QStringLiteral("Update List")) << QStringLiteral("-InternalUpdateURL")
                                                        << QStringLiteral("http://127.0.0.1:1?site=7"),
          QStringLiteral("Update List"));
    QSignalSpy network(manager.get(), &CReaderModuleManager::sErrorNetwork);
    EXPECT_TRUE(manager->QueryModuleInfo(nullptr, false));
    EXPECT_EQ(network.count(), 0);
    EXPECT_TRUE(network.wait(20000));
}

// A new query started from the outcome of the previous one replaces its transfer safely.
TEST_F(ModuleQueryTest, QueryAgainFromTheOutcomeSignal)
{
    start(readerSwitches(QStringLiteral("Update List")), QStringLiteral("Update List"));
    server.setFile(QLatin1String(kGeneralPath), "<addons/>");
    int finished = 0;
    QObject::connect(manager.get(), &CReaderModuleManager::sQueryModuleInfoFinish, [&] {
        if (++finished == 1)
            manager->QueryModuleInfo(nullptr, false);
    });
    QSignalSpy spy(manager.get(), &CReaderModuleManager::sQueryModuleInfoFinish);
    ASSERT_FALSE(manager->QueryModuleInfo(nullptr, false));
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 2, 10000);
    EXPECT_EQ(server.requests().size(), 2);
}

TEST(ServiceEndpointsTest, BuildHostsUnlessReplacedAtRunTime)
{
    Sandbox sandbox;
    EXPECT_TRUE(ServiceEndpoints::general().startsWith(QLatin1String("https://")));
    EXPECT_NE(ServiceEndpoints::general(), ServiceEndpoints::asia());
    EXPECT_FALSE(ServiceEndpoints::general().endsWith(QLatin1Char('/')));
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", "http://127.0.0.1:4711/");
    EXPECT_EQ(ServiceEndpoints::general(), QStringLiteral("http://127.0.0.1:4711"));
    EXPECT_EQ(ServiceEndpoints::asia(), QStringLiteral("http://127.0.0.1:4711"));
}

} // namespace
