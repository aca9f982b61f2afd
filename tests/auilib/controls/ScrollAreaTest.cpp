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

// Placed inside itself (its viewport, its page) the area would be its own
// ancestor, and Qt would recurse without end: refused, and the area stays
// where it was and goes on working.
TEST(ScrollAreaTest, CreateInsideItselfIsRefused)
{
    QWidget host;
    ScrollArea area;
    ASSERT_TRUE(area.Create(&host));
    auto *widget = qobject_cast<QScrollArea *>(area.GetPlatformHandle());
    auto *content = new QLabel("content");
    widget->setWidget(content);
    host.show();
    for (QWidget *inside : {static_cast<QWidget *>(widget), widget->viewport(), static_cast<QWidget *>(content)}) {
        EXPECT_FALSE(area.Create(inside));
        EXPECT_EQ(widget->parentWidget(), &host);
    }
    area.MoveWindow(0, 0, 120, 90, false);
    EXPECT_EQ(widget->size(), QSize(120, 90));
    EXPECT_EQ(widget->widget(), content);
}
