#include "dlgfound.h"

#include "CReaderModuleManager.h"
#include "CSetup_CommandLine.h"
#include "FakeInstaller.h"
#include "InstallHistory.h"
#include "ModalAnswerer.h"
#include "OzipWriter.h"
#include "Sandbox.h"
#include "TestHttpServer.h"
#include "UpdaterApp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QAtomicInt>
#include <QStandardItemModel>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <memory>
#include <gtest/gtest.h>

namespace {

// A package whose one installer the stand-in Installer runs; `fail` makes it fail.
// The padding is random so that the transfer has a middle to pause in.
QByteArray package(const QByteArray &name, bool fail = false)
{
    OzipWriter writer;
    writer.file("Setup.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<setup>\n  <file name=\"" + name
                                 + ".pkg\" parameter=\"\" iscommon=\"false\"/>\n</setup>\n");
    writer.file(name + ".pkg", "installer");
    if (fail)
        writer.file(name + ".pkg.fail", "");
    QByteArray padding(64 * 1024, '\0');
    for (char &c : padding)
        c = char(QRandomGenerator::global()->generate());
    writer.file("padding.bin", padding);
    return writer.bytes();
}

bool sameIcon(const QIcon &icon, const QString &resource)
{
    return !icon.isNull() && icon.pixmap(16, 16).toImage() == QIcon(resource).pixmap(16, 16).toImage();
}

class DlgFound : public SandboxTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", server.urlString(QString()).toUtf8());
        commandLine.reset(new CSetup_CommandLine);
        commandLine->ProcessCmdLine(JoinCommandArgumentsForParse(
            {"-updater", "-type", "Update List", "-version", "12.1.0.3456"}));
        app.reset(new UpdaterApp(commandLine.get()));
        theApp = app.get();
        manager.reset(new CReaderModuleManager(QStringLiteral("Update List")));
        // A package path that never answers: its transfer stays running.
        TestHttpServer::Response silent;
        silent.headerDelayMs = -1;
        server.setResponse(QStringLiteral("/silent.ozip"), silent);
    }

    void TearDown() override
    {
        dialog.reset();
        manager.reset();
        theApp = nullptr;
        app.reset();
    }

    // Selects a new module; its title is the name and its description "about " + name.
    MODULEINFO *select(const QString &name, const QString &size = QStringLiteral("10B"),
                       const QString &urlPath = QStringLiteral("/silent.ozip"))
    {
        MODULEINFO *record = manager->CloneAvailableModuleInfo(manager->AddModule(QStringLiteral("Update List")));
        record->name = name.toStdString();
        record->title = name.toStdString();
        record->description = ("about " + name).toStdString();
        record->module_type = "service";
        record->size = size.toStdString();
        record->url = urlPath.isEmpty() ? std::string() : server.urlString(urlPath).toStdString();
        manager->AddSelModule(record);
        return record;
    }

    // The first answer sends half the body and then falls silent for good; the
    // request that resumes it gets the rest.
    void serveHalfThenRest(const QString &path, const QByteArray &body)
    {
        auto answered = std::make_shared<QAtomicInt>(0);
        server.setHandler(path, [body, answered](const TestHttpServer::Request &) {
            TestHttpServer::Response response;
            response.body = body;
            if (answered->fetchAndAddOrdered(1) == 0) {
                // Slow enough for progress reports, which come at most every tenth of a second.
                response.bytesPerSecond = 64 * 1024;
                response.stallAtByte = body.size() / 2;
            }
            return response;
        });
    }

    void open(const std::string &type = "Update List")
    {
        dialog.reset(new dlgfound(type, false, false, false, false, manager.get()));
        dialog->show();
    }

    QStandardItemModel *model() const
    {
        return qobject_cast<QStandardItemModel *>(dialog->findChild<QTreeView *>(QStringLiteral("treeView"))->model());
    }
    QString cell(int row, int column) const
    {
        QStandardItem *item = model()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    QIcon icon(int row) const { return model()->item(row, 2)->icon(); }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(QLatin1String(name)); }
    QString description() const { return dialog->findChild<QTextEdit *>(QStringLiteral("txt_desc"))->toPlainText(); }

    void clickCell(int row, int column)
    {
        auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        const QRect rect = view->visualRect(model()->index(row, column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    TestHttpServer server;
    std::unique_ptr<CSetup_CommandLine> commandLine;
    std::unique_ptr<UpdaterApp> app;
    std::unique_ptr<CReaderModuleManager> manager;
    std::unique_ptr<dlgfound> dialog;
};

TEST_F(DlgFound, ListsTheSelectionWithSizesAndDescriptions)
{
    const struct
    {
        const char *size;
        const char *shown;
    } sizes[] = {
        {"12345678B", "11.77MB"},
        {"2048", "0.00MB"},
        {"abc", "0.00MB"},
        {"", "0.00MB"},
        {"3221225472B", "3072.00MB"}, // past 2 GiB
        {"5368709120", "5120.00MB"},
    };
    for (int i = 0; i < int(std::size(sizes)); ++i)
        select(QStringLiteral("M%1").arg(i), QLatin1String(sizes[i].size), QString()); // no url: each fails at once
    ModalAnswerer answerer;
    open();

    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Download and Install"));
    EXPECT_EQ(dialog->size(), QSize(680, 571));
    EXPECT_EQ(dialog->findChild<QLabel *>(QStringLiteral("lbl_version"))->text(), QStringLiteral("Version: 12.1.0.3456"));
    const QPixmap title = dialog->findChild<QLabel *>(QStringLiteral("lbl_Img"))->pixmap(Qt::ReturnByValue);
    ASSERT_FALSE(title.isNull());
    EXPECT_EQ(title.size(), QSize(319, 48));
    auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
    EXPECT_EQ(view->columnWidth(0), 220);
    EXPECT_EQ(view->columnWidth(1), 130);
    ASSERT_EQ(model()->columnCount(), 3);
    EXPECT_EQ(model()->horizontalHeaderItem(0)->text(), QStringLiteral("Module Name"));
    EXPECT_EQ(model()->horizontalHeaderItem(1)->text(), QStringLiteral("Size"));
    EXPECT_EQ(model()->horizontalHeaderItem(2)->text(), QStringLiteral("Progress"));

    ASSERT_EQ(model()->rowCount(), int(std::size(sizes)));
    for (int i = 0; i < int(std::size(sizes)); ++i) {
        SCOPED_TRACE(sizes[i].size);
        EXPECT_EQ(cell(i, 0), QStringLiteral("M%1").arg(i));
        EXPECT_EQ(cell(i, 1), QLatin1String(sizes[i].shown));
        // Every download failed: the warning and no text.
        EXPECT_EQ(cell(i, 2), QString());
        EXPECT_TRUE(sameIcon(icon(i), QStringLiteral(":/res/popup_warning.png")));
    }
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Pause"));
    EXPECT_FALSE(button("btn_download")->isEnabled());
    EXPECT_EQ(button("btn_close")->text(), QStringLiteral("Close"));

    // The last listed module's description first; only a name cell changes it.
    EXPECT_EQ(description(), QStringLiteral("about M5"));
    clickCell(1, 0);
    EXPECT_EQ(description(), QStringLiteral("about M1"));
    clickCell(2, 1);
    clickCell(2, 2);
    EXPECT_EQ(description(), QStringLiteral("about M1"));

    // Nothing is running any more: closing asks nothing.
    button("btn_close")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(answerer.boxTexts.isEmpty());
}

TEST_F(DlgFound, AnEmptySelectionOffersOkWhichCloses)
{
    open();
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("OK"));
    EXPECT_TRUE(button("btn_download")->isEnabled());
    EXPECT_FALSE(button("btn_close")->isEnabled());
    button("btn_download")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), int(QDialog::Rejected));
}

TEST_F(DlgFound, AComponentRequestWithoutSelectionQueriesOnTheMainThread)
{
    server.setFile(QStringLiteral("/addons/get_addons.php"),
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<addons>\n</addons>\n");
    QThread *queryThread = nullptr;
    auto ended = [&] { queryThread = QThread::currentThread(); };
    QObject::connect(manager.get(), &CReaderModuleManager::sQueryModuleInfoFinish, ended);
    QObject::connect(manager.get(), &CReaderModuleManager::sErrorFinish, ended);
    QObject::connect(manager.get(), &CReaderModuleManager::sErrorNetwork, ended);
    open("OCR_ru_ru");
    EXPECT_FALSE(button("btn_download")->isEnabled());
    EXPECT_EQ(model()->rowCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return queryThread != nullptr; }, 10000));
    EXPECT_EQ(queryThread, qApp->thread());
    EXPECT_EQ(server.requests(QStringLiteral("/addons/get_addons.php")).size(), 1);
}

TEST_F(DlgFound, DownloadsPausesContinuesWithARangeAndInstalls)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    const QByteArray good = package("Good");
    const QByteArray bad = package("Bad", true);
    serveHalfThenRest(QStringLiteral("/Good.ozip"), good);
    server.setFile(QStringLiteral("/Bad.ozip"), bad);
    select(QStringLiteral("Good"), QStringLiteral("%1B").arg(good.size()), QStringLiteral("/Good.ozip"));
    select(QStringLiteral("Bad"), QStringLiteral("%1B").arg(bad.size()), QStringLiteral("/Bad.ozip"));

    open();
    EXPECT_EQ(cell(0, 2), QStringLiteral("Downloading"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("Waiting"));
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Pause"));

    QStringList seen[2];
    QObject::connect(model(), &QStandardItemModel::dataChanged, [&](const QModelIndex &index) {
        if (index.column() == 2)
            seen[index.row()] << index.data().toString();
    });

    ASSERT_TRUE(QTest::qWaitFor([&] { return cell(0, 2).startsWith(QStringLiteral("Download ")); }, 10000))
        << cell(0, 2).toStdString();
    EXPECT_TRUE(cell(0, 2).endsWith(QLatin1Char('%')));
    EXPECT_NE(cell(0, 2), QStringLiteral("Download 100%"));
    ASSERT_TRUE(button("btn_download")->isEnabled());

    button("btn_download")->click();
    EXPECT_EQ(cell(0, 2), QStringLiteral("Suspended"));
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Continue"));

    button("btn_download")->click();
    EXPECT_EQ(cell(0, 2), QStringLiteral("Downloading"));
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Pause"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests(QStringLiteral("/Good.ozip")).size() == 2; }, 10000));
    const QByteArray range = server.requests(QStringLiteral("/Good.ozip")).at(1).header("Range");
    EXPECT_TRUE(range.startsWith("bytes=")) << range.constData();
    EXPECT_GT(range.mid(6).split('-').first().toLongLong(), 0) << range.constData();

    ASSERT_TRUE(QTest::qWaitFor([&] { return button("btn_close")->text() == QStringLiteral("Close"); }, 20000));
    EXPECT_EQ(cell(0, 2), QString());
    EXPECT_TRUE(sameIcon(icon(0), QStringLiteral(":/res/popup_success.png")));
    EXPECT_EQ(cell(1, 2), QString());
    EXPECT_TRUE(sameIcon(icon(1), QStringLiteral(":/res/popup_warning.png")));
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Pause"));
    EXPECT_FALSE(button("btn_download")->isEnabled());
    EXPECT_TRUE(seen[0].contains(QStringLiteral("Download 100%")));
    for (const char *text : {"Install 0%", "Install 20%", "Install 90%"})
        EXPECT_TRUE(seen[0].contains(QLatin1String(text))) << text;
    EXPECT_TRUE(seen[1].contains(QStringLiteral("Install 20%")));

    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().displayName, QStringLiteral("Good"));
}

TEST_F(DlgFound, QuittingAsksAndAConfirmedQuitStopsTheTransfer)
{
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    enum Way { CancelButton, CloseEvent, Escape };
    const struct
    {
        Way way;
        QMessageBox::StandardButton answer;
    } cases[] = {
        {CancelButton, QMessageBox::Yes}, {CancelButton, QMessageBox::No}, {CloseEvent, QMessageBox::Yes},
        {CloseEvent, QMessageBox::No},    {Escape, QMessageBox::Yes},      {Escape, QMessageBox::No},
    };
    const QByteArray good = package("Good");
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.way) * 10 + (c.answer == QMessageBox::Yes));
        serveHalfThenRest(QStringLiteral("/Good.ozip"), good);
        dialog.reset();
        // A package already downloaded in full would be installed without a transfer.
        QFile::remove(UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/Good.ozip"));
        manager.reset(new CReaderModuleManager(QStringLiteral("Update List")));
        select(QStringLiteral("Good"), QStringLiteral("%1B").arg(good.size()), QStringLiteral("/Good.ozip"));
        open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return cell(0, 2).startsWith(QStringLiteral("Download ")); }, 10000));
        ASSERT_EQ(server.openConnections(), 1);
        ASSERT_TRUE(button("btn_download")->isEnabled());

        ModalAnswerer answerer(c.answer);
        switch (c.way) {
        case CancelButton: button("btn_close")->click(); break;
        case CloseEvent: dialog->close(); break;
        case Escape: QTest::keyClick(dialog.get(), Qt::Key_Escape); break;
        }
        ASSERT_EQ(answerer.boxTexts.size(), 1);
        EXPECT_EQ(answerer.boxTitles.first(), QStringLiteral("Orbel PDF Reader Updater"));
        EXPECT_EQ(answerer.boxTexts.first(), QStringLiteral("Orbel PDF Reader is downloading the latest Orbel PDF "
                                                            "Reader version now, are you sure you want to quit?"));
        if (c.answer == QMessageBox::Yes) {
            EXPECT_FALSE(dialog->isVisible());
            // The transfer was let go, not left hanging behind a window that is gone,
            // and nothing of the package stays.
            EXPECT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 0; }, 10000));
            EXPECT_FALSE(QFileInfo::exists(UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/Good.ozip")));
        } else {
            EXPECT_TRUE(dialog->isVisible());
            // Still running: pausing and continuing brings the rest.
            button("btn_download")->click();
            button("btn_download")->click();
            ASSERT_TRUE(QTest::qWaitFor([&] { return button("btn_close")->text() == QStringLiteral("Close"); }, 20000));
            EXPECT_TRUE(sameIcon(icon(0), QStringLiteral(":/res/popup_success.png")));
            // Every row has ended: nothing is downloading any more, so neither
            // way out asks.
            if (c.way == Escape)
                QTest::keyClick(dialog.get(), Qt::Key_Escape);
            else
                button("btn_close")->click();
            EXPECT_EQ(answerer.boxTexts.size(), 1);
            EXPECT_FALSE(dialog->isVisible());
        }
    }
}

// Unpacking runs beside the window: a click during a long unpack is handled at
// once, and the quit it asks for stops the unpack and leaves nothing of it.
TEST_F(DlgFound, AClickDuringALongUnpackIsHandledAtOnce)
{
    sandbox.setEnv("ORBEL_UPDATER_WAITS", "ShortDelay=30");
    manager.reset(new CReaderModuleManager(QStringLiteral("Update List")));  // its window takes the wait
    // Already downloaded in full: 64 GiB of zeros (sparse) whose check alone outlasts the test.
    const qint64 body = qint64(64) << 30;
    const QString downloads = UpdaterApp::GetAppDateRootPath() + QStringLiteral("updater/");
    ASSERT_TRUE(QDir().mkpath(downloads));
    ASSERT_TRUE(OzipWriter::writeHollow(downloads + QStringLiteral("Hollow.ozip"), body));
    select(QStringLiteral("Hollow"), QStringLiteral("%1B").arg(body + OzipWriter::HeaderSize),
           QStringLiteral("/Hollow.ozip"));
    const QDir uncompress(downloads + QStringLiteral("uncompress"));
    auto unpackFolders = [&] { return uncompress.entryList(QDir::Dirs | QDir::NoDotAndDotDot); };

    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !unpackFolders().isEmpty(); }, 10000));
    // The unpack has begun and goes on while the window answers.
    EXPECT_EQ(cell(0, 2), QStringLiteral("Install 0%"));

    ModalAnswerer answerer(QMessageBox::Yes);
    QElapsedTimer handled;
    handled.start();
    QTimer::singleShot(0, button("btn_close"), &QPushButton::click);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 10000));
    EXPECT_LT(handled.elapsed(), 1000);
    EXPECT_TRUE(unpackFolders().isEmpty());
    EXPECT_EQ(cell(0, 2), QStringLiteral("Install 0%"));
}

// Escape asks while anything is left to download or install, even with the
// download button disabled during an installation; once every row has ended, or
// when there was nothing to do ("OK"), it closes without a question.
TEST_F(DlgFound, EscapeAsksOnlyWhileWorkIsLeft)
{
    select(QStringLiteral("First"));
    select(QStringLiteral("Second"));
    open();
    ModalAnswerer answerer(QMessageBox::No);
    const struct
    {
        const char *title;
        int progress;
        bool asks;
    } steps[] = {
        {"First", 100, true},  // the second still waits
        {"Second", 20, true},  // installing, the download button disabled
        {"Second", -1, false}, // every row has ended
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.title + QString::number(step.progress).toStdString());
        const int asked = answerer.boxTexts.size();
        dialog->showInstallProgress(QString::fromLatin1(step.title), step.progress);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_EQ(answerer.boxTexts.size(), asked + (step.asks ? 1 : 0));
        EXPECT_EQ(dialog->isVisible(), step.asks);
    }

    dialog.reset();
    manager.reset(new CReaderModuleManager(QStringLiteral("Update List")));
    open();
    ASSERT_EQ(button("btn_download")->text(), QStringLiteral("OK"));
    const int asked = answerer.boxTexts.size();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(answerer.boxTexts.size(), asked);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DlgFound, RowsAreFoundByModuleWhenOnlyForcedModulesAreListed)
{
    theApp->SetForcedUpgrade(true);
    MODULEINFO *optional = select(QStringLiteral("Optional"));
    MODULEINFO *forced = select(QStringLiteral("Forced"));
    forced->forcedUpgrade = true;
    open();
    ASSERT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("Forced"));
    // The first selected module has no row: no other row is taken for it.
    EXPECT_EQ(manager->GetCurDownloadModule(), optional);
    EXPECT_EQ(cell(0, 2), QStringLiteral("Waiting"));
    button("btn_download")->click();
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Continue"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("Waiting"));
    button("btn_download")->click();
    EXPECT_EQ(button("btn_download")->text(), QStringLiteral("Continue"));

    // The listed module, second in the selection, is found by itself.
    manager->SetCurDownloadModuleInfo(forced);
    manager->getDownProgress(QStringLiteral("Forced"), 40.0);
    EXPECT_EQ(cell(0, 2), QStringLiteral("Download 40%"));
    button("btn_download")->click();
    EXPECT_EQ(cell(0, 2), QStringLiteral("Suspended"));
}

// The pause and continue steps leave a row alone once its installation began,
// with and without a translation that words the texts its own way.
class DlgFoundPhase : public DlgFound, public ::testing::WithParamInterface<bool>
{
};

TEST_P(DlgFoundPhase, PauseAndContinueFollowTheRowPhase)
{
    const bool translated = GetParam();
    QTranslator translator;
    if (translated) {
        ASSERT_TRUE(translator.load(QStringLiteral(ORBEL_TEST_QM)));
        qApp->installTranslator(&translator);
    }
    auto text = [translated](const char *english, const char *german) {
        return QString::fromUtf8(translated ? german : english);
    };

    MODULEINFO *module = select(QStringLiteral("Mod"), QStringLiteral("12345678B"));
    open();
    EXPECT_EQ(cell(0, 1), text("11.77MB", "11.77 MB"));
    EXPECT_EQ(cell(0, 2), text("Downloading", "Wird geladen"));
    EXPECT_EQ(manager->GetCurDownloadModule(), module);

    manager->getDownProgress(QStringLiteral("Mod"), 99.9);
    EXPECT_EQ(cell(0, 2), text("Download 99%", "Geladen: 99 %"));
    EXPECT_TRUE(button("btn_download")->isEnabled());
    button("btn_download")->click();
    EXPECT_EQ(cell(0, 2), text("Suspended", "Angehalten"));
    EXPECT_EQ(button("btn_download")->text(), text("Continue", "Fortsetzen"));
    button("btn_download")->click();
    EXPECT_EQ(cell(0, 2), text("Downloading", "Wird geladen"));
    EXPECT_EQ(button("btn_download")->text(), text("Pause", "Anhalten"));

    manager->setInstallProgress(QStringLiteral("Mod"), 20);
    EXPECT_EQ(cell(0, 2), text("Install 20%", "Installation: 20 %"));
    EXPECT_FALSE(button("btn_download")->isEnabled());
    dialog->OnDownload();
    EXPECT_EQ(button("btn_download")->text(), text("Continue", "Fortsetzen"));
    EXPECT_EQ(cell(0, 2), text("Install 20%", "Installation: 20 %"));
    dialog->OnDownload();
    EXPECT_EQ(button("btn_download")->text(), text("Continue", "Fortsetzen"));
    EXPECT_EQ(cell(0, 2), text("Install 20%", "Installation: 20 %"));

    manager->setInstallProgress(QStringLiteral("Mod"), 100);
    EXPECT_EQ(cell(0, 2), QString());
    EXPECT_TRUE(sameIcon(icon(0), QStringLiteral(":/res/popup_success.png")));
    EXPECT_EQ(button("btn_download")->text(), text("Pause", "Anhalten"));
    EXPECT_EQ(button("btn_close")->text(), text("Close", "Schließen"));

    if (translated)
        qApp->removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(Languages, DlgFoundPhase, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "Translated" : "English";
                         });

} // namespace
