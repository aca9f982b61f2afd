#include "WidgetColors.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(WidgetColors, NamesWithAndWithoutAlpha)
{
    EXPECT_EQ(ColorName(0x80FF0A0B), QStringLiteral("#ff0a0b"));
    EXPECT_EQ(ColorName(0x00000000), QStringLiteral("#000000"));
    EXPECT_EQ(ColorNameWithAlpha(0x80FF0A0B), QStringLiteral("#80ff0a0b"));
    EXPECT_EQ(ColorNameWithAlpha(0x00C3C3C3), QStringLiteral("#00c3c3c3"));
}

TEST(WidgetColors, PaletteRoleInEveryGroupAlphaIgnored)
{
    QWidget widget;
    SetPaletteColor(&widget, QPalette::WindowText, 0x00123456);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(widget.palette().color(group, QPalette::WindowText), QColor(0x12, 0x34, 0x56)) << group;
    EXPECT_FALSE(widget.autoFillBackground());

    SetPaletteColor(&widget, widget.backgroundRole(), 0xFF00FF00, true);
    EXPECT_EQ(widget.palette().color(QPalette::Disabled, widget.backgroundRole()), QColor(0, 255, 0));
    EXPECT_EQ(widget.palette().color(QPalette::Active, QPalette::WindowText), QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(widget.autoFillBackground());
    SetPaletteColor(nullptr, QPalette::Base, 0);
}
