// The available-updates tree: its rows, the rules that check them, what
// "Download and Install" hands on, and the ways out with what they remember.

#include "../check/ModuleCheckFixture.h"
#include "CRegister.h"
#include "CheckBoxEdges.h"
#include "DlgUpdatesTree.h"
#include "ModalAnswerer.h"
#include "UpdateDialogs.h"
#include "WindowSystem.h"

#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QHoverEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyleFactory>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

using modulecheck::ModuleCheckTest;

const QString kUpdaterKey = QStringLiteral("Software\\Orbel Software\\Orbel PDF Reader\\plugins\\Updater");
const QString kSureToCancel = QStringLiteral("Are you sure you want to cancel the installation?");

using modulecheck::replyOffering;

QByteArray module(const QByteArray &name, const QByteArray &title, const QByteArray &type,
                  const QByteArray &version = "2.0.0.0", const QByteArray &size = "1048576B",
                  const QByteArray &extra = QByteArray())
{
    return "  <addon name=\"" + name + "\" title=\"" + title + "\" module_type=\"" + type + "\" version=\"" + version
           + "\" size=\"" + size + "\" description=\"" + title + " (" + name + ")\" result=\"true\" autoCheck=\"true\" "
           "url=\"http://127.0.0.1:1/" + name + ".ozip\" " + extra + "/>\n";
}

// A reader update, add-ons with a nested OCR group of two, and two add-ons that
// share a title. Rows as shown:
//   Orbel PDF Reader Updates: Reader 12.1
//   Add-ons: Comments, OCR (OCR German, OCR Japanese), Stamps, Stamps
const QByteArray kTree = replyOffering(module("ReaderUpdate", "Reader 12.1", "updater", "12.1.0.0", "5767168B")
                               + module("Stamps", "Stamps", "basic") + module("OCR_ja", "OCR Japanese", "basic")
                               + module("Comments", "Comments", "basic") + module("StampsPro", "Stamps", "service")
                               + module("OCR_de", "OCR German", "basic"));

// Notes what the download-and-install dialog would work on.
class FoundDialogs : public UpdateDialogs
{
public:
    int execUpdateChecking(CReaderModuleManager *) override { return 0; }
    int execComponentFound(ComponentInfo &) override { return 0; }
    void execFound(const std::string &type, bool, bool, bool, bool, CReaderModuleManager *manager) override
    {
        ++opened;
        EXPECT_EQ(type, "Update List");
        for (int i = 0; i < manager->CountSelModules(); ++i)
            selected << QString::fromStdString(manager->GetSelModule(i)->name);
    }
    int opened = 0;
    QStringList selected;
};

class UpdatesTree : public ModuleCheckTest
{
protected:
    void SetUp() override { UpdateDialogs::install(&found); }
    void TearDown() override
    {
        UpdateDialogs::install(nullptr);
        ModuleCheckTest::TearDown();
    }

    // A manager that was offered the modules of the reply, in a run of the type.
    void offer(const QByteArray &replyBytes, const QString &type = QStringLiteral("Update List"),
               const QString &readerVersion = QStringLiteral("12.0.0.1"))
    {
        start({"-updater", "-type", type, "-version", readerVersion}, type);
        ASSERT_TRUE(judge(replyBytes));
    }

    std::unique_ptr<DlgUpdatesTree> makeTree()
    {
        std::unique_ptr<DlgUpdatesTree> tree(new DlgUpdatesTree(manager.get(), app.get(), nullptr));
        tree->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
        return tree;
    }

    static QTreeView *view(QWidget *tree) { return tree->findChild<QTreeView *>(QStringLiteral("treeView_4")); }
    static QStandardItemModel *model(QWidget *tree) { return qobject_cast<QStandardItemModel *>(view(tree)->model()); }
    template <class T> static T *child(QWidget *tree, const char *name)
    {
        return tree->findChild<T *>(QLatin1String(name));
    }

    // A row by its titles from the top ("Add-ons/OCR/OCR German"); "#2" picks the
    // second row of a title.
    static QStandardItem *row(QWidget *tree, const QString &path)
    {
        QStandardItem *item = model(tree)->invisibleRootItem();
        for (QString part : path.split(QLatin1Char('/'))) {
            int occurrence = 1;
            if (part.contains(QLatin1Char('#'))) {
                occurrence = part.section(QLatin1Char('#'), 1).toInt();
                part = part.section(QLatin1Char('#'), 0, 0);
            }
            QStandardItem *found = nullptr;
            for (int r = 0; r < item->rowCount() && !found; ++r) {
                if (item->child(r, 0)->text() == part && --occurrence == 0)
                    found = item->child(r, 0);
            }
            if (!found) {
                ADD_FAILURE() << "no row " << path.toStdString();
                return nullptr;
            }
            item = found;
        }
        return item;
    }

    // Check states of every check box, depth first, top groups apart:
    // "." unchecked, "~" partially checked, "x" checked.
    static QString states(QWidget *tree)
    {
        QString text;
        std::function<void(QStandardItem *)> walk = [&](QStandardItem *item) {
            if (item->isCheckable())
                text += item->checkState() == Qt::Checked            ? 'x'
                        : item->checkState() == Qt::PartiallyChecked ? '~'
                                                                     : '.';
            for (int r = 0; r < item->rowCount(); ++r)
                walk(item->child(r, 0));
        };
        QStandardItem *root = model(tree)->invisibleRootItem();
        for (int r = 0; r < root->rowCount(); ++r) {
            if (r > 0)
                text += ' ';
            walk(root->child(r, 0));
        }
        return text;
    }

    enum Kind { Box, Key, Text, Size };
    struct Act
    {
        Kind kind;
        const char *path;
    };

    // What a user does to a row: clicks its check box, toggles it with the space
    // bar, clicks its text, or clicks its size cell.
    static void act(QWidget *tree, const Act &a)
    {
        QTreeView *tv = view(tree);
        QModelIndex index = row(tree, QString::fromLatin1(a.path))->index();
        switch (a.kind) {
        case Box:
            QTest::mouseClick(tv->viewport(), Qt::LeftButton, Qt::NoModifier, itemCheckBox(tv, index).center());
            break;
        case Key:
            tv->setCurrentIndex(index);
            QTest::keyClick(tv, Qt::Key_Space);
            break;
        case Text:
            QTest::mouseClick(tv->viewport(), Qt::LeftButton, Qt::NoModifier, tv->visualRect(index).center());
            break;
        case Size:
            QTest::mouseClick(tv->viewport(), Qt::LeftButton, Qt::NoModifier,
                              tv->visualRect(index.sibling(index.row(), 1)).center());
            break;
        }
    }

    FoundDialogs found;
};

TEST_F(UpdatesTree, ListsReaderUpdatesAndAddonsWithSizes)
{
    offer(kTree);
    auto tree = makeTree();
    EXPECT_EQ(tree->windowTitle(), QStringLiteral("Download and Install"));
    EXPECT_EQ(tree->minimumSize(), QSize(650, 571));
    EXPECT_EQ(tree->maximumSize(), QSize(651, 571));
    EXPECT_EQ(child<QLabel>(tree.get(), "label_version")->text(), QStringLiteral("Version: 12.0.0.1"));
    EXPECT_EQ(child<QLabel>(tree.get(), "label_available_updates")->text(), QStringLiteral("Available Updates"));
    EXPECT_EQ(child<QLabel>(tree.get(), "label_description")->text(), QStringLiteral("Description"));
    EXPECT_FALSE(child<QLabel>(tree.get(), "label_logo")->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_EQ(child<QPushButton>(tree.get(), "button_cancel")->text(), QStringLiteral("Close"));
    EXPECT_TRUE(child<QPushButton>(tree.get(), "button_cancel")->isVisible());
    EXPECT_FALSE(child<QPushButton>(tree.get(), "btn_skip")->isVisible());
    EXPECT_FALSE(child<QComboBox>(tree.get(), "combo_remind")->isVisible()); // no reminders in a list run
    EXPECT_FALSE(child<QPushButton>(tree.get(), "button_download")->isEnabled());
    EXPECT_TRUE(child<QTextEdit>(tree.get(), "textEdit")->isReadOnly());
    EXPECT_TRUE(view(tree.get())->header()->isHidden());
    // The description of the module listed last.
    EXPECT_EQ(child<QTextEdit>(tree.get(), "textEdit")->toPlainText(), QStringLiteral("OCR German (OCR_de)"));

    EXPECT_EQ(states(tree.get()), QStringLiteral(".. ......."));
    const struct
    {
        const char *path;
        const char *size;
    } rows[] = {
        {"Orbel PDF Reader Updates/Reader 12.1", "5.50MB"},
        {"Add-ons/Comments", "1.00MB"},
        {"Add-ons/OCR/OCR German", "1.00MB"},
        {"Add-ons/OCR/OCR Japanese", "1.00MB"},
        {"Add-ons/Stamps", "1.00MB"},
        {"Add-ons/Stamps#2", "1.00MB"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.path);
        QStandardItem *item = row(tree.get(), QString::fromLatin1(r.path));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->parent()->child(item->row(), 1)->text(), QLatin1String(r.size));
        EXPECT_FALSE(item->parent()->child(item->row(), 1)->isCheckable());
    }
    // OCR sits among the add-ons in title order.
    QStringList addons;
    for (int r = 0; r < row(tree.get(), "Add-ons")->rowCount(); ++r)
        addons << row(tree.get(), "Add-ons")->child(r, 0)->text();
    EXPECT_EQ(addons, (QStringList{"Comments", "OCR", "Stamps", "Stamps"}));
}

// A service may offer thousands of add-ons: the tree shows them within seconds,
// each group in title order (equal titles in the order offered).
TEST_F(UpdatesTree, TwentyThousandModulesAreShownWithinSeconds)
{
    start({"-updater", "-type", "Update List", "-version", "12.0.0.1"}, QStringLiteral("Update List"));
    MODULEINFO *source = manager->AddModule(QStringLiteral("Update List"));
    source->module_type = "updater";
    source->title = "Reader 12.1";
    source->size = "5767168B";
    manager->CloneAvailableModuleInfo(source);
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        source->name = "Addon" + std::to_string(i);
        // Titles out of order, every one of them twice.
        source->title = QStringLiteral("Add-on %1").arg((i * 7919) % (count / 2), 5, 10, QLatin1Char('0')).toStdString();
        source->description = source->name;
        source->module_type = i % 2 ? "basic" : "service";
        source->size = "1048576B";
        manager->CloneAvailableModuleInfo(source)->bOcrModule = i % 4 == 0;
    }

    QElapsedTimer shown;
    shown.start();
    auto tree = makeTree();
    // A second here; sorting after every row took minutes. The sanitizers slow
    // every allocation down by an order of magnitude.
#ifdef ORBEL_SANITIZE
    EXPECT_LT(shown.elapsed(), 60000);
#else
    EXPECT_LT(shown.elapsed(), 10000);
#endif

    // Each group sorted; a title's two rows keep the order they were offered in.
    for (const char *group : {"Add-ons", "Add-ons/OCR"}) {
        SCOPED_TRACE(group);
        QStandardItem *item = row(tree.get(), QLatin1String(group));
        ASSERT_TRUE(item);
        QStringList titles;
        for (int r = 0; r < item->rowCount(); ++r) {
            if (item->child(r, 0)->hasChildren())
                continue;  // the OCR group among the add-ons
            titles << item->child(r, 0)->text();
        }
        QStringList sorted = titles;
        std::stable_sort(sorted.begin(), sorted.end());
        EXPECT_EQ(titles, sorted);
    }
    EXPECT_EQ(row(tree.get(), QStringLiteral("Add-ons"))->rowCount() + row(tree.get(), QStringLiteral("Add-ons/OCR"))->rowCount(),
              count + 1);
    EXPECT_EQ(child<QTextEdit>(tree.get(), "textEdit")->toPlainText(), QStringLiteral("Addon19999"));
}

TEST_F(UpdatesTree, FollowsTheAppearance)
{
    offer(kTree);
    auto tree = makeTree();
    QLabel *logo = child<QLabel>(tree.get(), "label_logo");
    EXPECT_EQ(tree->styleSheet(), QStringLiteral("QDialog{color:rgb(26,26,26);}"));
    const QImage light = logo->pixmap(Qt::ReturnByValue).toImage();
    tree->OnAppearanceSetting(true);
    EXPECT_EQ(tree->styleSheet(), QStringLiteral("QDialog{color:rgb(222,222,222);}"));
    const QImage dark = logo->pixmap(Qt::ReturnByValue).toImage();
    EXPECT_FALSE(dark.isNull());
    EXPECT_NE(dark, light);

    // A dark system from the start.
    sandbox.setEnv("ORBEL_UPDATER_DARK", "1");
    auto darkTree = makeTree();
    EXPECT_EQ(darkTree->styleSheet(), QStringLiteral("QDialog{color:rgb(222,222,222);}"));
    EXPECT_EQ(child<QLabel>(darkTree.get(), "label_logo")->pixmap(Qt::ReturnByValue).toImage(), dark);
}

// In the dark appearance, with the platform's look as start-up gives it, an
// unchecked module's box stands out from its row and from its own inside:
// selected or not, hovered, and in a disabled tree.
TEST_F(UpdatesTree, DarkCheckBoxesShowTheirEdgesInEveryState)
{
    struct Look
    {
        ~Look()
        {
            QApplication::setStyle(QStyleFactory::create(style));
            QApplication::setPalette(palette);
        }
        QString style = QApplication::style()->objectName();
        QPalette palette = QApplication::palette();
    } restored;
    sandbox.setEnv("ORBEL_UPDATER_DARK", "1");
    WindowSystem::applyLook();
    offer(kTree);
    for (const char *state : {"normal", "selected", "hovered", "disabled"}) {
        SCOPED_TRACE(state);
        auto tree = makeTree();
        QTreeView *tv = view(tree.get());
        const QModelIndex index = row(tree.get(), QStringLiteral("Add-ons/Comments"))->index();
        if (state == std::string("selected"))
            tv->setCurrentIndex(index);
        if (state == std::string("hovered")) {
            QHoverEvent hover(QEvent::HoverMove, tv->visualRect(index).center(), QPoint(-1, -1));
            QApplication::sendEvent(tv->viewport(), &hover);
        }
        if (state == std::string("disabled"))
            tv->setEnabled(false);
        const QImage shot = tv->viewport()->grab().toImage();
        const QRect box = itemCheckBox(tv, index);
        const QColor background = besideCheckBox(shot, box);
        if (state == std::string("selected")) {
            EXPECT_EQ(background, WindowSystem::darkPalette().color(QPalette::Highlight));
        }
        EXPECT_GE(checkEdgeContrast(shot, box, background), 3.0) << "edge on " << background.name().toStdString();
        const QColor inside = insideCheckBox(shot, box);
        EXPECT_GE(checkEdgeContrast(shot, box, inside), 3.0) << "edge around " << inside.name().toStdString();
    }
}

TEST_F(UpdatesTree, AGroupWithoutModulesIsLeftOut)
{
    const struct
    {
        const char *name;
        QByteArray modules;
        QStringList top;
        QString states;
    } cases[] = {
        {"nothing offered", "", {}, ""},
        {"add-ons only", module("Stamps", "Stamps", "basic", "2.0.0.0", "many bytes"), {"Add-ons"}, ".."},
        {"reader updates only", module("ReaderUpdate", "Reader 12.1", "updater", "12.1.0.0"),
         {"Orbel PDF Reader Updates"}, ".."},
        {"an add-on without a title", module("Stamps", "", "basic"), {"Add-ons"}, "."},
        {"a module of another kind", module("Tool", "Tool", "plugin"), {"Add-ons"}, "."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        offer(replyOffering(c.modules));
        auto tree = makeTree();
        QStringList top;
        for (int r = 0; r < model(tree.get())->rowCount(); ++r)
            top << model(tree.get())->item(r)->text();
        EXPECT_EQ(top, c.top);
        EXPECT_EQ(states(tree.get()), c.states);
        EXPECT_FALSE(child<QPushButton>(tree.get(), "button_download")->isEnabled());
        if (QLatin1String(c.name) == QLatin1String("add-ons only")) {
            EXPECT_EQ(row(tree.get(), "Add-ons/Stamps")->parent()->child(0, 1)->text(), QStringLiteral("0.00MB"));
        }
    }
}

// Legend of the states: reader group, its update; add-ons, Comments, OCR,
// OCR German, OCR Japanese, Stamps, the second Stamps.
TEST_F(UpdatesTree, CheckingFollowsTheSelectionRules)
{
    const QStringList everyAddon = {"Comments", "OCR_de", "OCR_ja", "Stamps", "StampsPro"};
    const struct
    {
        const char *name;
        std::vector<Act> acts;
        const char *states;
        QStringList selected; // what "Download and Install" hands on; empty: the button is disabled
    } cases[] = {
        {"one add-on makes its group partial", {{Box, "Add-ons/Stamps"}}, ".. ~....x.", {"Stamps"}},
        {"every add-on makes it checked",
         {{Box, "Add-ons/Comments"}, {Box, "Add-ons/OCR"}, {Box, "Add-ons/Stamps"}, {Box, "Add-ons/Stamps#2"}},
         ".. xxxxxxx", everyAddon},
        {"unchecking one makes it partial again",
         {{Box, "Add-ons"}, {Box, "Add-ons/Comments"}}, ".. ~.xxxxx", {"OCR_de", "OCR_ja", "Stamps", "StampsPro"}},
        {"one of the nested group", {{Box, "Add-ons/OCR/OCR Japanese"}}, ".. ~.~.x..", {"OCR_ja"}},
        {"all of the nested group", {{Box, "Add-ons/OCR/OCR German"}, {Box, "Add-ons/OCR/OCR Japanese"}},
         ".. ~.xxx..", {"OCR_de", "OCR_ja"}},
        {"a group checks its whole subtree", {{Box, "Add-ons"}}, ".. xxxxxxx", everyAddon},
        {"the reader group", {{Box, "Orbel PDF Reader Updates"}}, "xx .......", {"ReaderUpdate"}},
        {"a group of one row follows it", {{Box, "Orbel PDF Reader Updates/Reader 12.1"}}, "xx .......",
         {"ReaderUpdate"}},
        {"and follows it back",
         {{Box, "Orbel PDF Reader Updates/Reader 12.1"}, {Box, "Orbel PDF Reader Updates/Reader 12.1"}},
         ".. .......", {}},
        {"an add-on unchecks the reader updates",
         {{Box, "Orbel PDF Reader Updates/Reader 12.1"}, {Box, "Add-ons/OCR/OCR German"}}, ".. ~.~x...", {"OCR_de"}},
        {"a reader update unchecks every add-on",
         {{Box, "Add-ons"}, {Box, "Orbel PDF Reader Updates/Reader 12.1"}}, "xx .......", {"ReaderUpdate"}},
        {"two rows of one title are two choices", {{Box, "Add-ons/Stamps#2"}}, ".. ~.....x", {"StampsPro"}},
        {"the space bar checks a row", {{Key, "Add-ons/Stamps"}}, ".. ~....x.", {"Stamps"}},
        {"and a group", {{Key, "Add-ons/OCR"}}, ".. ~.xxx..", {"OCR_de", "OCR_ja"}},
        {"a partial group's text changes nothing", {{Box, "Add-ons/Stamps"}, {Text, "Add-ons"}}, ".. ~....x.",
         {"Stamps"}},
        {"a module's text changes nothing", {{Text, "Add-ons/Comments"}}, ".. .......", {}},
        {"a size cell changes nothing", {{Box, "Add-ons/Stamps"}, {Size, "Add-ons/Stamps"}}, ".. ~....x.", {"Stamps"}},
        {"unchecking the last module disables the download", {{Box, "Add-ons/Stamps"}, {Key, "Add-ons/Stamps"}},
         ".. .......", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        offer(kTree);
        found.selected.clear();
        auto tree = makeTree();
        for (const Act &a : c.acts)
            act(tree.get(), a);
        EXPECT_EQ(states(tree.get()), QLatin1String(c.states));
        QPushButton *download = child<QPushButton>(tree.get(), "button_download");
        EXPECT_EQ(download->isEnabled(), !c.selected.isEmpty());
        if (download->isEnabled()) {
            QTest::mouseClick(download, Qt::LeftButton);
            EXPECT_EQ(found.selected, c.selected);
            EXPECT_TRUE(tree->m_bClosed);
            EXPECT_FALSE(tree->isVisible());
        }
    }
}

// Each rule called by itself does its own part only: no group follows, and the
// other group is not unchecked. States as in the legend above, after each step.
TEST_F(UpdatesTree, ARuleCalledByItselfChangesOnlyWhatItNames)
{
    offer(kTree);
    auto tree = makeTree();
    DlgUpdatesTree *t = tree.get();
    act(t, {Box, "Orbel PDF Reader Updates/Reader 12.1"});
    ASSERT_EQ(states(t), QStringLiteral("xx ......."));
    const struct
    {
        const char *name;
        std::function<void()> step;
        const char *states;
    } steps[] = {
        {"every add-on row", [&] { t->SetMutexCheckState(E_UPDATE_ADDON, Qt::Checked); }, "xx .x.xxxx"},
        {"every reader row", [&] { t->SetMutexCheckState(E_UPDATE_READER, Qt::Unchecked); }, "x. .x.xxxx"},
        {"one row", [&] { t->SetChildState(row(t, "Add-ons/Comments"), Qt::Unchecked); }, "x. ...xxxx"},
        {"a subtree", [&] { t->SetChildState(row(t, "Add-ons/OCR"), Qt::Unchecked); }, "x. .....xx"},
        {"the groups above a row", [&] { t->SetParentState(row(t, "Add-ons/Comments")); }, "x. ~....xx"},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        s.step();
        EXPECT_EQ(states(t), QLatin1String(s.states));
    }
    // A click afterwards still follows every rule.
    act(t, {Box, "Add-ons/Comments"});
    EXPECT_EQ(states(t), QStringLiteral(".. ~x...xx"));
}

TEST_F(UpdatesTree, AClickedModuleShowsItsOwnDescription)
{
    offer(kTree);
    auto tree = makeTree();
    QTextEdit *description = child<QTextEdit>(tree.get(), "textEdit");
    const struct
    {
        Act click;
        const char *shown;
    } cases[] = {
        {{Text, "Add-ons/Stamps#2"}, "Stamps (StampsPro)"},
        {{Text, "Add-ons/Stamps"}, "Stamps (Stamps)"},
        {{Text, "Add-ons"}, "Stamps (Stamps)"},          // a group keeps the last one
        {{Size, "Add-ons/Comments"}, "Stamps (Stamps)"}, // as does a size cell
        {{Box, "Add-ons/Comments"}, "Comments (Comments)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.click.path);
        act(tree.get(), c.click);
        EXPECT_EQ(description->toPlainText(), QLatin1String(c.shown));
    }
}

TEST_F(UpdatesTree, AModuleAlreadySelectedIsNotSelectedTwice)
{
    offer(kTree);
    // A forced upgrade is in the selection before the dialog opens.
    manager->AddSelModule(offeredModule("Stamps"));
    auto tree = makeTree();
    act(tree.get(), {Box, "Add-ons/Comments"});
    act(tree.get(), {Box, "Add-ons/Stamps"});
    QTest::mouseClick(child<QPushButton>(tree.get(), "button_download"), Qt::LeftButton);
    EXPECT_EQ(found.opened, 1);
    EXPECT_EQ(found.selected, (QStringList{"Stamps", "Comments"}));
}

TEST_F(UpdatesTree, ClosingAsksFirstAndOnlyYesCloses)
{
    const struct
    {
        const char *how;
        QMessageBox::StandardButton answer;
        bool open;
        bool closed;
    } cases[] = {
        {"Close", QMessageBox::No, true, false},
        {"Close", QMessageBox::Yes, false, true},
        {"window", QMessageBox::No, true, false},
        {"window", QMessageBox::Yes, false, true},
        // Escape ends the window without counting as one of its own ways out.
        {"Escape", QMessageBox::No, true, false},
        {"Escape", QMessageBox::Yes, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.how) + (c.answer == QMessageBox::Yes ? " yes" : " no"));
        offer(kTree);
        auto tree = makeTree();
        ModalAnswerer answerer;
        answerer.answerBoxes({c.answer});
        const QString how = QLatin1String(c.how);
        if (how == QLatin1String("Close"))
            child<QPushButton>(tree.get(), "button_cancel")->click();
        else if (how == QLatin1String("window"))
            tree->close();
        else
            QTest::keyClick(tree.get(), Qt::Key_Escape);
        EXPECT_EQ(answerer.boxTexts, QStringList{kSureToCancel});
        EXPECT_EQ(tree->isVisible(), c.open);
        EXPECT_EQ(tree->m_bClosed, c.closed);
        EXPECT_EQ(found.opened, 0);
        // The run still owns a whole manager.
        EXPECT_EQ(manager->CountAvailableModule(), 6);
    }
}

TEST_F(UpdatesTree, RemindersAreWrittenAsTheNextCheckTime)
{
    const QString lastDayKey = QStringLiteral("HKEY_CURRENT_USER\\") + kUpdaterKey;
    const struct
    {
        const char *entry;
        qint64 seconds; // the reminder's distance from now; 0: nothing written, the window stays
    } cases[] = {
        {"Remind Me Later", 0},
        {"After one hour", 3600},
        {"After six hours", 21600},
        {"After one day", 86400},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry);
        CRegister::regSetString(lastDayKey, QStringLiteral("LastDay"), QString());
        offer(kTree, QStringLiteral("Auto Updater"));
        auto tree = makeTree();
        QComboBox *combo = child<QComboBox>(tree.get(), "combo_remind");
        ASSERT_TRUE(combo->isVisible());
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        EXPECT_EQ(entries, (QStringList{"Remind Me Later", "After one hour", "After six hours", "After one day",
                                        "Never remind me"}));
        EXPECT_TRUE(child<QPushButton>(tree.get(), "button_cancel")->isVisible());

        const int index = combo->findText(QLatin1String(c.entry));
        const QDateTime before = QDateTime::currentDateTime();
        combo->setCurrentIndex(index);
        emit combo->textActivated(combo->itemText(index));
        const QDateTime after = QDateTime::currentDateTime();

        const QString written = CRegister::regGetString(lastDayKey, QStringLiteral("LastDay"));
        EXPECT_EQ(tree->isVisible(), c.seconds == 0);
        EXPECT_EQ(tree->m_bClosed, c.seconds != 0);
        if (c.seconds == 0) {
            EXPECT_TRUE(written.isEmpty());
            continue;
        }
        const QDateTime next = QDateTime::fromString(written, Qt::TextDate);
        ASSERT_TRUE(next.isValid()) << written.toStdString();
        const QDateTime earliest = c.seconds == 86400 ? before.addDays(1) : before.addSecs(c.seconds);
        const QDateTime latest = c.seconds == 86400 ? after.addDays(1) : after.addSecs(c.seconds);
        // The text keeps whole seconds.
        EXPECT_GE(next.toSecsSinceEpoch(), earliest.toSecsSinceEpoch());
        EXPECT_LE(next.toSecsSinceEpoch(), latest.toSecsSinceEpoch());
    }
}

TEST_F(UpdatesTree, NeverRemindMeDeclinesEveryOfferedModuleOnceConfirmed)
{
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(answer == QMessageBox::Yes ? "yes" : "no");
        offer(kTree, QStringLiteral("Auto Updater"));
        auto tree = makeTree();
        ModalAnswerer answerer;
        answerer.answerBoxes({answer});
        QComboBox *combo = child<QComboBox>(tree.get(), "combo_remind");
        const int never = combo->findText(QStringLiteral("Never remind me"));
        combo->setCurrentIndex(never);
        emit combo->textActivated(combo->itemText(never));

        EXPECT_EQ(answerer.boxTexts,
                  QStringList{"Are you sure you want to cancel the installation? If you don't install it, the system "
                              "will skip this update until the next new version is detected."});
        const bool yes = answer == QMessageBox::Yes;
        EXPECT_EQ(tree->isVisible(), !yes);
        EXPECT_EQ(tree->m_bClosed, yes);
        EXPECT_EQ(combo->currentIndex(), yes ? never : 0);
        for (const char *name : {"ReaderUpdate", "Stamps", "StampsPro", "Comments", "OCR_ja", "OCR_de"}) {
            SCOPED_TRACE(name);
            const QString version = CRegister::regGetString(QStringLiteral("AutoUpdate_") + name, QString());
            EXPECT_EQ(version, yes ? QString::fromLatin1(QByteArray(name) == "ReaderUpdate" ? "12.1.0.0" : "2.0.0.0")
                                   : QString());
        }
        EXPECT_EQ(CRegister::regGetString(QStringLiteral("currentVersion"), QString()),
                  yes ? QStringLiteral("12.0.0.1") : QString());
    }
}

TEST_F(UpdatesTree, SkippingAMajorUpgradeRemembersItsVersion)
{
    for (const bool major : {false, true}) {
        SCOPED_TRACE(major);
        offer(kTree);
        offeredModule("ReaderUpdate")->bMajorUpgrade = major;
        auto tree = makeTree();
        tree->OnSkip();
        EXPECT_TRUE(tree->m_bClosed);
        EXPECT_FALSE(tree->isVisible());
        EXPECT_EQ(CRegister::regGetString(kUpdaterKey, QStringLiteral("UpdateRejectVersion")),
                  major ? QStringLiteral("12.1.0.0") : QString());
        EXPECT_EQ(CRegister::regGetDword(kUpdaterKey, QStringLiteral("MajorUpdateChecked")), major ? 3u : 0u);
    }
}

TEST_F(UpdatesTree, OnlyTheHighestMajorOfSeveralReaderUpdatesIsKept)
{
    const QByteArray updates = replyOffering(module("R11", "Reader 11", "updater", "11.0.0.1")
                                     + module("R12", "Reader 12", "updater", "12.0.0.1")
                                     + module("R12b", "Reader 12b", "updater", "12.1.0.0")
                                     + module("Stamps", "Stamps", "basic"));
    for (const bool markedMajor : {false, true}) {
        SCOPED_TRACE(markedMajor);
        offer(updates, QStringLiteral("Update List"), QStringLiteral("10.0.0.0"));
        for (int i = 0; i < manager->CountAvailableModule(); ++i)
            manager->GetAvailabletModule(i)->bMajorUpgrade = false;
        offeredModule("R12")->bMajorUpgrade = markedMajor;
        DlgUpdatesTree tree(manager.get(), app.get());
        tree.FilterUpgrade();
        EXPECT_EQ(offered(), markedMajor ? (QStringList{"R11", "R12", "R12b", "Stamps"})
                                         : (QStringList{"R12", "R12b", "Stamps"}));
    }
}

TEST_F(UpdatesTree, AnInstalledComponentNeedsAnUpdateWhileItsFirstFileIsThere)
{
    offer(replyOffering(""));
    ASSERT_TRUE(sandbox.writeFile(sandbox.systemPath("/Applications/Here.bundle"), "x"));
    _UpdaterInfo noFiles{"NoFiles", "1.0", {}};
    _UpdaterInfo present{"Present", "1.0", {"/Applications/Here.bundle", "/Applications/Gone.bundle"}};
    _UpdaterInfo missing{"Missing", "1.0", {"/Applications/Gone.bundle", "/Applications/Here.bundle"}};
    QVector<_UpdaterInfo *> installed = {&noFiles, &present, &missing};
    QVector<_UpdaterInfo *> none;
    DlgUpdatesTree tree(manager.get(), app.get());
    EXPECT_TRUE(tree.IsModuleNeedUpdate(installed, "NoFiles"));
    EXPECT_TRUE(tree.IsModuleNeedUpdate(installed, "Present"));
    EXPECT_FALSE(tree.IsModuleNeedUpdate(installed, "Missing"));
    EXPECT_FALSE(tree.IsModuleNeedUpdate(installed, "Elsewhere"));
    EXPECT_FALSE(tree.IsModuleNeedUpdate(none, "NoFiles"));
}

TEST_F(UpdatesTree, AddonsThatNeedNothingLeaveTheList)
{
    // Installed: Stamps (its file present), Comments (its file gone), Fonts (no files).
    auto component = [](const QByteArray &name, const QByteArray &file) -> QByteArray {
        return "  <component name=\"" + name + "\" version=\"1.0\">"
               + (file.isEmpty() ? QByteArray() : "<file path=\"" + file + "\"/>") + "</component>\n";
    };
    writeInstalled("<?xml version=\"1.0\"?>\n<updater_info>\n" + component("Stamps", "/Applications/Stamps.bundle")
                   + component("Comments", "/Applications/Comments.bundle") + component("Fonts", "")
                   + "</updater_info>\n");
    ASSERT_TRUE(sandbox.writeFile(sandbox.systemPath("/Applications/Stamps.bundle"), "x"));
    offer(replyOffering(module("ReaderUpdate", "Reader 12.1", "updater", "12.1.0.0")
                        + module("Stamps", "Stamps", "basic") + module("Comments", "Comments", "basic")
                        + module("Fonts", "Fonts", "basic", "2.0.0.0", "1B", "SilentInstall=\"true\"")
                        + module("Cloud", "Cloud", "service", "2.0.0.0", "1B", "isInternalService=\"TRUE\"")
                        + module("Tool", "Tool", "basic")));
    ASSERT_EQ(offered(), (QStringList{"ReaderUpdate", "Stamps", "Comments", "Fonts", "Cloud", "Tool"}));
    DlgUpdatesTree tree(manager.get(), app.get());
    tree.CheckZhAutoAvailableModule();
    // Kept: reader updates always, installed add-ons whose file is there, internal services;
    // a silent install goes even when installed.
    EXPECT_EQ(offered(), (QStringList{"ReaderUpdate", "Stamps", "Cloud"}));
}

} // namespace
