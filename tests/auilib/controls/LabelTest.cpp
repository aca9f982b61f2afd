#include "Label.h"

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

using namespace AUILib;

TEST(LabelTest, SetTextShowsTheTextUpToItsFirstNul)
{
    QWidget parent;
    Label label;
    EXPECT_EQ(label.GetControlKind(), ControlKindLabel);
    EXPECT_TRUE(label.Create(&parent));
    EXPECT_EQ(label.GetParentWindow(), &parent);
    auto *widget = qobject_cast<QLabel *>(label.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::LabelQt");

    label.SetText(L"Gr\u00fc\u00dfe \u4e2d", false);
    EXPECT_EQ(widget->text(), QString::fromWCharArray(L"Gr\u00fc\u00dfe \u4e2d"));
    label.SetText(std::wstring(L"before\0after", 12), true);
    EXPECT_EQ(widget->text(), "before");
    label.SetText(L"", false);
    EXPECT_EQ(widget->text(), "");
}

TEST(LabelTest, SetTextOnAGoneLabelDoesNothing)
{
    Label label;
    delete label.GetPlatformHandle();
    EXPECT_NO_THROW(label.SetText(L"text", false));
}
