#include "DoubleSpinEdit.h"

#include "CustomLineEdit.h"
#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "DoubleSpinEditQt.h"

#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

using namespace AUILib;

namespace {

// A double spin edit in a shown window, with its events recorded.
class DoubleSpinEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        spin.Create(&window);
        spin.OnValueChanged.Subscribe([this](double v) { values.push_back(v); });
        spin.OnArrowValueChanged.Subscribe([this](double v, double s) { arrows.emplace_back(v, s); });
        spin.OnPicaValueChanged.Subscribe([this](PicaPoint p) { picaValues.push_back(p); });
        spin.OnPicaArrowValueChanged.Subscribe([this](PicaPoint p, double s) { picaArrows.emplace_back(p, s); });
        box()->setLocale(QLocale::c());
        window.resize(200, 60);
        box()->setGeometry(10, 10, 150, 30);
        window.show();
        box()->setFocus();
    }

    DoubleSpinEditQt *box() { return static_cast<DoubleSpinEditQt *>(spin.GetPlatformHandle()); }
    QLineEdit *edit() { return box()->findChild<QLineEdit *>(); }

    void type(const QString &keys)
    {
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Delete);
        QTest::keyClicks(edit(), keys);
    }

    void leave()
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box(), &out);
    }

    QWidget window;
    DoubleSpinEdit spin;
    std::vector<double> values;
    std::vector<std::pair<double, double>> arrows;
    std::vector<PicaPoint> picaValues;
    std::vector<std::pair<PicaPoint, double>> picaArrows;
};


} // namespace

namespace AUILib {
void PrintTo(const PicaPoint &p, std::ostream *os)
{
    *os << "{" << p.picas << ", " << p.points << "}";
}
} // namespace AUILib

TEST_F(DoubleSpinEditTest, KindWidgetAndPlainValues)
{
    EXPECT_EQ(spin.GetControlKind(), ControlKindDoubleSpinEdit);
    EXPECT_STREQ(box()->metaObject()->className(), "AUILib::DoubleSpinEditQt");
    EXPECT_EQ(spin.GetParentWindow(), &window);
    spin.SetRange(-5, 50);
    spin.SetPrecision(3);
    spin.SetValue(1.25);
    EXPECT_DOUBLE_EQ(spin.GetValue(), 1.25);
    EXPECT_EQ(edit()->text(), "1.250");
    spin.SetSuffix(L" mm");
    EXPECT_EQ(spin.GetSuffix(), L" mm");
    EXPECT_EQ(edit()->text(), "1.250 mm");
    EXPECT_EQ(values, std::vector<double>{1.25});
    EXPECT_EQ(spin.GetPicaPointValue(), PicaPoint{}) << "no picas outside the pica mode";
}

TEST_F(DoubleSpinEditTest, TheDecimalCharacterIsShownAndTyped)
{
    spin.SetDecimalChar(',');
    spin.SetValue(1.5);
    EXPECT_EQ(edit()->text(), "1,50");
    type("2,25");
    EXPECT_DOUBLE_EQ(spin.GetValue(), 2.25);
    EXPECT_EQ(edit()->text(), "2,25");

    spin.SetDecimalChar('7');
    EXPECT_EQ(edit()->text(), "2,25") << "a digit is refused";

    // With a suffix the number still reads back.
    spin.SetSuffix(L" cm");
    type("3,75 cm");
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(spin.GetValue(), 3.75);
    EXPECT_EQ(edit()->text(), "3,75 cm");
}

// The point QString::number writes is the one the decimal character replaces,
// whatever the locale's decimal point is.
TEST_F(DoubleSpinEditTest, TheDecimalCharacterReplacesThePointQtWrites)
{
    box()->setLocale(QLocale(QLocale::German, QLocale::Germany));
    spin.SetDecimalChar(':');
    spin.SetValue(1.5);
    EXPECT_EQ(edit()->text(), "1:50");
    type("4:75");
    EXPECT_DOUBLE_EQ(spin.GetValue(), 4.75);
}

TEST_F(DoubleSpinEditTest, WithoutCorrectionATooLargeNumberBecomesTheBound)
{
    struct Case
    {
        double minimum, maximum;
        int decimals;
        const char *keys;
        const char *shown;
    };
    const Case cases[] = {
        {0, 10, 2, "12", "10.00"},
        {0, 12345.67, 2, "20000", "12345.67"}, // every kept digit, no exponent
        {-3.25, 10, 2, "-4", "-3.25"},
        {0, 10, 2, "7", "7"},
    };
    spin.LastValidValueCorrection(false);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys);
        spin.SetPrecision(c.decimals);
        spin.SetRange(c.minimum, c.maximum);
        type(c.keys);
        EXPECT_EQ(edit()->text(), c.shown);
    }
}

TEST_F(DoubleSpinEditTest, StepsUseTheControlsStepAndReportAtTheBounds)
{
    spin.SetRange(0, 2);
    spin.SetStep(0.5);
    box()->stepBy(1);
    EXPECT_DOUBLE_EQ(spin.GetValue(), 0.5);
    EXPECT_EQ(arrows.back(), std::make_pair(0.5, 0.5));
    spin.SetValue(2);
    arrows.clear();
    values.clear();
    QTest::keyClick(box(), Qt::Key_Up);
    EXPECT_EQ(arrows, (std::vector<std::pair<double, double>>{{2, 0}}));
    EXPECT_TRUE(values.empty());
    spin.SetValue(0);
    QTest::keyClick(box(), Qt::Key_Down);
    EXPECT_EQ(arrows.back(), std::make_pair(0.0, 0.0));
    EXPECT_TRUE(picaArrows.empty());
}

TEST_F(DoubleSpinEditTest, ArrowClicksAtTheBoundsAndTheSuffix)
{
    QStyleOptionSpinBox option;
    option.initFrom(box());
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.frame = box()->hasFrame();
    const QPoint up =
        box()->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, box()).center();
    spin.SetRange(0, 2);
    spin.SetValue(2);
    values.clear();
    QTest::mouseClick(box(), Qt::LeftButton, Qt::NoModifier, up);
    EXPECT_EQ(arrows, (std::vector<std::pair<double, double>>{{2, 0}}));
    EXPECT_TRUE(values.empty());

    // Backspace at the end leaves the cursor before the suffix.
    spin.SetSuffix(L" mm");
    edit()->end(false);
    QTest::keyClick(box(), Qt::Key_Backspace);
    EXPECT_EQ(edit()->cursorPosition(), edit()->text().lastIndexOf(" mm"));
    spin.SetBalloonNaNtext(L"Not a number", L"Enter a number");
    spin.SetBorderRadius(4);
    EXPECT_EQ(box()->styleSheet(), "");
}

TEST(PicaPointTest, NormalisingAndLength)
{
    EXPECT_EQ(NormalizePicaPoint({1, 18}), (PicaPoint{2, 6}));
    EXPECT_DOUBLE_EQ(PicaPointToPicas(NormalizePicaPoint({1, 18})), 2.5);
    EXPECT_EQ(NormalizePicaPoint({-1, 30}), (PicaPoint{-3, 6}));
    EXPECT_EQ(NormalizePicaPoint({1, 11.5}), (PicaPoint{1, 11.5}));
    EXPECT_DOUBLE_EQ(PicaPointToPicas({-1, 6}), -1.5);
    EXPECT_DOUBLE_EQ(PicaPointToPicas({0, -6}), -0.5);
}

TEST_F(DoubleSpinEditTest, PicaTextsAreReadAsPicasAndPoints)
{
    spin.SupportPicaPoints(true);
    ASSERT_NE(qobject_cast<CustomLineEdit *>(edit()), nullptr);
    spin.SetRange(PicaPoint{0, 0}, PicaPoint{20, 0});
    picaValues.clear();
    const std::pair<const char *, PicaPoint> cases[] = {
        {"1p6", {1, 6}}, {"2", {2, 0}}, {"1p6.5", {1, 6.5}}, {"p3", {0, 3}}, {"1.5", {1, 6}}, {"1p10", {1, 10}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        type(c.first);
        ASSERT_FALSE(picaValues.empty());
        EXPECT_EQ(picaValues.back(), c.second);
    }
    EXPECT_TRUE(values.empty()) << "the pica mode reports picas and points only";

    // The pattern of the pica line edit refuses anything else.
    type("1p6x-2");
    EXPECT_EQ(edit()->text(), "1p62");

    // Leaving the field makes the typed length the value, without reporting it again.
    type("3p7.25");
    const std::size_t reported = picaValues.size();
    leave();
    EXPECT_EQ(spin.GetPicaPointValue(), (PicaPoint{3, 7.25}));
    EXPECT_DOUBLE_EQ(spin.GetValue(), 3.7);
    EXPECT_EQ(picaValues.size(), reported);
}

// The pica line edit takes "." before a fraction of a point; the texts the
// spin edit writes and reads use it whatever the locale's decimal point is.
TEST_F(DoubleSpinEditTest, PicaTextsKeepTheirPointInACommaLocale)
{
    box()->setLocale(QLocale(QLocale::German, QLocale::Germany));
    spin.SupportPicaPoints(true);
    spin.SetValue(PicaPoint{1, 6.5});
    EXPECT_EQ(edit()->text(), "1p6.50");
    EXPECT_EQ(spin.GetPicaPointValue(), (PicaPoint{1, 6.5}));
    type("2p3.25");
    ASSERT_FALSE(picaValues.empty());
    EXPECT_EQ(picaValues.back(), (PicaPoint{2, 3.25}));
}

TEST_F(DoubleSpinEditTest, PicaValuesAreShownAndStepped)
{
    spin.SupportPicaPoints(true);
    spin.SetRange(PicaPoint{0, 0}, PicaPoint{3, 6});
    spin.SetValue(PicaPoint{1, 6});
    EXPECT_EQ(edit()->text(), "1p6.00");
    EXPECT_DOUBLE_EQ(spin.GetValue(), 1.6);
    spin.SetValue(PicaPoint{1, 22.5});
    EXPECT_EQ(edit()->text(), "2p10.50");
    EXPECT_EQ(spin.GetPicaPointValue(), (PicaPoint{2, 10.5})) << "two points digits read back as two";

    spin.SetValue(PicaPoint{1, 6});
    spin.SetStep(PicaPoint{0, 6});
    box()->stepBy(1);
    EXPECT_EQ(spin.GetPicaPointValue(), (PicaPoint{2, 0}));
    ASSERT_FALSE(picaArrows.empty());
    EXPECT_EQ(picaArrows.back().first, (PicaPoint{2, 0}));
    EXPECT_DOUBLE_EQ(picaArrows.back().second, 0.5);
    spin.SetStep(PicaPoint{0, 1});
    box()->stepBy(-1);
    EXPECT_EQ(spin.GetPicaPointValue(), (PicaPoint{1, 11}));

    // The range compares with the value as it is held: 3p6 is the maximum.
    spin.SetValue(PicaPoint{3, 5});
    box()->stepBy(3);
    EXPECT_EQ(spin.GetPicaPointValue(), (PicaPoint{3, 6}));
    EXPECT_TRUE(arrows.empty());
    EXPECT_TRUE(values.empty());
}

// Switched off, the pica line edit and its decimal character "p" stay; values
// are plain numbers again.
TEST_F(DoubleSpinEditTest, PicaPointsOffKeepsThePicaCharacter)
{
    spin.SupportPicaPoints(false);
    spin.SetValue(1.5);
    EXPECT_EQ(edit()->text(), "1p50");
    EXPECT_EQ(values, std::vector<double>{1.5});
    EXPECT_EQ(spin.GetPicaPointValue(), PicaPoint{});
    box()->stepBy(1);
    EXPECT_EQ(arrows.back(), std::make_pair(2.5, 1.0));
    EXPECT_TRUE(picaValues.empty());
    EXPECT_TRUE(picaArrows.empty());
}

TEST_F(DoubleSpinEditTest, PicaOperationsOutsideThePicaModeDoNothing)
{
    spin.SetRange(0, 10);
    spin.SetValue(PicaPoint{1, 6});
    spin.SetRange(PicaPoint{2, 0}, PicaPoint{3, 0});
    EXPECT_DOUBLE_EQ(spin.GetValue(), 0);
    EXPECT_DOUBLE_EQ(box()->maximum(), 10);
}

TEST_F(DoubleSpinEditTest, AGoneWidgetMakesTheOperationsDoNothing)
{
    delete box();
    spin.SetRange(1, 2);
    spin.SetRange(PicaPoint{1, 0}, PicaPoint{2, 0});
    spin.SetValue(3.0);
    spin.SetValue(PicaPoint{1, 0});
    spin.SetStep(2.0);
    spin.SetStep(PicaPoint{0, 3});
    spin.SetPrecision(1);
    spin.SetSuffix(L"x");
    spin.SetBalloonNaNtext(L"a", L"b");
    spin.LastValidValueCorrection(false);
    spin.SetDecimalChar(',');
    spin.SupportPicaPoints(true);
    spin.SetBorderRadius(3);
    EXPECT_EQ(spin.GetValue(), 0.0);
    EXPECT_EQ(spin.GetPicaPointValue(), PicaPoint{});
    EXPECT_EQ(spin.GetSuffix(), L"");
    EXPECT_THROW(spin.Create(&window), AgnosticUIException);
}

class DoubleSpinEditFormTest : public DialogFormTest
{
};

TEST_F(DoubleSpinEditFormTest, TheFormsPropertiesApply)
{
    const QByteArray body = R"(
<item><widget class="QDoubleSpinBox" name="spin">
 <property name="suffix"><string> in</string></property>
 <property name="decimals"><number>3</number></property>
 <property name="minimum"><double>-2.5</double></property>
 <property name="maximum"><double>7.25</double></property>
 <property name="singleStep"><double>0.25</double></property>
 <property name="value"><double>1.125</double></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *spin = dynamic_cast<DoubleSpinEdit *>(dialog.GetElementByName(L"spin").get());
    ASSERT_NE(spin, nullptr);
    auto *box = qobject_cast<DoubleSpinEditQt *>(spin->GetPlatformHandle());
    ASSERT_NE(box, nullptr);
    EXPECT_DOUBLE_EQ(box->minimum(), -2.5);
    EXPECT_DOUBLE_EQ(box->maximum(), 7.25);
    EXPECT_EQ(box->decimals(), 3);
    EXPECT_DOUBLE_EQ(spin->GetValue(), 1.125);
    EXPECT_EQ(spin->GetSuffix(), L" in");
    box->stepBy(1);
    EXPECT_DOUBLE_EQ(spin->GetValue(), 1.375) << "the form's step is the control's";
}
