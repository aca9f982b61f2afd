#include "ContextMenu.h"
#include "ContextMenuQt.h"
#include "AUILibConfig.h"
#include "PopupDriver.h"
#include "Sandbox.h"
#include "PictureBytes.h"

#include <QAction>
#include <QBuffer>
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using AUILib::ContextMenu;
using AUILib::ContextMenuQt;
using Ids = std::list<int>;

namespace {

// The colour an entry's icon shows; 0 without an icon.
QRgb iconColour(const QAction *action)
{
    if (!action || action->icon().isNull())
        return 0;
    return action->icon().pixmap(4, 4).toImage().pixel(1, 1);
}

class ContextMenuTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(menu.Create(&owner)); }

    // The current top menu's widget (the latest); a submenu's widget is a child of it.
    ContextMenuQt *widget() const
    {
        const auto menus = owner.findChildren<ContextMenuQt *>(QString(), Qt::FindDirectChildrenOnly);
        return menus.isEmpty() ? nullptr : menus.last();
    }
    // The action of an identifier anywhere in the current menu's tree.
    QAction *action(int id) const
    {
        QList<ContextMenuQt *> menus{widget()};
        menus += widget()->findChildren<ContextMenuQt *>();
        for (ContextMenuQt *level : menus) {
            for (QAction *candidate : level->actions()) {
                if (candidate->data().type() == QVariant::Int && candidate->data().toInt() == id)
                    return candidate;
            }
        }
        return nullptr;
    }
    void addPicture(ContextMenu &level, int id, Qt::GlobalColor colour, bool forChecked)
    {
        const QByteArray bytes = FilledPictureBytes(4, 4, colour);
        level.AddPictureToItem(id, reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(),
                               AUILib::ImageTypePNG, 16, AUILib::BitmapTypeDefault, forChecked);
    }

    QWidget owner;
    ContextMenu menu;
    std::function<void()> nothing = [] {};
};

} // namespace

TEST(ContextMenu, EverythingFailsBeforeCreate)
{
    ContextMenu menu;
    EXPECT_FALSE(menu.Create(nullptr));
    EXPECT_EQ(menu.Count(), -1);
    EXPECT_EQ(menu.AddItem(L"a", [] {}), -1);
    EXPECT_EQ(menu.AddItem(L"a", [](int) {}), -1);
    EXPECT_EQ(menu.InsertItem(0, L"a", [] {}), -1);
    EXPECT_EQ(menu.AddSeparator(), -1);
    EXPECT_FALSE(menu.AddSubmenu(L"s", L""));
    EXPECT_FALSE(menu.RemoveItem(0));
    EXPECT_FALSE(menu.EnableItem(0, true));
    EXPECT_FALSE(menu.CheckItem(0, true));
    EXPECT_EQ(menu.GetMenuItemID(0), -1);
    EXPECT_EQ(menu.GetMenuItemIndex(0), -1);
    EXPECT_EQ(menu.GetItemFlags(0), 0);
    EXPECT_TRUE(menu.ItemsCheckable().empty());
    menu.Show(true); // returns at once: nothing to show
    menu.Show(5, 5);
    EXPECT_EQ(menu.GetSkinManager(), AUILib::GetGlobalSkinManager());
}

TEST_F(ContextMenuTest, IdentifiersAreUniqueAcrossSubmenusAndNeverReused)
{
    EXPECT_EQ(menu.Count(), 0);
    EXPECT_EQ(menu.AddItem(L"Copy", nothing), 0);
    EXPECT_EQ(menu.AddItem(L"Paste", nothing), 1);
    EXPECT_EQ(menu.AddSeparator(), 2);
    auto more = menu.AddSubmenu(L"More", L"");
    ASSERT_TRUE(more);
    EXPECT_EQ(more->AddItem(L"Deep", nothing), 4) << "the submenu entry itself drew 3";
    auto deeper = more->AddSubmenu(L"Deeper", L"");
    EXPECT_EQ(deeper->AddItem(L"Deepest", nothing), 6);
    EXPECT_EQ(menu.AddItem(L"Cut", nothing), 7);

    EXPECT_EQ(menu.Count(), 5) << "the submenus' entries are not this level's";
    const std::vector<int> expected{0, 1, 2, 3, 7};
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(menu.GetMenuItemID(index), expected[index]);
        EXPECT_EQ(menu.GetMenuItemIndex(expected[index]), index);
    }
    EXPECT_EQ(menu.GetMenuItemID(5), -1);
    EXPECT_EQ(menu.GetMenuItemID(-1), -1);
    EXPECT_EQ(menu.GetMenuItemIndex(4), -1) << "lives in the submenu";
    EXPECT_EQ(menu.GetMenuItemIndex(-1), -1);

    EXPECT_TRUE(menu.RemoveItem(7));
    EXPECT_EQ(menu.AddItem(L"Cut", nothing), 8);

    // Started afresh: a new widget and counter; the old widget stays with the owner.
    ASSERT_TRUE(menu.Create(&owner));
    EXPECT_EQ(menu.Count(), 0);
    EXPECT_EQ(menu.AddItem(L"Copy", nothing), 0);
    EXPECT_EQ(owner.findChildren<ContextMenuQt *>(QString(), Qt::FindDirectChildrenOnly).size(), 2);
    // The submenus outlived their parent's records and count on their own now.
    EXPECT_EQ(more->AddItem(L"Alone", nothing), 0);
    EXPECT_EQ(deeper->AddItem(L"Alone too", nothing), 1);
}

TEST_F(ContextMenuTest, TextsAreUniquePerLevelAndEmptyHandlersAreRefused)
{
    EXPECT_EQ(menu.AddItem(L"Copy", nothing), 0);
    EXPECT_EQ(menu.AddItem(L"Copy", [](int) {}), -1);
    EXPECT_EQ(menu.InsertItem(0, L"Copy", nothing), -1);
    EXPECT_EQ(menu.AddItem(L"Copy ", nothing), 1) << "same characters only";
    EXPECT_EQ(menu.AddItem(L"Other", std::function<void()>()), -1);
    EXPECT_EQ(menu.AddItem(L"Other", std::function<void(int)>()), -1);
    auto sub = menu.AddSubmenu(L"Sub", L"");
    EXPECT_EQ(sub->AddItem(L"Copy", nothing), 3) << "another level; no identifier was used up above";
    EXPECT_EQ(menu.AddItem(L"Sub", nothing), -1) << "a submenu entry's text counts";
    EXPECT_EQ(menu.AddItem(L"", nothing), 4);
    EXPECT_EQ(sub->AddSeparator(), 5);
    EXPECT_EQ(sub->AddItem(L"", nothing), -1) << "a separator has the empty text";
    EXPECT_EQ(menu.Count(), 4);
}

TEST_F(ContextMenuTest, InsertPositions)
{
    const int b = menu.AddItem(L"b", nothing);
    EXPECT_EQ(menu.InsertItem(0, L"a", nothing), 1);
    EXPECT_EQ(menu.InsertItem(menu.Count(), L"c", nothing), 2) << "at the end appends";
    EXPECT_EQ(menu.InsertItem(99, L"d", nothing), 3) << "past the end appends";
    EXPECT_EQ(menu.InsertItem(-1, L"e", nothing), -1);
    EXPECT_EQ(menu.InsertSeparator(1), 4);
    EXPECT_EQ(menu.InsertSeparator(-1), -1);
    EXPECT_FALSE(menu.InsertSubmenu(menu.Count(), L"late", L"")) << "needs an entry to stand before";
    EXPECT_FALSE(menu.InsertSubmenu(-1, L"late", L""));
    EXPECT_EQ(menu.Count(), 5);
    auto sub = menu.InsertSubmenu(0, L"first", L"");
    ASSERT_TRUE(sub);
    EXPECT_EQ(menu.GetMenuItemID(0), 5) << "the refused submenus drew nothing";

    QStringList texts;
    for (QAction *action : widget()->actions())
        texts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    EXPECT_EQ(texts, QStringList({"first", "a", "|", "b", "c", "d"}));
    EXPECT_EQ(menu.GetMenuItemIndex(b), 3);
}

TEST_F(ContextMenuTest, FlagsListsAndCheckStatesSearchSubmenus)
{
    struct Case
    {
        int flags;
        bool checkable;
        bool checked;
    };
    const Case cases[] = {{0, false, false}, {0x4, true, false}, {0x4 | 0x8, true, true}, {0x8, false, false}};
    for (const Case &c : cases) {
        const int id = menu.AddItem(L"flags " + std::to_wstring(c.flags), nothing, c.flags);
        EXPECT_EQ(action(id)->isCheckable(), c.checkable) << c.flags;
        EXPECT_EQ(menu.IsCheckedItem(id), c.checked) << c.flags;
        EXPECT_EQ(menu.GetItemFlags(id), c.flags);
        EXPECT_EQ(menu.CheckItem(id, true), c.checkable) << c.flags;
        EXPECT_EQ(menu.IsCheckedItem(id), c.checkable) << "a plain entry stays unchecked";
    }
    menu.Create(&owner);

    const int readOnly = menu.AddItem(L"Cut", nothing, 0x1 | 0x2);
    auto sub = menu.AddSubmenu(L"Sub", L"");
    const int inSub = sub->AddItem(L"Paste", nothing, 0x2 | 0x4);
    const int checked = sub->AddItem(L"Wrap", nothing, 0x4 | 0x8);
    const int last = menu.AddItem(L"Delete", nothing, 0x1 | 0x4 | 0x8);
    EXPECT_EQ(menu.ItemsDisabledIfReadOnly(), (Ids{readOnly, last}));
    EXPECT_EQ(menu.ItemsDisabledIfEmptyClipBoard(), (Ids{readOnly, inSub})) << "in record order";
    EXPECT_EQ(menu.ItemsCheckable(), (Ids{inSub, checked, last}));
    EXPECT_EQ(menu.ItemsChecked(), (Ids{checked, last}));

    EXPECT_EQ(menu.GetItemFlags(inSub), 0) << "this level only";
    EXPECT_EQ(sub->GetItemFlags(inSub), 0x2 | 0x4);
    EXPECT_TRUE(menu.EnableItem(inSub, false));
    EXPECT_FALSE(sub->IsEnabledItem(inSub));
    EXPECT_TRUE(menu.CheckItem(inSub, true));
    EXPECT_TRUE(menu.CheckItem(checked, false));
    EXPECT_EQ(menu.ItemsChecked(), (Ids{inSub, last}));
    EXPECT_FALSE(menu.CheckItem(readOnly, true));
    EXPECT_FALSE(menu.IsCheckedItem(readOnly));
    EXPECT_FALSE(menu.EnableItem(99, false));
    EXPECT_FALSE(menu.IsEnabledItem(99));
    EXPECT_FALSE(menu.EnableItem(-1, false));
}

TEST_F(ContextMenuTest, RemovalSearchesSubmenusAndDeletesTheAction)
{
    const int top = menu.AddItem(L"Top", nothing, 0x1);
    auto sub = menu.AddSubmenu(L"Sub", L"");
    const int inSub = sub->AddItem(L"Inner", nothing, 0x1);
    QPointer<QAction> removed = action(inSub);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->parent(), widget()->findChild<ContextMenuQt *>()) << "owned by its menu";

    EXPECT_TRUE(menu.RemoveItem(inSub));
    EXPECT_EQ(sub->Count(), 0);
    EXPECT_EQ(menu.ItemsDisabledIfReadOnly(), (Ids{top}));
    EXPECT_FALSE(menu.RemoveItem(inSub));
    EXPECT_FALSE(menu.RemoveItem(42));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(removed) << "a removed entry's action is deleted";
    EXPECT_EQ(sub->AddItem(L"Inner", nothing), 3) << "its text is free again";

    // A removed submenu entry takes its entries out of every search and list.
    const int subEntry = menu.GetMenuItemID(1);
    const int nested = sub->AddItem(L"Nested", nothing, 0x1 | 0x4 | 0x8);
    EXPECT_EQ(menu.ItemsChecked(), (Ids{nested}));
    EXPECT_TRUE(menu.RemoveItem(subEntry));
    EXPECT_EQ(menu.Count(), 1);
    EXPECT_TRUE(menu.ItemsCheckable().empty());
    EXPECT_EQ(menu.ItemsDisabledIfReadOnly(), (Ids{top}));
    EXPECT_FALSE(menu.EnableItem(nested, false));
    EXPECT_EQ(menu.AddItem(L"Sub", nothing), 5) << "the entry's text is free again";
    // The detached submenu still works, on its own counter.
    EXPECT_EQ(sub->AddItem(L"Later", nothing), 0);

    // Actions go with the owner's widget; the menu then fails as before Create.
    auto other = std::make_unique<QWidget>();
    ContextMenu orphan;
    orphan.Create(other.get());
    const int id = orphan.AddItem(L"x", nothing);
    QPointer<QAction> gone = other->findChild<ContextMenuQt *>()->actions().value(0);
    ASSERT_TRUE(gone);
    other.reset();
    EXPECT_FALSE(gone);
    EXPECT_EQ(orphan.Count(), -1);
    EXPECT_EQ(orphan.AddItem(L"y", nothing), -1);
    EXPECT_FALSE(orphan.EnableItem(id, true));
    EXPECT_FALSE(orphan.RemoveItem(id));
    orphan.Show(true);
}

TEST_F(ContextMenuTest, PicturesFollowTheCheckState)
{
    const QRgb red = QColor(Qt::red).rgb();
    const QRgb blue = QColor(Qt::blue).rgb();
    const QRgb green = QColor(Qt::green).rgb();

    const int wrap = menu.AddItem(L"Wrap", nothing, 0x4);
    addPicture(menu, wrap, Qt::red, true);
    EXPECT_EQ(iconColour(action(wrap)), 0u) << "unchecked: the checked picture waits";
    addPicture(menu, wrap, Qt::blue, false);
    EXPECT_EQ(iconColour(action(wrap)), blue);
    EXPECT_TRUE(menu.CheckItem(wrap, true));
    EXPECT_EQ(iconColour(action(wrap)), red);
    addPicture(menu, wrap, Qt::green, true);
    addPicture(menu, wrap, Qt::green, false);
    EXPECT_TRUE(menu.CheckItem(wrap, false));
    EXPECT_EQ(iconColour(action(wrap)), blue) << "the first picture of a state is kept";
    EXPECT_TRUE(menu.CheckItem(wrap, true));
    EXPECT_EQ(iconColour(action(wrap)), red);

    const int checked = menu.AddItem(L"Checked", nothing, 0x4 | 0x8);
    addPicture(menu, checked, Qt::red, true);
    EXPECT_EQ(iconColour(action(checked)), red) << "checked now: shown at once";

    // From a file, in a submenu; failed loads and unknown entries change nothing.
    Sandbox sandbox;
    const QString file = sandbox.base() + "/green.png";
    ASSERT_TRUE(sandbox.writeFile(file, FilledPictureBytes(4, 4, Qt::green)));
    auto sub = menu.AddSubmenu(L"Sub", L"");
    const int plain = sub->AddItem(L"Plain", nothing);
    menu.AddPictureToItem(plain, file.toStdWString(), false, 16, AUILib::BitmapTypeDefault);
    EXPECT_EQ(iconColour(action(plain)), green);
    const int other = sub->AddItem(L"Other", nothing);
    const QByteArray garbage("not a picture");
    menu.AddPictureToItem(other, (sandbox.base() + "/missing.png").toStdWString(), false, 16,
                          AUILib::BitmapTypeDefault);
    menu.AddPictureToItem(other, reinterpret_cast<const unsigned char *>(garbage.constData()), garbage.size(),
                          AUILib::ImageTypePNG, 16, AUILib::BitmapTypeDefault, false);
    menu.AddPictureToItem(other, nullptr, 10, AUILib::ImageTypePNG, 16, AUILib::BitmapTypeDefault, false);
    addPicture(menu, other, Qt::blue, false);
    EXPECT_EQ(iconColour(action(other)), blue) << "the failed loads kept nothing";
    addPicture(menu, 99, Qt::red, false);
    const int subEntry = menu.GetMenuItemID(2);
    addPicture(menu, subEntry, Qt::red, false);
    EXPECT_TRUE(action(subEntry)->icon().isNull()) << "a submenu entry has no record to keep it";
}

TEST_F(ContextMenuTest, ChosenEntriesRunTheirHandlersInsideShow)
{
    std::vector<int> calls;
    menu.AddItem(L"Plain", [&] { calls.push_back(-1); });
    const int withId = menu.AddItem(L"With id", [&](int id) { calls.push_back(id); });
    auto sub = menu.AddSubmenu(L"More", L"");
    const int deep = sub->AddItem(L"Deep", [&](int id) { calls.push_back(id); });

    QPoint shownAt;
    std::vector<std::function<void(QMenu *)>> acts{
        [](QMenu *m) { PopupDriver::choose(m, "With id"); },
        [](QMenu *m) { PopupDriver::choose(m, "Plain"); },
        [&](QMenu *m) {
            shownAt = m->pos();
            PopupDriver::chooseIn(m, "More", "Deep");
        },
        [](QMenu *m) { QTest::keyClick(m, Qt::Key_Escape); },
        [&](QMenu *) { menu.Show(false); },
    };
    std::size_t step = 0;
    PopupDriver driver([&](QMenu *shown) { acts.at(step++)(shown); });

    menu.Show(true);
    EXPECT_EQ(calls, (std::vector<int>{withId})) << "run by the time Show returns";
    menu.Show(true);
    menu.Show(20, 30);
    EXPECT_EQ(shownAt, QPoint(20, 30));
    menu.Show(true);
    menu.Show(true);
    EXPECT_EQ(driver.shown, 5);
    EXPECT_EQ(calls, (std::vector<int>{withId, -1, deep})) << "dismissed and closed menus call nothing";
}

TEST_F(ContextMenuTest, ToggledInThePopupTheEntryShowsItsPicture)
{
    const int wrap = menu.AddItem(L"Wrap", nothing, 0x4);
    addPicture(menu, wrap, Qt::red, true);
    addPicture(menu, wrap, Qt::blue, false);
    PopupDriver driver([](QMenu *m) { PopupDriver::choose(m, "Wrap"); });

    menu.Show(true);
    EXPECT_EQ(menu.ItemsChecked(), (Ids{wrap}));
    EXPECT_EQ(iconColour(action(wrap)), QColor(Qt::red).rgb());
    menu.Show(true);
    EXPECT_TRUE(menu.ItemsChecked().empty());
    EXPECT_EQ(iconColour(action(wrap)), QColor(Qt::blue).rgb());
}

TEST_F(ContextMenuTest, HandlersMayChangeTheMenuWhileItIsShown)
{
    const int once = menu.AddItem(L"Once", [&](int id) { menu.RemoveItem(id); });
    menu.AddItem(L"Afresh", [&] { menu.Create(&owner); });
    QPointer<QAction> removed = action(once);
    std::vector<QString> choices{"Once", "Afresh"};
    std::size_t step = 0;
    PopupDriver driver([&](QMenu *m) { PopupDriver::choose(m, choices.at(step++)); });

    menu.Show(true);
    EXPECT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.GetMenuItemIndex(once), -1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(removed);

    menu.Show(true);
    EXPECT_EQ(menu.Count(), 0) << "started afresh from inside its own popup";
    EXPECT_EQ(driver.shown, 2);
}
