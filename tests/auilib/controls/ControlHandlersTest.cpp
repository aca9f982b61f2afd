// Handlers that release their control, or the dialog holding it, from inside
// the call or the Qt event that fired them: the firing code stops quietly and
// nothing of what the handler freed is touched again.

#include "ButtonBox.h"
#include "ComboBox.h"
#include "DateEdit.h"
#include "DialogForms.h"
#include "DoubleSpinEdit.h"
#include "Edit.h"
#include "Event.h"
#include "MultiLineEdit.h"
#include "ProgressBar.h"
#include "PromptsPopup.h"
#include "RadioButton.h"
#include "RichEdit.h"
#include "StackedDialog.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>
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

// Sends a resize to `window` from inside the delivery of an event of its own,
// as Qt does from a layout pass it starts from the event loop.
class PassStarter : public QObject
{
public:
    explicit PassStarter(QWidget *window)
        : m_window(window)
    {
    }

    void start()
    {
        QEvent begin(QEvent::User);
        QCoreApplication::sendEvent(this, &begin);
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        QResizeEvent resize(m_window->size() + QSize(10, 10), m_window->size());
        QCoreApplication::sendEvent(m_window, &resize);
        return true;
    }

private:
    QWidget *m_window;
};

} // namespace

class DialogHandlersTest : public DialogFormTest
{
protected:
    // A dialog of kBody, shown beside `other`, which the platform then made
    // the active window.
    std::unique_ptr<CountingDialog> inactiveDialog(QWidget &other)
    {
        auto dialog = std::make_unique<CountingDialog>(form(dialogForm(kBody)), nullptr, 0, 1.0, L"");
        dialog->DoModeless(false);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog->GetWndPtr()));
        other.show();
        QWindowSystemInterface::handleWindowActivated(other.windowHandle());
        EXPECT_TRUE(QTest::qWaitFor([&] { return other.isActiveWindow(); }, 5000));
        return dialog;
    }
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
        {"a key press that comes after a pass of Qt's, whose held resize it delivers first", L"", Event::Resize,
         [](QWidget *window) {
             PassStarter(window).start();
             QTest::keyClick(window, Qt::Key_A);
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

namespace {

// Gives `widget` the keyboard focus inside its shown window.
void focusIn(QWidget *widget)
{
    widget->window()->show();
    QApplication::setActiveWindow(widget->window());
    widget->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([widget] { return widget->hasFocus(); }, 5000));
}

// What a handler of a focused edit may do when it hears the focus go.
const std::function<void(Edit &)> kFocusLostActs[] = {
    [](Edit &edit) { edit.EnableExtendedButton(L"", L""); },
    [](Edit &edit) { edit.ShowBalloonTip(L"Title", L"Text", BalloonTipIconWarning); },
};

} // namespace

// The window that holds a focused edit is deleted: Qt moves the focus while it
// takes the window apart (a dialog's window hides itself first, in QDialog's
// destructor). Neither the edit's OnFocusLost nor its procedure's focus-out
// reaches anybody then, so nothing rebuilds the edit under Qt.
TEST_F(DialogHandlersTest, AFocusedEditInAWindowBeingDeletedReportsNothing)
{
    struct Window
    {
        const char *name;
        // Makes the window holding an edit; the edit is held by the caller.
        std::function<QWidget *(std::shared_ptr<Edit> &edit, std::unique_ptr<CountingDialog> &dialog)> make;
    };
    const Window windows[] = {
        {"a plain window",
         [](std::shared_ptr<Edit> &edit, std::unique_ptr<CountingDialog> &) {
             auto *window = new QWidget;
             edit = std::make_shared<Edit>();
             edit->Create(window);
             new QLineEdit(window);
             return window;
         }},
        {"a dialog's window",
         [this](std::shared_ptr<Edit> &edit, std::unique_ptr<CountingDialog> &dialog) {
             dialog = std::make_unique<CountingDialog>(form(dialogForm(kBody)), nullptr, 0, 1.0, L"");
             dialog->DoModeless(false);
             edit = std::dynamic_pointer_cast<Edit>(dialog->GetElementByName(L"edit"));
             return dialog->GetWndPtr();
         }},
    };
    for (const Window &w : windows) {
        for (const auto &act : kFocusLostActs) {
            SCOPED_TRACE(w.name);
            std::shared_ptr<Edit> edit;
            std::unique_ptr<CountingDialog> dialog;
            QPointer<QWidget> window = w.make(edit, dialog);
            ASSERT_NE(edit, nullptr);
            int calls = 0;
            edit->OnFocusLost.Subscribe([&, edit = edit.get()] {
                ++calls;
                act(*edit);
            });
            edit->SetEventProcedure([&](BaseGUIObject *control, Event *event) {
                if (event->GetType() == Event::FocusOut) {
                    ++calls;
                    act(static_cast<Edit &>(*control));
                }
                return false;
            });
            focusIn(edit->GetPlatformHandle());
            delete window.data();
            settle();
            EXPECT_EQ(calls, 0);
            EXPECT_EQ(edit->GetPlatformHandle(), nullptr);
        }
    }
}

// A procedure called for an event Qt sends from inside one of its own
// operations (a layout pass, hiding a window) is called once that operation is
// whole: what the procedure changes cannot pull the operation's widgets away.
TEST_F(DialogHandlersTest, AProcedureRunsOnceQtsOperationIsWhole)
{
    const QByteArray body = R"(
<item><widget class="QDialogButtonBox" name="buttonBox">
 <property name="standardButtons"><set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok</set></property>
</widget></item>
)";
    auto dialog = std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    QPointer<QWidget> window = dialog->GetWndPtr();
    dialog->DoModeless(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto *box = dialog->GetControlPtr<ButtonBox *>(L"buttonBox");
    ASSERT_NE(box, nullptr);
    auto *widget = qobject_cast<QDialogButtonBox *>(box->GetPlatformHandle());
    int moves = 0;
    box->SetEventProcedure([&](BaseGUIObject *, Event *event) {
        if (event->GetType() == Event::Moving) {
            ++moves;
            box->SetOrientation(moves % 2 == 1);
        }
        return false;
    });
    // Taller and wider than the box is: Qt lays the box out again at once,
    // moving its buttons.
    box->SetMinimumSize(Size{widget->width() + 80, widget->height() + 80});
    EXPECT_GT(moves, 0);
    EXPECT_EQ(widget->orientation(), moves % 2 == 1 ? Qt::Vertical : Qt::Horizontal)
        << "the procedure's orientation stays";
    delete window.data();
    settle();
}

// A procedure called for an event of a pass Qt starts by itself from the event
// loop (a posted layout request, a window the platform resizes or closes):
// it runs once control is back in the event loop, and what it does (placing
// its control elsewhere) cannot pull the pass's widgets away.
TEST_F(DialogHandlersTest, AProcedureOfAPassQtStartsItselfRunsOnceThePassIsWhole)
{
    const QByteArray body = R"(
<item><widget class="QLabel" name="first"><property name="text"><string>First</string></property></widget></item>
<item><widget class="QSplitter" name="split"><property name="orientation"><enum>Qt::Horizontal</enum></property>
 <widget class="QLabel" name="left"><property name="text"><string>Left</string></property></widget>
 <widget class="QProgressBar" name="right"/>
</widget></item>
<item><widget class="QLabel" name="last"><property name="text"><string>Last</string></property></widget></item>
)";
    struct Case
    {
        const char *name;
        const wchar_t *element;
        Event::Type type;
        std::function<void(QWidget *window)> pass;
    };
    const Case cases[] = {
        {"a posted layout request lays the splitter out, resizing its label", L"left", Event::Resize,
         [](QWidget *window) { window->findChild<QWidget *>("right")->hide(); }},
        {"the platform widens the window, moving the splitter's bar", L"right", Event::Moving,
         [](QWidget *window) { window->windowHandle()->resize(window->width() + 120, window->height() + 60); }},
        {"the platform closes the window, hiding the splitter's label", L"left", Event::Hide,
         [](QWidget *window) { window->windowHandle()->close(); }},
        {"the platform closes the active window, deactivating the splitter's bar", L"right", Event::WindowDeactivate,
         [](QWidget *window) { window->windowHandle()->close(); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QWidget host;
        host.show();
        auto dialog = std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 1.0, L"");
        QPointer<QWidget> window = dialog->GetWndPtr();
        dialog->DoModeless(false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->isActiveWindow(); }, 5000));
        BaseGUIObject *element = dialog->GetElementByName(c.element).get();
        ASSERT_NE(element, nullptr);
        int calls = 0;
        element->SetEventProcedure([&](BaseGUIObject *, Event *event) {
            if (event->GetType() == c.type && calls++ == 0)
                element->Create(&host);
            return false;
        });
        c.pass(window);
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
        EXPECT_EQ(element->GetPlatformHandle()->parentWidget(), &host);
        delete window.data();
        settle();
    }
}

// A page's procedure moves the page elsewhere, or closes the window, when the
// page is hidden by a switch of its stack or tab view: the switch is whole by
// then, and so is every later layout of the stack.
TEST_F(DialogHandlersTest, AProcedureMayMoveOrCloseAPageWhileItsStackSwitches)
{
    const QByteArray body = R"(
<item><widget class="QStackedWidget" name="stack">
 <widget class="QWidget" name="first"><layout class="QVBoxLayout" name="firstLayout">
  <item><widget class="QLineEdit" name="firstEdit"/></item></layout></widget>
 <widget class="QWidget" name="second"><layout class="QVBoxLayout" name="secondLayout">
  <item><widget class="QLineEdit" name="secondEdit"/></item></layout></widget>
</widget></item>
<item><widget class="QTabWidget" name="tabs">
 <widget class="QWidget" name="firstTab"><attribute name="title"><string>First</string></attribute></widget>
 <widget class="QWidget" name="secondTab"><attribute name="title"><string>Second</string></attribute></widget>
</widget></item>
<item><widget class="QPushButton" name="button"><property name="text"><string>Go</string></property></widget></item>
)";
    const auto switchStack = [](Dialog &dialog) { dialog.GetControlPtr<StackedDialog *>(L"stack")->SetCurrentIndex(1); };
    // Through the window, as the platform delivers a click: Qt switches the
    // pages from inside the press it hands on to the tab bar.
    const auto clickSecondTab = [](Dialog &dialog) {
        QWidget *window = dialog.GetWndPtr();
        QTabBar *bar = window->findChild<QTabBar *>();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          bar->mapTo(window, bar->tabRect(1).center()));
    };
    const auto moveToTheButton = [](Dialog &dialog, BaseGUIObject &page) {
        page.Create(dialog.GetElementByName(L"button")->GetPlatformHandle());
    };
    const auto closeTheWindow = [](Dialog &dialog, BaseGUIObject &) { dialog.Done(Dialog::Rejected); };
    struct Case
    {
        const char *name;
        const wchar_t *page;
        std::function<void(Dialog &)> switchPages;
        std::function<void(Dialog &, BaseGUIObject &page)> act;
    };
    const Case cases[] = {
        {"SetCurrentIndex; the page moves out", L"first", switchStack, moveToTheButton},
        {"SetCurrentIndex; the window closes", L"first", switchStack, closeTheWindow},
        {"a click on a tab; the page moves out", L"firstTab", clickSecondTab, moveToTheButton},
        {"a click on a tab; the window closes", L"firstTab", clickSecondTab, closeTheWindow},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 1.0, L"");
        QPointer<QWidget> window = dialog->GetWndPtr();
        dialog->DoModeless(false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        BaseGUIObject *page = dialog->GetElementByName(c.page).get();
        ASSERT_NE(page, nullptr);
        QPointer<QWidget> pageWidget = page->GetPlatformHandle();
        int calls = 0;
        page->SetEventProcedure([&](BaseGUIObject *, Event *event) {
            if (event->GetType() == Event::Hide && calls++ == 0)
                c.act(*dialog, *page);
            return false;
        });
        c.switchPages(*dialog);
        EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
        // The stack's next layouts run on what the procedure left.
        QCoreApplication::sendPostedEvents();
        if (window)
            window->resize(window->width() + 30, window->height() + 30);
        QCoreApplication::processEvents();
        EXPECT_TRUE(pageWidget.isNull() || pageWidget->parentWidget() != nullptr);
        delete window.data();
        settle();
    }
}

namespace {

// Counts the platform windows made while it lives.
class PlatformWindowCount : public QObject
{
public:
    PlatformWindowCount() { QCoreApplication::instance()->installEventFilter(this); }
    int made = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PlatformSurface && watched->isWindowType() &&
            static_cast<QPlatformSurfaceEvent *>(event)->surfaceEventType() ==
                QPlatformSurfaceEvent::SurfaceCreated)
            ++made;
        return false;
    }
};

} // namespace

// A balloon's first showing makes its platform window, and the platform hands
// the window events it queued on while it does. A procedure one of them
// reaches that shows the balloon again runs once that showing is whole: run
// inside it, it made a second platform window, never freed.
TEST_F(DialogHandlersTest, ABalloonShownAgainByAProcedureWhileItsWindowIsMadeIsMadeOnce)
{
    QWidget other;
    auto dialog = inactiveDialog(other);
    QPointer<QWidget> window = dialog->GetWndPtr();

    PromptsPopup balloon;
    balloon.Create(window->findChild<QPushButton *>("button"), L"again", 0, 5000, false);
    int calls = 0;
    dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
        if (event->GetType() == Event::WindowActivate && calls++ == 0)
            balloon.Show(true, -1, -1);
        return false;
    });
    PlatformWindowCount count;
    QWindowSystemInterface::handleWindowActivated(window->windowHandle());
    balloon.Show(true, -1, -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
    EXPECT_TRUE(balloon.IsDisplayed());
    EXPECT_EQ(count.made, 1);
    dialog->SetEventProcedure(nullptr);
    delete window.data();
    settle();
}

// The balloon's showing delivers what waited for it (the platform's
// activation of the window, flushed while the balloon's own window is made): a
// procedure that deletes the window there takes the balloon with it, and the
// showing ends without touching what went.
TEST_F(DialogHandlersTest, AProcedureMayDeleteTheWindowWhileABalloonInItShows)
{
    QWidget other;
    auto dialog = inactiveDialog(other);
    QPointer<QWidget> window = dialog->GetWndPtr();

    const std::shared_ptr<BaseGUIObject> edit = dialog->GetElementByName(L"edit");
    int calls = 0;
    dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
        if (event->GetType() == Event::WindowActivate && calls++ == 0)
            delete window.data();
        return false;
    });
    QWindowSystemInterface::handleWindowActivated(window->windowHandle());
    edit->ShowBalloonTipEx(L"Title", L"Tip", BalloonTipIconWarning, false, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(edit->IsBalloonTipDisplayed());
    settle();
}

// The window system activates the dialog while another window is active: Qt
// sends the activation events of both windows, from a list it made first, and
// then moves the focus. A procedure that deletes the other window on the
// dialog's activation runs once all of that is done.
TEST_F(DialogHandlersTest, AProcedureOfAnActivationRunsOnceQtHasMovedTheFocus)
{
    auto *other = new QWidget;
    auto *field = new QLineEdit(other);
    QPointer<QWidget> otherGone(other);
    auto dialog = inactiveDialog(*other);
    QPointer<QWidget> window = dialog->GetWndPtr();
    field->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(field->hasFocus());

    int calls = 0;
    bool focusInDialog = false;
    dialog->SetEventProcedure([&](BaseGUIObject *, Event *event) {
        if (event->GetType() != Event::WindowActivate || calls++ > 0)
            return false;
        focusInDialog = window && window->isAncestorOf(QApplication::focusWidget());
        delete otherGone.data();
        return false;
    });
    QWindowSystemInterface::handleWindowActivated(window->windowHandle());
    QWindowSystemInterface::flushWindowSystemEvents();
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls > 0; }, 5000));
    EXPECT_TRUE(focusInDialog);
    EXPECT_TRUE(otherGone.isNull());
    dialog->SetEventProcedure(nullptr);
    delete otherGone.data();
    delete window.data();
    settle();
}

// A combo box placed in another window while its list is open: the list
// closes first. Left open it stayed in Qt's list of open popups, and once
// hidden with its window it took every click of the application.
TEST(ControlHandlersTest, AComboBoxPlacedElsewhereClosesItsOpenList)
{
    QWidget first;
    QWidget second;
    first.show();
    second.show();
    ComboBox combo;
    combo.Create(&first);
    combo.AddItem(L"A", any());
    combo.AddItem(L"B", any());
    combo.ShowDropDown(true);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(combo.Create(&second));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(combo.GetPlatformHandle()->parentWidget(), &second);
}

// A top-level date edit hidden while its field holds a typed value: Qt
// reports the value while it hides the window. The handler that places the
// edit in a host runs once the hiding is done.
TEST(ControlHandlersTest, ADateEditPlacedByTheHandlerOfItsHiding)
{
    QWidget host;
    DateEdit edit;
    ASSERT_TRUE(edit.SetDateTime(ObDateTime{2001, 2, 3, 0, 0, 0}));
    auto *field = qobject_cast<QDateTimeEdit *>(edit.GetPlatformHandle());
    field->setKeyboardTracking(false);
    int calls = 0;
    edit.OnDateTimeChanged.Subscribe([&](ObDateTime) {
        if (++calls == 1)
            edit.Create(&host);
    });
    edit.Show(true, true);
    focusIn(field);
    field->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(field, Qt::Key_5);
    ASSERT_EQ(calls, 0) << "without keyboard tracking the value waits";
    edit.Show(false, true);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(field->parentWidget(), &host);
    EXPECT_FALSE(field->isVisible());
}

// A handler that deletes the window holding its control, from inside the call
// that fired it: the call ends without touching the widget that went.
TEST(ControlHandlersTest, AHandlerMayDeleteTheWindowUnderTheCall)
{
    struct Case
    {
        const char *name;
        std::function<std::shared_ptr<BaseGUIObject>(QWidget *window, std::function<void()> deleteWindow)> make;
        std::function<void(BaseGUIObject &control)> act;
    };
    const Case cases[] = {
        {"edit, OnTextChanged during SetText",
         [](QWidget *window, std::function<void()> deleteWindow) {
             auto edit = std::make_shared<Edit>();
             edit->Create(window);
             edit->OnTextChanged.Subscribe([deleteWindow](const std::wstring &) { deleteWindow(); });
             return edit;
         },
         [](BaseGUIObject &control) { static_cast<Edit &>(control).SetText(L"text"); }},
        {"multi-line edit, OnTextChanged during SetText",
         [](QWidget *window, std::function<void()> deleteWindow) {
             auto edit = std::make_shared<MultiLineEdit>();
             edit->Create(window);
             edit->OnTextChanged.Subscribe(deleteWindow);
             return edit;
         },
         [](BaseGUIObject &control) { static_cast<MultiLineEdit &>(control).SetText(L"text"); }},
        {"rich edit, OnTextChanged during SetText",
         [](QWidget *window, std::function<void()> deleteWindow) {
             auto edit = std::make_shared<RichEdit>();
             edit->Create(window);
             edit->OnTextChanged.Subscribe(deleteWindow);
             return edit;
         },
         [](BaseGUIObject &control) { static_cast<RichEdit &>(control).SetText(L"text"); }},
        {"date edit, OnDateTimeChanged during SetMode",
         [](QWidget *window, std::function<void()> deleteWindow) {
             auto edit = std::make_shared<DateEdit>();
             edit->Create(window);
             edit->SetDateTime(ObDateTime{2001, 2, 3, 4, 5, 0});
             edit->OnDateTimeChanged.Subscribe([deleteWindow](ObDateTime) { deleteWindow(); });
             return edit;
         },
         [](BaseGUIObject &control) { static_cast<DateEdit &>(control).SetMode(DateEdit::DateEditModeTime); }},
        {"progress bar, OnValueChanged during SetRange",
         [](QWidget *window, std::function<void()> deleteWindow) {
             auto bar = std::make_shared<ProgressBar>();
             bar->Create(window);
             bar->SetRange(0, 100);
             bar->SetValue(50);
             bar->OnValueChanged.Subscribe([deleteWindow](int) { deleteWindow(); });
             return bar;
         },
         [](BaseGUIObject &control) { static_cast<ProgressBar &>(control).SetRange(60, 90); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<QWidget> window = new QWidget;
        int deletions = 0;
        const std::shared_ptr<BaseGUIObject> control = c.make(window, [&] {
            ++deletions;
            delete window.data();
        });
        window->show();
        c.act(*control);
        EXPECT_EQ(deletions, 1);
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(control->GetPlatformHandle(), nullptr);
        settle();
    }
}

namespace {

// The spin box's field, a child of its own.
QLineEdit *fieldOf(QWidget *spin)
{
    return spin->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

// A handler that gives the double spin edit a new field (SupportPicaPoints)
// while Qt is inside the old one (its key press, its step): the old field
// lives until Qt is back in the event loop, and the new one takes the input.
TEST(ControlHandlersTest, AHandlerMayReplaceTheSpinEditsFieldUnderQt)
{
    struct Case
    {
        const char *name;
        std::function<void(QWidget *spin)> act;
    };
    const Case cases[] = {
        {"typing", [](QWidget *spin) { QTest::keyClicks(spin, "-4.5"); }},
        {"the up arrow key", [](QWidget *spin) { QTest::keyClick(spin, Qt::Key_Up); }},
        {"the wheel",
         [](QWidget *spin) {
             QWheelEvent wheel(QPointF(5, 5), QPointF(spin->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(spin, &wheel);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DoubleSpinEdit edit;
        edit.SetRange(-100, 100);
        QWidget *spin = edit.GetPlatformHandle();
        edit.MoveWindow(0, 0, 120, 30, false);
        focusIn(spin);
        int calls = 0;
        edit.OnValueChanged.Subscribe([&](double) {
            ++calls;
            edit.SupportPicaPoints(true);
        });
        QPointer<QLineEdit> first = fieldOf(spin);
        c.act(spin);
        EXPECT_GE(calls, 1);
        settle();
        EXPECT_TRUE(first.isNull()) << "the replaced field goes once Qt is back in the event loop";
        const QList<QLineEdit *> fields = spin->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(fields.size(), 1);
        EXPECT_EQ(fields.front(), qobject_cast<QAbstractSpinBox *>(spin)->findChild<QLineEdit *>());
        EXPECT_TRUE(fields.front()->isVisible());
    }
}

// The procedure of a form's double spin edit replaces the field when the
// spin edit shows: the window's showing, which shows the children, is whole
// by then.
TEST_F(DialogHandlersTest, AProcedureReplacesTheSpinEditsFieldAsItShows)
{
    const QByteArray body = R"(<item><widget class="QDoubleSpinBox" name="spin"/></item>)";
    auto dialog = std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    QPointer<QWidget> window = dialog->GetWndPtr();
    auto *spin = dialog->GetControlPtr<DoubleSpinEdit *>(L"spin");
    ASSERT_NE(spin, nullptr);
    int shows = 0;
    spin->SetEventProcedure([&](BaseGUIObject *, Event *event) {
        if (event->GetType() == Event::Show) {
            ++shows;
            spin->SupportPicaPoints(true);
        }
        return false;
    });
    dialog->DoModeless(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows > 0; }, 5000));
    settle();
    const QList<QLineEdit *> fields =
        spin->GetPlatformHandle()->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(fields.size(), 1);
    EXPECT_TRUE(fields.front()->isVisible());
    delete window.data();
    settle();
}
