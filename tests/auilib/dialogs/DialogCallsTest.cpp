// The dialog's own calls that move, hide, show or run its window: a procedure
// they reach may release the dialog or start another of its calls, and the
// call that reached it ends quietly in what is left.

#include "DialogForms.h"
#include "Event.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace AUILib;

namespace {

const QByteArray kBody = R"(
<item><widget class="QPushButton" name="button"><property name="text"><string>Go</string></property></widget></item>
<item><widget class="QLineEdit" name="edit"/></item>
)";

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Should a modal run wait after all, this ends it instead of the test waiting
// for ever; a run that ended by itself never meets it.
class Rescue
{
public:
    explicit Rescue(QPointer<QWidget> window)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this, window] {
            rescued = true;
            if (window) {
                window->show();
                if (auto *dialog = qobject_cast<QDialog *>(window.data()))
                    dialog->reject();
            }
        });
        m_timer.start(20000);
    }

    bool rescued = false;

private:
    QTimer m_timer;
};

} // namespace

class DialogCallsTest : public DialogFormTest
{
protected:
    std::unique_ptr<CountingDialog> make()
    {
        return std::make_unique<CountingDialog>(form(dialogForm(kBody)), nullptr, 0, 1.0, L"");
    }
};

// The dialog's procedure releases the dialog when its window is hidden or
// deactivated by the call: the call goes no further (no InitializeControls,
// no showing) and the window carries on alone where the call put it.
TEST_F(DialogCallsTest, AProcedureMayReleaseTheDialogInTheMiddleOfItsCall)
{
    struct Case
    {
        const char *name;
        Event::Type type;
        std::function<void(Dialog &dialog, Dialog &host)> act;
    };
    const Case cases[] = {
        {"CreateTabWindowEx, released on the deactivation", Event::WindowDeactivate,
         [](Dialog &dialog, Dialog &host) {
             dialog.CreateTabWindowEx(host.GetElementByName(L"button").get(), false);
         }},
        {"CreateTabWindowEx, released on the hiding", Event::Hide,
         [](Dialog &dialog, Dialog &host) {
             dialog.CreateTabWindowEx(host.GetElementByName(L"edit").get(), false);
         }},
        {"CreateTabWindow, released on the hiding", Event::Hide,
         [](Dialog &dialog, Dialog &host) { dialog.CreateTabWindow(host.GetWndPtr(), false); }},
        {"DoModeless with a parent, released on the hiding", Event::Hide,
         [](Dialog &dialog, Dialog &host) { dialog.DoModeless(host.GetWndPtr(), false); }},
        {"Done, released on the hiding", Event::Hide, [](Dialog &dialog, Dialog &) { dialog.Done(Dialog::Accepted); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto host = make();
        host->DoModeless(false);
        auto dialog = make();
        dialog->DoModeless(false);
        QPointer<QWidget> window = dialog->GetWndPtr();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->isActiveWindow(); }, 5000));
        Dialog *raw = dialog.get();
        const int initialized = dialog->initializeCalls;
        int releases = 0;
        dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
            if (event->GetType() == c.type && dialog) {
                ++releases;
                EXPECT_EQ(dialog->initializeCalls, initialized);
                dialog.reset();
            }
            return false;
        });
        c.act(*raw, *host);
        EXPECT_TRUE(QTest::qWaitFor([&] { return releases > 0; }, 5000));
        EXPECT_EQ(releases, 1);
        EXPECT_EQ(dialog, nullptr);
        delete window.data();
        delete host->GetWndPtr();
        settle();
    }
}

// DoModal on a window already shown modeless, from a procedure of the window
// or afterwards: the run is modal, and ends as any run, the rejected window
// deleted. A procedure's run that ends so (inside the event that called the
// procedure) leaves that event to nobody.
TEST_F(DialogCallsTest, DoModalOnAShownWindowRunsItModal)
{
    using RunModal = std::function<void()>;
    // Calls runModal from a procedure of `type`, once.
    const auto fromTheProcedureOf = [](Event::Type type) {
        return [type](CountingDialog &dialog, const RunModal &runModal) {
            auto ran = std::make_shared<bool>(false);
            dialog.SetEventProcedure([type, ran, runModal](BaseGUIObject *, Event *event) {
                if (event->GetType() == type && !*ran) {
                    *ran = true;
                    runModal();
                }
                return false;
            });
            return ran;
        };
    };
    struct Case
    {
        const char *name;
        std::function<std::shared_ptr<bool>(CountingDialog &, const RunModal &)> arm;
        std::function<void(CountingDialog &)> start;
    };
    const Case cases[] = {
        {"from the procedure of the showing's resize", fromTheProcedureOf(Event::Resize),
         [](CountingDialog &dialog) { dialog.DoModeless(false); }},
        {"from the procedure of the window's timer", fromTheProcedureOf(Event::Timer),
         [](CountingDialog &dialog) {
             dialog.DoModeless(false);
             dialog.SetTimer(1, 10);
         }},
        {"after DoModeless", nullptr, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = make();
        QPointer<QWidget> window = dialog->GetWndPtr();
        bool modal = false;
        int result = -1;
        const RunModal runModal = [&] {
            whenShown(window, [&] {
                modal = QApplication::activeModalWidget() == window;
                qobject_cast<QDialog *>(window.data())->reject();
            });
            result = dialog->DoModal();
        };
        if (c.arm) {
            const std::shared_ptr<bool> ran = c.arm(*dialog, runModal);
            c.start(*dialog);
            EXPECT_TRUE(QTest::qWaitFor([&] { return *ran && result != -1; }, 5000));
        } else {
            dialog->DoModeless(false);
            ASSERT_TRUE(window->isVisible());
            runModal();
        }
        EXPECT_TRUE(modal);
        EXPECT_EQ(result, Dialog::Rejected);
        settle();
        EXPECT_TRUE(window.isNull()) << "the rejected window goes, as after any run";
        EXPECT_EQ(dialog->DoModal(), 0);
    }
}

// A procedure ends the dialog while DoModal is still showing it (at the
// showing's resize or its Show): Qt's own modal run would then wait for ever
// on a window nobody sees. The run ends with the procedure's result; a
// window a procedure hid before any Done ends the run rejected.
TEST_F(DialogCallsTest, ADialogEndedWhileItsModalRunShowsItEndsTheRun)
{
    struct Case
    {
        const char *name;
        Event::Type type;
        std::function<void(Dialog &)> end;
        int result;
    };
    const Case cases[] = {
        {"Done at the showing's resize", Event::Resize, [](Dialog &d) { d.Done(Dialog::Accepted); }, Dialog::Accepted},
        {"Done at the Show", Event::Show, [](Dialog &d) { d.Done(Dialog::Rejected); }, Dialog::Rejected},
        {"hidden at the Show", Event::Show, [](Dialog &d) { d.Show(false, false); }, Dialog::Rejected},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = make();
        QPointer<QWidget> window = dialog->GetWndPtr();
        bool ended = false;
        dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
            if (event->GetType() == c.type && !ended) {
                ended = true;
                c.end(*dialog);
            }
            return false;
        });
        Rescue rescue(window);
        EXPECT_EQ(dialog->DoModal(), c.result);
        EXPECT_TRUE(ended);
        EXPECT_FALSE(rescue.rescued);
        EXPECT_FALSE(window && window->isVisible());
        settle();
    }
}

// A procedure places the dialog inside another, shown window while its modal
// run shows it: no window is left that anyone could close, and the run ends.
TEST_F(DialogCallsTest, ADialogPlacedInsideAnotherWindowWhileItsModalRunShowsItEndsTheRun)
{
    QWidget host;
    host.show();
    auto dialog = make();
    QPointer<QWidget> window = dialog->GetWndPtr();
    bool placed = false;
    dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
        if (event->GetType() == Event::Show && !placed) {
            placed = true;
            dialog->CreateTabWindow(&host, false);
        }
        return false;
    });
    Rescue rescue(window);
    EXPECT_EQ(dialog->DoModal(), Dialog::Rejected);
    EXPECT_TRUE(placed);
    EXPECT_FALSE(rescue.rescued);
    // A window made to go on close goes once the run ends, as after any run.
    EXPECT_TRUE(window.isNull() || window->parentWidget() == &host);
    dialog->SetEventProcedure(nullptr);
    settle();
}
