// The whole update road as scripts/demo runs it: the demo update service, a
// reader bundle older than what it offers, the reader's command line for a
// manual check, a user who checks the add-ons, chooses "Download and Install",
// waits for the end and closes, and the receipts the stand-in Installer leaves.

#include "CSetup_CommandLine.h"
#include "DemoService.h"
#include "FakeInstaller.h"
#include "FakeReader.h"
#include "InstallHistory.h"
#include "ModalAnswerer.h"
#include "Sandbox.h"
#include "UpdaterApp.h"

#include <QIcon>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// The rows of an item view as a user reads them: children indented under their
// parents, the cells of a row joined by " | ".
QStringList rowsOf(const QAbstractItemModel *model, const QModelIndex &parent = QModelIndex(), int depth = 0)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(parent); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(parent); ++c)
            cells << model->index(r, c, parent).data().toString();
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        rows << QString(depth * 2, QLatin1Char(' ')) + cells.join(QStringLiteral(" | "));
        rows << rowsOf(model, model->index(r, 0, parent), depth + 1);
    }
    return rows;
}

QModelIndex findRow(const QAbstractItemModel *model, const QString &text)
{
    const QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

bool showsIcon(const QModelIndex &cell, const QString &resource)
{
    const QIcon icon = cell.data(Qt::DecorationRole).value<QIcon>();
    return !icon.isNull() && icon.pixmap(16).toImage() == QIcon(resource).pixmap(16).toImage();
}

class UpdateRoad : public SandboxTest
{
};

TEST_F(UpdateRoad, FromTheCommandLineToTheReceipts)
{
    DemoService service;
    ASSERT_FALSE(service.url().isEmpty());
    sandbox.setEnv("ORBEL_UPDATER_SERVICE_URL", service.url().toUtf8());
    ASSERT_FALSE(installFakeInstaller(sandbox).isEmpty());
    // Installed, and older than offered: both add-ons are offered again.
    ASSERT_TRUE(sandbox.writeFile(sandbox.readerBundle() + QStringLiteral("/Contents/Resources/UpdaterInfo.xml"),
                                  "<updater_info>\n"
                                  "  <component name=\"Signature\" version=\"3.1.0.0\"/>\n"
                                  "  <component name=\"OCR_French\" version=\"1.4.0.0\"/>\n"
                                  "</updater_info>\n"));
    FakeReader reader;
    ASSERT_TRUE(reader.isListening());

    QStringList offered;
    QStringList progress;
    bool successIcons = false;
    ModalAnswerer answerer(QMessageBox::No);
    // The available updates: the add-ons are checked from the keyboard, which
    // leaves the reader update out; then "Download and Install".
    answerer.on(QStringLiteral("DlgUpdatesTree"), [&](QWidget *modal) {
        auto *view = modal->findChild<QTreeView *>(QStringLiteral("treeView_4"));
        auto *download = modal->findChild<QPushButton *>(QStringLiteral("button_download"));
        ASSERT_TRUE(view && view->model() && download);
        offered = rowsOf(view->model());
        view->setCurrentIndex(findRow(view->model(), QStringLiteral("Add-ons")));
        QTest::keyClick(view, Qt::Key_Space);
        QTest::mouseClick(download, Qt::LeftButton);
    });
    // The progress: closed once every row has ended and "Close" is offered. The
    // click comes from an event of its own, as a user's would.
    answerer.onModal([&](QWidget *modal) {
        auto *close = modal->findChild<QPushButton *>(QStringLiteral("btn_close"));
        auto *view = modal->findChild<QTreeView *>(QStringLiteral("treeView"));
        if (modal->objectName() != QLatin1String("dlgfound") || !close || !view
            || close->text() != QLatin1String("Close"))
            return false;
        progress = rowsOf(view->model());
        successIcons = view->model()->rowCount() > 0;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            successIcons = successIcons && showsIcon(view->model()->index(r, 2), QStringLiteral(":/res/popup_success.png"));
        QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
        return true;
    });

    // The reader's command line for a manual check, as the demo gives it.
    const QStringList arguments = {QStringLiteral("-updater"), QStringLiteral("-type"), QStringLiteral("Update List"),
                                   QStringLiteral("-readerpath"), sandbox.readerBundle() + QStringLiteral("/Contents/MacOS"),
                                   QStringLiteral("-version"), QStringLiteral("12.1.0.1234"), QStringLiteral("-readerlang"),
                                   QStringLiteral("en-US"), QStringLiteral("-PackageType"), QStringLiteral("general"),
                                   QStringLiteral("-Edition"), QStringLiteral("Business"), QStringLiteral("-UpdateMode"),
                                   QStringLiteral("1")};
    CSetup_CommandLine commandLine;
    commandLine.ProcessCmdLine(JoinCommandArgumentsForParse(arguments));
    auto app = std::make_unique<UpdaterApp>(&commandLine);
    theApp = app.get();
    app->runUpdate(31, 225);
    EXPECT_FALSE(answerer.gaveUp());
    // The unseen checking window may be over before anyone looks.
    answerer.windows.removeAll(QStringLiteral("DlgUpdateChecking"));
    EXPECT_EQ(answerer.windows.join(' ').toStdString(), "DlgUpdatesTree dlgfound");
    EXPECT_TRUE(app->IsQuitRequested());
    theApp = nullptr;
    app.reset();

    // As the user saw them: sizes in MB of 1024 x 1024 bytes.
    EXPECT_EQ(offered.join('\n').toStdString(), "Orbel PDF Reader Updates\n"
                                                "  Orbel PDF Reader | 1.27MB\n"
                                                "Add-ons\n"
                                                "  Digital Signature | 0.51MB\n"
                                                "  OCR\n"
                                                "    OCR French | 0.76MB");
    EXPECT_EQ(progress.join('\n').toStdString(), "Digital Signature | 0.51MB\n"
                                                 "OCR French | 0.76MB");
    EXPECT_TRUE(successIcons);
    EXPECT_TRUE(answerer.boxTexts.isEmpty()) << answerer.boxTexts.join('\n').toStdString();
    ASSERT_TRUE(reader.waitForWords(1));
    EXPECT_EQ(reader.words(), QStringList{QStringLiteral("close")});

    // Every checked add-on installed, in the order of the list; the reader
    // update, left unchecked, is not even fetched.
    QVector<InstallReceipt> receipts;
    ASSERT_EQ(InstallHistory::read(receipts), InstallHistory::Read);
    QStringList installed;
    for (const InstallReceipt &receipt : receipts)
        installed << receipt.displayName;
    EXPECT_EQ(installed, (QStringList{QStringLiteral("Signature_3.2.0.0"), QStringLiteral("OCR_French_1.5.0.0")}));
    EXPECT_TRUE(service.logged(QStringLiteral("GET /packages/OCR_French_1.5.0.0.ozip -> 200")));
    EXPECT_FALSE(service.logged(QStringLiteral("OrbelPDFReader_12.2.0.5"), 200));
}

} // namespace
