#include "CheckBox.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "CheckBoxQt.h"
#include "DialogForms.h"

#include <QImage>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

using namespace AUILib;

namespace {

CheckBoxQt *boxOf(CheckBox &control)
{
    return qobject_cast<CheckBoxQt *>(control.GetPlatformHandle());
}

// The rows of `image` right of column `fromX` that hold a dark pixel, as bands
// of consecutive rows; and the leftmost such pixel.
struct Ink
{
    Ink(const QImage &image, int fromX)
    {
        bool inBand = false;
        for (int y = 0; y < image.height(); ++y) {
            bool dark = false;
            for (int x = fromX; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 110) {
                    dark = true;
                    left = left < 0 ? x : std::min(left, x);
                }
            }
            if (dark && !inBand)
                ++bands;
            inBand = dark;
        }
    }
    int bands = 0;
    int left = -1;
};

} // namespace

TEST(CheckBoxTest, StatesFollowTheTristateSetting)
{
    QWidget parent;
    CheckBox control;
    EXPECT_EQ(control.GetControlKind(), ControlKindCheckBox);
    EXPECT_TRUE(control.Create(&parent));
    EXPECT_EQ(control.GetParentWindow(), &parent);
    CheckBoxQt *box = boxOf(control);
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->metaObject()->className(), "AUILib::CheckBoxQt");
    EXPECT_GT(control.IdealSize().height, 0);
    EXPECT_EQ(control.GetSkinManager(), GetGlobalSkinManager());
    int clicks = 0;
    control.OnClicked.Subscribe([&] { ++clicks; });

    // tristate, state set, state read back
    const std::vector<std::tuple<bool, int, int>> table = {
        {false, 1, 1}, {false, 2, 1}, {false, 0, 0}, {false, 2, 0}, {false, 1, 1}, {false, 7, 0},
        {true, 2, 2},  {true, 1, 1},  {true, 2, 2},  {true, -3, 0},
    };
    for (const auto &[tristate, state, expected] : table) {
        SCOPED_TRACE(testing::Message() << tristate << " " << state);
        control.SetTristate(tristate);
        control.SetCheck(static_cast<CheckBoxStates>(state));
        EXPECT_EQ(control.GetCheck(), expected);
    }
    EXPECT_EQ(clicks, 0);
}

TEST(CheckBoxTest, AClickFiresOnceAfterTheStateChanged)
{
    QWidget parent;
    CheckBox control;
    control.Create(&parent);
    CheckBoxQt *box = boxOf(control);
    control.SetText(L"Remember me");
    box->adjustSize();
    std::vector<int> seen;
    control.OnClicked.Subscribe([&] { seen.push_back(control.GetCheck()); });
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_EQ(seen, std::vector<int>{CheckBoxChecked});
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_EQ(seen, (std::vector<int>{CheckBoxChecked, CheckBoxUnchecked}));
}

TEST(CheckBoxTest, TextIsKeptWhole)
{
    CheckBox control;
    control.SetText(std::wstring(L"a\0b \u00e9\U0001F600", 6));
    EXPECT_EQ(control.GetText(), std::wstring(L"a\0b \u00e9\U0001F600", 6));
    EXPECT_EQ(boxOf(control)->text().size(), 7); // the emoji is two UTF-16 units
    control.SetMinimumHeight(40);
    EXPECT_EQ(boxOf(control)->minimumHeight(), 40);
}

// Wrapped, a long text runs over lines that start two pixels after the
// indicator, with its mnemonic hidden, and the whole widget takes clicks.
TEST(CheckBoxTest, WrappingBreaksTheTextAndWidensTheClickArea)
{
    QWidget parent;
    CheckBox control;
    control.Create(&parent);
    CheckBoxQt *box = boxOf(control);
    box->setGeometry(0, 0, 160, 90);
    parent.show();
    const std::wstring text = L"A rather long text that cannot fit on one line of this box";
    control.SetText(text);

    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const int textStart = indicator.left() + indicator.width() + 2;

    EXPECT_EQ(Ink(box->grab().toImage(), indicator.right() + 1).bands, 1);
    control.SetWrap(true);
    EXPECT_TRUE(box->Wrap());
    const Ink wrapped(box->grab().toImage(), indicator.right() + 1);
    EXPECT_GE(wrapped.bands, 2);
    EXPECT_GE(wrapped.left, textStart);
    EXPECT_LE(wrapped.left, textStart + 3);

    control.SetText(L"&Save");
    const QImage withMnemonic = box->grab().toImage();
    control.SetText(L"Save");
    EXPECT_EQ(box->grab().toImage(), withMnemonic);

    // Far right of the short text: only the wrapped box takes the click.
    const QPoint farRight(150, 45);
    control.SetWrap(false);
    QTest::mouseClick(box, Qt::LeftButton, {}, farRight);
    EXPECT_EQ(control.GetCheck(), CheckBoxUnchecked);
    control.SetWrap(true);
    QTest::mouseClick(box, Qt::LeftButton, {}, farRight);
    EXPECT_EQ(control.GetCheck(), CheckBoxChecked);
}

TEST(CheckBoxTest, TheColourSettersLeaveTheLookAlone)
{
    QWidget parent;
    CheckBox control;
    control.Create(&parent);
    control.SetText(L"Look");
    boxOf(control)->adjustSize();
    const QImage before = boxOf(control)->grab().toImage();
    control.SetTextColor(0xffff0000u);
    control.SetBtnBorderColor(0xff00ff00u, 0xff0000ffu);
    control.SetBtnBackgroundColor(0xff00ff00u, 0xff0000ffu);
    control.SetBtnCheckmarkColor(0xffff00ffu);
    control.SetBorderRadius(9);
    EXPECT_EQ(boxOf(control)->grab().toImage(), before);
    EXPECT_TRUE(boxOf(control)->styleSheet().isEmpty());
}

TEST(CheckBoxTest, AGoneWidgetGivesNeutralAnswers)
{
    CheckBox control;
    delete control.GetPlatformHandle();
    EXPECT_EQ(control.GetCheck(), CheckBoxUnchecked);
    EXPECT_EQ(control.GetText(), L"");
    EXPECT_NO_THROW({
        control.SetCheck(CheckBoxChecked);
        control.SetText(L"x");
        control.SetTristate(true);
        control.SetWrap(true);
        control.SetMinimumHeight(3);
    });
    EXPECT_THROW(control.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(control.IdealSize(), AgnosticUIException);
}

class CheckBoxFormTest : public DialogFormTest
{
};

TEST_F(CheckBoxFormTest, AFormsCheckBoxIsTheControlWithTheFormsProperties)
{
    const QByteArray body = R"(
<item><widget class="QCheckBox" name="checkBox">
 <property name="text"><string>Keep &amp;logs</string></property>
 <property name="tristate"><bool>true</bool></property>
 <property name="checked"><bool>true</bool></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *control = dialog.GetControlPtr<CheckBox *>(L"checkBox");
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->GetPlatformHandle()->metaObject()->className(), "AUILib::CheckBoxQt");
    EXPECT_EQ(control->GetText(), L"Keep &logs");
    EXPECT_EQ(control->GetCheck(), CheckBoxChecked);
    control->SetCheck(CheckBoxIndeterminate);
    EXPECT_EQ(control->GetCheck(), CheckBoxIndeterminate);
}
