#include "SpinEdit.h"

#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "SpinEditQt.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

using namespace AUILib;

namespace {

constexpr long long kLargest = std::numeric_limits<long long>::max();
constexpr long long kSmallest = std::numeric_limits<long long>::min();

// A spin edit in a shown window, with its events recorded.
class SpinEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        spin.Create(&window);
        spin.OnValueChanged.Subscribe([this](long long v) { values.push_back(v); });
        spin.OnArrowValueChanged.Subscribe([this](long long v, long long s) { arrows.emplace_back(v, s); });
        window.resize(200, 60);
        box()->setGeometry(10, 10, 150, 30);
        window.show();
        box()->setFocus();
    }

    SpinEditQt *box() { return static_cast<SpinEditQt *>(spin.GetPlatformHandle()); }
    QLineEdit *edit() { return box()->findChild<QLineEdit *>(); }

    // Types `keys` into an emptied field.
    void type(const QString &keys)
    {
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Delete);
        QTest::keyClicks(edit(), keys);
    }

    QPoint arrowCentre(QStyle::SubControl arrow)
    {
        QStyleOptionSpinBox option;
        option.initFrom(box());
        option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
        option.buttonSymbols = box()->buttonSymbols();
        option.frame = box()->hasFrame();
        return box()->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, box()).center();
    }

    QWidget window;
    SpinEdit spin;
    std::vector<long long> values;
    std::vector<std::pair<long long, long long>> arrows;
};

} // namespace

TEST_F(SpinEditTest, KindWidgetAndDefaults)
{
    EXPECT_EQ(spin.GetControlKind(), ControlKindSpinEdit);
    ASSERT_NE(box(), nullptr);
    EXPECT_STREQ(box()->metaObject()->className(), "AUILib::SpinEditQt");
    EXPECT_EQ(box()->parentWidget(), &window);
    EXPECT_EQ(spin.GetParentWindow(), &window);
    EXPECT_EQ(box()->minimum(), 0);
    EXPECT_EQ(box()->maximum(), 100);
    EXPECT_EQ(box()->singleStep(), 1);
    EXPECT_EQ(edit()->text(), "0");
    EXPECT_EQ(spin.GetValue(), 0);
}

TEST_F(SpinEditTest, ValuesBeyond32BitsAndTheSuffix)
{
    spin.SetRange(kLargest, -5'000'000'000LL);
    spin.SetSuffix(L" pt");
    spin.SetValue(6'000'000'000LL);
    EXPECT_EQ(edit()->text(), "6000000000 pt");
    EXPECT_EQ(spin.GetValue(), 6'000'000'000LL);
    EXPECT_EQ(spin.GetSuffix(), L" pt");
    EXPECT_EQ(values, std::vector<long long>{6'000'000'000LL});
    spin.SetValue(-7'000'000'000LL);
    EXPECT_EQ(spin.GetValue(), -5'000'000'000LL);

    // Room for the longer bound with its suffix, as a layout asks.
    spin.SetRange(0, 1'000'000'000'000LL);
    EXPECT_GT(spin.IdealSize().width, box()->fontMetrics().horizontalAdvance("1000000000000 pt"));
    EXPECT_GE(box()->minimumSizeHint().width(), spin.IdealSize().width);
}

// Callers reach the value through the widget's meta-object too. The balloon
// texts and the border radius change nothing shown.
TEST_F(SpinEditTest, TheWidgetsSlotsAndTheStoredOnlyOperations)
{
    ASSERT_TRUE(QMetaObject::invokeMethod(box(), "SetValue", Q_ARG(qlonglong, 7)));
    qlonglong read = 0;
    ASSERT_TRUE(QMetaObject::invokeMethod(box(), "GetValue", Q_RETURN_ARG(qlonglong, read)));
    EXPECT_EQ(read, 7);
    EXPECT_EQ(values, std::vector<long long>{7});
    spin.SetBalloonNaNtext(L"Not a number", L"Enter a number");
    spin.SetBorderRadius(6);
    EXPECT_EQ(edit()->text(), "7");
    EXPECT_EQ(box()->styleSheet(), "");
}

TEST_F(SpinEditTest, AReversedRangeIsSortedAndTheValueBroughtIn)
{
    spin.SetRange(10, 1);
    EXPECT_EQ(box()->minimum(), 1);
    EXPECT_EQ(box()->maximum(), 10);
    EXPECT_EQ(edit()->text(), "1");
    EXPECT_EQ(values, std::vector<long long>{1});
    spin.SetValue(1);
    EXPECT_EQ(values.size(), 1u) << "an unchanged value fires nothing";
}

// What typing leaves in the field and in GetValue, before anything is committed.
TEST_F(SpinEditTest, TypingIsCheckedAgainstTheRange)
{
    struct Case
    {
        long long minimum, maximum;
        bool correction;
        const char *keys;
        const char *shown;
        long long typed;
    };
    const Case cases[] = {
        {0, 100, true, "150", "15", 15},      // a third digit past the maximum is refused
        {0, 100, false, "150", "100", 100},   // ... or replaced by the maximum
        {10, 100, true, "5", "5", 5},         // on its way to the minimum
        {10, 100, true, "500", "50", 50},
        {-100, -50, true, "-5", "-5", -5},
        {-100, 100, false, "-500", "-100", -100}, // a negative number below the minimum
        {-100, 100, true, "-500", "-50", -50},
        {0, 100, true, "-", "", 0},           // no minus without negative numbers
        {-10, 100, true, "-", "-", 0},
        {0, 100, true, "1x2", "12", 12},      // not a number
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys);
        spin.LastValidValueCorrection(c.correction);
        spin.SetRange(c.minimum, c.maximum);
        type(c.keys);
        EXPECT_EQ(edit()->text(), c.shown);
        EXPECT_EQ(spin.GetValue(), c.typed);
    }
}

TEST_F(SpinEditTest, EnterCommitsAndLeavingRestoresAnOutOfRangeNumber)
{
    spin.SetRange(10, 100);
    spin.SetValue(40);
    values.clear();
    type("5");
    EXPECT_EQ(spin.GetValue(), 5);
    EXPECT_TRUE(values.empty()) << "typing commits nothing";

    QWidget other(&window);
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box(), &out);
    EXPECT_EQ(edit()->text(), "40");
    EXPECT_EQ(spin.GetValue(), 40);
    EXPECT_TRUE(values.empty());

    type("5");
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(edit()->text(), "10");
    EXPECT_EQ(values, std::vector<long long>{10});

    type("77");
    QCoreApplication::sendEvent(box(), &out);
    EXPECT_EQ(values, (std::vector<long long>{10, 77})) << "an in-range number is committed on leaving";
}

TEST_F(SpinEditTest, BackspaceIntoTheSuffixRestoresIt)
{
    spin.SetSuffix(L" cm");
    spin.SetValue(12);
    edit()->setFocus();
    edit()->end(false);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    EXPECT_EQ(edit()->text(), "12 cm");
    EXPECT_EQ(edit()->cursorPosition(), 2);
    QTest::keyClick(edit(), Qt::Key_Backspace);
    EXPECT_EQ(edit()->text(), "1 cm");
    EXPECT_EQ(spin.GetValue(), 1);

    // The number with its suffix commits; the selection leaves the suffix out.
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(values.back(), 1);
    spin.SetStep(5);
    box()->stepBy(1);
    EXPECT_EQ(edit()->text(), "6 cm");
    EXPECT_EQ(edit()->selectedText(), "6");
}

TEST_F(SpinEditTest, Stepping)
{
    struct Case
    {
        long long minimum, maximum, step, start;
        bool wrap;
        int steps;
        std::vector<long long> expected; // the value after each step
    };
    const Case cases[] = {
        {0, 10, 3, 9, true, 1, {10, 0, 3}},      // only a step from the bound goes round
        {0, 10, 3, 1, true, -1, {0, 10, 7}},
        {0, 10, 3, 9, false, 1, {10, 10}},
        {0, 10, -2, 5, false, 1, {3, 1, 0}},     // a negative step runs down
        {kSmallest, kLargest, kLargest, kLargest - 1, false, 1, {kLargest}}, // saturates
        {kSmallest, kLargest, kLargest, kSmallest + 1, false, -2, {kSmallest}},
        {kSmallest, kLargest, 1, kLargest, true, 1, {kSmallest}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start);
        box()->setWrapping(c.wrap);
        spin.SetRange(c.minimum, c.maximum);
        spin.SetStep(c.step);
        spin.SetValue(c.start);
        arrows.clear();
        for (long long expected : c.expected) {
            box()->stepBy(c.steps);
            EXPECT_EQ(spin.GetValue(), expected);
            ASSERT_FALSE(arrows.empty());
            EXPECT_EQ(arrows.back().first, expected);
        }
    }
    arrows.clear();
    box()->setWrapping(false);
    spin.SetRange(0, 10);
    spin.SetValue(0);
    spin.SetStep(kLargest);
    box()->stepBy(3);
    EXPECT_EQ(arrows.back(), std::make_pair(10LL, kLargest)) << "the step applied saturates too";
}

TEST_F(SpinEditTest, ATypedNumberIsCommittedBeforeAStep)
{
    spin.SetValue(10);
    type("20");
    box()->stepBy(1);
    EXPECT_EQ(spin.GetValue(), 21);
    EXPECT_EQ(values, (std::vector<long long>{10, 20, 21}));
}

TEST_F(SpinEditTest, ReadOnlyDoesNotStep)
{
    spin.SetValue(5);
    box()->setReadOnly(true);
    box()->stepBy(1);
    EXPECT_EQ(spin.GetValue(), 5);
    EXPECT_TRUE(arrows.empty());
}

TEST_F(SpinEditTest, ArrowsAtTheBoundsReportAStepOfNothing)
{
    spin.SetValue(100);
    values.clear();
    QTest::keyClick(box(), Qt::Key_Up);
    EXPECT_EQ(arrows, (std::vector<std::pair<long long, long long>>{{100, 0}}));
    QTest::mouseClick(box(), Qt::LeftButton, Qt::NoModifier, arrowCentre(QStyle::SC_SpinBoxUp));
    EXPECT_EQ(arrows.size(), 2u);
    EXPECT_EQ(arrows.back(), std::make_pair(100LL, 0LL));
    EXPECT_TRUE(values.empty());

    // A click that moves the value reports the step; at the minimum the down arrow reports nothing moved.
    QTest::mouseClick(box(), Qt::LeftButton, Qt::NoModifier, arrowCentre(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(arrows.back(), std::make_pair(99LL, -1LL));
    EXPECT_EQ(values, std::vector<long long>{99});
    spin.SetValue(0);
    QTest::mouseClick(box(), Qt::LeftButton, Qt::NoModifier, arrowCentre(QStyle::SC_SpinBoxDown));
    EXPECT_EQ(arrows.back(), std::make_pair(0LL, 0LL));
    QTest::keyClick(box(), Qt::Key_Down);
    EXPECT_EQ(arrows.size(), 5u);
    EXPECT_EQ(arrows.back(), std::make_pair(0LL, 0LL));
}

TEST_F(SpinEditTest, AGoneWidgetMakesTheOperationsDoNothing)
{
    spin.SetValue(5);
    delete box();
    EXPECT_EQ(spin.GetPlatformHandle(), nullptr);
    spin.SetRange(1, 2);
    spin.SetValue(3);
    spin.SetStep(2);
    spin.SetSuffix(L"x");
    spin.SetBalloonNaNtext(L"a", L"b");
    spin.LastValidValueCorrection(false);
    spin.SetBorderRadius(4);
    EXPECT_EQ(spin.GetValue(), 0);
    EXPECT_EQ(spin.GetSuffix(), L"");
    EXPECT_THROW(spin.Create(&window), AgnosticUIException);
}

class SpinEditFormTest : public DialogFormTest
{
};

// A form's QSpinBox properties reach the control's own 64-bit spin box.
TEST_F(SpinEditFormTest, TheFormsQSpinBoxPropertiesApply)
{
    const QByteArray body = R"(
<item><widget class="QSpinBox" name="spin">
 <property name="wrapping"><bool>true</bool></property>
 <property name="suffix"><string> mm</string></property>
 <property name="minimum"><number>150</number></property>
 <property name="maximum"><number>500</number></property>
 <property name="singleStep"><number>25</number></property>
 <property name="value"><number>420</number></property>
</widget></item>
<item><widget class="QSpinBox" name="plain"/></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *spin = dynamic_cast<SpinEdit *>(dialog.GetElementByName(L"spin").get());
    ASSERT_NE(spin, nullptr);
    auto *box = qobject_cast<SpinEditQt *>(spin->GetPlatformHandle());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->minimum(), 150);
    EXPECT_EQ(box->maximum(), 500);
    EXPECT_EQ(box->singleStep(), 25);
    EXPECT_TRUE(box->wrapping());
    EXPECT_EQ(spin->GetValue(), 420);
    EXPECT_EQ(spin->GetSuffix(), L" mm");
    EXPECT_EQ(box->findChild<QLineEdit *>()->text(), "420 mm");
    EXPECT_EQ(box->property("value").toLongLong(), 420);
    for (const QByteArray &name : box->dynamicPropertyNames())
        EXPECT_TRUE(name.startsWith("_q_")) << name.toStdString() << " was lost";
    box->stepBy(4);
    EXPECT_EQ(spin->GetValue(), 500);

    auto *plain = dynamic_cast<SpinEdit *>(dialog.GetElementByName(L"plain").get());
    ASSERT_NE(plain, nullptr);
    auto *plainBox = qobject_cast<SpinEditQt *>(plain->GetPlatformHandle());
    EXPECT_EQ(plainBox->minimum(), 0);
    EXPECT_EQ(plainBox->maximum(), 100);
}
