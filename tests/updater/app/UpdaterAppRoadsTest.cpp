// The roads of one run of the application controller, with stand-in dialogs
// that accept, decline or select in place of the user.

#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "ComponentInfo.h"
#include "DlgDownload.h"
#include "FakeInstaller.h"
#include "InstallHistory.h"
#include "OzipWriter.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdateDialogs.h"
#include "UpdaterApp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

const char kReplyPath[] = "/addons/get_addons.php";

QByteArray reply(const QByteArray &modules)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<addons>\n" + modules + "</addons>\n";
}

QByteArray module(const QByteArray &name, const QByteArray &extra = QByteArray())
{
    return "  <addon name=\"" + name + "\" title=\"" + name + " title\" version=\"2.0\" result=\"true\" "
           "module_type=\"plugin\" size=\"10B\" url=\"http://127.0.0.1:1/" + name + ".ozip\" " + extra + "/>\n";
}

class FakeDialogs : public UpdateDialogs
{
public:
    int execUpdateChecking(CReaderModuleManager *manager) override
    {
        calls << QStringLiteral("checking");
        return onChecking ? onChecking(manager) : 0;
    }
    int execComponentFound(ComponentInfo &info) override
    {
        calls << QStringLiteral("component");
        request = info;
        return componentAnswer;
    }
    void execFound(const std::string &type, bool flag, bool, bool, bool, CReaderModuleManager *manager) override
    {
        calls << QStringLiteral("found %1 %2").arg(QString::fromStdString(type)).arg(flag);
        for (int i = 0; i < manager->CountSelModules(); ++i)
            selected << QString::fromStdString(manager->GetSelModule(i)->name);
        if (onFound)
            onFound(manager);
    }

    QStringList calls;
    QStringList selected;
    ComponentInfo request;
    int componentAnswer = 1;
    std::function<int(CReaderModuleManager *)> onChecking;
    std::function<void(CReaderModuleManager *)> onFound;
};

// Closes every modal box that comes up while it lives and keeps their texts.
class BoxAnswerer
{
public:
    BoxAnswerer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                QObject *label = box->findChild<QObject *>(QStringLiteral("qt_msgbox_label"));
                texts << (label ? label->property("text").toString() : box->windowTitle());
                box->close();
            }
        });
        m_timer.start(20);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

class Roads : public SandboxTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.isListening());
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.urlString(QString()).toUtf8());
        UpdateDialogs::install(&dialogs);
    }

    void TearDown() override
    {
        UpdateDialogs::install(nullptr);
        theApp = nullptr;
        app.reset();
    }

    // One run of the controller with the given command line.
    void run(const QStringList &arguments)
    {
        theApp = nullptr;
        app.reset();
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
        app->runUpdateVisible(31, 225);
    }

    TestHttpServer service;
    FakeDialogs dialogs;
    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
};

TEST_F(Roads, TheCommandLineChoosesTheRoadAndEveryRunEnds)
{
    const struct
    {
        QStringList arguments;
        QStringList calls;
    } cases[] = {
        {{}, {}},
        {{"-updater"}, {}},
        {{"-install"}, {}},
        {{"-updater", "-type", "Update List"}, {"checking"}},
        {{"-updater", "-type", "Auto Updater"}, {"checking"}},
        {{"-run", "-updater", "-type", "OCR"}, {"checking"}},
        {{"-updater", "-type", "OCR"}, {"component"}},
        {{"-insForceUpdate", "-updater", "-type", "Update List"}, {}},
    };
    dialogs.componentAnswer = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        dialogs.calls.clear();
        run(c.arguments);
        EXPECT_EQ(dialogs.calls, c.calls);
        EXPECT_TRUE(app->IsQuitRequested());
        // The run lets its manager go once its dialogs are over.
        EXPECT_EQ(app->GetModuleManager(), nullptr);
    }

    run({"-version", "12.1.0.1", "-updater", "-type", "OCR_ja,OCR_en"});
    EXPECT_EQ(dialogs.request.productName, QStringLiteral("Orbel PDF Reader"));
    EXPECT_EQ(dialogs.request.readerVersion, QStringLiteral("12.1.0.1"));
    EXPECT_EQ(dialogs.request.componentList, QStringLiteral("OCR_ja,OCR_en"));
    EXPECT_EQ(dialogs.request.language, QStringLiteral("en-US"));
    EXPECT_EQ(dialogs.request.edition, QStringLiteral("Business"));
}

TEST_F(Roads, NoUnpackFolderEndsTheRunBeforeAnyRoad)
{
    // A file where the updater's data folder belongs: no unpack folder can be made.
    ASSERT_TRUE(sandbox.writeFile(sandbox.dataRoot() + QStringLiteral("updater"), "not a folder"));
    for (const QStringList &arguments :
         {QStringList{"-updater", "-type", "Update List"}, QStringList{"-updater", "-type", "OCR"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        dialogs.calls.clear();
        run(arguments);
        EXPECT_TRUE(dialogs.calls.isEmpty());
        EXPECT_TRUE(app->IsQuitRequested());
        EXPECT_EQ(app->GetModuleManager(), nullptr);
    }
}

TEST_F(Roads, ComponentPacksAreSelectedByNameOrWarnedAbout)
{
    service.setFile(QLatin1String(kReplyPath),
                    reply(module("OCR_en") + module("OCR") + module("OCR_ja") + module("Stamps")));
    const struct
    {
        const char *type;
        QStringList selected; // empty: the warning instead of the download
    } cases[] = {
        {"OCR", {"OCR"}},            // the module of that very name, not the first containing it
        {"OCR_ja,,OCR_en", {"OCR_ja", "OCR_en"}},
        {"OCR_ja, ,OCR_en", {"OCR_ja", "OCR_en"}}, // a blank part asks for nothing
        {"Stamps", {"Stamps"}},
        {"Signatures", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        dialogs.calls.clear();
        dialogs.selected.clear();
        BoxAnswerer boxes;
        run({"-updater", "-type", c.type});
        EXPECT_EQ(dialogs.selected, c.selected);
        if (c.selected.isEmpty()) {
            EXPECT_EQ(dialogs.calls, QStringList{"component"});
            EXPECT_EQ(boxes.texts, QStringList{"Unable to get this component pack. Please check if they are ready for this version."});
        } else {
            EXPECT_EQ(dialogs.calls, (QStringList{"component", "found Update List 1"}));
            EXPECT_TRUE(boxes.texts.isEmpty());
        }
        EXPECT_TRUE(app->IsQuitRequested());
    }

    // Declined: no query at all.
    service.clearRequests();
    dialogs.componentAnswer = 0;
    run({"-updater", "-type", "OCR"});
    EXPECT_TRUE(service.requests(QLatin1String(kReplyPath)).isEmpty());
}

TEST_F(Roads, AComponentQueryThatFailsOrNeverAnswersEndsTheRoad)
{
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    const struct
    {
        const char *name;
        const char *waits; // only the wait that must run out is shortened
        std::function<void()> serve;
    } cases[] = {
        {"unreadable reply", "", [&] { service.setFile(QLatin1String(kReplyPath), "502 Bad Gateway"); }},
        {"no answer", "CheckTimeout=600", [&] { service.setResponse(QLatin1String(kReplyPath), silent); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sandbox.setEnv("ORBEL_UPDATER_WAITS", c.waits);
        c.serve();
        dialogs.calls.clear();
        BoxAnswerer boxes;
        QElapsedTimer timer;
        timer.start();
        run({"-updater", "-type", "OCR"});
        EXPECT_LT(timer.elapsed(), 10000);
        EXPECT_EQ(dialogs.calls, QStringList{"component"});
        EXPECT_TRUE(boxes.texts.contains(
            "Unable to get this component pack. Please check if they are ready for this version."));
        EXPECT_TRUE(app->IsQuitRequested());
    }
}

// A package big enough to be paused half-way at the server's pace.
QByteArray installablePackage(const QByteArray &installer)
{
    QByteArray noise(300000, '\0');
    QRandomGenerator random(7);
    for (int i = 0; i < noise.size(); i += 4) {
        const quint32 value = random.generate();
        memcpy(noise.data() + i, &value, 4);
    }
    OzipWriter writer;
    writer.file("Setup.xml", "<setup><file name=\"" + installer + "\" parameter=\"\" iscommon=\"false\"/></setup>")
        .file(installer, "installer")
        .file("payload.bin", noise);
    return writer.bytes();
}

TEST_F(Roads, ACheckThatIsAcceptedDownloadsAndInstallsThroughTheRelay)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    const QByteArray package = installablePackage("Stamps.pkg");
    TestHttpServer::Response slow;
    slow.body = package;
    slow.bytesPerSecond = 400000;
    service.setResponse(QStringLiteral("/pkgs/Stamps.ozip"), slow);
    const QByteArray url = service.urlString(QStringLiteral("/pkgs/Stamps.ozip")).toUtf8();
    service.setFile(QLatin1String(kReplyPath),
                    reply("  <addon name=\"Stamps\" title=\"Stamps title\" version=\"2.0\" result=\"true\" "
                          "module_type=\"basic\" size=\"" + QByteArray::number(package.size()) + "B\" url=\"" + url + "\"/>\n"));

    // The check accepts everything on offer, as the available-updates dialog would.
    dialogs.onChecking = [](CReaderModuleManager *manager) {
        QEventLoop loop;
        QObject::connect(manager, &CReaderModuleManager::sQueryModuleInfoFinish, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        manager->QueryModuleInfo(nullptr, false);
        loop.exec();
        for (int i = 0; i < manager->CountAvailableModule(); ++i)
            manager->AddSelModule(manager->GetAvailabletModule(i));
        manager->ModuleCallback("Update List", manager, true);
        return 0;
    };
    // The progress dialog: starts the download, pauses and resumes it once, and
    // hands a downloaded package on as the real one does.
    QStringList relayed;
    QString current;
    dialogs.onFound = [&](CReaderModuleManager *manager) {
        bool paused = false;
        bool ended = false;
        QEventLoop loop;
        QObject::connect(manager, &CReaderModuleManager::sSendDownloadProgress, &loop, [&](QString title, double percent) {
            if (!relayed.contains("download " + title))
                relayed << "download " + title;
            if (!paused && percent > 0 && percent < 100) {
                paused = true;
                current = manager->GetCurDownloadModule() ? QString::fromStdString(manager->GetCurDownloadModule()->name)
                                                          : QString();
                manager->OnDownloadPause();
                QTimer::singleShot(0, manager, [manager] { manager->OnDownloadResume(); });
            }
        });
        QObject::connect(manager, &CReaderModuleManager::sSendInstallProgress, &loop, [&](QString title, int value) {
            relayed << QStringLiteral("install %1 %2").arg(title).arg(value);
            if (value == 100 || value == -1) {
                ended = true;
                loop.quit();
            }
        });
        QObject::connect(manager, &CReaderModuleManager::sSendInstallPkg, &loop, [manager](QString path) {
            manager->GetDownloadWindow()->installHasDownloadUpdates(path);
        });
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        manager->startDownload();
        manager->Download(manager->GetSelModule(0));
        if (!ended)
            loop.exec();
    };

    run({"-updater", "-type", "Update List"});
    EXPECT_EQ(dialogs.calls, (QStringList{"checking", "found Update List 1"}));
    EXPECT_EQ(dialogs.selected, QStringList{"Stamps"});
    EXPECT_EQ(current, QStringLiteral("Stamps"));
    EXPECT_EQ(relayed, (QStringList{"download Stamps title", "install Stamps title 0", "install Stamps title 20",
                                    "install Stamps title 90", "install Stamps title 100"}));

    // The resume asked for the rest only.
    const QList<TestHttpServer::Request> requests = service.requests(QStringLiteral("/pkgs/Stamps.ozip"));
    ASSERT_GE(requests.size(), 2);
    EXPECT_EQ(requests.first().header("Range"), QByteArray("bytes=0-"));
    EXPECT_TRUE(requests.last().header("Range").startsWith("bytes=")) << requests.last().header("Range").toStdString();
    EXPECT_NE(requests.last().header("Range"), QByteArray("bytes=0-"));

    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().displayName, QStringLiteral("Stamps"));
}

} // namespace
