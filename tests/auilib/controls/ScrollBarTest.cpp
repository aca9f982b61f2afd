#include "ScrollBar.h"

#include "AgnosticUIException.h"

#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

TEST(ScrollBarTest, ANewBarStepsByOnePageAndHasNoColour)
{
    ScrollBar bar;
    EXPECT_EQ(bar.GetControlKind(), ControlKindScrollBar);
    auto *widget = qobject_cast<QScrollBar *>(bar.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ScrollBarQt");
    EXPECT_EQ(widget->pageStep(), 1);
    EXPECT_EQ(bar.GetBackgroundColor(), -1);
    EXPECT_FALSE(widget->autoFillBackground());

    QWidget parent;
    EXPECT_TRUE(bar.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(bar.GetParentWindow(), &parent);
}

TEST(ScrollBarTest, ClicksAndCodeMoveTheValue)
{
    ScrollBar bar;
    auto *widget = qobject_cast<QScrollBar *>(bar.GetPlatformHandle());
    widget->setOrientation(Qt::Vertical);
    widget->resize(20, 200);
    std::vector<int> values;
    bar.OnValueChanged.Subscribe([&](int value) { values.push_back(value); });
    bar.SetRange(0, 50);
    bar.SetLineSize(4);
    bar.SetPageSize(10);
    EXPECT_EQ(widget->singleStep(), 4);
    EXPECT_EQ(widget->pageStep(), 10);

    // A click on the track below the handle steps down a page.
    widget->show();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 150));
    EXPECT_EQ(bar.GetValue(), 10);
    widget->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bar.GetValue(), 14);
    bar.SetValue(60);
    EXPECT_EQ(bar.GetValue(), 50);
    bar.SetRange(0, 20);
    EXPECT_EQ(bar.GetValue(), 20);
    EXPECT_EQ(values, (std::vector<int>{10, 14, 50, 20}));
}

TEST(ScrollBarTest, TheBackgroundColourFillsTheBarInEveryState)
{
    ScrollBar bar;
    QWidget *widget = bar.GetPlatformHandle();
    bar.SetBackgroundColor(0x7f123456);
    EXPECT_EQ(bar.GetBackgroundColor(), 0x7f123456);
    EXPECT_TRUE(widget->autoFillBackground());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(widget->palette().color(group, widget->backgroundRole()), QColor(0x12, 0x34, 0x56));
}

TEST(ScrollBarTest, AGoneWidgetKeepsItsColourAndAnswersZero)
{
    ScrollBar bar;
    bar.SetBackgroundColor(0x00ff00);
    delete bar.GetPlatformHandle();
    bar.SetBackgroundColor(0x0000ff);
    EXPECT_EQ(bar.GetBackgroundColor(), 0x00ff00);
    bar.SetPageSize(2);
    bar.SetLineSize(2);
    bar.SetRange(5, 10);
    bar.SetValue(7);
    EXPECT_EQ(bar.GetValue(), 0);
    EXPECT_THROW(bar.Create(nullptr), AgnosticUIException);
}
