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

// DoModal on a window already shown modeless, from the procedure of the
// showing's own resize or afterwards: the run is modal, and ends as any run.
TEST_F(DialogCallsTest, DoModalOnAShownWindowRunsItModal)
{
    struct Case
    {
        const char *name;
        bool fromTheShowing;
    };
    const Case cases[] = {{"from the procedure of the showing's resize", true}, {"after DoModeless", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = make();
        QPointer<QWidget> window = dialog->GetWndPtr();
        bool modal = false;
        int result = -1;
        const auto runModal = [&] {
            whenShown(window, [&] {
                modal = QApplication::activeModalWidget() == window;
                qobject_cast<QDialog *>(window.data())->reject();
            });
            result = dialog->DoModal();
        };
        bool ran = false;
        if (c.fromTheShowing) {
            dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
                if (event->GetType() == Event::Resize && !ran) {
                    ran = true;
                    runModal();
                }
                return false;
            });
            dialog->DoModeless(false);
            EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
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
