#include "ButtonBox.h"

#include "Button.h"
#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "ButtonBoxImpl.h"
#include "ButtonBoxQt.h"
#include "DialogForms.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
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

namespace {

void activate(QWidget *box)
{
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(box, &event);
}

} // namespace

class ButtonBoxFormTest : public DialogFormTest
{
};

// The per-button sheet waits for the box's first activation, which measures
// the buttons; a column gets no top margin and two pixels less height.
TEST_F(ButtonBoxFormTest, ButtonsAreSizedAtTheFirstActivationByOrientation)
{
    for (bool vertical : {false, true}) {
        SCOPED_TRACE(vertical);
        ButtonBox box;
        box.SetOrientation(vertical);
        auto *widget = qobject_cast<ButtonBoxQt *>(box.GetPlatformHandle());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->orientation(), vertical ? Qt::Vertical : Qt::Horizontal);
        EXPECT_EQ(box.GetSkinManager(), GetGlobalSkinManager());
        widget->setStandardButtons(QDialogButtonBox::Ok);
        EXPECT_GT(box.IdealSize().width, 0);
        QPushButton *ok = widget->button(QDialogButtonBox::Ok);
        ok->setGeometry(0, 0, 80, 30);
        widget->SetButtonStyleSheet("OK", "QPushButton { color: #000000; } ");
        EXPECT_TRUE(ok->styleSheet().isEmpty());
        activate(widget);
        EXPECT_EQ(ok->styleSheet(), vertical ? "QDialogButtonBox [text='OK'] {min-width:66px;min-height:16px; "
                                               "color: #000000; } "
                                             : "QDialogButtonBox [text='OK'] {min-width:66px;min-height:18px;"
                                               "margin-top:2px; color: #000000; } ");
        // A box no form filled has controls for none of its buttons.
        EXPECT_EQ(box.GetButton(QDialogButtonBox::Ok), nullptr);
    }
}

TEST_F(ButtonBoxFormTest, AFormsBoxHandsOutTheControlsOfItsButtons)
{
    SetCurrentLanguage(L"de-DE", false);
    ASSERT_TRUE(files.writeStrings("de-DE", "", "<string id=\"AUILib::BBoxCancel\">Abbrechen</string>"));
    const QByteArray body = R"(
<item><widget class="QDialogButtonBox" name="buttonBox">
 <property name="orientation"><enum>Qt::Vertical</enum></property>
 <property name="standardButtons"><set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok</set></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *box = dialog.GetControlPtr<ButtonBox *>(L"buttonBox");
    ASSERT_NE(box, nullptr);
    auto *widget = qobject_cast<QDialogButtonBox *>(box->GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::ButtonBoxQt");
    EXPECT_EQ(widget->orientation(), Qt::Vertical);

    const std::shared_ptr<Button> cancel = box->GetButton(QDialogButtonBox::Cancel);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->GetPlatformHandle(), widget->button(QDialogButtonBox::Cancel));
    EXPECT_EQ(widget->button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    const std::shared_ptr<Button> ok = box->GetButton(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetPlatformHandle(), widget->button(QDialogButtonBox::Ok));
    EXPECT_EQ(box->GetButton(QDialogButtonBox::Yes), nullptr);

    box->SetOrientation(false);
    EXPECT_EQ(widget->orientation(), Qt::Horizontal);
}

TEST(ButtonBoxTest, AGoneBoxGivesNoButtons)
{
    ButtonBox box;
    delete box.GetPlatformHandle();
    EXPECT_EQ(box.GetButton(QDialogButtonBox::Ok), nullptr);
    EXPECT_NO_THROW(box.SetOrientation(true));
    EXPECT_THROW(box.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(box.IdealSize(), AgnosticUIException);
}
