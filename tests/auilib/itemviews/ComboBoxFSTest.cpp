#include "ComboBoxFS.h"

#include "ComboBoxFSQt.h"
#include "DialogForms.h"
#include "ObTagMRUComboBoxItem_Qt.h"
#include "Sandbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

// Answers the folder dialog once it is up: with a folder, or cancelled for an
// empty one. A dialog still open after the deadline is cancelled, so a faulty
// test fails instead of hanging.
class FolderDialogAnswer
{
public:
    explicit FolderDialogAnswer(QString folder)
        : m_folder(std::move(folder))
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(5);
    }

    int shown = 0;
    QString caption;
    QString startFolder;

private:
    void poll()
    {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            ++shown;
            caption = dialog->windowTitle();
            startFolder = dialog->directory().absolutePath();
            if (m_folder.isEmpty()) {
                dialog->reject();
            } else {
                dialog->setDirectory(m_folder);
                QMetaObject::invokeMethod(dialog, "accept");
            }
            return;
        }
        if (dialog && m_clock.elapsed() > 10000)
            dialog->reject();
    }

    QString m_folder;
    QElapsedTimer m_clock;
    QTimer m_timer;
};

// A shown folder combo box in a sandbox whose home has some of the standard folders.
class ComboBoxFSFixture : public SandboxTest
{
protected:
    void SetUp() override
    {
        for (const char *name : {"Documents", "Desktop", "Downloads"})
            QDir().mkpath(home(name));
        baseRecords = ObTagMRUComboBoxItem_Qt::LiveCount();
        window = std::make_unique<QWidget>();
        window->resize(400, 200);
        combo = std::make_unique<ComboBoxFS>();
        combo->Create(window.get());
        widget()->setGeometry(10, 10, 200, 28);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        combo->OnSelectionChanged.Subscribe([this](int i) { log.push_back("selection:" + std::to_string(i)); });
        combo->OnItemActivated.Subscribe([this](int i) { log.push_back("activated:" + std::to_string(i)); });
    }

    QString home(const QString &name = QString()) const
    {
        return name.isEmpty() ? sandbox.home() : sandbox.home() + QLatin1Char('/') + name;
    }
    static QString canonical(const QString &path) { return QFileInfo(path).canonicalFilePath(); }
    ComboBoxFSQt *widget() const { return static_cast<ComboBoxFSQt *>(combo->GetPlatformHandle()); }
    int browseRow() const { return widget()->findText(ComboBoxFSQt::BrowseText()); }

    ComboBoxFS::FSData row(int index)
    {
        ComboBoxFS::FSData data;
        EXPECT_TRUE(combo->GetSearchFolderItem(data, index)) << index;
        return data;
    }

    // From the row above it, chooses the browse row with the keyboard, as the
    // user does, and answers the folder dialog with `folder` (an empty one cancels).
    void browseFor(const QString &folder)
    {
        combo->SetCurSel(browseRow() - 1);
        log.clear();
        FolderDialogAnswer answer(folder);
        QTest::keyClick(widget(), Qt::Key_Down);
        EXPECT_EQ(answer.shown, 1);
        EXPECT_EQ(answer.caption, "Select the folder you want to search.");
        EXPECT_EQ(answer.startFolder, home());
    }

    int baseRecords = 0;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<ComboBoxFS> combo;
    std::vector<std::string> log;
};

} // namespace

TEST_F(ComboBoxFSFixture, OffersTheStandardFoldersAndBrowsing)
{
    EXPECT_EQ(combo->GetControlKind(), ControlKindComboBoxFS);
    EXPECT_STREQ(widget()->metaObject()->className(), "AUILib::ComboBoxFSQt");
    EXPECT_EQ(combo->GetParentWindow(), window.get());
    EXPECT_EQ(combo->Count(), 0);

    combo->InitComboBoxFS();
    ASSERT_EQ(combo->Count(), 7);
    EXPECT_EQ(browseRow(), 6) << "the browse row is last";
    EXPECT_EQ(widget()->currentIndex(), 0);
    ComboBoxFS::FSData current;
    ASSERT_TRUE(combo->GetCurSearchFolderItem(current));
    EXPECT_EQ(current.type, ComboBoxFS::ItemTypeStandardFolder);
    EXPECT_EQ(current.number, 0);
    EXPECT_EQ(QString::fromStdWString(current.folderPath), canonical(home("Documents")));
    EXPECT_EQ(QString::fromStdWString(current.secondText), QStandardPaths::displayName(QStandardPaths::DocumentsLocation));
    EXPECT_EQ(widget()->itemText(0), QStandardPaths::displayName(QStandardPaths::DocumentsLocation));
    EXPECT_FALSE(widget()->itemIcon(0).isNull());
    // Pictures, music and movies do not exist here: listed without a path or icon.
    for (int r = 3; r < 6; ++r) {
        SCOPED_TRACE(r);
        EXPECT_TRUE(row(r).folderPath.empty());
        EXPECT_TRUE(widget()->itemIcon(r).isNull());
    }
    const ComboBoxFS::FSData browse = row(6);
    EXPECT_EQ(browse.type, ComboBoxFS::ItemTypeBrowse);
    EXPECT_EQ(QString::fromStdWString(browse.folderPath), ComboBoxFSQt::BrowseText());
    EXPECT_TRUE(widget()->itemIcon(6).isNull());
    EXPECT_EQ(ObTagMRUComboBoxItem_Qt::LiveCount(), baseRecords + 7);

    // A new fill drops the old rows with their records.
    combo->AddSearchFolderItem(L"extra", ComboBoxFS::ItemTypePickedFolder, 1, home().toStdWString(), L"extra");
    combo->InitComboBoxFS();
    EXPECT_EQ(combo->Count(), 7);
    EXPECT_EQ(ObTagMRUComboBoxItem_Qt::LiveCount(), baseRecords + 7);
    combo->UpdateCustomColors();
}

TEST_F(ComboBoxFSFixture, BrowsingListsANewFolderOnceAndFindsListedOnesByPath)
{
    combo->InitComboBoxFS();
    const QString picked = home("Work");
    QDir().mkpath(picked);
    QDir().mkpath(home("documents")); // another folder on a case-sensitive system

    browseFor(picked);
    ASSERT_EQ(combo->Count(), 8);
    EXPECT_EQ(widget()->currentIndex(), 7) << "picked folders follow the browse row";
    EXPECT_EQ(log, (std::vector<std::string>{"selection:6", "selection:7", "activated:7"}));
    const ComboBoxFS::FSData added = row(7);
    EXPECT_EQ(added.type, ComboBoxFS::ItemTypePickedFolder);
    EXPECT_EQ(added.number, 1);
    EXPECT_EQ(QString::fromStdWString(added.folderPath), canonical(picked));
    EXPECT_EQ(QString::fromStdWString(added.secondText), canonical(picked));
    EXPECT_EQ(widget()->itemText(7), canonical(picked));
    EXPECT_EQ(window->focusWidget(), widget());

    struct Case {
        const char *name;
        QString folder;
        int current;
    } cases[] = {
        {"the same folder again", picked, 7},
        {"a standard folder, spelt otherwise", home("Desktop/../Documents/"), 0},
        {"a listed folder through a link", home("link-to-downloads"), 2},
    };
    ASSERT_TRUE(QFile::link(home("Downloads"), home("link-to-downloads")));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        browseFor(c.folder);
        EXPECT_EQ(combo->Count(), 8);
        EXPECT_EQ(widget()->currentIndex(), c.current);
        EXPECT_EQ(log.back(), "activated:" + std::to_string(c.current));
    }
    // Letter case tells folders apart here.
    browseFor(home("documents"));
    EXPECT_EQ(combo->Count(), 9);
    EXPECT_EQ(widget()->currentIndex(), 8);
}

TEST_F(ComboBoxFSFixture, ACancelledChoiceGoesBackToTheRowBefore)
{
    combo->InitComboBoxFS();
    browseFor(QString());
    EXPECT_EQ(widget()->currentIndex(), 5);
    EXPECT_EQ(combo->Count(), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"selection:6", "selection:5", "activated:5"}));

    // Before any choice the restore row is the first.
    ComboBoxFS fresh;
    fresh.Create(window.get());
    fresh.AddSearchFolderItem(L"a", ComboBoxFS::ItemTypeStandardFolder, 0, home().toStdWString(), L"a");
    const std::wstring browse = ComboBoxFSQt::BrowseText().toStdWString();
    fresh.AddSearchFolderItem(browse, ComboBoxFS::ItemTypeBrowse, 0, browse, browse);
    auto *freshWidget = static_cast<ComboBoxFSQt *>(fresh.GetPlatformHandle());
    fresh.SetCurSel(1);
    FolderDialogAnswer answer{QString()};
    emit freshWidget->activated(1);
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(freshWidget->currentIndex(), 0);
}

TEST_F(ComboBoxFSFixture, ChoosingAnOrdinaryRowReportsSelectionThenActivation)
{
    combo->InitComboBoxFS();
    log.clear();
    QTest::keyClick(widget(), Qt::Key_Down);
    EXPECT_EQ(log, (std::vector<std::string>{"selection:1", "activated:1"}));
    log.clear();
    combo->SetCurSel(-1);
    emit widget()->activated(0);
    EXPECT_EQ(log, (std::vector<std::string>{"selection:-1"})) << "no current row: no activation";
}

TEST_F(ComboBoxFSFixture, APressDropsRowsWhoseFolderIsGone)
{
    combo->InitComboBoxFS();
    const QString kept = home("Kept");
    const QString gone = home("Gone");
    QDir().mkpath(kept);
    QDir().mkpath(gone);
    ComboBoxFS::FSData data;
    data.type = ComboBoxFS::ItemTypePickedFolder;
    data.number = 1;
    data.folderPath = gone.toStdWString();
    data.secondText = L"gone";
    EXPECT_EQ(combo->AddSearchFolderItem(L"Gone", data), 7);
    data.folderPath = kept.toStdWString();
    EXPECT_EQ(combo->InsertSearchFolderItem(0, L"Kept", data), 0);
    ASSERT_EQ(combo->Count(), 9);
    const int records = ObTagMRUComboBoxItem_Qt::LiveCount();

    QDir(gone).removeRecursively();
    QTest::mousePress(widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    widget()->hidePopup();
    QTest::mouseRelease(widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(combo->Count(), 8);
    EXPECT_EQ(widget()->findText("Gone"), -1);
    EXPECT_EQ(widget()->itemText(0), "Kept");
    EXPECT_NE(browseRow(), -1) << "the browse row has no folder to lose";
    EXPECT_TRUE(row(4).folderPath.empty()) << "rows without a path stay";
    EXPECT_EQ(ObTagMRUComboBoxItem_Qt::LiveCount(), records - 1) << "the row's record goes with it";
}

// The current row's folder is gone: the press drops it, and the current row
// moves, which reaches a handler that fills the list anew. The handler runs
// once the pruning is done, and its fill is the list that stays.
TEST_F(ComboBoxFSFixture, AHandlerOfAPrunedCurrentRowMayFillTheListAnew)
{
    combo->InitComboBoxFS();
    const QString gone = home("Gone");
    QDir().mkpath(gone);
    ComboBoxFS::FSData data;
    data.type = ComboBoxFS::ItemTypePickedFolder;
    data.number = 1;
    data.folderPath = gone.toStdWString();
    data.secondText = L"gone";
    ASSERT_EQ(combo->InsertSearchFolderItem(1, L"Gone", data), 1);
    combo->SetCurSel(1);
    const int fill = combo->Count() - 1;
    int fills = 0;
    combo->OnSelectionChanged.Subscribe([&](int) {
        if (fills++ == 0)
            combo->InitComboBoxFS();
    });
    QDir(gone).removeRecursively();
    QTest::mousePress(widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    widget()->hidePopup();
    QTest::mouseRelease(widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_GE(fills, 1);
    EXPECT_EQ(combo->Count(), fill);
    EXPECT_EQ(widget()->findText("Gone"), -1);
    EXPECT_EQ(browseRow(), fill - 1);
    widget()->grab();
}

TEST_F(ComboBoxFSFixture, RowsFromRecordsNeedAnExistingFolder)
{
    ComboBoxFS::FSData data;
    data.folderPath = home("missing").toStdWString();
    EXPECT_EQ(combo->AddSearchFolderItem(L"missing", data), -1);
    EXPECT_EQ(combo->InsertSearchFolderItem(0, L"missing", data), -1);
    EXPECT_EQ(combo->Count(), 0);

    data.folderPath = home().toStdWString();
    data.number = 3;
    data.secondText = L"second";
    EXPECT_EQ(combo->InsertSearchFolderItem(50, L"home", data), 0) << "clamped to the end";
    EXPECT_FALSE(widget()->itemIcon(0).isNull());
    const ComboBoxFS::FSData read = row(0);
    EXPECT_EQ(read.number, 3);
    EXPECT_EQ(read.secondText, L"second");

    // A row called like the browse row gets no icon, whatever its folder.
    const std::wstring browse = ComboBoxFSQt::BrowseText().toStdWString();
    EXPECT_EQ(combo->AddSearchFolderItem(browse, ComboBoxFS::ItemTypeBrowse, 0, home().toStdWString(), browse), 1);
    EXPECT_TRUE(widget()->itemIcon(1).isNull());
    // A path that does not exist is listed all the same, without an icon.
    EXPECT_EQ(combo->AddSearchFolderItem(L"x", ComboBoxFS::ItemTypePickedFolder, 1, L"/no/such/folder", L"x"), 2);
    EXPECT_TRUE(widget()->itemIcon(2).isNull());

    // Rows without a record are no folder rows.
    widget()->addItem("plain");
    ComboBoxFS::FSData untouched;
    untouched.number = 42;
    EXPECT_FALSE(combo->GetSearchFolderItem(untouched, 3));
    EXPECT_FALSE(combo->GetSearchFolderItem(untouched, 99));
    combo->SetCurSel(3);
    EXPECT_FALSE(combo->GetCurSearchFolderItem(untouched));
    EXPECT_EQ(untouched.number, 42);

    const QString longText(120, QLatin1Char('w'));
    combo->AddSearchFolderItem(longText.toStdWString(), ComboBoxFS::ItemTypePickedFolder, 1, L"", L"");
    const QFontMetrics metrics(widget()->view()->font());
    EXPECT_GE(widget()->view()->minimumWidth(), metrics.horizontalAdvance(longText + ' ') + 20);
}

TEST_F(ComboBoxFSFixture, RecordsGoWithTheirWidget)
{
    combo->InitComboBoxFS();
    EXPECT_EQ(ObTagMRUComboBoxItem_Qt::LiveCount(), baseRecords + 7);
    window.reset();
    EXPECT_EQ(ObTagMRUComboBoxItem_Qt::LiveCount(), baseRecords);

    // With the widget gone the control answers neutrally.
    EXPECT_EQ(combo->Count(), -1);
    ComboBoxFS::FSData data;
    data.folderPath = home().toStdWString();
    EXPECT_EQ(combo->AddSearchFolderItem(L"a", data), -1);
    EXPECT_EQ(combo->InsertSearchFolderItem(0, L"a", data), -1);
    EXPECT_EQ(combo->AddSearchFolderItem(L"a", ComboBoxFS::ItemTypePickedFolder, 1, L"/", L"a"), -1);
    EXPECT_FALSE(combo->GetSearchFolderItem(data, 0));
    EXPECT_FALSE(combo->GetCurSearchFolderItem(data));
    combo->SetCurSel(0);
    combo->InitComboBoxFS();
    combo->AutoUpdateComboboxViewWidth();
}

class ComboBoxFSFormTest : public DialogFormTest
{
};

TEST_F(ComboBoxFSFormTest, AFormsFolderComboBoxIsItsControl)
{
    const QByteArray body = R"(<item><widget class="QComboBoxFS" name="folders"/></item>)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *folders = dialog.GetControlPtr<ComboBoxFS *>(L"folders");
    ASSERT_NE(folders, nullptr);
    EXPECT_EQ(folders->GetControlKind(), ControlKindComboBoxFS);
    EXPECT_STREQ(folders->GetPlatformHandle()->metaObject()->className(), "AUILib::ComboBoxFSQt");
    folders->InitComboBoxFS();
    EXPECT_EQ(folders->Count(), 7);
}
