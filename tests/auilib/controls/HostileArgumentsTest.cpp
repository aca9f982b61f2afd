// Arguments no caller should pass, passed anyway: parent cycles, runs that
// could never end, sizes and numbers at the ends of their types. Each is
// bounded or refused; nothing hangs or overflows.

#include "BaseImplQt.h"
#include "CheckBox.h"
#include "ContextMenu.h"
#include "ComboBox.h"
#include "DialogForms.h"
#include "DoubleSpinEdit.h"
#include "DoubleSpinEditQt.h"
#include "Edit.h"
#include "GroupBox.h"
#include "Label.h"
#include "ListBox.h"
#include "MultiLineEdit.h"
#include "PictureBytes.h"
#include "PicaPoint.h"
#include "PromptsPopup.h"
#include "PromptsPopupQt.h"
#include "ScrollBar.h"
#include "Slider.h"
#include "Splitter.h"
#include "StackedDialog.h"
#include "TreeView.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMovie>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QtGlobal>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <iterator>
#include <limits>
#include <list>
#include <memory>
#include <random>
#include <string>
#include <utility>

using namespace AUILib;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

const QByteArray kBody = R"(
<item><widget class="QStackedWidget" name="stack"><widget class="QWidget" name="page"/></widget></item>
<item><widget class="QLabel" name="placeholder"/></item>
)";

// A form with a control of each kind whose paint failed, or crashed, on a
// window grown past what its backing store could hold.
const QByteArray kSizedBody = R"(
<item><widget class="QWidget" name="page"/></item>
<item><widget class="QGroupBox" name="group"><property name="title"><string>Group</string></property></widget></item>
<item><widget class="QComboBox" name="combo"/></item>
<item><widget class="QLabel" name="label"/></item>
<item><widget class="QCheckBox" name="check"/></item>
<item><widget class="QPlainTextEdit" name="text"/></item>
<item><widget class="QProgressBar" name="progress"/></item>
)";

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->geometry().size();
}

QSize largestSize()
{
    const Size largest = BaseGUIObject::LargestSize();
    return QSize(largest.width, largest.height);
}

// Counts, while it lives, what Qt says of a paint or a picture it could not
// make (a backing store or pixmap too large to allocate).
class FailedPaints
{
public:
    FailedPaints()
    {
        s_count = 0;
        s_previous = qInstallMessageHandler(&FailedPaints::note);
    }
    ~FailedPaints() { qInstallMessageHandler(s_previous); }
    FailedPaints(const FailedPaints &) = delete;
    FailedPaints &operator=(const FailedPaints &) = delete;

    int count() const { return s_count; }

private:
    static void note(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        for (const char *word : {"QPainter", "QImage", "QPixmap", "memory"}) {
            if (message.contains(QLatin1String(word))) {
                ++s_count;
                break;
            }
        }
        if (s_previous)
            s_previous(type, context, message);
    }

    static inline int s_count = 0;
    static inline QtMessageHandler s_previous = nullptr;
};

// After the window's layout ran: the window and every widget in it within the
// toolkit's largest size, and a paint of the whole window that succeeds.
void expectDrawable(QWidget *window)
{
    QCoreApplication::processEvents();
    if (QLayout *layout = window->layout())
        layout->activate();
    QCoreApplication::processEvents();
    const QSize largest = largestSize();
    EXPECT_LE(window->width(), largest.width());
    EXPECT_LE(window->height(), largest.height());
    for (const QWidget *child : window->findChildren<QWidget *>()) {
        EXPECT_LE(child->width(), largest.width()) << child->metaObject()->className();
        EXPECT_LE(child->height(), largest.height()) << child->metaObject()->className();
    }
    FailedPaints failed;
    window->repaint();
    const QPixmap grabbed = window->grab();
    EXPECT_EQ(failed.count(), 0);
    EXPECT_EQ(grabbed.size(), window->size());
}

// Characters drawn from many scripts (Latin, Greek, Cyrillic, Hebrew, Arabic,
// Devanagari, Thai, CJK, Hangul and some beyond the basic plane), the same
// ones every run.
std::wstring manyScripts(std::size_t length)
{
    const std::pair<char32_t, char32_t> blocks[] = {
        {0x0041, 0x007A}, {0x0391, 0x03C9}, {0x0410, 0x044F}, {0x05D0, 0x05EA}, {0x0621, 0x064A},
        {0x0905, 0x0939}, {0x0E01, 0x0E2E}, {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3}, {0x1F600, 0x1F64F},
    };
    std::mt19937 random(42);
    std::wstring text;
    text.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const auto &block = blocks[random() % std::size(blocks)];
        text += static_cast<wchar_t>(block.first + random() % (block.second - block.first + 1));
    }
    return text;
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

// Sizes past any screen given to the controls of a form, before its window
// shows or while it is shown: each control and the window stay within the
// toolkit's largest size after the layout ran, also when the controls
// together ask for more, and the window paints. Qt's own bound (16,777,215
// pixels) let the window grow to a backing store of hundreds of gigabytes:
// under sanitizers the test ran out of memory, without them every paint
// failed and a group box's paint crashed.
TEST_F(HostileDialogTest, HugeSizesLeaveTheWindowDrawable)
{
    const QSize largest = largestSize();
    const auto element = [](Dialog &dialog, const wchar_t *name) { return dialog.GetElementByName(name); };
    const struct
    {
        const char *name;
        bool beforeShown;
        std::function<void(Dialog &)> act;
    } cases[] = {
        {"a page at INT_MAX x 1580 before the window shows", true,
         [&](Dialog &d) {
             element(d, L"page")->SetMinimumSize({INT_MAX, 1580});
             const Size minimum = element(d, L"page")->MinimumSize();
             EXPECT_EQ(minimum.width, largest.width());
             EXPECT_EQ(minimum.height, std::min(1580, largest.height()));
         }},
        {"a group box at 1505 x INT_MAX", false,
         [&](Dialog &d) { element(d, L"group")->SetMinimumSize({1505, INT_MAX}); }},
        {"a check box at -1 x INT_MAX", false,
         [&](Dialog &d) {
             element(d, L"check")->SetMinimumSize({-1, INT_MAX});
             const Size minimum = element(d, L"check")->MinimumSize();
             EXPECT_EQ(minimum.width, 0);
             EXPECT_EQ(minimum.height, largest.height());
         }},
        {"the dialog moved to 414 x 16,777,215", false,
         [&](Dialog &d) {
             d.MoveWindow(10, 20, 414, QWIDGETSIZE_MAX, true);
             const Rect rect = d.GetClientRect();
             EXPECT_EQ(rect.right + 1, 414);
             EXPECT_EQ(rect.bottom + 1, largest.height());
         }},
        {"a progress bar moved unscaled to 16,777,215 x 4702", false,
         [&](Dialog &d) {
             const auto bar = element(d, L"progress");
             bar->MoveWindowUnscaled(-5, 7, QWIDGETSIZE_MAX, 4702, true);
             const Rect rect = bar->GetWindowRect();
             EXPECT_EQ(rect.right - rect.left + 1, largest.width());
             EXPECT_EQ(rect.bottom - rect.top + 1, std::min(4702, largest.height()));
         }},
        {"every control at 16,777,215 x 16,777,215, together far past the bound", false,
         [&](Dialog &d) {
             for (const wchar_t *name : {L"page", L"group", L"combo", L"label", L"check", L"text", L"progress"})
                 element(d, name)->SetMinimumSize({QWIDGETSIZE_MAX, QWIDGETSIZE_MAX});
         }},
        {"a check box's minimum height of 0x7FFFFFFF", false,
         [&](Dialog &d) { std::static_pointer_cast<CheckBox>(element(d, L"check"))->SetMinimumHeight(0x7FFFFFFFu); }},
        {"a multi-line edit as tall as 100,000 lines", false,
         [&](Dialog &d) {
             const auto edit = std::static_pointer_cast<MultiLineEdit>(element(d, L"text"));
             edit->SetText(std::wstring(100000, L'\n'));
             edit->SetAdaptiveHeight(true);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = std::make_unique<CountingDialog>(form(dialogForm(kSizedBody)), nullptr, 0, 1.0, L"");
        if (!c.beforeShown)
            dialog->DoModeless(false);
        c.act(*dialog);
        if (c.beforeShown)
            dialog->DoModeless(false);
        QWidget *window = dialog->GetWndPtr();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        expectDrawable(window);
    }
}

// Controls in a window without a layout, moved to sizes past any screen: no
// layout puts them back, so they kept Qt's largest size (the project's
// random caller saw the paint of such a combo box, 2,432 x 16,777,215, ask
// for 163 GB). They keep the toolkit's largest size, and the window paints.
TEST(HostileArgumentsTest, ControlsOutsideALayoutPaintAtTheBound)
{
    QWidget window;
    window.resize(300, 200);
    ComboBox combo;
    combo.Create(&window);
    combo.AddItem(L"item", any());
    GroupBox box;
    box.Create(&window);
    box.SetText(L"Group");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    combo.MoveWindowUnscaled(INT_MIN, 0, 2432, INT_MAX, true);
    box.MoveWindow(0, 0, INT_MAX, INT_MAX, true);
    const QSize largest = largestSize();
    EXPECT_EQ(combo.GetPlatformHandle()->size(), QSize(2432, largest.height()));
    EXPECT_EQ(box.GetPlatformHandle()->size(), largest);
    expectDrawable(&window);
}

// A form whose own geometry and minimum sizes, the window's and a control's,
// are past any screen: the window that shows stays within the toolkit's
// largest size and paints.
TEST_F(HostileDialogTest, AFormOfHugeSizesShowsAWindowThatPaints)
{
    // Not Qt's largest size: a minimum of exactly 16,777,215 counts as none.
    const QByteArray huge = "<size><width>99999</width><height>99999</height></size>";
    const QByteArray text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n<class>Form</class>\n"
        "<widget class=\"QDialog\" name=\"Form\">\n"
        "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>16777215</width><height>99999</height></rect>"
        "</property>\n<property name=\"minimumSize\">" + huge + "</property>\n"
        "<layout class=\"QVBoxLayout\" name=\"layout\">\n"
        "<item><widget class=\"QComboBox\" name=\"combo\"><property name=\"minimumSize\">" + huge +
        "</property></widget></item>\n"
        "<item><widget class=\"QGroupBox\" name=\"group\"><property name=\"minimumSize\">" + huge +
        "</property></widget></item>\n"
        "</layout>\n</widget>\n</ui>\n";
    auto dialog = std::make_unique<CountingDialog>(form(text), nullptr, 0, 1.0, L"");
    dialog->DoModeless(false);
    QWidget *window = dialog->GetWndPtr();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    expectDrawable(window);
}

// A dialog fitted to a fraction of its screen, the fraction being any number
// at all: the window's size is worked out in floating point and bounded,
// never cast to int from past its range (undefined, and caught by UBSan, for
// a fraction of -1e300 or minus infinity), and the window stays within the
// toolkit's largest size.
TEST_F(HostileDialogTest, AnyScreenFractionFitsTheWindowWithinTheBound)
{
    const QByteArray body =
        "<item><widget class=\"QScrollArea\" name=\"scrollArea\"><property name=\"widgetResizable\"><bool>true"
        "</bool></property><widget class=\"QWidget\" name=\"contents\"><layout class=\"QVBoxLayout\" name=\"inner\">"
        "<item><widget class=\"QLabel\" name=\"big\"><property name=\"minimumSize\"><size><width>3000</width>"
        "<height>3000</height></size></property></widget></item></layout></widget></widget></item>";
    const QSize largest = largestSize();
    for (const double fraction : {-1e300, -kInfinity, -1.0, 0.0, kNaN, 0.5, 1e300, kInfinity}) {
        SCOPED_TRACE(fraction);
        auto dialog = std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, fraction, L"");
        dialog->DoModeless(false);
        QCoreApplication::processEvents();
        QPointer<QWidget> window = dialog->GetWndPtr();
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_LE(window->width(), largest.width());
        EXPECT_LE(window->height(), largest.height());
        // A fraction of none or less leaves a window of no size, which nobody
        // would close: closed here, it goes.
        dialog.reset();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
    }
}

// Positions and sizes at the ends of int, on a label never shown (Qt bounds
// its size) and on one shown in a window (Qt does not), moved scaled and
// unscaled: the position and the size are bounded, the window rectangle is
// one an int can hold, and what the label draws into is no larger than its
// screen.
TEST(HostileArgumentsTest, MoveWindowAtTheEndsOfInt)
{
    const int values[][4] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {0, 0, INT_MAX, INT_MAX},
        {INT_MAX - 1, INT_MIN + 1, 100, 100},
        {0, 0, -5, INT_MIN},
        {10, 10, INT_MIN, INT_MAX},
        {-2147483647, -797038247, INT_MIN, 359},
    };
    const QSize largest = largestSize();
    for (const bool unscaled : {false, true}) {
        for (const bool shown : {false, true}) {
            for (const auto &v : values) {
                SCOPED_TRACE(testing::Message() << (unscaled ? "unscaled, " : "") << (shown ? "shown: " : "") << v[0]
                                                << ", " << v[1] << ", " << v[2] << ", " << v[3]);
                QWidget window;
                window.resize(200, 100);
                Label label; // a frame: its line width is added to the position
                if (shown) {
                    label.Create(&window);
                    window.show();
                }
                if (unscaled)
                    label.MoveWindowUnscaled(v[0], v[1], v[2], v[3], true);
                else
                    label.MoveWindow(v[0], v[1], v[2], v[3], true);
                const Rect rect = label.GetWindowRect();
                EXPECT_LE(rect.left, static_cast<long long>(rect.right) + 1);
                EXPECT_LE(rect.top, static_cast<long long>(rect.bottom) + 1);
                EXPECT_LE(static_cast<long long>(rect.right) - rect.left + 1, largest.width());
                EXPECT_LE(static_cast<long long>(rect.bottom) - rect.top + 1, largest.height());
                const Rect client = label.GetClientRect();
                EXPECT_GE(client.right, -1);
                EXPECT_GE(client.bottom, -1);

                label.DrawTxt(L"drawn");
                const QPixmap picture = static_cast<QLabel *>(label.GetPlatformHandle())->pixmap(Qt::ReturnByValue);
                EXPECT_LE(picture.width(), screenSize().width());
                EXPECT_LE(picture.height(), screenSize().height());
            }
        }
    }
}

// A point at the ends of int mapped to or from the screen keeps its side: the
// window's position and the control's frame are added to it.
TEST(HostileArgumentsTest, PointsMappedAtTheEndsOfInt)
{
    QWidget window;
    window.move(40, 30);
    MultiLineEdit edit; // a frame: its width is added to the point
    edit.Create(&window);
    edit.MoveWindow(5, 5, 100, 60, true);
    window.show();
    for (const bool toScreen : {false, true}) {
        for (const int end : {INT_MAX, INT_MIN}) {
            SCOPED_TRACE(testing::Message() << (toScreen ? "to the screen: " : "to the control: ") << end);
            const Point mapped = toScreen ? edit.ClientToScreen(Point{end, end}) : edit.ScreenToClient(Point{end, end});
            EXPECT_EQ(mapped.x > 0, end > 0);
            EXPECT_EQ(mapped.y > 0, end > 0);
        }
    }
}

TEST_F(HostileDialogTest, DialogPointsMappedAtTheEndsOfInt)
{
    auto dialog = make();
    dialog->DoModeless(false);
    dialog->GetWndPtr()->move(40, 30);
    for (const bool toScreen : {false, true}) {
        for (const int end : {INT_MAX, INT_MIN}) {
            SCOPED_TRACE(testing::Message() << (toScreen ? "to the screen: " : "to the dialog: ") << end);
            const Point mapped =
                toScreen ? dialog->ClientToScreen(Point{end, end}) : dialog->ScreenToClient(Point{end, end});
            EXPECT_EQ(mapped.x > 0, end > 0);
            EXPECT_EQ(mapped.y > 0, end > 0);
        }
    }
}

// Qt's styles place a slider's handle from (maximum - minimum) + page step in
// unsigned int: the whole int range wrapped that to 0 and a paint divided by it.
TEST(HostileArgumentsTest, SlidersAndScrollBarsAtTheEndsOfIntPaint)
{
    const int cases[][4] = {
        // minimum, maximum, page, line
        {INT_MIN, INT_MAX, 1, 1},
        {INT_MIN, 0, INT_MAX, INT_MAX},
        {0, INT_MAX, INT_MIN, INT_MIN},
        {INT_MAX, INT_MIN, 10, 1},
    };
    const auto check = [](auto &control, const int(&c)[4]) {
        QWidget window;
        window.resize(200, 200);
        control.Create(&window);
        control.MoveWindow(10, 10, 150, 20, false);
        window.show();
        control.SetRange(c[0], c[1]);
        control.SetPageSize(c[2]);
        control.SetLineSize(c[3]);
        control.SetValue(c[1]);
        auto *slider = static_cast<QAbstractSlider *>(control.GetPlatformHandle());
        EXPECT_LE(slider->minimum(), slider->maximum());
        EXPECT_GE(slider->pageStep(), 0);
        EXPECT_GE(static_cast<long long>(slider->maximum()) - slider->minimum() + slider->pageStep(),
                  static_cast<long long>(slider->pageStep()));
        EXPECT_LE(static_cast<long long>(slider->maximum()) - slider->minimum() + slider->pageStep(),
                  static_cast<long long>(INT_MAX));
        EXPECT_FALSE(window.grab().isNull()); // paints
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c[0] << ".." << c[1] << ", page " << c[2] << ", line " << c[3]);
        ScrollBar bar;
        check(bar, c);
        Slider slider;
        check(slider, c);
    }
}

// Item views lay their rows out around the pictures' size: a negative or huge
// one put a row's edges past the ends of int, and hit tests overflowed.
TEST(HostileArgumentsTest, ItemPicturesAtTheEndsOfInt)
{
    const QByteArray png = FilledPictureBytes(8, 8, Qt::red);
    const auto *bytes = reinterpret_cast<const unsigned char *>(png.constData());
    const QSize largest = largestSize();
    for (const int size : {INT_MIN, -1, INT_MAX}) {
        SCOPED_TRACE(size);
        QWidget window;
        window.resize(300, 200);
        ListBox list;
        list.Create(&window);
        list.MoveWindow(0, 0, 280, 180, false);
        list.SetColumnsCount(1);
        list.AddItem(L"first");
        list.AddItem(L"second");
        list.AddPicture(1, bytes, png.size(), ImageTypePNG, size, BitmapTypeDefault);
        TreeView tree;
        tree.Create(&window);
        tree.AddPicture(tree.AddItem(L"item", any()), bytes, png.size(), ImageTypePNG, size, BitmapTypeDefault);
        window.show();
        for (QAbstractItemView *view : {static_cast<QAbstractItemView *>(list.GetPlatformHandle()),
                                        static_cast<QAbstractItemView *>(tree.GetPlatformHandle())}) {
            EXPECT_GE(view->iconSize().width(), 0);
            EXPECT_LE(view->iconSize().width(), largest.width());
        }
        unsigned int flags = 0;
        int column = 0;
        for (const Point at : {Point{5, 5}, Point{5, 40}, Point{INT_MAX, INT_MIN}})
            list.HitTest(at, &flags, &column);
        EXPECT_FALSE(window.grab().isNull()); // paints
    }
}

// Qt's styles draw a tree row's branch marks from a picture of the row's
// height: rows 16,777,215 pixels high held the window for seconds a paint.
TEST(HostileArgumentsTest, TreeRowsNoHigherThanTheBound)
{
    QWidget window;
    window.resize(300, 200);
    TreeView tree;
    tree.Create(&window);
    tree.MoveWindow(0, 0, 280, 180, false);
    QStandardItem *parent = tree.AddItem(L"parent", any());
    tree.InsertItem(L"child", parent, nullptr, any());
    tree.SetExpanded(parent, true);
    window.show();
    tree.SetItemHeight(QWIDGETSIZE_MAX);
    EXPECT_LE(tree.GetItemHeight(), largestSize().height());
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(window.grab().isNull());
    EXPECT_LT(timer.elapsed(), 5000);
}

// A menu asked for at the ends of int is placed on the screen.
TEST(HostileArgumentsTest, AMenuShownAtTheEndsOfIntIsOnTheScreen)
{
    QWidget window;
    window.show();
    for (const int end : {INT_MAX, INT_MIN}) {
        SCOPED_TRACE(end);
        ContextMenu menu;
        ASSERT_TRUE(menu.Create(&window));
        menu.AddItem(L"Entry", [] {});
        QRect placed;
        QTimer::singleShot(0, [&placed] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                placed = popup->geometry();
                popup->close();
            }
        });
        menu.Show(end, end);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_TRUE(screen.intersects(placed)) << "placed at " << placed.x() << ", " << placed.y();
    }
}

// Qt adds a splitter's sizes and handle widths up in int: sizes or a handle
// near INT_MAX overflowed the sum, and its layout looped for ever.
TEST(HostileArgumentsTest, SplitterSizesAndHandlesAtTheEndsOfInt)
{
    const struct
    {
        std::list<int> sizes;
        int handle;
    } cases[] = {
        {{5, INT_MAX, 316, INT_MAX, 117, INT_MIN}, 5},
        {{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 5},
        {{100, 100}, INT_MAX},
        {{INT_MIN, INT_MIN}, INT_MAX - 1},
    };
    const QSize largest = largestSize();
    for (const auto orientation : {Qt::Horizontal, Qt::Vertical}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "handle " << c.handle << (orientation == Qt::Vertical ? ", vertical" : ""));
            QWidget window;
            auto *layout = new QVBoxLayout(&window);
            Splitter splitter;
            splitter.Create(&window);
            auto *widget = static_cast<QSplitter *>(splitter.GetPlatformHandle());
            widget->setOrientation(orientation);
            layout->addWidget(widget);
            for (int i = 0; i < 6; ++i)
                widget->addWidget(new QLabel(QStringLiteral("view")));
            window.resize(300, 200);
            window.show();
            splitter.SetSizes(c.sizes);
            splitter.SetHandleWidth(c.handle);
            QCoreApplication::processEvents();
            window.resize(320, 220);
            QCoreApplication::processEvents();
            const int along = orientation == Qt::Horizontal ? largest.width() : largest.height();
            EXPECT_LE(widget->handleWidth(), along);
            for (const int size : widget->sizes())
                EXPECT_LE(size, along);
        }
    }
    // A negative width still names the style's own.
    Splitter splitter;
    splitter.Create(nullptr);
    splitter.SetHandleWidth(-1);
    auto *widget = static_cast<QSplitter *>(splitter.GetPlatformHandle());
    EXPECT_EQ(widget->handleWidth(), widget->style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, widget));
}

// A label asks for what its text or picture needs, never for more than its
// screen, and the window that lays it out stays within the screen and its
// margins. DrawTxt on a label far taller than its screen draws into a picture
// no larger than the screen (one of the label's size, 67 GB here, made the
// window grow to 16,777,215 pixels, which Qt cannot paint).
TEST(HostileArgumentsTest, ALabelAsksForNoMoreThanItsScreen)
{
    const QByteArray tall = FilledPictureBytes(1, 30000, Qt::red);
    const QByteArray wide = FilledPictureBytes(30000, 1, Qt::red);
    const auto picture = [](Label &label, const QByteArray &bytes) {
        label.LoadPicture(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(), ImageTypePNG,
                          ScalePictureKeepSize, 0);
    };
    const struct
    {
        const char *name;
        std::function<void(Label &)> fill;
    } cases[] = {
        {"a text drawn on a label taller than its screen",
         [](Label &label) {
             label.MoveWindow(0, 0, 997, QWIDGETSIZE_MAX, false);
             label.DrawTxt(L"drawn");
             const QPixmap drawn = static_cast<QLabel *>(label.GetPlatformHandle())->pixmap(Qt::ReturnByValue);
             EXPECT_EQ(drawn.size(), QSize(997, QWIDGETSIZE_MAX).boundedTo(screenSize()));
         }},
        {"a line of 3,000 characters", [](Label &label) { label.SetText(std::wstring(3000, L'W'), false); }},
        {"a picture 30,000 pixels tall", [&](Label &label) { picture(label, tall); }},
        {"a picture 30,000 pixels wide", [&](Label &label) { picture(label, wide); }},
        {"rich text with a picture of 99,999 x 99,999",
         [](Label &label) { label.SetText(L"<img src=\"/no/such.png\" width=99999 height=99999>", false); }},
        {"wrapped rich text with a picture of 99,999 x 99,999",
         [](Label &label) {
             label.SetWordWrap(true);
             label.SetText(L"A picture <img src=\"/no/such.png\" width=99999 height=99999> in words", false);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        Label label;
        label.Create(&window);
        layout->addWidget(label.GetPlatformHandle());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        c.fill(label);
        QWidget *widget = label.GetPlatformHandle();
        EXPECT_LE(widget->sizeHint().width(), screenSize().width());
        EXPECT_LE(widget->sizeHint().height(), screenSize().height());
        EXPECT_LE(widget->minimumSizeHint().width(), screenSize().width());
        EXPECT_LE(widget->minimumSizeHint().height(), screenSize().height());

        layout->activate();
        QCoreApplication::processEvents();
        const QMargins margins = layout->contentsMargins();
        EXPECT_LE(window.width(), screenSize().width() + margins.left() + margins.right());
        EXPECT_LE(window.height(), screenSize().height() + margins.top() + margins.bottom());
    }
}

// Pictures scaled to a label of the largest size Qt allows, or to one side of
// a label with the other side following the picture's proportions: the
// picture and the frames of an animation are no larger than the screen, and
// take no time to make (a label of 30,000 pixels took 30 s for one GIF of a
// single pixel). The bound is generous, for a loaded machine under sanitizers.
TEST(HostileArgumentsTest, PicturesScaledForAHugeLabelStayWithinTheScreen)
{
    const QByteArray gif(reinterpret_cast<const char *>(kTwoFrameGif), sizeof kTwoFrameGif);
    const QByteArray tall = FilledPictureBytes(1, 400, Qt::red);
    const QByteArray wide = FilledPictureBytes(400, 1, Qt::red);
    const struct
    {
        const char *name;
        QSize label;
        ScalePicture scale;
        const QByteArray &bytes;
        ImageTypes type;
    } cases[] = {
        {"a GIF to the width", {30000, 30000}, ScalePictureToWidth, gif, ImageTypeGIF},
        {"a GIF to the height", {30000, 30000}, ScalePictureToHeight, gif, ImageTypeGIF},
        {"a GIF to the largest height", {1, QWIDGETSIZE_MAX}, ScalePictureToHeight, gif, ImageTypeGIF},
        {"a tall picture to the width", {500, 30}, ScalePictureToWidth, tall, ImageTypePNG},
        {"a wide picture to the height", {30, 500}, ScalePictureToHeight, wide, ImageTypePNG},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Label label;
        label.MoveWindow(0, 0, c.label.width(), c.label.height(), false);
        QElapsedTimer timer;
        timer.start();
        label.LoadPicture(reinterpret_cast<const unsigned char *>(c.bytes.constData()), c.bytes.size(), c.type,
                          c.scale, 0);
        EXPECT_LT(timer.elapsed(), 5000);
        auto *widget = static_cast<QLabel *>(label.GetPlatformHandle());
        QSize shown = widget->pixmap(Qt::ReturnByValue).size();
        if (QMovie *movie = widget->movie()) {
            ASSERT_TRUE(movie->jumpToFrame(1));
            shown = movie->currentPixmap().size();
            EXPECT_FALSE(shown.isEmpty());
        }
        EXPECT_LE(shown.width(), screenSize().width());
        EXPECT_LE(shown.height(), screenSize().height());
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

// Texts of tens of thousands of characters in many scripts, where Qt's
// layout is slowest, take no time a user would notice: each of these held the
// window for seconds, some for minutes under sanitizers. A numbers-only field
// corrects a long text in one walk; a group box and a balloon show no more of
// a text than their headers state. The time bound is generous, for a loaded
// machine under sanitizers, where Qt's text layout is slowest: the titled
// balloon, the slowest row, takes 40 ms without them, 1.5 s with them and 3 s
// with four such runs on two cores.
// A dialog's tool tip is broken into lines of the width asked for: measured
// a character at a time from each line's start, with the text cut after
// every line, 100,000 characters in wide lines took minutes. Narrow lines
// cost a measure each, and stay fewer here for the sanitizers' sake.
TEST_F(HostileDialogTest, ALongToolTipIsWrappedInNoTimeAUserNotices)
{
    auto dialog = make();
    auto own = std::dynamic_pointer_cast<BaseImplQt>(dialog->GetBaseImpl());
    const struct
    {
        int width;
        int half;
    } cases[] = {{86276, 50000}, {1, 10000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.width);
        const std::wstring text = std::wstring(c.half, L' ') + std::wstring(c.half, L'w');
        QElapsedTimer timer;
        timer.start();
        dialog->SetToolTip(nullptr, text, L"", c.width, nullptr, false);
        EXPECT_LT(timer.elapsed(), 10000);
        ASSERT_EQ(own->ToolTipRegions().size(), 1u);
        const QString tip = own->ToolTipRegions()[0].record->text;
        EXPECT_TRUE(tip.contains(QStringLiteral("<br>")));
        EXPECT_EQ(tip.count(QLatin1Char('w')), c.half + tip.count(QStringLiteral("white")));
    }
}

TEST(HostileArgumentsTest, LongTextsTakeNoTimeAUserNotices)
{
    const std::wstring junk = L"1" + std::wstring(69999, L'x');
    const std::wstring scripts = manyScripts(70000);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto settle = [&window] {
        QCoreApplication::processEvents();
        window.grab();
    };

    const struct
    {
        const char *name;
        std::function<void()> run;
    } cases[] = {
        {"a numbers-only edit given 70,000 characters",
         [&] {
             Edit edit;
             edit.Create(&window);
             edit.SetLimitText(100000);
             edit.OnlyNumbers(true, 0, 1000, nullptr, nullptr);
             edit.SetText(junk);
             settle();
             EXPECT_EQ(edit.GetText(), L"1");
         }},
        {"a numbers-only combo box pasting a million characters",
         [&] {
             ComboBox combo;
             combo.Create(&window);
             combo.SetEditable(true);
             combo.OnlyNumbers(true, 0, 1000);
             layout->addWidget(combo.GetPlatformHandle());
             QGuiApplication::clipboard()->setText(QStringLiteral("1") + QString(999999, QLatin1Char('x')));
             QLineEdit *field = static_cast<QComboBox *>(combo.GetPlatformHandle())->lineEdit();
             ASSERT_NE(field, nullptr);
             field->setFocus();
             QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
             settle();
             EXPECT_EQ(combo.CurrentText(), L"1");
         }},
        {"a group box titled with 70,000 characters",
         [&] {
             GroupBox box;
             box.Create(&window);
             layout->addWidget(box.GetPlatformHandle());
             box.SetText(scripts);
             settle();
             EXPECT_EQ(box.GetText(), scripts);
             const QString shown = static_cast<QGroupBox *>(box.GetPlatformHandle())->title();
             EXPECT_EQ(shown.toStdWString(), scripts.substr(0, GroupBox::kLongestShownTitle));
         }},
        {"a balloon of 70,000 characters",
         [&] {
             PromptsPopup balloon;
             ASSERT_TRUE(balloon.Create(&window, scripts, 0, -1, false));
             balloon.Show(true, -1, -1);
             settle();
             const QString shown = window.findChild<PromptsPopupQt *>()->text();
             EXPECT_EQ(shown.toStdWString(), scripts.substr(0, PromptsPopup::kLongestText) + L"\u2026");
         }},
        {"a balloon titled with 70,000 characters",
         [&] {
             PromptsPopup balloon;
             ASSERT_TRUE(balloon.Create(&window, scripts, 0, -1, false));
             balloon.SetTitle(scripts);
             balloon.SetTitleIcon(BalloonTipIconWarning);
             balloon.Show(true, -1, -1);
             settle();
             EXPECT_TRUE(balloon.IsDisplayed());
             const QString shown = window.findChild<PromptsPopupQt *>()->text();
             const QString title = QString::fromStdWString(scripts.substr(0, PromptsPopup::kLongestTitle));
             EXPECT_TRUE(shown.contains(title + QChar(0x2026)));
             EXPECT_LE(window.findChild<PromptsPopupQt *>()->width(), screenSize().width());
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer timer;
        timer.start();
        c.run();
        EXPECT_LT(timer.elapsed(), 10000);
    }
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
