#include "ProgressBar.h"

#include "AgnosticUIException.h"

#include <QProgressBar>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

TEST(ProgressBarTest, ItsOwnBarIsPlacedAndReportsItsValues)
{
    ProgressBar bar;
    EXPECT_EQ(bar.GetControlKind(), ControlKindProgressBar);
    QWidget *widget = bar.GetPlatformHandle();
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ProgressBarQt");

    QWidget parent;
    EXPECT_TRUE(bar.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(bar.GetParentWindow(), &parent);

    std::vector<int> values;
    bar.OnValueChanged.Subscribe([&](int value) { values.push_back(value); });
    static_cast<QProgressBar *>(widget)->setValue(30);
    EXPECT_EQ(values, std::vector<int>{30});
    EXPECT_EQ(bar.GetValue(), 30);
    EXPECT_EQ(bar.GetMinimum(), 0);
    EXPECT_EQ(bar.GetMaximum(), 100);
}

// Values outside the range are refused, and a new range never leaves the
// value outside it.
TEST(ProgressBarTest, TheValueStaysInsideTheRange)
{
    struct Case
    {
        const char *name;
        int min, max, value;          // before
        bool setRange;
        int arg1, arg2;               // SetRange(arg1, arg2) or SetValue(arg1)
        bool accepted;                // SetValue's answer
        int value2, min2, max2;       // after
        std::vector<int> fired;
    };
    const Case cases[] = {
        {"above the range", 0, 100, 50, false, 150, 0, false, 50, 0, 100, {}},
        {"below the range", 0, 100, 50, false, -1, 0, false, 50, 0, 100, {}},
        {"the maximum", 0, 100, 50, false, 100, 0, true, 100, 0, 100, {100}},
        {"the minimum", 0, 100, 50, false, 0, 0, true, 0, 0, 100, {0}},
        {"a narrower range", 0, 100, 50, true, 0, 10, true, 0, 0, 10, {0}},
        {"a range holding the value", 0, 100, 50, true, 40, 60, true, 50, 40, 60, {}},
        {"a range beyond the old one", 0, 10, 5, true, 20, 30, true, 20, 20, 30, {20}},
        {"a range below the old one", 10, 20, 15, true, -30, -20, true, -30, -30, -20, {-30}},
        {"a reversed range", 0, 100, 50, true, 70, 60, true, 70, 70, 70, {70}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProgressBar bar;
        auto *widget = static_cast<QProgressBar *>(bar.GetPlatformHandle());
        widget->setRange(c.min, c.max);
        widget->setValue(c.value);
        std::vector<int> fired;
        bar.OnValueChanged.Subscribe([&](int value) { fired.push_back(value); });
        if (c.setRange)
            bar.SetRange(c.arg1, c.arg2);
        else
            EXPECT_EQ(bar.SetValue(c.arg1), c.accepted);
        EXPECT_EQ(bar.GetValue(), c.value2);
        EXPECT_EQ(bar.GetMinimum(), c.min2);
        EXPECT_EQ(bar.GetMaximum(), c.max2);
        EXPECT_EQ(fired, c.fired);
    }
}

TEST(ProgressBarTest, AGoneWidgetAnswersZeroAndRefusesValues)
{
    ProgressBar bar;
    delete bar.GetPlatformHandle();
    EXPECT_EQ(bar.GetPlatformHandle(), nullptr);
    EXPECT_FALSE(bar.SetValue(1));
    bar.SetRange(5, 10);
    EXPECT_EQ(bar.GetValue(), 0);
    EXPECT_EQ(bar.GetMinimum(), 0);
    EXPECT_EQ(bar.GetMaximum(), 0);
    EXPECT_THROW(bar.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(bar.IdealSize(), AgnosticUIException);
}
