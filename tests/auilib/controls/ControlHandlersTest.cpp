// Handlers that release their control, or the dialog holding it, from inside
// the call or the Qt event that fired them: the firing code stops quietly and
// nothing of what the handler freed is touched again.

#include "DateEdit.h"
#include "DialogForms.h"
#include "Edit.h"
#include "Event.h"
#include "MultiLineEdit.h"
#include "ProgressBar.h"
#include "RadioButton.h"
#include "RichEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
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

class DialogHandlersTest : public DialogFormTest
{
};

// A procedure that releases the whole dialog, called by the event bridge for
// an element's event or for the dialog's own: the bridge stops that event.
TEST_F(DialogHandlersTest, AProcedureMayReleaseTheDialog)
{
    struct Case
    {
        const char *name;
        const wchar_t *element; // empty: the dialog's own procedure
        Event::Type type;
        std::function<void(QWidget *window)> send;
    };
    const Case cases[] = {
        {"moving an element", L"button", Event::Moving,
         [](QWidget *window) { window->findChild<QPushButton *>("button")->move(7, 9); }},
        {"moving the window", L"", Event::Moving,
         [](QWidget *window) {
             QMoveEvent move(QPoint(40, 30), QPoint(10, 10));
             QCoreApplication::sendEvent(window, &move);
         }},
        {"a context menu asked of the window", L"", Event::ContextMenu,
         [](QWidget *window) {
             QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2), window->mapToGlobal(QPoint(2, 2)));
             QCoreApplication::sendEvent(window, &menu);
         }},
        {"characters from an input method", L"", Event::KeyPress,
         [](QWidget *window) {
             QInputMethodEvent input;
             input.setCommitString(QStringLiteral("ab"));
             QCoreApplication::sendEvent(window, &input);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = std::make_unique<CountingDialog>(form(dialogForm(kBody)), nullptr, 0, 1.0, L"");
        QPointer<QWidget> window = dialog->GetWndPtr();
        dialog->DoModeless(false);
        BaseGUIObject *target = *c.element ? dialog->GetElementByName(c.element).get() : dialog.get();
        int calls = 0;
        target->SetEventProcedure([&](BaseGUIObject *, Event *event) {
            if (event->GetType() == c.type) {
                ++calls;
                dialog.reset();
            }
            return false;
        });
        c.send(window);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(dialog, nullptr);
        // The window outlives its dialog and goes on working alone.
        ASSERT_FALSE(window.isNull());
        window->move(60, 60);
        window->findChild<QPushButton *>("button")->move(3, 3);
        QTest::keyClick(window->findChild<QLineEdit *>("edit"), Qt::Key_A);
        delete window.data();
        settle();
    }
}

// A control released by its own handler, in the middle of the operation that
// fired it: the operation ends there, and the widget goes with the control.
TEST(ControlHandlersTest, AHandlerMayReleaseItsControl)
{
    struct Case
    {
        const char *name;
        std::function<std::shared_ptr<BaseGUIObject>(std::function<void()> release)> make;
        std::function<void(BaseGUIObject &control, QWidget *widget)> act;
    };
    const Case cases[] = {
        {"multi-line edit, OnTextEdited",
         [](std::function<void()> release) {
             auto edit = std::make_shared<MultiLineEdit>();
             edit->SetAdaptiveHeight(true);
             edit->OnTextEdited.Subscribe(release);
             return edit;
         },
         [](BaseGUIObject &, QWidget *widget) { QTest::keyClicks(widget, "ab"); }},
        {"rich edit, OnTextEdited",
         [](std::function<void()> release) {
             auto edit = std::make_shared<RichEdit>();
             edit->OnTextEdited.Subscribe(release);
             return edit;
         },
         [](BaseGUIObject &, QWidget *widget) { QTest::keyClicks(widget, "ab"); }},
        {"radio button, OnClicked",
         [](std::function<void()> release) {
             auto radio = std::make_shared<RadioButton>();
             radio->OnClicked.Subscribe(release);
             return radio;
         },
         [](BaseGUIObject &, QWidget *widget) { qobject_cast<QAbstractButton *>(widget)->click(); }},
        {"edit, OnPaste",
         [](std::function<void()> release) {
             QApplication::clipboard()->setText(QStringLiteral("pasted"));
             auto edit = std::make_shared<Edit>();
             edit->OnPaste.Subscribe([release](const std::wstring &) { release(); });
             return edit;
         },
         [](BaseGUIObject &, QWidget *widget) {
             QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
             EXPECT_EQ(qobject_cast<QLineEdit *>(widget)->text(), QString()) << "a released edit pastes nothing";
         }},
        {"edit, OnTextChanged during SetText",
         [](std::function<void()> release) {
             auto edit = std::make_shared<Edit>();
             edit->OnTextChanged.Subscribe([release](const std::wstring &) { release(); });
             return edit;
         },
         [](BaseGUIObject &control, QWidget *) { static_cast<Edit &>(control).SetText(L"text"); }},
        {"progress bar, OnValueChanged during SetRange",
         [](std::function<void()> release) {
             auto bar = std::make_shared<ProgressBar>();
             bar->SetRange(0, 100);
             bar->SetValue(50);
             bar->OnValueChanged.Subscribe([release](int) { release(); });
             return bar;
         },
         [](BaseGUIObject &control, QWidget *) { static_cast<ProgressBar &>(control).SetRange(60, 90); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<BaseGUIObject> control;
        int releases = 0;
        control = c.make([&] {
            ++releases;
            control.reset();
        });
        QWidget *widget = control->GetPlatformHandle();
        QPointer<QWidget> guard = widget;
        control->MoveWindow(0, 0, 120, 60, false);
        control->Show(true, true);
        QApplication::setActiveWindow(widget);
        widget->setFocus();
        c.act(*control, widget);
        EXPECT_EQ(releases, 1);
        EXPECT_EQ(control, nullptr);
        settle();
        EXPECT_TRUE(guard.isNull()) << "the widget of a released control goes with it";
    }
}

// A handler that switches the mode of the date edit whose SetMode reported a
// change: the handler's mode is the one the edit keeps, and shows.
TEST(ControlHandlersTest, AModeSetByTheHandlerHasTheLastWord)
{
    DateEdit edit;
    ASSERT_TRUE(edit.SetDateTime(ObDateTime{2001, 2, 3, 4, 5, 0}));
    int calls = 0;
    edit.OnDateTimeChanged.Subscribe([&](ObDateTime) {
        if (++calls == 1)
            edit.SetMode(DateEdit::DateEditModeTime);
    });
    edit.SetMode(DateEdit::DateEditModeDateTime);
    EXPECT_GE(calls, 1);
    EXPECT_EQ(edit.GetMode(), DateEdit::DateEditModeTime);
    EXPECT_EQ(qobject_cast<QDateTimeEdit *>(edit.GetPlatformHandle())->displayFormat(), QStringLiteral("H:mm"));
}
