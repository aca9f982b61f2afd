#include "TabView.h"

#include "AgnosticUIException.h"

#include <QCheckBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

namespace {

// A tab view of `count` pages, each holding a check box, with its changes counted.
struct Tabs
{
    explicit Tabs(int count)
    {
        widget = qobject_cast<QTabWidget *>(view.GetPlatformHandle());
        for (int i = 0; i < count; ++i) {
            auto *page = new QWidget;
            auto *layout = new QVBoxLayout(page);
            layout->addWidget(new QCheckBox(QString::number(i)));
            widget->addTab(page, QStringLiteral("Tab %1").arg(i));
        }
        view.OnCurrentChanged.Subscribe([this](int index) { changes.push_back(index); });
    }

    TabView view;
    QTabWidget *widget = nullptr;
    std::vector<int> changes;
};

} // namespace

TEST(TabViewTest, AClickOnATabReportsTheNewIndex)
{
    Tabs tabs(3);
    EXPECT_EQ(tabs.view.GetControlKind(), ControlKindTabView);
    EXPECT_STREQ(tabs.widget->metaObject()->className(), "AUILib::TabViewQt");
    QWidget parent;
    EXPECT_TRUE(tabs.view.Create(&parent));
    EXPECT_EQ(tabs.widget->parentWidget(), &parent);
    EXPECT_EQ(tabs.view.GetParentWindow(), &parent);

    tabs.widget->resize(300, 200);
    parent.show();
    QTabBar *bar = tabs.widget->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(2).center());
    EXPECT_EQ(tabs.view.GetCurrentIndex(), 2);
    EXPECT_EQ(tabs.view.GetItemCount(), 3);
    EXPECT_EQ(tabs.changes, std::vector<int>{2});
}

TEST(TabViewTest, SteppingWrapsAroundAndFiresOnce)
{
    struct Case
    {
        const char *name;
        int count;
        int current; // -1: no current tab
        bool next;
        int expected;
        std::vector<int> fired;
    };
    const Case cases[] = {
        {"next from the last", 3, 2, true, 0, {0}},
        {"next from the middle", 3, 1, true, 2, {2}},
        {"previous from the first", 3, 0, false, 2, {2}},
        {"previous from the middle", 3, 1, false, 0, {0}},
        {"next of a single tab", 1, 0, true, 0, {}},
        {"next without tabs", 0, -1, true, -1, {}},
        {"previous without tabs", 0, -1, false, -1, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Tabs tabs(c.count);
        tabs.view.SetCurrentIndex(c.current);
        tabs.changes.clear();
        if (c.next)
            tabs.view.ActivateNextTab();
        else
            tabs.view.ActivatePreviousTab();
        EXPECT_EQ(tabs.view.GetCurrentIndex(), c.expected);
        EXPECT_EQ(tabs.changes, c.fired);
    }
}

TEST(TabViewTest, TabTextsEndAtTheirFirstNul)
{
    Tabs tabs(2);
    tabs.view.SetTabText(0, L"Ge\u0301n\u00e9ral \U0001F600");
    EXPECT_EQ(tabs.widget->tabText(0), QString::fromWCharArray(L"Ge\u0301n\u00e9ral \U0001F600"));
    EXPECT_EQ(tabs.view.GetTabText(0), L"Ge\u0301n\u00e9ral \U0001F600");
    tabs.view.SetTabText(1, std::wstring(L"Front\0Back", 10));
    EXPECT_EQ(tabs.widget->tabText(1), "Front");
    tabs.widget->setTabText(1, QString::fromWCharArray(L"Up\0Down", 7));
    EXPECT_EQ(tabs.view.GetTabText(1), L"Up");
    tabs.view.SetTabText(5, L"nowhere");
    EXPECT_EQ(tabs.view.GetTabText(5), L"");
}

TEST(TabViewTest, PagesAreEnabledWhileTheirTabsStaySelectable)
{
    Tabs tabs(3);
    QWidget *page = tabs.widget->widget(1);
    auto *child = page->findChild<QCheckBox *>();
    tabs.view.EnablePage(5, false, false);
    tabs.view.EnablePage(1, false, true);
    EXPECT_FALSE(page->isEnabled());
    EXPECT_TRUE(child->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_TRUE(tabs.widget->isTabEnabled(1));
    tabs.view.SetCurrentIndex(1);
    EXPECT_EQ(tabs.view.GetCurrentIndex(), 1);
    tabs.view.EnablePage(1, true, false);
    EXPECT_TRUE(page->isEnabled());
    EXPECT_FALSE(child->isEnabled());
    EXPECT_TRUE(tabs.widget->widget(0)->isEnabled());
}

// The counts answer as for an empty view once the widget is gone.
TEST(TabViewTest, AGoneWidgetAnswersNeutralValuesOrThrows)
{
    Tabs tabs(3);
    tabs.view.SetCurrentIndex(2);
    delete tabs.widget;
    tabs.changes.clear();
    EXPECT_EQ(tabs.view.GetCurrentIndex(), -1);
    EXPECT_EQ(tabs.view.GetItemCount(), 0);
    EXPECT_EQ(tabs.view.GetTabText(0), L"");
    tabs.view.SetCurrentIndex(1);
    tabs.view.SetTabText(0, L"x");
    tabs.view.ActivateNextTab();
    tabs.view.ActivatePreviousTab();
    EXPECT_TRUE(tabs.changes.empty());
    EXPECT_THROW(tabs.view.EnablePage(0, true, true), AgnosticUIException);
    EXPECT_THROW(tabs.view.Create(nullptr), AgnosticUIException);
}
