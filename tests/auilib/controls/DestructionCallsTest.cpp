// Calls that reach a control while Qt destroys its widget (focus-out, hide,
// destroyed, event procedures sent from inside the widget's destructor), and
// controls released while their widget lives on: the control is gone for
// them, exactly as after its widget is gone.

#include "AgnosticUIException.h"
#include "ContextMenu.h"
#include "DialogForms.h"
#include "Event.h"
#include "HyperLinkElement.h"
#include "Label.h"
#include "MultiLineEdit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace AUILib;

namespace {

const QByteArray kBody = R"(
<item><widget class="QLabel" name="label"><property name="text"><string>Label</string></property></widget></item>
<item><widget class="HyperLinkElement" name="link"/></item>
<item><widget class="QPlainTextEdit" name="notes"/></item>
)";

// Gives `widget` the keyboard focus inside its shown window.
void focus(QWidget *widget)
{
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->window()->show();
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([widget] { return widget->hasFocus(); }, 5000));
}

// Runs the deferred deletions the release left behind.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class DestructionCallsTest : public DialogFormTest
{
protected:
    void SetUp() override
    {
        DialogFormTest::SetUp();
        dialog = std::make_unique<CountingDialog>(form(dialogForm(kBody)), nullptr, 0, 1.0, L"");
        window = dialog->GetWndPtr();
    }
    void TearDown() override
    {
        delete window.data();
        dialog.reset();
        settle();
    }

public:
    template <class T>
    std::shared_ptr<T> element(const wchar_t *name)
    {
        return std::dynamic_pointer_cast<T>(dialog->GetElementByName(name));
    }

protected:
    std::unique_ptr<CountingDialog> dialog;
    QPointer<QWidget> window;
};

// Each case: an element whose handler acts on a control while its widget is
// deleted. The handler's call finds the control gone ("Control is not
// valid." or nothing); afterwards the control answers as a gone one.
TEST_F(DestructionCallsTest, HandlersDuringTheWidgetsDestructionFindTheControlGone)
{
    struct Case
    {
        const char *name;
        const wchar_t *element;
        std::function<void(DestructionCallsTest &)> arm;
    };
    const Case cases[] = {
        {"a focused label whose procedure sets its font on focus-out", L"label",
         [](DestructionCallsTest &t) {
             auto label = t.element<Label>(L"label");
             // Raw pointers: the dialog holds its elements, and a handler
             // holding its own control would keep it alive for good.
             label->SetEventProcedure([label = label.get()](BaseGUIObject *, Event *event) {
                 if (event->GetType() == Event::FocusOut)
                     label->SetFont(FontData{L"Serif", 14});
                 return false;
             });
             focus(label->GetPlatformHandle());
         }},
        {"a focused multi-line edit that re-creates itself when it loses the focus", L"notes",
         [](DestructionCallsTest &t) {
             auto notes = t.element<MultiLineEdit>(L"notes");
             notes->OnFocusLost.Subscribe([notes = notes.get()] { notes->Create(nullptr); });
             focus(notes->GetPlatformHandle());
         }},
        {"a hyperlink whose destroyed handler sets its text", L"link",
         [](DestructionCallsTest &t) {
             auto link = t.element<HyperLinkElement>(L"link");
             link->OnDestroyed.Subscribe([link = link.get()](BaseGUIObject *) { link->SetText(L"late"); });
         }},
        {"a label whose destroyed handler shows, moves and measures it", L"label",
         [](DestructionCallsTest &t) {
             auto label = t.element<Label>(L"label");
             label->OnDestroyed.Subscribe([label = label.get()](BaseGUIObject *) {
                 label->Show(true, true);
                 label->MoveWindow(1, 1, 10, 10, true);
                 label->SetText(L"late", false);
             });
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.arm(*this);
        const std::shared_ptr<BaseGUIObject> control = dialog->GetElementByName(c.element);
        QPointer<QWidget> widget = control->GetPlatformHandle();
        ASSERT_NE(widget, nullptr);
        delete widget.data();
        settle();
        EXPECT_EQ(control->GetPlatformHandle(), nullptr);
        EXPECT_THROW(control->MoveWindow(0, 0, 5, 5, false), AgnosticUIException);
        // The dialog and its other elements carry on.
        EXPECT_NE(dialog->GetWndPtr(), nullptr);
        dialog->SetWindowTitle(L"still here");
    }
}

// The dialog's window destroyed with its elements: the elements' and the
// dialog's own destroyed handlers run while Qt takes the window apart.
TEST_F(DestructionCallsTest, DestroyedHandlersOfAWholeDialogFindItGone)
{
    auto link = element<HyperLinkElement>(L"link");
    auto label = element<Label>(L"label");
    int calls = 0;
    link->OnDestroyed.Subscribe([&](BaseGUIObject *) {
        ++calls;
        link->SetText(L"late");
        label->SetText(L"late", false);
    });
    dialog->OnDestroyed.Subscribe([&](BaseGUIObject *) {
        ++calls;
        dialog->SetWindowTitle(L"late");
        dialog->Show(true, true);
        EXPECT_EQ(dialog->GetWndPtr(), nullptr);
    });
    focus(label->GetPlatformHandle());
    delete window.data();
    settle();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(dialog->GetWndPtr(), nullptr);
    EXPECT_EQ(dialog->DoModal(), 0);
}

// A balloon is a window placed among its window's children: asked for while
// Qt unlinks that window's focus chain, it is not shown.
TEST_F(DestructionCallsTest, ABalloonAskedForWhileItsWindowGoesIsNotShown)
{
    // The form's first element goes first; the last is still in the window.
    auto label = element<Label>(L"label");
    auto notes = element<MultiLineEdit>(L"notes");
    bool shown = true;
    label->OnDestroyed.Subscribe([&](BaseGUIObject *) {
        shown = notes->ShowBalloonTipEx(L"Title", L"Tip", BalloonTipIconWarning, false, true);
    });
    focus(notes->GetPlatformHandle());
    delete window.data();
    settle();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(notes->IsBalloonTipDisplayed());
}

// Handlers of the destruction notices that place a control in the window Qt
// is taking apart, or run the menu of a control inside it: the control is
// not placed and the menu does not run (its event loop would run inside Qt's
// destructor).
TEST_F(DestructionCallsTest, NothingIsPlacedOrRunInAWindowThatGoes)
{
    auto label = element<Label>(L"label");
    auto notes = element<MultiLineEdit>(L"notes");
    auto menu = std::make_shared<ContextMenu>();
    ASSERT_TRUE(menu->Create(notes->GetPlatformHandle()));
    menu->AddItem(L"Entry", [] {});
    auto newcomer = std::make_unique<Label>();
    bool placed = true;
    bool menuRan = true;
    // Test-wide: a refused menu leaves the timer to fire after the handler,
    // and the context drops it should it not have fired by the test's end.
    bool looped = false;
    QObject context;
    label->OnDestroyed.Subscribe([&](BaseGUIObject *) {
        placed = newcomer->Create(window);
        QTimer::singleShot(0, &context, [&looped] {
            looped = true;
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        });
        menu->Show(10, 10);
        menuRan = looped;
    });
    delete window.data();
    settle();
    EXPECT_FALSE(placed);
    EXPECT_FALSE(menuRan);
    QCoreApplication::processEvents();
}

// Released while its widget lives on (a shown window, a balloon of its own):
// what the implementation's going does to the widget reaches a control that
// is already gone.
TEST(ReleasedControlTest, AHyperlinkReleasedWhileItsWidgetLives)
{
    const std::function<void(HyperLinkElement &)> cases[] = {
        [](HyperLinkElement &link) { link.Show(true, true); },
        [](HyperLinkElement &link) {
            QWidget *host = new QWidget;
            host->resize(200, 100);
            link.Create(host);
            host->show();
            ASSERT_TRUE(link.ShowBalloonTipEx(L"Tip", BalloonTipIconInformation, false, true));
            ASSERT_TRUE(link.IsBalloonTipDisplayed());
            QObject::connect(link.GetPlatformHandle(), &QObject::destroyed, host, &QObject::deleteLater);
        },
        [](HyperLinkElement &link) {
            link.Show(true, true);
            ASSERT_TRUE(link.ShowBalloonTipEx(L"Title", L"Tip", BalloonTipIconWarning, false, true));
        },
    };
    for (const auto &arm : cases) {
        auto link = std::make_unique<HyperLinkElement>();
        link->SetText(L"Open");
        arm(*link);
        QPointer<QWidget> widget = link->GetPlatformHandle();
        link.reset();
        settle();
        if (widget && widget->parentWidget())
            delete widget->parentWidget();
        settle();
        EXPECT_TRUE(widget.isNull() || !widget->isVisible());
    }
}
