#include "Button.h"

#include "AgnosticUIException.h"

#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace AUILib;

TEST(ButtonTest, ItsOwnButtonIsPlacedWithoutStoringTheParent)
{
    Button button;
    EXPECT_EQ(button.GetControlKind(), ControlKindButton);
    QWidget *widget = button.GetPlatformHandle();
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ButtonQt");

    QWidget parent;
    EXPECT_TRUE(button.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(button.GetParentWindow(), nullptr);

    int clicks = 0;
    button.OnClicked.Subscribe([&] { ++clicks; });
    static_cast<QPushButton *>(widget)->click();
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonTest, AnExistingPushButtonIsDrivenAndOutlivesItsControl)
{
    QWidget parent;
    QPointer<QPushButton> existing = new QPushButton("OK", &parent);
    int clicks = 0;
    {
        Button button(existing);
        EXPECT_EQ(button.GetControlKind(), ControlKindButton);
        EXPECT_EQ(button.GetPlatformHandle(), existing.data());
        EXPECT_EQ(button.OnClicked.Count(), 0u);
        button.OnClicked.Subscribe([&] { ++clicks; });
        button.Show(false, false);
        EXPECT_TRUE(existing->isHidden());
        existing->click();
        EXPECT_EQ(clicks, 1);
    }
    // The widget stays with its parent, and its clicks reach nobody.
    ASSERT_FALSE(existing.isNull());
    existing->click();
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonTest, AHandlerMayDropTheButtonItIsCalledFor)
{
    QWidget parent;
    auto button = std::make_shared<Button>();
    button->Create(&parent);
    QPointer<QPushButton> widget = static_cast<QPushButton *>(button->GetPlatformHandle());
    int clicks = 0;
    button->OnClicked.Subscribe([&] {
        ++clicks;
        button.reset();
    });
    widget->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button, nullptr);
    widget->click();
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonTest, AGoneWidgetMakesTheCommonOperationsThrow)
{
    Button button;
    delete button.GetPlatformHandle();
    EXPECT_EQ(button.GetPlatformHandle(), nullptr);
    EXPECT_THROW(button.Create(nullptr), AgnosticUIException);
}
