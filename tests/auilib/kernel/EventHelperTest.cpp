#include "AUILibLogger.h"
#include "BoundHandlerWrapper.h"
#include "ContextMenu.h"
#include "Event.h"
#include "EventGate.h"
#include "FocusWatcher.h"
#include "PopupDriver.h"
#include "TestControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>
#include <QTreeView>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <stdexcept>

using AUILib::Event;

namespace {

// What a procedure saw of one toolkit event.
struct Seen
{
    int type = 0;
    int key = 0;
    unsigned modifiers = 0;
    std::wstring text;
    int nativeKey = 0;
    AUILib::Point point;
    unsigned buttons = 0;
    int number = 0;
    std::vector<std::wstring> paths;
};

class EventHelperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        button = dialog.add<QPushButton>("button", AUILib::ControlKindButton);
        label = dialog.add<QLabel>("label");
        edit = dialog.add<QLineEdit>("edit", AUILib::ControlKindEdit);
        table = dialog.add<QTableWidget>("table", AUILib::ControlKindListBox);
        for (AUILib::BaseGUIObject *control : std::initializer_list<AUILib::BaseGUIObject *>{
                 &dialog, button.get(), label.get(), edit.get(), table.get()})
            record(control);
    }

    // The dialog goes last; its dying widgets must not reach this fixture's records.
    void TearDown() override
    {
        for (AUILib::BaseGUIObject *control : std::initializer_list<AUILib::BaseGUIObject *>{
                 &dialog, button.get(), label.get(), edit.get(), table.get()}) {
            if (control)
                control->SetEventProcedure(nullptr);
        }
    }

    void record(AUILib::BaseGUIObject *control)
    {
        control->SetEventProcedure([this](AUILib::BaseGUIObject *target, Event *event) {
            Seen s;
            s.type = event->GetType();
            switch (event->GetType()) {
            case Event::KeyPress:
            case Event::KeyRelease:
            case Event::ShortcutOverride: {
                auto *key = static_cast<AUILib::KeyEvent *>(event);
                s.key = key->GetKey();
                s.modifiers = key->GetModifiers();
                s.text = key->GetText();
                s.nativeKey = key->GetNativeKey();
                break;
            }
            case Event::MouseButtonPress:
            case Event::MouseButtonRelease:
            case Event::MouseButtonDblClick:
            case Event::MouseMove:
            case Event::HoverMove: {
                auto *mouse = static_cast<AUILib::MouseEvent *>(event);
                s.point = mouse->GetPoint();
                s.buttons = mouse->GetButtons();
                s.modifiers = mouse->GetModifiers();
                break;
            }
            case Event::Wheel: {
                auto *wheel = static_cast<AUILib::MouseWheelEvent *>(event);
                s.point = wheel->GetPoint();
                s.number = wheel->GetDelta();
                break;
            }
            case Event::Timer:
                s.number = static_cast<AUILib::TimerEvent *>(event)->GetId();
                break;
            case Event::Resize:
                s.number = static_cast<AUILib::ResizeEvent *>(event)->GetNewSize().width * 1000 +
                           static_cast<AUILib::ResizeEvent *>(event)->GetOldSize().width;
                break;
            case Event::Drop: {
                auto *drop = static_cast<AUILib::DropEvent *>(event);
                s.point = drop->GetPoint();
                s.paths = drop->GetPaths();
                break;
            }
            case Event::Moving: {
                auto *moving = static_cast<AUILib::MovingEvent *>(event);
                if (moveBy) {
                    AUILib::Rect r = moving->GetRect();
                    r.left += moveBy;
                    r.right += moveBy;
                    moving->SetRect(r);
                    moveBy = 0;
                }
                break;
            }
            default:
                break;
            }
            seen.push_back(s);
            seenBy.push_back(target);
            if (throwNext) {
                throwNext = false;
                throw std::runtime_error("procedure failed");
            }
            return answer;
        });
    }

    bool filter(QObject *watched, QEvent *event) { return dialog.bridge().eventFilter(watched, event); }
    bool filter(const std::shared_ptr<TestControl> &control, QEvent *event)
    {
        return filter(control->GetPlatformWindow(), event);
    }
    std::vector<int> types() const
    {
        std::vector<int> result;
        for (const Seen &s : seen)
            result.push_back(s.type);
        return result;
    }

    FakeDialog dialog;
    std::shared_ptr<TestControl> button, label, edit, table;
    std::vector<Seen> seen;
    std::vector<AUILib::BaseGUIObject *> seenBy;
    bool answer = false;
    bool throwNext = false;
    int moveBy = 0;
};

} // namespace

TEST_F(EventHelperTest, PlainEventsReachTheirControl)
{
    QFocusEvent focusIn(QEvent::FocusIn);
    QFocusEvent focusOut(QEvent::FocusOut);
    QPaintEvent paint(QRect(0, 0, 1, 1));
    QHideEvent hide;
    QEvent activate(QEvent::WindowActivate);
    QResizeEvent resize(QSize(30, 20), QSize(10, 5));
    const std::vector<std::pair<QEvent *, int>> cases = {
        {&focusIn, Event::FocusIn}, {&focusOut, Event::FocusOut}, {&paint, Event::Paint},
        {&hide, Event::Hide},       {&activate, Event::WindowActivate}, {&resize, Event::Resize},
    };
    for (const auto &c : cases) {
        seen.clear();
        seenBy.clear();
        answer = true;
        EXPECT_TRUE(filter(label, c.first)) << c.second;
        ASSERT_EQ(types(), std::vector<int>{c.second});
        EXPECT_EQ(seenBy.front(), label.get());
    }
    EXPECT_EQ(seen.back().number, 30 * 1000 + 10);

    // The window itself is the dialog control; an unknown widget is nobody.
    seenBy.clear();
    filter(dialog.dialog(), &paint);
    EXPECT_EQ(seenBy, std::vector<AUILib::BaseGUIObject *>{&dialog});
    QLabel stranger(dialog.dialog());
    seen.clear();
    EXPECT_FALSE(filter(&stranger, &paint));
    EXPECT_TRUE(seen.empty());
}

TEST_F(EventHelperTest, MouseEventsSkipOnlyDisabledButtons)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2.5, -3.5), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    QWheelEvent wheel(QPointF(1, 1), QPointF(10.6, 20.4), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);

    filter(label, &press);
    ASSERT_EQ(types(), std::vector<int>{Event::MouseButtonPress});
    EXPECT_EQ(seen[0].point.x, 3) << "half away from zero";
    EXPECT_EQ(seen[0].point.y, -4);
    EXPECT_EQ(seen[0].buttons, static_cast<unsigned>(Qt::LeftButton));
    EXPECT_EQ(seen[0].modifiers, static_cast<unsigned>(Qt::ShiftModifier));

    filter(label, &wheel);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].number, -120);
    EXPECT_EQ(seen[1].point.x, 11);
    EXPECT_EQ(seen[1].point.y, 20);

    seen.clear();
    button->Enable(false, false);
    label->Enable(false, false);
    EXPECT_FALSE(filter(button, &press));
    EXPECT_FALSE(filter(button, &wheel));
    EXPECT_TRUE(seen.empty());
    filter(label, &press);
    EXPECT_EQ(seen.size(), 1u) << "a disabled control of another kind still hears the mouse";
}

TEST_F(EventHelperTest, KeysFollowThePropagationRules)
{
    struct Case
    {
        QEvent::Type type;
        int key;
        QString text;
        bool answer;
        bool delivered;
        bool filtered;
        bool accepted;
    };
    const Case cases[] = {
        {QEvent::KeyPress, Qt::Key_A, "a", true, true, true, false},
        {QEvent::KeyPress, Qt::Key_A, "a", false, true, false, true},
        {QEvent::KeyRelease, Qt::Key_A, "a", true, false, false, false},
        {QEvent::KeyRelease, Qt::Key_Left, "", true, true, true, false},
        {QEvent::KeyPress, Qt::Key_Escape, "\x1b", true, false, false, false},
        {QEvent::KeyPress, Qt::Key_Tab, "\t", true, false, false, true},
        {QEvent::KeyPress, Qt::Key_Pause, "", true, false, false, false},
        {QEvent::ShortcutOverride, Qt::Key_A, "a", true, false, false, false},
    };
    for (const Case &c : cases) {
        seen.clear();
        answer = c.answer;
        QKeyEvent key(c.type, c.key, Qt::NoModifier, c.text);
        key.setAccepted(true);
        EXPECT_EQ(filter(edit, &key), c.filtered) << c.type << " " << c.key;
        EXPECT_EQ(seen.size(), c.delivered ? 1u : 0u) << c.type << " " << c.key;
        EXPECT_EQ(key.isAccepted(), c.accepted) << c.type << " " << c.key;
    }

    seen.clear();
    QKeyEvent withModifiers(QEvent::KeyPress, Qt::Key_B, Qt::ShiftModifier | Qt::MetaModifier | Qt::KeypadModifier,
                            "B");
    filter(edit, &withModifiers);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].key, 49);
    EXPECT_EQ(seen[0].modifiers, static_cast<unsigned>(Event::ShiftModifier));
    EXPECT_EQ(seen[0].text, L"B");
    EXPECT_EQ(seen[0].nativeKey, Qt::Key_B);

    // Without a procedure the bridge stays out of the way.
    edit->SetEventProcedure(nullptr);
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_FALSE(filter(edit, &plain));
}

TEST_F(EventHelperTest, ReturnJustAfterDeactivationIsSwallowed)
{
    QEvent deactivate(QEvent::WindowDeactivate);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, "x");
    QKeyEvent returnPress(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QKeyEvent repeatedReturn(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QKeyEvent repeatedSpace(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);

    filter(dialog.dialog(), &deactivate);
    EXPECT_EQ(types(), std::vector<int>{Event::WindowDeactivate});
    seen.clear();
    EXPECT_TRUE(filter(button, &returnPress)) << "within the keyboard interval";
    EXPECT_TRUE(filter(button, &repeatedSpace)) << "a repeat while deactivated";
    EXPECT_TRUE(seen.empty());

    filter(button, &release); // any key release ends the deactivated state
    seen.clear();
    EXPECT_FALSE(filter(button, &repeatedReturn));
    EXPECT_EQ(types(), std::vector<int>{Event::KeyPress});

    // The timer runs out: a fresh Return passes again.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            seen.clear();
            filter(button, &returnPress);
            return !seen.empty();
        },
        5000));
}

TEST_F(EventHelperTest, InputMethodCommitBecomesOneKeyPerCharacter)
{
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("a\xc3\xa9\xf0\x9f\x98\x80"));
    answer = false;
    EXPECT_FALSE(filter(edit, &commit));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, L"a");
    EXPECT_EQ(seen[1].text, L"\u00e9");
    EXPECT_EQ(seen[2].text, std::wstring(1, static_cast<wchar_t>(0x1F600)));
    for (const Seen &s : seen) {
        EXPECT_EQ(s.type, Event::KeyPress);
        EXPECT_EQ(s.key, 0);
        EXPECT_EQ(s.nativeKey, 0x01ffffff);
    }

    // One true answer makes the whole commit consumed.
    seen.clear();
    int calls = 0;
    edit->SetEventProcedure([&](AUILib::BaseGUIObject *, Event *) { return ++calls == 2; });
    EXPECT_TRUE(filter(edit, &commit));
    EXPECT_EQ(calls, 3);

    // The control's own writes are not typing.
    calls = 0;
    {
        AUILib::ProgrammaticUpdateScope writing(edit->Impl());
        EXPECT_FALSE(filter(edit, &commit));
    }
    QInputMethodEvent empty;
    EXPECT_FALSE(filter(edit, &empty));
    EXPECT_EQ(calls, 0);
}

TEST_F(EventHelperTest, ToolTipsComeFromRegionsThenTheImplementation)
{
    AUILib::ToolTipRegion region;
    region.record = std::make_unique<AUILib::ToolTipRecord>();
    region.record->text = QStringLiteral("region tip");
    region.record->area = QRect(QPoint(0, 0), QPoint(10, 10));
    label->Impl().ToolTipRegions().push_back(std::move(region));
    dialog.dialog()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.dialog()));
    seen.clear();

    QHelpEvent inside(QEvent::ToolTip, QPoint(10, 10), label->GetPlatformWindow()->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(filter(label, &inside));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("region tip"));

    QHelpEvent outside(QEvent::ToolTip, QPoint(11, 3), label->GetPlatformWindow()->mapToGlobal(QPoint(11, 3)));
    EXPECT_TRUE(filter(label, &outside)) << "consumed even without a tip";
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::text().isEmpty(); }, 5000));
    EXPECT_TRUE(seen.empty()) << "the procedure is not involved";
}

TEST_F(EventHelperTest, DragsNeedAControlThatAcceptsDrops)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/a b.txt"), QUrl("file:///tmp/%C3%A9t%C3%A9.pdf")});
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(4.5, 6.2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDragLeaveEvent leave;

    EXPECT_FALSE(filter(label, &enter));
    EXPECT_FALSE(filter(label, &drop));
    EXPECT_TRUE(filter(label, &leave));
    QLabel stranger(dialog.dialog());
    EXPECT_TRUE(filter(&stranger, &leave)) << "no target needed";

    label->SetAcceptDrops(true);
    enter.setDropAction(Qt::IgnoreAction);
    EXPECT_TRUE(filter(label, &enter));
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_TRUE(seen.empty());
    filter(label, &drop);
    ASSERT_EQ(types(), std::vector<int>{Event::Drop});
    EXPECT_EQ(seen[0].paths, (std::vector<std::wstring>{L"/tmp/a b.txt", L"/tmp/\u00e9t\u00e9.pdf"}));
    EXPECT_EQ(seen[0].point.x, 5);
    EXPECT_EQ(seen[0].point.y, 6);

    // A table takes drops on its viewport.
    table->SetAcceptDrops(true);
    seen.clear();
    seenBy.clear();
    auto *view = static_cast<QTableWidget *>(table->GetPlatformWindow())->viewport();
    EXPECT_TRUE(filter(view, &enter));
    filter(view, &drop);
    EXPECT_EQ(seenBy, std::vector<AUILib::BaseGUIObject *>{table.get()});
}

TEST_F(EventHelperTest, ShowAndLayoutRequestsFitTheVisibleDialogToTheScreen)
{
    QEvent layout(QEvent::LayoutRequest);
    EXPECT_FALSE(filter(label, &layout));
    EXPECT_EQ(dialog.resizeCalls, 0) << "a hidden dialog is not fitted";

    dialog.dialog()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.dialog()));
    EXPECT_GE(dialog.resizeCalls, 1);
    const std::vector<int> delivered = types();
    EXPECT_NE(std::find(delivered.begin(), delivered.end(), Event::Show), delivered.end());

    dialog.resizeCalls = 0;
    EXPECT_FALSE(filter(label, &layout));
    EXPECT_EQ(dialog.resizeCalls, 1);
    EXPECT_EQ(dialog.lastResized, label.get());
    QLabel stranger(dialog.dialog());
    filter(&stranger, &layout);
    EXPECT_EQ(dialog.resizeCalls, 2);
    EXPECT_EQ(dialog.lastResized, nullptr);
}

TEST_F(EventHelperTest, ADialogMayRefuseToClose)
{
    dialog.dialog()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.dialog()));
    dialog.closeVeto = true;
    EXPECT_FALSE(dialog.dialog()->close());
    EXPECT_TRUE(dialog.dialog()->isVisible());
    dialog.closeVeto = false;
    EXPECT_TRUE(dialog.dialog()->close());
    EXPECT_FALSE(dialog.dialog()->isVisible());

    // Only the dialog itself is asked.
    QCloseEvent close;
    dialog.closeVeto = true;
    EXPECT_FALSE(filter(label, &close));
}

TEST_F(EventHelperTest, AMovingHandlerMovesTheWindowLater)
{
    QDialog *window = dialog.dialog();
    window->move(100, 100);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const int titleBar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);

    moveBy = 40;
    QMoveEvent move(QPoint(200, 150), QPoint(100, 100));
    filter(window, &move);
    EXPECT_EQ(window->pos(), QPoint(100, 100)) << "not at once";
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->pos() == QPoint(240, 150 - titleBar); }, 5000))
        << window->pos().x() << "," << window->pos().y();
}

TEST_F(EventHelperTest, TimersLeaveAndPaletteChanges)
{
    const int id = label->SetTimer(7, 10);
    // Qt's own widget timers reach the procedure too; ours comes with Qt's id.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::any_of(seen.begin(), seen.end(),
                               [&](const Seen &s) { return s.type == Event::Timer && s.number == id; });
        },
        5000));
    label->KillTimer(static_cast<unsigned>(id));

    seen.clear();
    QEvent leave(QEvent::Leave);
    answer = true;
    EXPECT_FALSE(filter(label, &leave)) << "not tracking the mouse";
    label->SetTrackMouseEvent();
    EXPECT_TRUE(filter(label, &leave));

    QEvent palette(QEvent::ApplicationPaletteChange);
    EXPECT_FALSE(filter(label, &palette)) << "the answer is not used";
    EXPECT_EQ(types(), (std::vector<int>{Event::MouseLeave, Event::ApplicationPaletteChange}));

    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(1, 1));
    EXPECT_TRUE(filter(label, &menu));
    answer = false;
    EXPECT_FALSE(filter(label, &menu));
}

TEST_F(EventHelperTest, AThrowingProcedureIsLoggedNotPassedToQt)
{
    AUILibLogger::GetInstance().Clear();
    throwNext = true;
    answer = true;
    QPaintEvent paint(QRect(0, 0, 1, 1));
    EXPECT_FALSE(filter(label, &paint));
    EXPECT_EQ(AUILibLogger::GetInstance().GetLogCount(), 1u);
    AUILibLogger::GetInstance().Clear();
}

namespace {

// Statics, so that the check never reads the closure it is checking.
bool g_procedureStateGone = false;
bool g_goneWhileRunning = true;

struct ProcedureState
{
    ~ProcedureState() { g_procedureStateGone = true; }
};

} // namespace

TEST_F(EventHelperTest, AProcedureMayReplaceItselfWhileItRuns)
{
    g_procedureStateGone = false;
    g_goneWhileRunning = true;
    auto state = std::make_shared<ProcedureState>();
    label->SetEventProcedure([state](AUILib::BaseGUIObject *target, Event *) {
        target->SetEventProcedure(nullptr);
        g_goneWhileRunning = g_procedureStateGone;
        return false;
    });
    state.reset();
    QPaintEvent paint(QRect(0, 0, 1, 1));
    filter(label, &paint);
    EXPECT_FALSE(g_goneWhileRunning) << "the running procedure was destroyed under itself";
    EXPECT_TRUE(g_procedureStateGone) << "and is released once it returns";
}

TEST_F(EventHelperTest, DeferredHandlerRunsOnceWhicheverFilterSeesIt)
{
    int calls = 0;
    AUILib::BoundHandlerWrapper wrapper(label->GetBaseImpl(), [&] { ++calls; });
    EXPECT_FALSE(filter(label, &wrapper));
    EXPECT_FALSE(filter(label, &wrapper));
    EXPECT_EQ(calls, 1);

    QEvent custom(static_cast<QEvent::Type>(QEvent::User + 5));
    EXPECT_FALSE(filter(label, &custom));
}

TEST(FocusWatcher, ReportsFocusWithoutConsumingIt)
{
    QLineEdit edit;
    auto *watcher = new AUILib::FocusWatcher(&edit);
    std::vector<bool> changes;
    QObject::connect(watcher, &AUILib::FocusWatcher::focusChanged, [&](bool in) { changes.push_back(in); });
    QFocusEvent in(QEvent::FocusIn);
    QFocusEvent out(QEvent::FocusOut);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&edit, &in);
    QCoreApplication::sendEvent(&edit, &leave);
    QCoreApplication::sendEvent(&edit, &out);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(EventHelperTest, ContextMenuRequestShowsTheStoredMenu)
{
    auto tree = dialog.add<QTreeView>("tree", AUILib::ControlKindTreeView);
    auto bare = dialog.add<QLabel>("bare");
    std::vector<std::wstring> chosen;
    for (AUILib::BaseGUIObject *control : std::initializer_list<AUILib::BaseGUIObject *>{
             &dialog, label.get(), edit.get(), tree.get(), bare.get()}) {
        auto menu = std::make_shared<AUILib::ContextMenu>();
        ASSERT_TRUE(menu->Create(dialog.dialog()));
        const std::wstring name = control->GetName();
        menu->AddItem(L"Act", [&chosen, name] { chosen.push_back(name); });
        control->InsertContextMenu(menu);
    }
    PopupDriver driver([](QMenu *menu) { PopupDriver::choose(menu, "Act"); });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(1, 1));

    seen.clear();
    answer = false;
    EXPECT_TRUE(filter(label, &request)) << "answered by the menu";
    EXPECT_EQ(driver.shown, 1);
    EXPECT_EQ(chosen, std::vector<std::wstring>{L"label"});
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().type, Event::ContextMenu) << "the procedure is asked first";
    EXPECT_TRUE(filter(bare, &request)) << "no procedure";
    EXPECT_EQ(driver.shown, 2);

    EXPECT_FALSE(filter(edit, &request));
    EXPECT_FALSE(filter(tree, &request));
    EXPECT_EQ(driver.shown, 2) << "edits and tree views show menus of their own";

    answer = true;
    EXPECT_TRUE(filter(label, &request));
    EXPECT_EQ(driver.shown, 2) << "taken by the procedure";

    // Sent as Qt sends it, one request shows one menu: the label's, not the
    // dialog's after it.
    answer = false;
    chosen.clear();
    QContextMenuEvent sent(QContextMenuEvent::Mouse, QPoint(1, 1));
    QCoreApplication::sendEvent(bare->GetPlatformWindow(), &sent);
    EXPECT_EQ(chosen, std::vector<std::wstring>{L"bare"});
    bare->RemoveContextMenu();
    QCoreApplication::sendEvent(bare->GetPlatformWindow(), &sent);
    EXPECT_EQ(chosen, (std::vector<std::wstring>{L"bare", L""})) << "without a menu the request goes on to the dialog";
}

// While a control's operation holds (Qt is inside a layout pass, say) the
// procedures hear nothing; once it is whole they hear every event in order,
// each target asked again then: an element the dialog dropped meanwhile, or
// whose widget went, hears nothing. The answer to Qt is "not handled".
TEST_F(EventHelperTest, EventsDuringAHoldReachTheProcedureOnceItEnds)
{
    QPaintEvent paint(QRect(0, 0, 1, 1));
    QFocusEvent focusOut(QEvent::FocusOut);
    QMoveEvent move(QPoint(20, 10), QPoint(0, 0));
    answer = true;
    {
        AUILib::EventGate::Hold hold;
        EXPECT_FALSE(filter(label, &paint));
        EXPECT_FALSE(filter(button, &focusOut));
        EXPECT_FALSE(filter(edit, &paint));
        EXPECT_FALSE(filter(table, &move));
        EXPECT_TRUE(seen.empty());
        dialog.remove(L"edit");
        edit.reset();
        delete table->GetPlatformHandle();
    }
    EXPECT_EQ(types(), (std::vector<int>{Event::Paint, Event::FocusOut}));
    EXPECT_EQ(seenBy, (std::vector<AUILib::BaseGUIObject *>{label.get(), button.get()}));
}
