#include "ContextMenu.h"
#include "ContextMenuQt.h"

#include <QAction>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

using AUILib::ContextMenu;
using AUILib::ContextMenuQt;

namespace {

class ContextMenuQtTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.Create(&owner));
        id = menu.AddItem(L"Copy", [] {});
        widget = owner.findChild<ContextMenuQt *>();
        ASSERT_TRUE(widget);
        copy = widget->actions().value(0);
    }

    QWidget owner;
    ContextMenu menu;
    int id = -1;
    ContextMenuQt *widget = nullptr;
    QAction *copy = nullptr;
};

QString wrapped(int width, const QString &text)
{
    return QStringLiteral("<div style='white-space:pre-wrap; max-width:%1px;'>%2</div>").arg(width).arg(text);
}

} // namespace

TEST_F(ContextMenuQtTest, ToolTipsWrapOnlyAtWidthsFrom51To32766)
{
    EXPECT_TRUE(widget->separatorsCollapsible());
    EXPECT_TRUE(widget->hasMouseTracking());
    EXPECT_EQ(widget->ToolTipFor(copy), QString()) << "no tip yet";
    menu.SetItemToolTip(id, L"Copies %1 the selection");
    EXPECT_EQ(widget->ToolTipFor(copy), "Copies %1 the selection") << "no width: as given";
    menu.SetItemToolTip(id, L"");
    EXPECT_EQ(widget->ToolTipFor(copy), "Copies %1 the selection") << "an empty text keeps the tip";

    struct Case
    {
        int width;
        int kept;
    };
    const Case cases[] = {{50, -1}, {51, 51}, {32767, 51}, {0, 51}, {-5, 51}, {32766, 32766}, {300, 300}};
    for (const Case &c : cases) {
        menu.SetToolTipMaxWidth(c.width);
        EXPECT_EQ(widget->ToolTipMaxWidth(), c.kept) << c.width;
        const QString expected = c.kept < 0 ? QStringLiteral("Copies %1 the selection")
                                            : wrapped(c.kept, QStringLiteral("Copies %1 the selection"));
        EXPECT_EQ(widget->ToolTipFor(copy), expected) << c.width;
    }

    // Each menu widget has its own table and width.
    auto sub = menu.AddSubmenu(L"More", L"Further commands");
    const int deep = sub->AddItem(L"Deep", [] {});
    sub->SetItemToolTip(deep, L"Deep down");
    auto *subWidget = widget->findChild<ContextMenuQt *>();
    EXPECT_EQ(subWidget->ToolTipFor(subWidget->actions().value(0)), "Deep down");
    EXPECT_EQ(widget->ToolTipFor(widget->actions().value(1)), wrapped(300, "Further commands"))
        << "a submenu entry's tip lives in its parent's table";
    EXPECT_EQ(widget->ToolTipFor(nullptr), QString());
}

TEST_F(ContextMenuQtTest, HoveringShowsAndHidesTheTip)
{
    menu.SetItemToolTip(id, L"Copies the selection");
    const int bare = menu.AddItem(L"Bare", [] {});
    menu.SetToolTipMaxWidth(120);
    emit widget->hovered(copy);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), wrapped(120, "Copies the selection"));
    emit widget->hovered(widget->actions().value(menu.GetMenuItemIndex(bare)));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000)) << "an entry without a tip hides it";
    emit widget->hovered(copy);
    EXPECT_TRUE(QToolTip::isVisible());
    emit widget->hovered(nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000));
}
