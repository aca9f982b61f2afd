#include "ChildDialog.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"

#include <QColor>
#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(ChildDialogTest, APageGoesWhereCreatePutsIt)
{
    ChildDialog page;
    EXPECT_EQ(page.GetControlKind(), ControlKindChildDialog);
    QWidget *widget = page.GetPlatformHandle();
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ChildDialogQt");
    EXPECT_EQ(widget->parentWidget(), nullptr);

    QWidget parent;
    EXPECT_TRUE(page.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(page.GetParentWindow(), &parent);
    EXPECT_EQ(page.GetSkinManager(), GetGlobalSkinManager());

    parent.show();
    page.SetVisible(false);
    EXPECT_FALSE(widget->isVisible());
    page.SetVisible(true);
    EXPECT_TRUE(widget->isVisible());
}

TEST(ChildDialogTest, TheBackgroundIsPaintedOpaque)
{
    QWidget parent;
    ChildDialog page;
    page.Create(&parent);
    EXPECT_EQ(page.BackgroundColor(), -1);

    const int halfRed = static_cast<int>(0x80FF0000u);
    page.SetBackgroundColor(halfRed);
    EXPECT_EQ(page.BackgroundColor(), halfRed);
    QWidget *widget = page.GetPlatformHandle();
    EXPECT_TRUE(widget->autoFillBackground());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(widget->palette().color(group, QPalette::Window), QColor(255, 0, 0, 255));
}

TEST(ChildDialogTest, AGonePageKeepsItsColourAndCannotBePlaced)
{
    QWidget parent;
    ChildDialog page;
    page.Create(&parent);
    page.SetBackgroundColor(0x00112233);
    delete page.GetPlatformHandle();

    page.SetBackgroundColor(0x00445566);
    EXPECT_EQ(page.BackgroundColor(), 0x00112233);
    EXPECT_THROW(page.Create(&parent), AgnosticUIException);
    EXPECT_THROW(page.SetVisible(true), AgnosticUIException);
}
