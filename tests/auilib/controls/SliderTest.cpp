#include "Slider.h"

#include "AgnosticUIException.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

namespace {

// Where the style draws the handle of a horizontal slider now.
QRect handleRect(QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.state |= QStyle::State_Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = slider->invertedAppearance() != (option.direction == Qt::RightToLeft);
    option.subControls = QStyle::SC_All;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

void moveHeld(QWidget *widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

TEST(SliderTest, DraggingTheHandleReportsEachValueAndOneRelease)
{
    Slider slider;
    EXPECT_EQ(slider.GetControlKind(), ControlKindSlider);
    auto *widget = qobject_cast<QSlider *>(slider.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::SliderQt");
    QWidget parent;
    EXPECT_TRUE(slider.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(slider.GetParentWindow(), &parent);

    widget->setOrientation(Qt::Horizontal);
    widget->setGeometry(0, 0, 300, 30);
    slider.SetRange(0, 3);
    parent.resize(300, 30);
    parent.show();

    std::vector<int> values;
    int releases = 0;
    slider.OnValueChanged.Subscribe([&](int value) { values.push_back(value); });
    slider.OnSliderReleased.Subscribe([&] {
        ++releases;
        EXPECT_EQ(values.size(), 3u) << "the values come first";
    });
    const QPoint start = handleRect(widget).center();
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, start);
    for (int x = start.x(); x <= widget->width(); x += 5)
        moveHeld(widget, QPoint(x, start.y()));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(widget->width(), start.y()));
    EXPECT_EQ(values, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(slider.GetValue(), 3);
}

TEST(SliderTest, StepsRangeAndValueReachTheWidget)
{
    Slider slider;
    auto *widget = qobject_cast<QSlider *>(slider.GetPlatformHandle());
    std::vector<int> values;
    slider.OnValueChanged.Subscribe([&](int value) { values.push_back(value); });
    slider.SetPageSize(7);
    slider.SetLineSize(3);
    EXPECT_EQ(widget->pageStep(), 7);
    EXPECT_EQ(widget->singleStep(), 3);

    slider.SetRange(10, 20);
    EXPECT_EQ(slider.GetValue(), 10) << "Qt clamps the value into the range";
    slider.SetValue(15);
    slider.SetValue(99);
    EXPECT_EQ(slider.GetValue(), 20);
    slider.SetRange(0, 12);
    EXPECT_EQ(slider.GetValue(), 12);
    EXPECT_EQ(values, (std::vector<int>{10, 15, 20, 12}));
    EXPECT_EQ(widget->minimum(), 0);
    EXPECT_EQ(widget->maximum(), 12);
}

TEST(SliderTest, AGoneWidgetAnswersZero)
{
    Slider slider;
    delete slider.GetPlatformHandle();
    slider.SetPageSize(2);
    slider.SetLineSize(2);
    slider.SetRange(5, 10);
    slider.SetValue(7);
    EXPECT_EQ(slider.GetValue(), 0);
    EXPECT_THROW(slider.Create(nullptr), AgnosticUIException);
}
