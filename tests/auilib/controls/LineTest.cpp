#include "Line.h"

#include "AgnosticUIException.h"

#include <QFrame>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(LineTest, APlainLinePlacedWithoutStoringTheParent)
{
    Line line;
    EXPECT_EQ(line.GetControlKind(), ControlKindLine);
    auto *widget = qobject_cast<QFrame *>(line.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::LineQt");
    EXPECT_EQ(line.GetWndPtr(), widget);
    EXPECT_EQ(widget->frameShadow(), QFrame::Plain);

    QWidget parent;
    EXPECT_TRUE(line.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(line.GetParentWindow(), nullptr);
}

// The colour shows in every state, the disabled one too.
TEST(LineTest, TheColourIsDrawnEnabledOrNot)
{
    Line line;
    auto *widget = qobject_cast<QFrame *>(line.GetWndPtr());
    widget->setFrameShape(QFrame::HLine);
    widget->resize(40, 3);
    line.SetLineColor(0x80ff0000);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(widget->palette().color(group, QPalette::WindowText), QColor(255, 0, 0));
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        line.Enable(enabled, false);
        const QImage image = widget->grab().toImage();
        EXPECT_EQ(image.pixelColor(20, 1), QColor(255, 0, 0));
    }
}

TEST(LineTest, AGoneWidgetIsNullAndThrowsWhereCommon)
{
    Line line;
    delete line.GetWndPtr();
    EXPECT_EQ(line.GetWndPtr(), nullptr);
    line.SetLineColor(0xff);
    EXPECT_THROW(line.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(line.IdealSize(), AgnosticUIException);
}
