#include "ButtonBox.h"

#include "Button.h"
#include "ButtonBoxImpl.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace AUILib;

TEST(ButtonBoxTest, TheBoxKeepsTheControlsOfItsStandardButtons)
{
    QWidget parent;
    ButtonBox box;
    EXPECT_EQ(box.GetControlKind(), ControlKindButtonBox);
    EXPECT_TRUE(box.Create(&parent));
    EXPECT_EQ(box.GetParentWindow(), &parent);
    auto *widget = qobject_cast<QDialogButtonBox *>(box.GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ButtonBoxQt");

    auto impl = std::static_pointer_cast<ButtonBox::impl>(box.GetBaseImpl());
    EXPECT_TRUE(impl->Buttons().empty());

    // As a dialog built from a form fills it.
    widget->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPointer<QPushButton> ok = widget->button(QDialogButtonBox::Ok);
    impl->Buttons().push_back(std::make_shared<Button>(ok.data()));
    impl->Buttons().push_back(std::make_shared<Button>(widget->button(QDialogButtonBox::Cancel)));
    int clicks = 0;
    impl->Buttons().front()->OnClicked.Subscribe([&] { ++clicks; });
    ok->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(impl->Buttons().front()->GetPlatformHandle(), ok.data());
}
