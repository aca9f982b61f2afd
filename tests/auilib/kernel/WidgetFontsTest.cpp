#include "WidgetFonts.h"

#include <QFontInfo>
#include <QWidget>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

FontData fontData(int bold, int italic, int underline, double size = -1.0, const wchar_t *face = L"")
{
    FontData data;
    data.bold = bold;
    data.italic = italic;
    data.underline = underline;
    data.size = size;
    data.faceName = face;
    return data;
}

} // namespace

TEST(WidgetFonts, OnlyTheFieldsThatAreSetChangeTheFont)
{
    QFont base(QStringLiteral("Sans"), 11);
    base.setWeight(QFont::Bold);
    base.setItalic(true);
    base.setUnderline(true);

    const QFont untouched = ApplyFontData(base, FontData());
    EXPECT_EQ(untouched, base);
    EXPECT_EQ(ApplyFontData(base, fontData(-2, -5, -1, 0.0)), base);

    const QFont off = ApplyFontData(base, fontData(0, 0, 0));
    EXPECT_EQ(off.weight(), 50);
    EXPECT_FALSE(off.italic());
    EXPECT_FALSE(off.underline());
    EXPECT_EQ(off.pointSizeF(), 11.0);

    const QFont on = ApplyFontData(QFont(), fontData(7, 1, 2, 14.5, L"Serif"));
    EXPECT_EQ(on.weight(), 75);
    EXPECT_TRUE(on.italic());
    EXPECT_TRUE(on.underline());
    EXPECT_EQ(on.pointSizeF(), 14.5);
    EXPECT_EQ(on.family(), QStringLiteral("Serif"));
}

TEST(WidgetFonts, WidgetFontsAreReadBackAsTheyResolve)
{
    QWidget widget;
    SetWidgetFontData(&widget, fontData(1, 1, 0, 13.0));
    SetWidgetFontData(nullptr, fontData(1, 1, 0, 13.0));
    const FontData read = FontDataFromFont(widget.font());
    EXPECT_EQ(read.faceName, QFontInfo(widget.font()).family().toStdWString());
    EXPECT_NEAR(read.size, 13.0, 0.5);
    EXPECT_EQ(read.bold, 1);
    EXPECT_EQ(read.italic, 1);
    EXPECT_EQ(read.underline, 0);
    EXPECT_EQ(read.charset, -1);

    // The threshold for bold is the caller's: item fonts count from 58.
    QFont demi = widget.font();
    demi.setWeight(QFont::DemiBold); // 63
    EXPECT_EQ(FontDataFromFont(demi, 58).bold, 1);
    demi.setWeight(55);
    EXPECT_EQ(FontDataFromFont(demi, 58).bold, 0);
    EXPECT_EQ(FontDataFromFont(demi).bold, 1);
}
