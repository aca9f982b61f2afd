#include "AgnosticUIException.h"
#include "PromptsPopup.h"
#include "PromptsPopupQt.h"
#include "TestControl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRegion>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using AUILib::BaseGUIObject;

namespace {

class PaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

bool showsWindow(QWidget *widget)
{
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}

} // namespace

TEST(BaseGUIObject, StartsEmpty)
{
    QLabel widget;
    TestControl control(&widget);
    EXPECT_EQ(control.GetControlKind(), AUILib::ControlKindOther);
    EXPECT_TRUE(control.GetName().empty());
    EXPECT_EQ(control.GetParentWindow(), nullptr);
    EXPECT_FALSE(control.EventProcedure());
    EXPECT_FALSE(control.PreTranslateMessage());
    EXPECT_EQ(control.GetUserData(), 0);
    EXPECT_FALSE(control.GetContextMenu());
    EXPECT_EQ(control.OnDestroyed.Count(), 0u);
    EXPECT_FALSE(control.OnDestroyed.IsBlocked());
    EXPECT_EQ(*control.Impl().ReservedField(), 0);
    EXPECT_FALSE(control.Impl().IsProgrammaticUpdate());
}

TEST(BaseGUIObject, StoresWhatOnlyThePublicObjectOwns)
{
    QLabel widget;
    QWidget parent;
    TestControl control(&widget);
    control.SetParentWindow(&parent);
    control.SetUserData(1234);
    control.SetEventProcedure([](BaseGUIObject *, AUILib::Event *) { return true; });
    control.SetPreTranslateMessage([](void *) { return 9; });
    EXPECT_EQ(control.GetParentWindow(), &parent);
    EXPECT_EQ(control.GetUserData(), 1234);
    EXPECT_TRUE(control.EventProcedure()(&control, nullptr));
    EXPECT_EQ(control.PreTranslateMessage()(nullptr), 9);
    // An empty pointer is simply not shown.
    control.ShowPromptsPopup(nullptr, true);
}

TEST(BaseGUIObject, ForwardsToTheWidget)
{
    QFrame frame;
    frame.setFrameStyle(QFrame::Box | QFrame::Plain);
    frame.setLineWidth(3);
    TestControl control(&frame);

    control.SetMinimumSize(AUILib::Size{40, 30});
    control.SetMaximumSize(AUILib::Size{400, 300});
    EXPECT_EQ(control.MinimumSize().width, 40);
    EXPECT_EQ(control.MaximumSize().height, 300);

    control.MoveWindow(10, 20, 100, 50, false);
    EXPECT_EQ(frame.pos(), QPoint(13, 23));
    EXPECT_EQ(frame.size(), QSize(100, 50));
    control.MoveWindowUnscaled(0, 0, 120, 60, false);
    EXPECT_EQ(frame.geometry(), QRect(3, 3, 120, 60));

    const AUILib::Rect client = control.GetClientRect();
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.right, 120 - 2 * 3 - 1);
    EXPECT_EQ(client.bottom, 60 - 2 * 3 - 1);
    EXPECT_EQ(control.GetFrarmeWidth(), 3);

    const AUILib::Rect window = control.GetWindowRect();
    const AUILib::Rect unscaled = control.GetWindowRectUnscaled();
    EXPECT_EQ(window.right - window.left, 119);
    EXPECT_EQ(window.bottom - window.top, 59);
    EXPECT_EQ(window.left, unscaled.left);
    EXPECT_EQ(window.bottom, unscaled.bottom);

    const AUILib::Point screen = control.ClientToScreen(AUILib::Point{5, 6});
    const AUILib::Point back = control.ScreenToClient(screen);
    EXPECT_EQ(back.x, 5);
    EXPECT_EQ(back.y, 6);

    EXPECT_GT(control.GetLogicalPixelsX(), 0);
    control.Update();
    control.Update(QRegion(0, 0, 5, 5));
}

TEST(BaseGUIObject, EnableWithChildrenReachesEveryDescendant)
{
    QWidget parent;
    auto *middle = new QWidget(&parent);
    auto *leaf = new QPushButton(middle);
    TestControl control(&parent);

    control.Enable(false, true);
    EXPECT_FALSE(control.IsEnabled());
    EXPECT_TRUE(leaf->testAttribute(Qt::WA_Disabled));
    EXPECT_TRUE(middle->testAttribute(Qt::WA_Disabled));

    control.Enable(true, false);
    EXPECT_TRUE(control.IsEnabled());
    EXPECT_TRUE(leaf->testAttribute(Qt::WA_Disabled)) << "without children only the widget changes";
    control.Enable(true, true);
    EXPECT_TRUE(leaf->isEnabled());
}

TEST(BaseGUIObject, ShowOfAVisibleWidgetDoesNotRepaint)
{
    PaintCounter widget;
    TestControl control(&widget);
    control.Show(true, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();
    const int before = widget.paints;
    control.Show(true, true);
    EXPECT_EQ(widget.paints, before);
    control.Repaint();
    EXPECT_EQ(widget.paints, before + 1);
    control.Show(false, false);
    EXPECT_FALSE(control.IsVisible());
}

TEST(BaseGUIObject, AHiddenDialogComesBackWhereItWasHidden)
{
    QDialog dialog;
    TestControl control(&dialog);
    dialog.setGeometry(100, 120, 300, 200);
    ASSERT_TRUE(showsWindow(&dialog));
    const QRect shown = dialog.geometry();

    control.Show(false, false);
    EXPECT_FALSE(dialog.isVisible());
    dialog.move(400, 400);
    control.Show(true, false);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.geometry(), shown);

    // A dialog never hidden or moved through the control keeps its own place.
    QDialog other;
    TestControl otherControl(&other);
    other.setGeometry(50, 60, 200, 100);
    otherControl.Show(true, false);
    EXPECT_EQ(other.geometry(), QRect(50, 60, 200, 100));
}

TEST(BaseGUIObject, SizePolicyRoundTripKeepsEverything)
{
    QCheckBox source;
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Expanding, QSizePolicy::CheckBox);
    policy.setHorizontalStretch(2);
    policy.setVerticalStretch(7);
    policy.setHeightForWidth(true);
    policy.setRetainSizeWhenHidden(true);
    source.setSizePolicy(policy);
    TestControl from(&source);

    const AUILib::SizePolicy packed = from.GetSizePolicy();
    EXPECT_EQ(packed & 0xff, 2u);
    EXPECT_EQ((packed >> 8) & 0xff, 7u);
    EXPECT_EQ((packed >> 16) & 0xf, static_cast<unsigned>(QSizePolicy::Fixed));
    EXPECT_EQ((packed >> 20) & 0xf, static_cast<unsigned>(QSizePolicy::Expanding));
    EXPECT_EQ((packed >> 24) & 0x1f, static_cast<unsigned>(QSizePolicy::CheckBox));

    QWidget target;
    TestControl to(&target);
    to.SetSizePolicy(packed);
    EXPECT_EQ(target.sizePolicy(), policy);
    EXPECT_EQ(to.GetSizePolicy(), packed);
}

TEST(BaseGUIObject, SetParentKeepsADialogAWindow)
{
    QWidget owner;
    auto *dialog = new QDialog;
    TestControl control(dialog, AUILib::ControlKindDialog);
    EXPECT_TRUE(control.Create(&owner));
    EXPECT_EQ(dialog->parentWidget(), &owner);
    EXPECT_TRUE(dialog->isWindow());
    EXPECT_EQ(control.GetParentWindow(), &owner);

    auto *label = new QLabel;
    TestControl child(label);
    child.Create(&owner);
    EXPECT_EQ(label->parentWidget(), &owner);
    EXPECT_FALSE(label->isWindow());
}

TEST(BaseGUIObject, TimersCarryQtsId)
{
    QLabel widget;
    TestControl control(&widget);
    const int id = control.SetTimer(7, 500);
    EXPECT_GT(id, 0);
    control.KillTimer(static_cast<unsigned>(id));
}

TEST(BaseGUIObject, WidthForTextGrowsWithTheText)
{
    QLabel widget;
    TestControl control(&widget);
    std::wstring shortText = L"ab";
    std::wstring longText = L"abcdefghij";
    EXPECT_LT(control.GetWidthForText(shortText, nullptr), control.GetWidthForText(longText, nullptr));
    AUILib::FontData font;
    font.faceName = L"DejaVu Sans";
    font.size = 30;
    EXPECT_GT(control.GetWidthForText(shortText, &font), control.GetWidthForText(shortText, nullptr));
}

TEST(BaseGUIObject, OperationsOnAGoneWidgetThrowControlNotValid)
{
    auto *widget = new QFrame;
    TestControl control(widget);
    control.SetAcceptDrops(true);
    control.SetTrackMouseEvent();
    delete widget;

    std::wstring text = L"abc";
    const std::vector<std::pair<const char *, std::function<void()>>> operations = {
        {"Show", [&] { control.Show(true, false); }},
        {"IsVisible", [&] { control.IsVisible(); }},
        {"Enable", [&] { control.Enable(false, true); }},
        {"IsEnabled", [&] { control.IsEnabled(); }},
        {"IdealSize", [&] { control.IdealSize(); }},
        {"MinimumIdealSize", [&] { control.MinimumIdealSize(); }},
        {"MinimumSize", [&] { control.MinimumSize(); }},
        {"MaximumSize", [&] { control.MaximumSize(); }},
        {"SetMinimumSize", [&] { control.SetMinimumSize(AUILib::Size{1, 1}); }},
        {"SetMaximumSize", [&] { control.SetMaximumSize(AUILib::Size{1, 1}); }},
        {"MoveWindow", [&] { control.MoveWindow(0, 0, 1, 1, false); }},
        {"MoveWindowUnscaled", [&] { control.MoveWindowUnscaled(0, 0, 1, 1, false); }},
        {"Update", [&] { control.Update(); }},
        {"UpdateRegion", [&] { control.Update(QRegion(0, 0, 1, 1)); }},
        {"Repaint", [&] { control.Repaint(); }},
        {"RepaintRegion", [&] { control.Repaint(QRegion(0, 0, 1, 1)); }},
        {"GetLogicalPixelsX", [&] { control.GetLogicalPixelsX(); }},
        {"GetLogicalPixelsY", [&] { control.GetLogicalPixelsY(); }},
        {"GetWindowRect", [&] { control.GetWindowRect(); }},
        {"GetWindowRectUnscaled", [&] { control.GetWindowRectUnscaled(); }},
        {"GetClientRect", [&] { control.GetClientRect(); }},
        {"ScreenToClient", [&] { control.ScreenToClient(AUILib::Point{}); }},
        {"ClientToScreen", [&] { control.ClientToScreen(AUILib::Point{}); }},
        {"GetFrarmeWidth", [&] { control.GetFrarmeWidth(); }},
        {"SetTimer", [&] { control.SetTimer(1, 10); }},
        {"KillTimer", [&] { control.KillTimer(1); }},
        {"GetSizePolicy", [&] { control.GetSizePolicy(); }},
        {"SetSizePolicy", [&] { control.SetSizePolicy(0); }},
        {"GetWidthForText", [&] { control.GetWidthForText(text, nullptr); }},
        {"SetParent", [&] { control.Create(nullptr); }},
    };
    for (const auto &operation : operations) {
        try {
            operation.second();
            ADD_FAILURE() << operation.first << " did not throw";
        } catch (const AUILib::AgnosticUIException &error) {
            EXPECT_STREQ(error.what(), "Control is not valid.") << operation.first;
        }
    }

    // These answer or do nothing instead.
    EXPECT_EQ(control.GetPlatformWindow(), nullptr);
    EXPECT_EQ(control.GetPlatformHandle(), nullptr);
    EXPECT_NO_THROW(control.SetAcceptDrops(false));
    EXPECT_TRUE(control.IsAcceptDrops()) << "the stored flag stays";
    EXPECT_NO_THROW(control.SetTrackMouseEvent());
    EXPECT_TRUE(control.Impl().IsTrackMouseEvent());
    AUILib::FontData font;
    font.faceName = L"DejaVu Sans";
    font.size = 12;
    EXPECT_GT(control.GetWidthForText(text, &font), 0);
    EXPECT_FALSE(control.ShowBalloonTipEx(L"tip", AUILib::BalloonTipIconWarning, false, false));
    EXPECT_FALSE(control.IsBalloonTipDisplayed());

    // The popup refuses a gone widget, and the caller still gets it.
    const auto popup = control.InsertPromptsPopup(L"text", 0, 1000, false);
    ASSERT_TRUE(popup);
    popup->Show(true, -1, -1);
    EXPECT_FALSE(popup->IsDisplayed());
}

TEST(BaseGUIObject, BalloonTipsShowAndHide)
{
    QWidget window;
    window.resize(300, 200);
    auto *edit = new QLabel(&window);
    edit->setGeometry(10, 10, 100, 20);
    TestControl control(edit);
    ASSERT_TRUE(showsWindow(&window));

    EXPECT_FALSE(control.HideBalloonTipEx()) << "no balloon yet";
    EXPECT_FALSE(control.IsBalloonTipDisplayed());

    const unsigned char notAnImage[] = {1, 2, 3};
    const struct
    {
        const char *name;
        std::function<bool()> show;
        bool closeOnInteraction;
        int timeoutMs;
    } overloads[] = {
        {"text, icon type",
         [&] { return control.ShowBalloonTipEx(L"a", AUILib::BalloonTipIconInformation, false, false); }, false, 3000},
        {"text, path", [&] { return control.ShowBalloonTipEx(L"b", std::wstring(L"/no/such.png"), false, true); }, true,
         -1},
        {"text, bytes", [&] { return control.ShowBalloonTipEx(L"c", notAnImage, 3, false, false); }, true, 3000},
        {"title, text, icon type",
         [&] { return control.ShowBalloonTipEx(L"T", L"d", AUILib::BalloonTipIconCritical, false, true); }, false,
         -1},
        {"title, text, path", [&] { return control.ShowBalloonTipEx(L"T", L"e", std::wstring(L""), false, false); },
         true, 3000},
        {"title, text, bytes", [&] { return control.ShowBalloonTipEx(L"T", L"f", nullptr, 0, false, true); }, true,
         -1},
    };
    for (const auto &overload : overloads) {
        EXPECT_TRUE(overload.show()) << overload.name;
        EXPECT_TRUE(control.IsBalloonTipDisplayed()) << overload.name;
        // One balloon per control, reused by every call.
        const auto balloons = edit->findChildren<AUILib::PromptsPopupQt *>();
        ASSERT_EQ(balloons.size(), 1) << overload.name;
        EXPECT_EQ(balloons.front()->closeOnInteraction, overload.closeOnInteraction) << overload.name;
        EXPECT_EQ(balloons.front()->timeoutMs, overload.timeoutMs) << overload.name;
        // A persistent tip (-1) has no timer: it stays until hidden.
        EXPECT_EQ(balloons.front()->autoHideTimer.isActive(), overload.timeoutMs > 0) << overload.name;
        EXPECT_TRUE(control.HideBalloonTipEx()) << overload.name;
        EXPECT_FALSE(control.IsBalloonTipDisplayed()) << overload.name;
    }
}

TEST(BaseGUIObject, InsertPromptsPopupReplacesTheHeldPopup)
{
    QWidget window;
    auto *target = new QLabel(&window);
    TestControl control(target);
    ASSERT_TRUE(showsWindow(&window));

    const auto first = control.InsertPromptsPopup(L"one", 0, 1000, false);
    const auto second = control.InsertPromptsPopup(L"two", 0, 1000, false);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first, second);
    control.ShowPromptsPopup(second, true);
    EXPECT_TRUE(second->IsDisplayed());
    control.ShowPromptsPopup(second, false);
    EXPECT_FALSE(second->IsDisplayed());
}

namespace {

// A control made the way every toolkit control is: its own widget, one
// connection, one event.
class Counter : public BaseGUIObject
{
public:
    class impl : public AUILib::BaseImplQt
    {
    public:
        explicit impl(Counter *owner)
            : BaseImplQt(owner)
        {
            QSpinBox *box = MakeWidget<QSpinBox>();
            Connect(box, qOverload<int>(&QSpinBox::valueChanged), [this](int value) {
                Fire(&Counter::OnValue, value);
                // After the handlers, which may have dropped the control.
                ++fired;
            });
        }
        void later(std::function<void()> action) { SingleShot(0, std::move(action)); }
        BaseGUIObject *owner() const { return Owner(); }
        int fired = 0;
    };

    Counter()
        : m_impl(AUILib::MakeImpl<impl>(this))
    {
    }
    AUILib::EventSignal<void(int)> OnValue;
    bool Create(QWidget *parent) override { return m_impl->SetParent(parent); }
    std::shared_ptr<AUILib::BaseImpl> GetBaseImpl() const override { return m_impl; }
    std::shared_ptr<impl> Impl() const { return m_impl; }
    QSpinBox *box() const { return static_cast<QSpinBox *>(m_impl->GetWidget()); }

private:
    std::shared_ptr<impl> m_impl;
};

void deleteDeferred()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// A widget that stays with its Qt parent, and an implementation someone still
// holds, outlive the control: the widget's signals then reach nobody.
TEST(BaseImplQt, NothingReachesAControlThatIsGone)
{
    QWidget parent;
    auto control = std::make_unique<Counter>();
    control->Create(&parent);
    QPointer<QSpinBox> box = control->box();
    std::vector<int> seen;
    control->OnValue.Subscribe([&](int value) { seen.push_back(value); });
    box->setValue(3);
    EXPECT_EQ(seen, std::vector<int>{3});

    std::shared_ptr<Counter::impl> held = control->Impl();
    control.reset();
    EXPECT_EQ(held->owner(), nullptr);
    box->setValue(4);
    EXPECT_EQ(seen, std::vector<int>{3}) << "the owner is gone";
    EXPECT_EQ(held->fired, 2) << "the implementation still hears its widget";

    held.reset();
    box->setValue(5);
    ASSERT_FALSE(box.isNull()) << "a placed widget belongs to its parent";
    EXPECT_EQ(seen, std::vector<int>{3});
}

TEST(BaseImplQt, AHandlerMayDropItsControlInsideTheSlot)
{
    for (bool placed : {true, false}) {
        SCOPED_TRACE(placed ? "placed" : "never placed");
        QWidget parent;
        auto control = std::make_unique<Counter>();
        if (placed)
            control->Create(&parent);
        QPointer<QSpinBox> box = control->box();
        int calls = 0;
        control->OnValue.Subscribe([&](int) {
            ++calls;
            control.reset();
        });
        control->OnValue.Subscribe([&](int) { ++calls; });
        box->setValue(1);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(control, nullptr);
        deleteDeferred();
        EXPECT_EQ(box.isNull(), !placed);
    }
}

TEST(BaseImplQt, TimersOfAGoneImplementationDoNotRun)
{
    auto control = std::make_unique<Counter>();
    int runs = 0;
    control->Impl()->later([&] { ++runs; });
    control.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0);

    Counter kept;
    kept.Impl()->later([&] { ++runs; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs == 1; }, 5000));
}

// The control's own widget goes with it unless a parent took it; a widget it
// only drives stays its owner's.
TEST(BaseImplQt, AWidgetThatNeverGotAParentGoesWithItsImplementation)
{
    auto control = std::make_unique<Counter>();
    QPointer<QSpinBox> made = control->box();
    control.reset();
    deleteDeferred();
    EXPECT_TRUE(made.isNull());

    QLabel existing;
    QPointer<QLabel> wrapped(&existing);
    {
        TestControl driving(&existing);
    }
    deleteDeferred();
    EXPECT_FALSE(wrapped.isNull());

    // Given a parent and taken back, it is parentless again and goes.
    QWidget parent;
    control = std::make_unique<Counter>();
    control->Create(&parent);
    made = control->box();
    control->Create(nullptr);
    control.reset();
    deleteDeferred();
    EXPECT_TRUE(made.isNull());
}
