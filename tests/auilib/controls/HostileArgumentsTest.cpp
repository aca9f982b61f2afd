// Arguments no caller should pass, passed anyway: parent cycles, runs that
// could never end, sizes and numbers at the ends of their types. Each is
// bounded or refused; nothing hangs or overflows.

#include "DialogForms.h"
#include "DoubleSpinEdit.h"
#include "DoubleSpinEditQt.h"
#include "Label.h"
#include "PicaPoint.h"
#include "PromptsPopup.h"
#include "PromptsPopupQt.h"
#include "StackedDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>

using namespace AUILib;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

const QByteArray kBody = R"(
<item><widget class="QStackedWidget" name="stack"><widget class="QWidget" name="page"/></widget></item>
<item><widget class="QLabel" name="placeholder"/></item>
)";

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

} // namespace

class HostileDialogTest : public DialogFormTest
{
protected:
    std::unique_ptr<CountingDialog> make()
    {
        return std::make_unique<CountingDialog>(form(dialogForm(kBody)), nullptr, 0, 1.0, L"");
    }
};

// A page that holds the stack, or a dialog placed inside its own window,
// would make a widget its own ancestor: refused, with the widgets as they were.
TEST_F(HostileDialogTest, ParentCyclesAreRefused)
{
    auto dialog = make();
    auto stack = std::dynamic_pointer_cast<StackedDialog>(dialog->GetElementByName(L"stack"));
    ASSERT_NE(stack, nullptr);
    QWidget *stackWidget = stack->GetPlatformHandle();
    QWidget *window = dialog->GetWndPtr();
    for (QWidget *page : {stackWidget, stackWidget->parentWidget(), window}) {
        EXPECT_EQ(stack->InsertChildDialog(0, page), -1);
        EXPECT_TRUE(window->isAncestorOf(stackWidget));
    }
    EXPECT_EQ(stack->InsertChildDialog(5, new QWidget), 1) << "an ordinary page still goes in";

    dialog->CreateTabWindowEx(dialog->GetElementByName(L"placeholder").get(), false);
    dialog->CreateTabWindowEx(dialog.get(), false);
    dialog->CreateTabWindow(stackWidget, false);
    dialog->CreateTabWindow(window, false);
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(dialog->initializeCalls, 0);
    EXPECT_NE(dialog->GetElementByName(L"placeholder")->GetPlatformHandle(), nullptr);
}

// Create with the control's own widget, or a widget inside it, as the parent
// would make the widget its own ancestor (Qt then recurses or loops for good):
// refused, the control left where it was.
TEST(HostileArgumentsTest, CreateInsideItselfIsRefused)
{
    QWidget host;
    auto stack = std::make_unique<StackedDialog>();
    ASSERT_TRUE(stack->Create(&host));
    QWidget *stackWidget = stack->GetPlatformHandle();
    auto *inner = new QWidget;
    ASSERT_EQ(stack->InsertChildDialog(0, inner), 0);
    auto *innermost = new QWidget(inner);
    host.show();
    for (QWidget *parent : {stackWidget, inner, innermost}) {
        EXPECT_FALSE(stack->Create(parent));
        EXPECT_EQ(stackWidget->parentWidget(), &host);
    }
    EXPECT_TRUE(stack->Create(nullptr)) << "an ordinary parent, or none, still goes";
}

// An embedded dialog is a page of another window, whose rejection never
// reaches a run of its own: the modal run is refused at once.
TEST_F(HostileDialogTest, AnEmbeddedDialogRunsNoModalLoop)
{
    auto outer = make();
    auto inner = make();
    outer->DoModeless(false);
    inner->CreateTabWindow(outer->GetWndPtr(), false);
    const int initialized = inner->initializeCalls;
    // Gives up, should the run start after all.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&] { inner->Done(static_cast<Dialog::DoneState>(7)); });
    giveUp.start(3000);
    EXPECT_EQ(inner->DoModal(), 0);
    EXPECT_TRUE(giveUp.isActive()) << "the run had to be ended from outside";
    EXPECT_EQ(inner->initializeCalls, initialized);
    EXPECT_TRUE(outer->GetWndPtr()->isVisible());
}

// Positions and sizes at the ends of int: the size is Qt's to bound, the
// position is bounded, and the window rectangle is one an int can hold.
TEST(HostileArgumentsTest, MoveWindowAtTheEndsOfInt)
{
    const int values[][4] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {0, 0, INT_MAX, INT_MAX},
        {INT_MAX - 1, INT_MIN + 1, 100, 100},
    };
    for (const auto &v : values) {
        SCOPED_TRACE(testing::Message() << v[0] << ", " << v[1] << ", " << v[2] << ", " << v[3]);
        Label label; // a frame: its line width is added to the position
        label.MoveWindow(v[0], v[1], v[2], v[3], true);
        const Rect rect = label.GetWindowRect();
        EXPECT_LE(rect.left, static_cast<long long>(rect.right) + 1);
        EXPECT_LE(rect.top, static_cast<long long>(rect.bottom) + 1);
        EXPECT_GE(static_cast<long long>(rect.right) - rect.left + 1, 0);
    }
}

// A balloon anchored off any screen, or with a picture asking for 30,000
// pixels, stays on its screen and no larger than it.
TEST(HostileArgumentsTest, BalloonsStayWithinTheScreen)
{
    QWidget target;
    target.resize(100, 30);
    target.show();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case
    {
        std::wstring text;
        int x;
        int y;
    };
    const Case cases[] = {
        {L"At the far corner", INT_MAX, INT_MAX},
        {L"<img src='none.png' width=30000 height=30000>", -1, -1},
        {L"<img src='none.png' width=30000 height=30000>", INT_MAX, 0},
    };
    for (const Case &c : cases) {
        PromptsPopup popup;
        ASSERT_TRUE(popup.Create(&target, c.text, 0, -1, false));
        popup.Show(true, c.x, c.y);
        auto *balloon = target.findChild<PromptsPopupQt *>();
        ASSERT_NE(balloon, nullptr);
        EXPECT_TRUE(popup.IsDisplayed());
        EXPECT_LE(balloon->width(), screen.width());
        EXPECT_LE(balloon->height(), screen.height());
        EXPECT_TRUE(screen.contains(balloon->geometry().topLeft()));
    }

    Label label;
    label.Show(true, false);
    ASSERT_TRUE(label.ShowBalloonTipEx(L"<img src='none.png' width=30000 height=30000>", BalloonTipIconWarning,
                                       false, true));
    auto *balloon = label.GetPlatformHandle()->findChild<PromptsPopupQt *>();
    ASSERT_NE(balloon, nullptr);
    EXPECT_LE(balloon->width(), screenSize().width());
    EXPECT_LE(balloon->height(), screenSize().height());
}

// Pica lengths at the ends of their types saturate at the stated bound; NaN
// points count as none.
TEST(HostileArgumentsTest, PicaLengthsSaturate)
{
    struct Case
    {
        PicaPoint value;
        double picas; // expected length in picas
    };
    const double largest = static_cast<double>(kLargestPicas);
    const Case cases[] = {
        {{LLONG_MIN, 0.0}, -largest},
        {{LLONG_MAX, 0.0}, largest},
        {{0, kNaN}, 0.0},
        {{3, kNaN}, 3.0},
        {{0, kInfinity}, largest},
        {{0, -kInfinity}, -largest},
        {{0, 1e300}, largest},
        {{LLONG_MAX, 1e300}, largest},
        {{LLONG_MIN, 1e300}, -largest},
        {{1, 18.0}, 2.5}, // an ordinary length carries as before
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value.picas << "p" << c.value.points);
        const PicaPoint normal = NormalizePicaPoint(c.value);
        EXPECT_LE(std::llabs(normal.picas), kLargestPicas);
        EXPECT_FALSE(std::isnan(normal.points));
        EXPECT_NEAR(PicaPointToPicas(normal), c.picas, 1.0);
        EXPECT_FALSE(std::isnan(PicaPointToPicas(c.value)));
        EXPECT_LE(std::fabs(PicaPointToPicas(c.value)), largest + 1.0);
        EXPECT_EQ(BoundedPicas(c.picas), static_cast<long long>(c.picas));
    }
    EXPECT_EQ(BoundedPicas(kNaN), 0);
    EXPECT_EQ(BoundedPicas(-kInfinity), -kLargestPicas);
}

// The double spin edit, plain and in the pica mode: NaN values, bounds and
// steps are refused; infinite and huge ones saturate; stepping stays finite.
TEST(HostileArgumentsTest, DoubleSpinEditValuesAndStepsAreBounded)
{
    const double largest = static_cast<double>(kLargestPicas);
    DoubleSpinEdit plain;
    plain.SetRange(0.0, 10.0);
    plain.SetValue(4.0);
    plain.SetValue(kNaN);
    plain.SetRange(kNaN, 5.0);
    plain.SetStep(kNaN);
    EXPECT_EQ(plain.GetValue(), 4.0);
    plain.SetRange(-kInfinity, kInfinity);
    plain.SetValue(1e300);
    EXPECT_EQ(plain.GetValue(), largest);
    plain.SetStep(kInfinity);
    auto *spin = qobject_cast<DoubleSpinEditQt *>(plain.GetPlatformHandle());
    ASSERT_NE(spin, nullptr);
    spin->stepBy(3);
    EXPECT_TRUE(std::isfinite(plain.GetValue()));

    DoubleSpinEdit pica;
    pica.SupportPicaPoints(true);
    pica.SetRange(PicaPoint{LLONG_MIN, -kInfinity}, PicaPoint{LLONG_MAX, 1e300});
    const PicaPoint values[] = {{LLONG_MIN, 0.0}, {0, kNaN}, {0, kInfinity}, {0, 1e300}, {LLONG_MAX, -1e300}};
    const PicaPoint steps[] = {{0, kNaN}, {0, kInfinity}, {LLONG_MIN, 0.0}, {0, 6.0}};
    for (const PicaPoint &value : values) {
        for (const PicaPoint &step : steps) {
            pica.SetValue(value);
            pica.SetStep(step);
            auto *picaSpin = qobject_cast<DoubleSpinEditQt *>(pica.GetPlatformHandle());
            ASSERT_NE(picaSpin, nullptr);
            picaSpin->stepBy(1);
            picaSpin->stepBy(-2);
            const PicaPoint now = pica.GetPicaPointValue();
            EXPECT_LE(std::llabs(now.picas), kLargestPicas);
            EXPECT_TRUE(std::isfinite(now.points));
            EXPECT_TRUE(std::isfinite(pica.GetValue()));
        }
    }
}
