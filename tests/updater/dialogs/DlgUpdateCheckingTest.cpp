// The update check as the run uses it: each outcome of the query, the word the
// reader is told, and what the check leaves to the run.

#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "DlgUpdateChecking.h"
#include "FakeReader.h"
#include "../check/ModuleCheckFixture.h" // readable QStrings in failures
#include "ModalAnswerer.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdateDialogs.h"
#include "UpdaterApp.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

const char kReplyPath[] = "/addons/get_addons.php";

using modulecheck::replyOffering;

QByteArray addon(const QByteArray &name, const QByteArray &extra = QByteArray())
{
    return "  <addon name=\"" + name + "\" title=\"" + name + " title\" version=\"2.0\" result=\"true\" "
           "module_type=\"basic\" size=\"10B\" url=\"http://127.0.0.1:1/" + name + ".ozip\" " + extra + "/>\n";
}

const QString kCannotConnect = QStringLiteral("Cannot connect to the server. Please check your network connection.");
const QString kSureToCancel = QStringLiteral("Are you sure you want to cancel the installation?");

void clickButton(QWidget *window, const char *name)
{
    if (QPushButton *button = window->findChild<QPushButton *>(QLatin1String(name)))
        button->click();
}

// The real checking dialog and tree; the download-and-install dialog only notes
// what it would have worked on.
class CheckDialogs : public UpdateDialogs
{
public:
    explicit CheckDialogs(UpdateDialogs &builtIn)
        : m_builtIn(builtIn)
    {
    }
    int execUpdateChecking(CReaderModuleManager *manager) override { return m_builtIn.execUpdateChecking(manager); }
    int execComponentFound(ComponentInfo &) override { return 0; }
    void execFound(const std::string &, bool, bool, bool, bool, CReaderModuleManager *manager) override
    {
        for (int i = 0; i < manager->CountSelModules(); ++i)
            found << QString::fromStdString(manager->GetSelModule(i)->name);
    }
    QStringList found;

private:
    UpdateDialogs &m_builtIn;
};

class UpdateCheck : public SandboxTest
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
        manager.reset();
        theApp = nullptr;
        app.reset();
    }

    void makeApp(const char *type, const QString &version = QStringLiteral("12.0.0.1"))
    {
        makeApp({"-updater", "-type", QString::fromLatin1(type), "-version", version});
    }

    void makeApp(const QStringList &arguments)
    {
        theApp = nullptr;
        app.reset();
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
    }

    // Words the reader received, once no further one comes.
    static QStringList settledWords(const FakeReader &reader, int expected)
    {
        reader.waitForWords(expected);
        reader.waitForWords(expected + 1, 100);
        return reader.words();
    }

    TestHttpServer service;
    CheckDialogs dialogs{UpdateDialogs::current()};
    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
    std::unique_ptr<CReaderModuleManager> manager;
};

TEST_F(UpdateCheck, EachOutcomeOfTheRunTellsTheReaderOneWord)
{
    TestHttpServer::Response dropped;
    dropped.dropBeforeHeaders = true;
    // Servers that build the reply as they go send it without a length.
    TestHttpServer::Response unmeasured;
    unmeasured.body = replyOffering(addon("Stamps", "autoCheck=\"true\""));
    unmeasured.sendContentLength = false;
    TestHttpServer::Response chunked = unmeasured;
    chunked.chunked = true;
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    auto serve = [&](const QByteArray &body) { service.setFile(kReplyPath, body); };

    const struct
    {
        const char *name;
        std::function<void()> serve;
        const char *listWord;   // what an "Update List" run reports (null: nothing)
        bool ended;             // the check dealt with its outcome itself
        QStringList boxes;      // message boxes shown
        bool tree;              // the available updates were shown
    } cases[] = {
        {"modules offered", [&] { serve(replyOffering(addon("Stamps", "autoCheck=\"true\""))); }, "close", true,
         {kSureToCancel}, true},
        {"nothing to offer", [&] { serve(replyOffering("")); }, "update finished", true, {}, false},
        {"only silent installs",
         [&] { serve(replyOffering(addon("Fonts", "SilentInstall=\"true\" autoCheck=\"true\""))); },
         "update finished", true, {}, false},
        {"unreadable reply", [&] { serve("502 Bad Gateway"); }, "errornetwork", true, {}, false},
        // A refused connection is both a network error and a failed reply download.
        {"network error", [&] { service.setResponse(kReplyPath, dropped); }, "errornetwork", true, {kCannotConnect},
         false},
        {"reply ended by closing the connection", [&] { service.setResponse(kReplyPath, unmeasured); }, "close",
         true, {kSureToCancel}, true},
        {"reply in chunks", [&] { service.setResponse(kReplyPath, chunked); }, "close", true, {kSureToCancel}, true},
        {"cancel", [&] { service.setResponse(kReplyPath, silent); }, nullptr, false, {}, false},
    };
    for (const auto &c : cases) {
        for (const char *type : {"Update List", "Auto Updater"}) {
            SCOPED_TRACE(std::string(c.name) + " / " + type);
            c.serve();
            FakeReader reader;
            ASSERT_TRUE(reader.isListening());
            ModalAnswerer answerer;
            answerer.on("DlgUpdateChecking", [&](QWidget *w) {
                if (QLatin1String(c.name) == QLatin1String("cancel"))
                    clickButton(w, "cancelButton");
            });
            answerer.on("DlgUpdatesTree", [](QWidget *w) { clickButton(w, "button_cancel"); });
            answerer.answerBoxes({QMessageBox::Yes});

            makeApp(type);
            app->runUpdateVisible(31, 225);

            const bool reports = c.listWord && QLatin1String(type) == QLatin1String("Update List");
            EXPECT_EQ(settledWords(reader, reports ? 1 : 0),
                      reports ? QStringList{QString::fromLatin1(c.listWord)} : QStringList());
            EXPECT_EQ(app->IsCheckEnded(), c.ended);
            if (QLatin1String(c.name) == QLatin1String("network error") && answerer.boxTexts.isEmpty()) {
                // The network error ends the check at once; the reply's failed download, which
                // brings the manager's warning, may arrive only after the run has released the
                // manager, and then no warning is shown. Either way the reader hears one word.
            } else {
                EXPECT_EQ(answerer.boxTexts, c.boxes);
            }
            EXPECT_EQ(answerer.windows.contains("DlgUpdatesTree"), c.tree);
            EXPECT_FALSE(answerer.gaveUp());
            EXPECT_TRUE(app->IsQuitRequested());
            EXPECT_TRUE(dialogs.found.isEmpty());
        }
    }
}

TEST_F(UpdateCheck, DownloadAndInstallHandsTheCheckedModulesOn)
{
    service.setFile(kReplyPath, replyOffering(addon("Stamps") + addon("Comments")));
    FakeReader reader;
    ModalAnswerer answerer;
    answerer.on("DlgUpdatesTree", [](QWidget *w) {
        QStandardItemModel *model = w->findChild<QStandardItemModel *>();
        if (model)
            model->item(0)->setCheckState(Qt::Checked); // "Add-ons" and so every add-on
        clickButton(w, "button_download");
    });
    makeApp("Update List");
    app->runUpdateVisible(31, 225);
    EXPECT_EQ(dialogs.found, (QStringList{"Comments", "Stamps"}));
    EXPECT_EQ(settledWords(reader, 1), QStringList{"close"});
    EXPECT_TRUE(answerer.boxTexts.isEmpty());
}

TEST_F(UpdateCheck, LeavingTheTreeWithEscapeEndsTheRunToo)
{
    service.setFile(kReplyPath, replyOffering(addon("Stamps")));
    FakeReader reader;
    ModalAnswerer answerer;
    answerer.on("DlgUpdatesTree", [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    answerer.answerBoxes({QMessageBox::Yes});
    makeApp("Update List");
    app->runUpdateVisible(31, 225);
    // The checking window is never seen: it must not stay behind as an endless modal loop.
    EXPECT_FALSE(answerer.gaveUp());
    EXPECT_EQ(answerer.boxTexts, QStringList{kSureToCancel});
    EXPECT_EQ(settledWords(reader, 1), QStringList{"close"});
    EXPECT_TRUE(dialogs.found.isEmpty());
}

TEST_F(UpdateCheck, TheCheckingWindowIsALabelABarAndCancel)
{
    makeApp("Update List");
    DlgUpdateChecking dialog(QStringLiteral("Update List"));
    EXPECT_EQ(dialog.objectName(), QStringLiteral("DlgUpdateChecking"));
    EXPECT_EQ(dialog.size(), QSize(400, 91));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Orbel Updater"));
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_EQ(dialog.findChild<QLabel *>(QStringLiteral("label"))->text(), QStringLiteral("Checking for updates..."));
    QProgressBar *bar = dialog.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(bar->isTextVisible());
    EXPECT_EQ(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton"))->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(dialog.m_nState, -1);
    EXPECT_FALSE(dialog.m_bShowMessage);
    // Without a manager there is nothing to start.
    dialog.startUpdateCheck();
    EXPECT_TRUE(service.requests().isEmpty());
}

// The check run directly, as the run makes it, with its time-out under the test's control.
class CheckingDialog : public UpdateCheck
{
protected:
    int check(int timeoutMs)
    {
        manager.reset(new CReaderModuleManager(QString::fromStdString(commandLine->GetUpdaterType())));
        DlgUpdateChecking dialog(QStringLiteral("Update List"), nullptr);
        dialog.m_bShowMessage = showMessage;
        dialog.setModuleManager(manager.get());
        dialog.startUpdateCheck();
        dialog.startTimer(timeoutMs);
        dialog.setAttribute(Qt::WA_DontShowOnScreen);
        EXPECT_EQ(dialog.exec(), int(QDialog::Rejected));
        return dialog.m_nState;
    }

    bool showMessage = false;
};

TEST_F(CheckingDialog, ATimeOutReportsEvenForAutomaticRunsAndALateAnswerIsIgnored)
{
    TestHttpServer::Response late;
    late.body = replyOffering(addon("Stamps"));
    late.headerDelayMs = 1500;
    service.setResponse(kReplyPath, late);
    for (const char *type : {"Update List", "Auto Updater"}) {
        SCOPED_TRACE(type);
        FakeReader reader;
        ModalAnswerer answerer;
        makeApp(type);
        EXPECT_EQ(check(100), -1);
        EXPECT_TRUE(app->IsCheckEnded());

        // The answer still comes, and nothing follows from it.
        QEventLoop loop;
        bool answered = false;
        QObject::connect(manager.get(), &CReaderModuleManager::sQueryModuleInfoFinish, &loop, [&] {
            answered = true;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_TRUE(answered);
        EXPECT_EQ(settledWords(reader, 1), QStringList{"errornetwork"});
        EXPECT_FALSE(answerer.windows.contains("DlgUpdatesTree"));
    }

    // Shown instead of reported.
    FakeReader reader;
    ModalAnswerer answerer;
    answerer.on("DlgMessage", [](QWidget *w) { clickButton(w, "pushButton_ok"); });
    showMessage = true;
    makeApp("Update List");
    EXPECT_EQ(check(100), -1);
    EXPECT_TRUE(answerer.windows.contains("DlgMessage"));
    EXPECT_TRUE(settledWords(reader, 0).isEmpty());
}

TEST_F(CheckingDialog, ATimeOutShownInABoxSpeaksTheUserLanguage)
{
    TestHttpServer::Response silent;
    silent.headerDelayMs = -1;
    service.setResponse(kReplyPath, silent);
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral(ORBEL_TEST_QM)));
    qApp->installTranslator(&translator);
    QString shown;
    ModalAnswerer answerer;
    answerer.on("DlgMessage", [&](QWidget *w) {
        shown = w->findChild<QLabel *>(QStringLiteral("label"))->text();
        clickButton(w, "pushButton_ok");
    });
    showMessage = true;
    makeApp("Update List");
    EXPECT_EQ(check(100), -1);
    qApp->removeTranslator(&translator);
    EXPECT_EQ(shown, QStringLiteral("Keine Verbindung zum Server. Bitte das Netzwerk prüfen."));
}

TEST_F(CheckingDialog, AStalledReplyReportsOnceForListRunsOnly)
{
    // Only the transfer's stall watchdog is meant to run out.
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "TransferStall=700");
    TestHttpServer::Response stalled;
    stalled.body = replyOffering(addon("Stamps"));
    stalled.stallAtByte = 10;
    service.setResponse(kReplyPath, stalled);
    for (const char *type : {"Update List", "Auto Updater"}) {
        SCOPED_TRACE(type);
        FakeReader reader;
        ModalAnswerer answerer;
        makeApp(type);
        EXPECT_EQ(check(60000), -1);
        EXPECT_EQ(answerer.boxTexts, QStringList{kCannotConnect});
        const bool list = QLatin1String(type) == QLatin1String("Update List");
        EXPECT_EQ(settledWords(reader, list ? 1 : 0), list ? QStringList{"errornetwork"} : QStringList());
    }
}

TEST_F(CheckingDialog, MajorVersionComparesFourFieldsFirstDifferenceDeciding)
{
    const struct
    {
        const char *module;
        const char *reader;
        bool newer;
    } cases[] = {
        {"11.0.0.1", "10.9.9.9", true},
        {"10.1.0.0", "10.1.0.0", false},
        {"10.1.1", "10.1.0.9", true},   // read as 10.1.1.1
        {"10.2", "10.2.2.3", false},    // read as 10.2.2.2
        {"9.9.9.9", "10.0.0.0", false},
        {"x.1", "0.0.0.0", true},       // a field that is no number reads 0
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.module);
        // A run that asks for nothing still copies the reader version, as every run
        // does before the dialog exists.
        makeApp({"-version", QString::fromLatin1(c.reader)});
        app->runUpdateVisible(31, 225);
        DlgUpdateChecking dialog(QStringLiteral("Update List"));
        EXPECT_EQ(dialog.CheckMajorVersionUpgrade(c.module), c.newer);
    }
}

} // namespace
