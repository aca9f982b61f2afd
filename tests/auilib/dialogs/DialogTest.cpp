#include "Dialog.h"

#include "AUILibUtils.h"
#include "AgnosticUIException.h"
#include "Button.h"
#include "ButtonBoxImpl.h"
#include "DialogForms.h"
#include "DialogImplQt.h"
#include "DialogQt.h"
#include "Event.h"
#include "Label.h"
#include "TreeView.h"
#include "PictureBytes.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QLayout>
#include <QStyle>
#include <QDialogButtonBox>
#include <QFrame>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

using namespace AUILib;

namespace {

// Buttons, two controls under one name, lines of every orientation, a tree, a
// button box wired to the dialog as Designer wires it, and a frame of a class
// the factory does not know with a button inside.
const QByteArray kBody = R"(
<item><widget class="QPushButton" name="btn_go"><property name="text"><string>Go</string></property></widget></item>
<item><widget class="QPushButton" name="btn_twin"><property name="text"><string>First</string></property></widget></item>
<item><widget class="QPushButton" name="btn_twin"><property name="text"><string>Second</string></property></widget></item>
<item><widget class="Line" name="line_v"><property name="orientation"><enum>Qt::Vertical</enum></property></widget></item>
<item><widget class="Line" name="line_h"><property name="orientation"><enum>Qt::Orientation::Horizontal</enum></property></widget></item>
<item><widget class="Line" name="line_odd"><property name="orientation"><enum>Qt::Diagonal</enum></property></widget></item>
<item><widget class="QTreeView" name="treeView"/></item>
<item><widget class="QFrame" name="unknownFrame"><layout class="QVBoxLayout" name="frameLayout">
 <item><widget class="QPushButton" name="btn_inside"/></item></layout></widget></item>
<item><widget class="QDialogButtonBox" name="buttonBox"><property name="standardButtons">
 <set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok</set></property></widget></item>
)";

const QByteArray kConnections = R"(<connections>
<connection><sender>buttonBox</sender><signal>accepted()</signal><receiver>Form</receiver><slot>accept()</slot></connection>
<connection><sender>buttonBox</sender><signal>rejected()</signal><receiver>Form</receiver><slot>reject()</slot></connection>
</connections>
)";

} // namespace

class DialogTest : public DialogFormTest
{
protected:
    std::unique_ptr<CountingDialog> make(unsigned long style = 0, QWidget *parent = nullptr)
    {
        return std::make_unique<CountingDialog>(form(dialogForm(kBody, kConnections)), parent, style, 0.9, L"");
    }

    static std::shared_ptr<Dialog::impl> implOf(Dialog &dialog)
    {
        return std::dynamic_pointer_cast<Dialog::impl>(dialog.GetBaseImpl());
    }
};

TEST_F(DialogTest, AFormBuildsIntoElementsFoundByName)
{
    auto dialog = make();
    auto *window = qobject_cast<DialogQt *>(dialog->GetWndPtr());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->owner(), dialog.get());
    EXPECT_EQ(window->objectName(), "Form");
    EXPECT_EQ(window->windowTitle(), "Form title");
    EXPECT_EQ(dialog->GetHandle(), window);
    EXPECT_EQ(dialog->GetUserData(), reinterpret_cast<std::intptr_t>(window));
    EXPECT_FALSE(window->isVisible());

    auto go = dialog->GetElementByName(L"btn_go");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->GetControlKind(), ControlKindButton);
    EXPECT_EQ(go->GetName(), L"btn_go");
    EXPECT_EQ(go->GetPlatformHandle()->parentWidget(), window);
    EXPECT_NE(dialog->GetControlPtr<Button *>(L"btn_go"), nullptr);
    EXPECT_EQ(dialog->GetControlPtr<Label *>(L"btn_go"), nullptr);
    EXPECT_NE(dialog->GetControlPtr<TreeView *>(L"treeView"), nullptr);
    EXPECT_EQ(dialog->GetElementByName(L"nothing"), nullptr);

    // Both twins are shown; the name stays with the first.
    const QList<QPushButton *> twins = window->findChildren<QPushButton *>("btn_twin");
    ASSERT_EQ(twins.size(), 2);
    EXPECT_EQ(dialog->GetElementByName(L"btn_twin")->GetPlatformHandle(), twins[0]);
    EXPECT_EQ(twins[0]->text(), "First");
    // The second twin has no control: its going is not the first one's.
    int twinGone = 0;
    dialog->GetElementByName(L"btn_twin")->OnDestroyed.Subscribe([&](BaseGUIObject *) { ++twinGone; });
    delete twins[1];
    EXPECT_EQ(twinGone, 0);
    delete twins[0];
    EXPECT_EQ(twinGone, 1);

    // A class the factory does not know is left out together with what it holds.
    EXPECT_EQ(window->findChild<QWidget *>("unknownFrame"), nullptr);
    EXPECT_EQ(window->findChild<QWidget *>("btn_inside"), nullptr);
    EXPECT_EQ(dialog->GetElementByName(L"unknownFrame"), nullptr);
    EXPECT_EQ(dialog->GetElementByName(L"btn_inside"), nullptr);

    const std::pair<const char *, QFrame::Shape> lines[] = {
        {"line_v", QFrame::VLine}, {"line_h", QFrame::HLine}, {"line_odd", QFrame::NoFrame}};
    for (const auto &line : lines) {
        SCOPED_TRACE(line.first);
        auto *frame = window->findChild<QFrame *>(line.first);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->frameShape(), line.second);
    }

    // Every widget, inner ones of composite controls too, is watched by the bridge.
    QTreeView *tree = window->findChild<QTreeView *>("treeView");
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->viewport()->testAttribute(Qt::WA_MouseTracking));
    for (QWidget *widget : window->findChildren<QWidget *>())
        EXPECT_TRUE(widget->testAttribute(Qt::WA_MouseTracking)) << widget->objectName().toStdString();
}

TEST_F(DialogTest, WindowFlagsFollowTheStyle)
{
    const std::pair<unsigned long, unsigned int> cases[] = {
        {0, 0xA003103}, {0x8003003, 0xA003103}, {0x8003083, 0x8003003}, {0x3, 0x2000903}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        auto dialog = make(c.first);
        EXPECT_EQ(implOf(*dialog)->WindowFlags(), c.second);
        EXPECT_EQ(static_cast<unsigned int>(dialog->GetWndPtr()->windowFlags()), c.second);
        EXPECT_TRUE(dialog->GetWndPtr()->testAttribute(Qt::WA_DeleteOnClose));
        dialog->GetWndPtr()->deleteLater();
    }
    EXPECT_EQ(Dialog::GetDefaultDialogStyle(), 0x8003003ul);

    // Built under a parent, the window stays a window of its own.
    QWidget parent;
    auto child = make(0, &parent);
    EXPECT_EQ(child->GetWndPtr()->parentWidget(), &parent);
    EXPECT_TRUE(child->GetWndPtr()->isWindow());
    EXPECT_EQ(static_cast<unsigned int>(child->GetWndPtr()->windowFlags()), 0xA003103u);
}

TEST_F(DialogTest, ButtonBoxButtonsBecomeTranslatedToolkitButtons)
{
    SetCurrentLanguage(L"de-DE", false);
    ASSERT_TRUE(files.writeStrings("de-DE", "", "<string id=\"AUILib::BBoxOK\">Jawohl</string>"));
    auto dialog = make();
    auto box = std::dynamic_pointer_cast<ButtonBox::impl>(dialog->GetElementByName(L"buttonBox")->GetBaseImpl());
    ASSERT_NE(box, nullptr);
    auto *widget = qobject_cast<QDialogButtonBox *>(box->GetWidget());
    ASSERT_EQ(box->Buttons().size(), 2u);
    EXPECT_EQ(box->Buttons()[0]->GetPlatformHandle(), widget->button(QDialogButtonBox::Ok));
    EXPECT_EQ(box->Buttons()[1]->GetPlatformHandle(), widget->button(QDialogButtonBox::Cancel));
    EXPECT_EQ(widget->button(QDialogButtonBox::Ok)->text(), "Jawohl");
    EXPECT_EQ(widget->button(QDialogButtonBox::Cancel)->text(), "Cancel");

    // The form's connections to accept and reject are gone; the toolkit button
    // hears the click.
    int clicks = 0;
    box->Buttons()[0]->OnClicked.Subscribe([&clicks] { ++clicks; });
    dialog->DoModeless(false);
    QWidget *window = dialog->GetWndPtr();
    widget->button(QDialogButtonBox::Ok)->click();
    widget->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialog->filterCalls, 0);
}

TEST_F(DialogTest, FormsThatCannotBeBuiltThrow)
{
    const QByteArray widgetForm = "<?xml version=\"1.0\"?>\n<ui version=\"4.0\"><widget class=\"QWidget\" name=\"Page\">"
                                  "<layout class=\"QVBoxLayout\" name=\"l\"><item><widget class=\"QLabel\" name=\"x\"/>"
                                  "</item></layout></widget></ui>\n";
    const QWidgetList before = QApplication::topLevelWidgets();
    const std::wstring missing = (files.workingDir() + "auiresources/test/ui/missing.ui.ob").toStdWString();
    for (const std::wstring &path : {missing, form(widgetForm, "page.ui")}) {
        SCOPED_TRACE(QString::fromStdWString(path).toStdString());
        try {
            CountingDialog dialog(path, nullptr, 0, 1.0, L"");
            ADD_FAILURE() << "built";
        } catch (const AgnosticUIException &error) {
            EXPECT_STREQ(error.what(), "../src/Dialog: 66 \"Create from ui fails");
        }
    }
    // No window of a failed dialog is left behind to call it.
    for (QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_TRUE(before.contains(widget) || !qobject_cast<DialogQt *>(widget));
}

TEST_F(DialogTest, ADialogNestedInTheFormIsNotBuilt)
{
    // The form's one window is the dialog's own; a second "QDialog" would be made its own parent.
    const QByteArray body = "<item><widget class=\"QDialog\" name=\"inner\">\n<layout class=\"QVBoxLayout\" "
                            "name=\"il\"><item><widget class=\"QPushButton\" name=\"in_btn\"/></item></layout>\n"
                            "</widget></item>\n<item><widget class=\"QPushButton\" name=\"after\"/></item>\n";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    std::unique_ptr<QWidget> window(dialog.GetWndPtr());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), "Form");
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_EQ(window->findChild<QDialog *>(), nullptr);
    EXPECT_FALSE(dialog.GetElementByName(L"in_btn"));
    ASSERT_TRUE(dialog.GetElementByName(L"after"));
    EXPECT_EQ(dialog.GetElementByName(L"after")->GetPlatformHandle()->window(), window.get());
}

TEST_F(DialogTest, FormsAreTranslatedBeforeTheyAreBuilt)
{
    SetCurrentLanguage(L"de-DE", false);
    ASSERT_TRUE(files.writeLinguist("de-DE", "test",
                                    TranslationFiles::message("form.ui", 5, "Form title", "Formulartitel") +
                                        TranslationFiles::message("page.ui", 2, "Page", "Seite")));
    auto dialog = make();
    EXPECT_EQ(dialog->GetWndPtr()->windowTitle(), "Formulartitel");

    // A translated form that is no dialog fails on its translated text.
    const std::wstring page = form("<ui version=\"4.0\"><widget class=\"QWidget\" name=\"Page\">\n"
                                   "<property name=\"windowTitle\"><string>Page</string></property>\n</widget>\n</ui>\n",
                                   "page.ui");
    try {
        CountingDialog failed(page, nullptr, 0, 1.0, L"");
        ADD_FAILURE() << "built";
    } catch (const AgnosticUIException &error) {
        EXPECT_STREQ(error.what(), "../src/Dialog: 70 \"Create from ui fails");
    }
}

TEST_F(DialogTest, DoModalReturnsTheFilteredResult)
{
    struct Case
    {
        const char *name;
        std::function<int(int)> filter;
        std::function<void(CountingDialog &)> end;
        int result;
    };
    const Case cases[] = {
        {"Done through a filter that maps", [](int r) { return r == 0 ? 5 : r; },
         [](CountingDialog &d) { d.Done(Dialog::Rejected); }, 5},
        {"accept", nullptr, [](CountingDialog &d) { QMetaObject::invokeMethod(d.GetWndPtr(), "accept"); }, 1},
        {"Escape with a close button, through the filter", [](int r) { return r == 0 ? 7 : r; },
         [](CountingDialog &d) { QTest::keyClick(d.GetWndPtr(), Qt::Key_Escape); }, 7},
        {"a vetoed accept, then Done", [](int r) { return r == 1 ? -1 : r; },
         [](CountingDialog &d) {
             qobject_cast<QDialog *>(d.GetWndPtr())->accept();
             EXPECT_TRUE(d.GetWndPtr()->isVisible());
             d.Done(Dialog::Rejected);
         },
         0},
        {"reject, which no filter stops", [](int) { return -1; },
         [](CountingDialog &d) { qobject_cast<QDialog *>(d.GetWndPtr())->reject(); }, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto dialog = make();
        dialog->filter = c.filter;
        QPointer<QWidget> window = dialog->GetWndPtr();
        whenShown(window, [&] { c.end(*dialog); });
        EXPECT_EQ(dialog->DoModal(), c.result);
        EXPECT_EQ(dialog->initializeCalls, 1);
        // The window is deleted once it closes; running again does nothing.
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(dialog->DoModal(), 0);
        EXPECT_EQ(dialog->initializeCalls, 1);
        EXPECT_THROW(dialog->Done(Dialog::Accepted), AgnosticUIException);
    }
}

TEST_F(DialogTest, EscapeWithoutACloseButtonIsSwallowed)
{
    auto dialog = make(0x3003);
    ASSERT_FALSE(dialog->GetWndPtr()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    dialog->DoModeless(false);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog->GetWndPtr(), &escape);
    EXPECT_TRUE(escape.isAccepted());
    EXPECT_TRUE(dialog->GetWndPtr()->isVisible());
    EXPECT_EQ(dialog->filterCalls, 0);
}

TEST_F(DialogTest, AnEmbeddedWindowRejectsTheWindowHoldingIt)
{
    auto outer = make();
    auto inner = make();
    outer->DoModeless(false);
    inner->CreateTabWindow(outer->GetWndPtr(), false);
    EXPECT_EQ(inner->initializeCalls, 1);
    EXPECT_EQ(inner->GetWndPtr()->window(), outer->GetWndPtr());
    EXPECT_TRUE(inner->GetWndPtr()->isVisible());
    int finished = -1;
    QObject::connect(qobject_cast<QDialog *>(outer->GetWndPtr()), &QDialog::finished, [&](int r) { finished = r; });
    qobject_cast<QDialog *>(inner->GetWndPtr())->reject();
    EXPECT_EQ(finished, 0);
}

TEST_F(DialogTest, ResizesReachTheResizeHandlersOnce)
{
    auto dialog = make();
    int resizes = 0;
    QSize seen;
    QWidget *window = dialog->GetWndPtr();
    dialog->OnResize.Subscribe([&] {
        ++resizes;
        seen = window->size();
    });
    dialog->DoModeless(false);
    resizes = 0;
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->resize(window->width() + 40, window->height() + 30);
    EXPECT_EQ(resizes, 1);
    // The handlers run with the new size already set.
    EXPECT_EQ(seen, window->size());
}

TEST_F(DialogTest, StayingOnTopFollowsTheApplicationState)
{
    QWidget parent;
    auto alone = make();
    alone->DoModeless(true);
    EXPECT_FALSE(alone->GetWndPtr()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    auto dialog = make();
    dialog->DoModeless(&parent, true);
    QWidget *window = dialog->GetWndPtr();
    EXPECT_EQ(window->parentWidget(), &parent);
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    for (const auto state : {Qt::ApplicationInactive, Qt::ApplicationActive, Qt::ApplicationHidden}) {
        emit qApp->applicationStateChanged(state);
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), state == Qt::ApplicationActive);
        EXPECT_TRUE(window->isVisible());
    }
    // Once the dialog has gone the window no longer listens.
    auto *held = qobject_cast<DialogQt *>(window);
    dialog.reset();
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(held->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    delete held;
}

TEST_F(DialogTest, AWindowThatOutlivesItsDialogNeverCallsIt)
{
    auto dialog = make();
    bool destroyedSeen = false;
    dialog->OnDestroyed.Subscribe([&](BaseGUIObject *) { destroyedSeen = true; });
    dialog->DoModeless(false);
    QPointer<DialogQt> window = qobject_cast<DialogQt *>(dialog->GetWndPtr());
    dialog->filter = [](int) { return -1; };
    dialog->OnResize.Subscribe([] { ADD_FAILURE() << "resize handler of a dialog that has gone"; });
    // Whoever still holds the implementation keeps its bridge, which must not
    // filter for the dialog any more.
    const std::shared_ptr<BaseImpl> held = dialog->GetBaseImpl();
    int procedureCalls = 0;
    dialog->GetElementByName(L"btn_go")->SetEventProcedure([&](BaseGUIObject *, Event *) {
        ++procedureCalls;
        return false;
    });
    dialog.reset();

    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->owner(), nullptr);
    window->resize(window->width() + 10, window->height());
    QTest::keyClick(window->findChild<QWidget *>("btn_go"), Qt::Key_A);
    EXPECT_EQ(procedureCalls, 0);
    int finished = -1;
    QObject::connect(window.data(), &QDialog::finished, [&](int r) { finished = r; });
    window->accept();
    EXPECT_EQ(finished, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(destroyedSeen);
}

TEST_F(DialogTest, CloseClosesOnceAndTheWindowGoes)
{
    // Before a form is built there is nothing to close.
    Dialog::impl bare(nullptr, 0x8003003, nullptr);
    EXPECT_TRUE(bare.Close());
    ASSERT_NE(bare.Window(), nullptr);
    EXPECT_FALSE(bare.CreateFromUI(std::wstring(), 0, nullptr));
    delete bare.Window();

    auto dialog = make();
    std::vector<std::wstring> destroyed;
    dialog->OnDestroyed.Subscribe([&](BaseGUIObject *) { destroyed.push_back(L"dialog"); });
    for (const wchar_t *name : {L"btn_go", L"buttonBox"})
        dialog->GetElementByName(name)->OnDestroyed.Subscribe(
            [&](BaseGUIObject *element) { destroyed.push_back(element->GetName()); });
    dialog->DoModeless(false);
    QPointer<QWidget> window = dialog->GetWndPtr();
    auto impl = implOf(*dialog);
    dialog->filter = [](int) { return -1; };
    // The close request asks the filter, which keeps the window.
    EXPECT_FALSE(impl->Close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(impl->Close());
    EXPECT_TRUE(window->isVisible());

    dialog->filter = nullptr;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(dialog->GetWndPtr(), nullptr);
    // The button box's too, though wrapping its buttons cut its connections.
    EXPECT_EQ(destroyed, (std::vector<std::wstring>{L"dialog", L"btn_go", L"buttonBox"}));
    // Nothing throws once the window is gone.
    dialog->Show(true, true);
    dialog->SetWindowTitle(L"x");
    EXPECT_EQ(dialog->GetBackgroundColor(), 0);
    EXPECT_NO_THROW(dialog->SetToolTip(nullptr, L"tip", L"", 0, nullptr, false));
    EXPECT_NO_THROW(dialog->SetToolTip(dialog->GetElementByName(L"btn_go"), L"tip", L"", 0, nullptr, false));
}

TEST_F(DialogTest, DefaultButtonsCanBeTakenAwayForGood)
{
    auto dialog = make();
    auto *go = qobject_cast<QPushButton *>(dialog->GetElementByName(L"btn_go")->GetPlatformHandle());
    dialog->SetDefaultButton(nullptr);
    dialog->DoModeless(false);
    for (QPushButton *push : dialog->GetWndPtr()->findChildren<QPushButton *>()) {
        EXPECT_FALSE(push->isDefault());
        EXPECT_FALSE(push->autoDefault());
    }
    // Shown again, Qt would pick a default of its own.
    go->setDefault(true);
    dialog->Show(false, false);
    dialog->Show(true, false);
    EXPECT_FALSE(go->isDefault());

    dialog->SetDefaultButton(dialog->GetControlPtr<Button *>(L"btn_go"));
    EXPECT_TRUE(go->isDefault());
    EXPECT_TRUE(implOf(*dialog)->DefaultButtonsAllowed());
}

TEST_F(DialogTest, BackgroundCursorsAndIcons)
{
    auto dialog = make();
    dialog->SetBackgroundColor(0x12345678);
    EXPECT_EQ(static_cast<unsigned int>(dialog->GetBackgroundColor()), 0xFF345678u);
    EXPECT_TRUE(dialog->GetWndPtr()->autoFillBackground());

    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    dialog->SetCursorType(CursorIBeam);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    dialog->SetCursorType(CursorTypes(0));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const QByteArray png = FilledPictureBytes(8, 8, Qt::red);
    const auto *bytes = reinterpret_cast<const unsigned char *>(png.constData());
    EXPECT_FALSE(dialog->LoadCustomCursor(bytes, png.size(), 1, 1, ImageTypes(0)));
    EXPECT_TRUE(dialog->LoadCustomCursor(bytes, png.size(), 2, 3, ImageTypes(4)));
    EXPECT_FALSE(dialog->LoadCustomCursor(bytes, png.size(), 1, 1, ImageTypes(1)));
    EXPECT_FALSE(dialog->LoadCustomCursor(std::wstring(L"/no/such.png"), 1, 1));
    const QCursor &custom = implOf(*dialog)->CustomCursor();
    EXPECT_EQ(custom.hotSpot(), QPoint(2, 3));
    dialog->SetCursorType(CursorTypes(1));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BitmapCursor);
    dialog->SetCursorType(CursorTypes(0));

    dialog->SetIcon(bytes, png.size(), ImageTypes(4), false);
    EXPECT_FALSE(dialog->GetWndPtr()->windowIcon().isNull());
}

TEST_F(DialogTest, ToolTipsAreWrappedAndReplaced)
{
    auto dialog = make();
    auto go = dialog->GetElementByName(L"btn_go");
    auto impl = std::dynamic_pointer_cast<BaseImplQt>(go->GetBaseImpl());
    const QString pre = "<div style = 'white-space:pre'>";

    dialog->SetToolTip(go, L"one\ntwo", L"", 0, nullptr, false);
    ASSERT_EQ(impl->ToolTipRegions().size(), 1u);
    EXPECT_EQ(impl->ToolTipRegions()[0].record->text, pre + "one\ntwo</div>");
    const Rect client = go->GetClientRect();
    EXPECT_EQ(impl->ToolTipRegions()[0].record->area, QRect(QPoint(0, 0), QPoint(client.right, client.bottom)));
    EXPECT_EQ(go->GetPlatformHandle()->accessibleName(), "one\ntwo");

    // A one-letter title and a text too wide for it: the line ends after the space.
    QRect area(1, 2, 3, 4);
    QFont bold = QToolTip::font();
    bold.setWeight(75);
    const int limit = qMax(1, QFontMetrics(bold).horizontalAdvance("T")) + 2;
    const QString text = QFontMetrics(QToolTip::font()).horizontalAdvance("a b") > limit - 2 ? "a b" : "a bbbbbbbbbb";
    dialog->SetToolTip(go, text.toStdWString(), L"T", 1, &area, false);
    ASSERT_EQ(impl->ToolTipRegions().size(), 1u);
    EXPECT_TRUE(impl->ToolTipRegions()[0].record->text.startsWith(pre + "<b>T</b><br>a <br>b"))
        << impl->ToolTipRegions()[0].record->text.toStdString();
    EXPECT_EQ(impl->ToolTipRegions()[0].record->area, area);

    // Narrower than any letter: one letter a line, and a line feed starts a
    // line without leaving an empty one.
    dialog->SetToolTip(go, L"ab\nW", L"", 1, &area, false);
    EXPECT_EQ(impl->ToolTipRegions()[0].record->text, pre + "a<br>b<br>W</div>");

    // The dialog's own tip lives with the dialog.
    dialog->SetToolTip(nullptr, L"mine", L"Title", 0, &area, false);
    auto own = std::dynamic_pointer_cast<BaseImplQt>(dialog->GetBaseImpl());
    ASSERT_EQ(own->ToolTipRegions().size(), 1u);
    EXPECT_TRUE(own->ToolTipRegions()[0].control.expired());
    EXPECT_EQ(own->ToolTipRegions()[0].record->text, pre + "<b>Title</b><br>mine</div>");

    // A control's tip does not keep the control: it goes with its window.
    const std::weak_ptr<BaseGUIObject> watched = go;
    impl.reset();
    own.reset();
    go.reset();
    delete dialog->GetWndPtr();
    dialog.reset();
    EXPECT_TRUE(watched.expired());
}

TEST_F(DialogTest, EmbeddingInPlaceOfAPlaceholder)
{
    auto host = make();
    auto page = make();
    page->CreateTabWindowEx(nullptr, false);
    EXPECT_EQ(page->initializeCalls, 0);
    EXPECT_FALSE(page->GetWndPtr()->isVisible());

    auto placeholder = host->GetElementByName(L"treeView");
    QPointer<QWidget> stand = placeholder->GetPlatformHandle();
    QWidget *hostWindow = host->GetWndPtr();
    const int index = hostWindow->layout()->indexOf(stand);
    page->CreateTabWindowEx(placeholder.get(), false);
    EXPECT_EQ(page->initializeCalls, 1);
    EXPECT_EQ(page->GetWndPtr()->parentWidget(), hostWindow);
    EXPECT_FALSE(page->GetWndPtr()->isWindow());
    EXPECT_EQ(hostWindow->layout()->indexOf(page->GetWndPtr()), index);
    EXPECT_EQ(stand->parentWidget(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(stand.isNull());
}

TEST_F(DialogTest, FocusAndTheScreenshotOfABuiltDialog)
{
    auto dialog = make();
    dialog->DoModeless(false);
    QApplication::setActiveWindow(dialog->GetWndPtr());
    auto tree = dialog->GetElementByName(L"treeView");
    dialog->SetFocusToCtrl(tree.get());
    EXPECT_EQ(dialog->GetFocusedCtrlPtr(), tree);

    const QImage shot = dialog->GetWndPtr()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), dialog->GetWndPtr()->size() * shot.devicePixelRatio());
    // Drawn controls, not one flat colour.
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3)
            colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 3);
}

// A form that is one scroll area, fitted to the screen each time it shows.
class ScreenFitTest : public DialogFormTest
{
protected:
    std::unique_ptr<CountingDialog> make(int contentWidth, int contentHeight)
    {
        const QByteArray body =
            "<item><widget class=\"QScrollArea\" name=\"scrollArea\"><property name=\"widgetResizable\"><bool>true</bool>"
            "</property><widget class=\"QWidget\" name=\"contents\"><layout class=\"QVBoxLayout\" name=\"inner\">"
            "<item><widget class=\"QLabel\" name=\"big\"><property name=\"minimumSize\"><size><width>" +
            QByteArray::number(contentWidth) + "</width><height>" + QByteArray::number(contentHeight) +
            "</height></size></property></widget></item></layout></widget></widget></item>";
        return std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 0.5, L"");
    }
};

TEST_F(ScreenFitTest, SmallContentShowsWholeAndCentresOnce)
{
    auto dialog = make(120, 80);
    QWidget *window = dialog->GetWndPtr();
    auto *area = window->findChild<QScrollArea *>("scrollArea");
    dialog->DoModeless(false);
    const QSize content = area->widget()->sizeHint();
    const QMargins m = window->layout()->contentsMargins();
    const int extraW = window->frameGeometry().width() - window->width();
    const QSize expected(content.width() + extraW + m.left() + m.right(),
                         content.height() + extraW + m.top() + m.bottom());
    EXPECT_EQ(window->minimumSize(), expected);
    EXPECT_EQ(window->maximumSize(), expected);
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window->geometry().center(), QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, expected, avail).center());

    window->move(3, 4);
    dialog->ResizeDialogAccordingScreen(dialog.get());
    EXPECT_EQ(window->pos(), QPoint(3, 4));
    // A control outside the scroll area does not refit.
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    dialog->ResizeDialogAccordingScreen(dialog->GetElementByName(L"big").get());
    EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(ScreenFitTest, LargeContentScrollsWithinTheScreenFraction)
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    auto dialog = make(avail.width() * 2, avail.height() * 2);
    QWidget *window = dialog->GetWndPtr();
    auto *area = window->findChild<QScrollArea *>("scrollArea");
    dialog->DoModeless(false);
    EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_LE(window->width(), avail.width() * 0.5 + area->verticalScrollBar()->sizeHint().width());
    EXPECT_LE(window->height(), avail.height() * 0.5 + area->horizontalScrollBar()->sizeHint().height());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

// Controls inside a container, set up by the form as Designer writes it.
class FormControlsTest : public DialogFormTest
{
protected:
    std::unique_ptr<CountingDialog> make()
    {
        const QByteArray body = R"(
<item><widget class="QGroupBox" name="group"><layout class="QVBoxLayout" name="groupLayout">
 <item><widget class="QTreeView" name="tree"/></item>
 <item><widget class="QSpinBox" name="spin"><property name="maximum"><number>500</number></property>
  <property name="value"><number>42</number></property></widget></item>
 <item><widget class="QComboBox" name="combo"><property name="editable"><bool>true</bool></property></widget></item>
</layout></widget></item>
<item><widget class="QSpinBox" name="plainSpin"/></item>
<item><widget class="QListWidget" name="list"><property name="currentRow"><number>1</number></property>
 <item><property name="text"><string>One</string></property></item>
 <item><property name="text"><string>Two</string></property><property name="toolTip"><string>Second</string></property>
  <property name="checkState"><enum>Checked</enum></property></item>
</widget></item>
)";
        return std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    }

    // The form's properties the widget's class lacks: QUiLoader sets them as
    // dynamic properties, which nothing reads (Qt's own start with "_q_").
    static QByteArrayList lostProperties(const QObject *widget)
    {
        QByteArrayList lost;
        for (const QByteArray &name : widget->dynamicPropertyNames()) {
            if (!name.startsWith("_q_"))
                lost << name;
        }
        return lost;
    }
};

TEST_F(FormControlsTest, TheFormsValuesReachTheControlsWidgets)
{
    auto dialog = make();
    // The spin edit keeps its own 64-bit value: the form's QSpinBox properties
    // are properties of its own.
    auto *spin = qobject_cast<QAbstractSpinBox *>(dialog->GetElementByName(L"spin")->GetPlatformHandle());
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->property("maximum").toLongLong(), 500);
    EXPECT_EQ(spin->property("value").toLongLong(), 42);
    EXPECT_EQ(lostProperties(spin), QByteArrayList());
    auto *plain = qobject_cast<QAbstractSpinBox *>(dialog->GetElementByName(L"plainSpin")->GetPlatformHandle());
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->property("maximum").toLongLong(), 100) << "the control's own default, where the form says nothing";

    auto *list = qobject_cast<QTableWidget *>(dialog->GetElementByName(L"list")->GetPlatformHandle());
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->columnCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), "One");
    EXPECT_EQ(list->item(1, 0)->text(), "Two");
    EXPECT_EQ(list->item(1, 0)->toolTip(), "Second");
    EXPECT_EQ(list->item(1, 0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(lostProperties(list), QByteArrayList());
}

// A press inside a control (an item view's viewport, the line edit of a spin
// box or of a combo box) reaches that control's procedure, inside a container
// too, and not the container's.
TEST_F(FormControlsTest, EventsInsideAControlReachIt)
{
    auto dialog = make();
    std::vector<std::wstring> pressed;
    for (const wchar_t *name : {L"group", L"tree", L"spin", L"combo"}) {
        dialog->GetElementByName(name)->SetEventProcedure([&pressed](BaseGUIObject *target, Event *event) {
            if (event->GetType() == Event::MouseButtonPress)
                pressed.push_back(target->GetName());
            return false;
        });
    }
    dialog->DoModeless(false);
    QWidget *window = dialog->GetWndPtr();
    auto *tree = window->findChild<QTreeView *>("tree");
    auto *spin = window->findChild<QAbstractSpinBox *>("spin");
    auto *combo = window->findChild<QComboBox *>("combo");
    const std::pair<QWidget *, const wchar_t *> cases[] = {
        {tree->viewport(), L"tree"},
        {spin->findChild<QLineEdit *>(), L"spin"},
        {combo->lineEdit(), L"combo"},
        {window->findChild<QWidget *>("group"), L"group"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromWCharArray(c.second).toStdString());
        ASSERT_NE(c.first, nullptr);
        pressed.clear();
        QTest::mousePress(c.first, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseRelease(c.first, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        EXPECT_EQ(pressed, std::vector<std::wstring>{c.second});
    }
}

// Callers reach the window's overrides through the meta-object as well.
TEST(DialogQtTest, TheWindowsSlotsAreItsOverrides)
{
    const QMetaObject &meta = DialogQt::staticMetaObject;
    EXPECT_STREQ(meta.className(), "AUILib::DialogQt");
    QStringList own;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
        own << QString::fromLatin1(meta.method(i).methodSignature());
    EXPECT_EQ(own, QStringList({"done(int)", "accept()", "reject()", "keyPressEvent(QKeyEvent*)",
                                "resizeEvent(QResizeEvent*)", "showEvent(QShowEvent*)"}));
    EXPECT_STREQ(Dialog::impl::staticMetaObject.className(), "AUILib::Dialog::impl");
}
