#include "Button.h"

#include "AgnosticUIException.h"
#include "BaseImpl.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
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

// Something still holds the implementation GetBaseImpl handed out; the widget
// stays with its parent. A click then reaches no control.
TEST(ButtonTest, AClickAfterTheButtonIsGoneReachesNobody)
{
    QWidget parent;
    auto button = std::make_unique<Button>();
    button->Create(&parent);
    QPointer<QPushButton> widget = static_cast<QPushButton *>(button->GetPlatformHandle());
    int clicks = 0;
    button->OnClicked.Subscribe([&] { ++clicks; });
    const std::shared_ptr<BaseImpl> held = button->GetBaseImpl();
    button.reset();
    ASSERT_FALSE(widget.isNull());
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(held->GetWidget(), widget.data());
}

TEST(ButtonTest, AButtonDroppedUnplacedTakesItsWidgetAlong)
{
    auto button = std::make_unique<Button>();
    QPointer<QWidget> widget = button->GetPlatformHandle();
    button.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

TEST(ButtonTest, AGoneWidgetMakesTheCommonOperationsThrow)
{
    Button button;
    delete button.GetPlatformHandle();
    EXPECT_EQ(button.GetPlatformHandle(), nullptr);
    EXPECT_THROW(button.Create(nullptr), AgnosticUIException);
}
