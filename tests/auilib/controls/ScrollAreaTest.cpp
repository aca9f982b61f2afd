#include "ScrollArea.h"

#include "AgnosticUIException.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(ScrollAreaTest, ItIsAPlainScrollAreaPlacedByCreate)
{
    ScrollArea area;
    EXPECT_EQ(area.GetControlKind(), ControlKindScrollArea);
    auto *widget = qobject_cast<QScrollArea *>(area.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ScrollAreaQt");

    QWidget parent;
    EXPECT_TRUE(area.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(area.GetParentWindow(), &parent);

    // A content larger than the area scrolls.
    auto *content = new QLabel("content");
    content->setFixedSize(400, 400);
    widget->setWidget(content);
    area.MoveWindow(0, 0, 100, 100, false);
    parent.show();
    EXPECT_GT(widget->verticalScrollBar()->maximum(), 0);

    delete widget;
    EXPECT_THROW(area.Create(&parent), AgnosticUIException);
}
