#include "Splitter.h"

#include "AgnosticUIException.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

// A splitter of `views` labels, 300 pixels wide, shown.
struct ShownSplitter
{
    explicit ShownSplitter(int views)
    {
        splitter.Create(&parent);
        widget = qobject_cast<QSplitter *>(splitter.GetPlatformHandle());
        widget->setOrientation(Qt::Horizontal);
        widget->setHandleWidth(4);
        for (int i = 0; i < views; ++i)
            widget->addWidget(new QLabel(QString::number(i)));
        widget->setGeometry(0, 0, 300 + 4 * (views - 1), 50);
        parent.resize(400, 50);
        parent.show();
    }

    QWidget parent;
    Splitter splitter;
    QSplitter *widget = nullptr;
};

} // namespace

TEST(SplitterTest, ItsSplitterIsPlacedAndKeepsNoViews)
{
    Splitter splitter;
    EXPECT_EQ(splitter.GetControlKind(), ControlKindSplitter);
    QWidget *widget = splitter.GetPlatformHandle();
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::SplitterQt");
    QWidget parent;
    EXPECT_TRUE(splitter.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(splitter.GetParentWindow(), &parent);

    Splitter other;
    splitter.AddView(&other);
    EXPECT_TRUE(splitter.GetViews().empty());
    EXPECT_EQ(qobject_cast<QSplitter *>(widget)->count(), 0);
}

// Qt's rules apply: the n-th value is the n-th view's, extra values are
// ignored, the total is fitted to the space there is.
TEST(SplitterTest, SizesFollowQtsRules)
{
    ShownSplitter exact(2);
    exact.splitter.SetSizes({100, 200});
    EXPECT_EQ(exact.widget->sizes(), (QList<int>{100, 200}));

    struct Case
    {
        const char *name;
        std::list<int> sizes;
    };
    const Case cases[] = {
        {"one per view", {120, 180}},
        {"too much in all", {1000, 2000}},
        {"too little in all", {1, 2}},
        {"extra values", {150, 150, 999}},
        {"too few values", {60}},
        {"none", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ShownSplitter ours(2);
        ShownSplitter plain(2);
        ours.splitter.SetSizes({100, 200});
        plain.widget->setSizes({100, 200});
        ours.splitter.SetSizes(c.sizes);
        plain.widget->setSizes(QList<int>(c.sizes.begin(), c.sizes.end()));
        EXPECT_EQ(ours.widget->sizes(), plain.widget->sizes());
    }
}

TEST(SplitterTest, WithoutDynamicResizingViewsMoveOnRelease)
{
    ShownSplitter shown(2);
    shown.splitter.SetHandleWidth(6);
    EXPECT_EQ(shown.widget->handleWidth(), 6);
    shown.splitter.SetSizes({150, 150});
    const int before = shown.widget->sizes().first();
    EXPECT_TRUE(shown.splitter.DynamicResizing()) << "Qt's default";
    shown.splitter.SetDynamicResizing(false);
    EXPECT_FALSE(shown.splitter.DynamicResizing());

    QSplitterHandle *handle = shown.widget->handle(1);
    ASSERT_NE(handle, nullptr);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
    QMouseEvent move(QEvent::MouseMove, grip + QPoint(-50, 0), handle->mapToGlobal(grip + QPoint(-50, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    EXPECT_EQ(shown.widget->sizes().first(), before) << "nothing moves while the handle is held";
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip + QPoint(-50, 0));
    EXPECT_EQ(shown.widget->sizes().first(), before - 50);
}

TEST(SplitterTest, AGoneWidgetIsNotResizedDynamically)
{
    Splitter splitter;
    delete splitter.GetPlatformHandle();
    EXPECT_FALSE(splitter.DynamicResizing());
    splitter.SetDynamicResizing(true);
    splitter.SetSizes({1, 2});
    splitter.SetHandleWidth(3);
    EXPECT_TRUE(splitter.GetViews().empty());
    EXPECT_THROW(splitter.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(splitter.IdealSize(), AgnosticUIException);
}
