#include "GroupBox.h"

#include "AgnosticUIException.h"

#include <QEvent>
#include <QGroupBox>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

namespace {

// Keeps the area of every paint event of the watched widget.
class PaintWatcher : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            areas.push_back(static_cast<QPaintEvent *>(event)->region());
        return false;
    }
    std::vector<QRegion> areas;
};

} // namespace

TEST(GroupBoxTest, ItsBoxIsPlacedAndKeepsItsTitleWhole)
{
    GroupBox box;
    EXPECT_EQ(box.GetControlKind(), ControlKindGroupBox);
    auto *widget = qobject_cast<QGroupBox *>(box.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::GroupBoxQt");
    QWidget parent;
    EXPECT_TRUE(box.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(box.GetParentWindow(), &parent);

    for (const std::wstring &title : {std::wstring(L"Options"), std::wstring(L"G\u00e9n\u00e9ral \U0001F600 \u4e2d"),
                                      std::wstring(L""), std::wstring(L"a\0b", 3)}) {
        box.SetText(title);
        EXPECT_EQ(box.GetText(), title);
    }
    EXPECT_EQ(widget->title(), QString::fromWCharArray(L"a\0b", 3));
}

// The box shows the first kLongestShownTitle characters of a longer title;
// GetText still gives the title whole, until something else sets the box's
// title (a form, Qt), which GetText then reads.
TEST(GroupBoxTest, ALongTitleIsShownInPartAndKeptWhole)
{
    const std::size_t longest = GroupBox::kLongestShownTitle;
    GroupBox box;
    auto *widget = qobject_cast<QGroupBox *>(box.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    const std::wstring fits(longest, L'f');
    box.SetText(fits);
    EXPECT_EQ(widget->title().size(), static_cast<int>(longest));
    EXPECT_EQ(box.GetText(), fits);

    const std::wstring beyond = std::wstring(longest, L'a') + L"\U0001F600 and more";
    box.SetText(beyond);
    EXPECT_EQ(widget->title(), QString(static_cast<int>(longest), QLatin1Char('a')));
    EXPECT_EQ(box.GetText(), beyond);

    widget->setTitle(QStringLiteral("Set by Qt"));
    EXPECT_EQ(box.GetText(), L"Set by Qt");
    box.SetText(L"Short");
    EXPECT_EQ(box.GetText(), L"Short");
}

TEST(GroupBoxTest, ColoursLeaveTheLookAlone)
{
    QWidget parent;
    GroupBox box;
    box.Create(&parent);
    box.SetText(L"Title");
    QWidget *widget = box.GetPlatformHandle();
    widget->resize(120, 80);
    const QImage before = widget->grab().toImage();
    const QPalette palette = widget->palette();
    const QString sheet = widget->styleSheet();
    box.SetColors(0xff0000, 0x00ff00);
    EXPECT_EQ(widget->palette(), palette);
    EXPECT_EQ(widget->styleSheet(), sheet);
    EXPECT_EQ(widget->grab().toImage(), before);
}

// Hiding repaints the parent from its top-left corner, over the box's size,
// whatever the repaint flag says.
TEST(GroupBoxTest, ShowingRepaintsTheParentsCornerAtOnce)
{
    QWidget parent;
    parent.resize(300, 200);
    GroupBox box;
    box.Create(&parent);
    box.MoveWindow(50, 40, 100, 60, false);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    PaintWatcher watcher;
    parent.installEventFilter(&watcher);

    box.Show(false, false);
    EXPECT_FALSE(box.IsVisible());
    ASSERT_FALSE(watcher.areas.empty()) << "painted before Show returned";
    // Qt adds the area the box left.
    EXPECT_TRUE(watcher.areas.front().contains(QRect(0, 0, 100, 60)));

    watcher.areas.clear();
    box.Show(true, false);
    EXPECT_TRUE(box.IsVisible());
    ASSERT_FALSE(watcher.areas.empty());
    EXPECT_TRUE(watcher.areas.front().contains(QRect(0, 0, 100, 60)));

    // Without a parent the box repaints itself.
    GroupBox alone;
    QWidget *own = alone.GetPlatformHandle();
    own->resize(80, 50);
    own->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(own));
    PaintWatcher self;
    own->installEventFilter(&self);
    alone.Show(true, false);
    ASSERT_FALSE(self.areas.empty());
    EXPECT_TRUE(self.areas.front().contains(QRect(0, 0, 80, 50)));
}

TEST(GroupBoxTest, AGoneWidgetAnswersEmptyAndThrowsWhereCommon)
{
    GroupBox box;
    delete box.GetPlatformHandle();
    box.SetText(L"x");
    EXPECT_EQ(box.GetText(), L"");
    box.SetColors(1, 2);
    EXPECT_THROW(box.Show(true, true), AgnosticUIException);
    EXPECT_THROW(box.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(box.IdealSize(), AgnosticUIException);
}
