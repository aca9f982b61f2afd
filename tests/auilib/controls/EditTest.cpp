#include "Edit.h"

#include "ContextMenu.h"
#include "DialogForms.h"
#include "EditQt.h"
#include "PopupDriver.h"
#include "PromptsPopup.h"
#include "PromptsPopupQt.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QImage>
#include <QLocale>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

// Records what the number rules ask of a balloon.
class RecordingPopup : public PromptsPopup
{
public:
    void Show(bool show, int, int) override { shows.push_back(show ? L'1' : L'0'); }
    std::wstring shows;
};

// An edit in a shown, active window, with every event it fires written down.
class EditFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(300, 120);
        ASSERT_TRUE(edit.Create(&window));
        field()->setGeometry(10, 10, 200, 26);
        other = new QLineEdit(&window);
        other->setGeometry(10, 50, 200, 26);
        edit.OnTextChanged.Subscribe([this](std::wstring text) { changed.push_back(text); });
        edit.OnTextEdited.Subscribe([this](std::wstring text) { edited.push_back(text); });
        edit.OnPaste.Subscribe([this](std::wstring text) { pasted.push_back(text); });
        edit.OnContextMenu.Subscribe([this] { ++menus; });
        edit.OnFocusLost.Subscribe([this] { ++focusLost; });
        edit.OnExtendedButtonClicked.Subscribe([this] { ++clicks; });
        QApplication::clipboard()->clear();
    }
    void TearDown() override { QApplication::clipboard()->clear(); }

    void showWindow()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QLineEdit *field() const { return qobject_cast<QLineEdit *>(edit.GetWndPtr()); }
    std::wstring text() const { return edit.GetText(); }
    void clearRecords()
    {
        changed.clear();
        edited.clear();
        pasted.clear();
    }

    QWidget window;
    QLineEdit *other = nullptr;
    Edit edit;
    std::vector<std::wstring> changed;
    std::vector<std::wstring> edited;
    std::vector<std::wstring> pasted;
    int menus = 0;
    int focusLost = 0;
    int clicks = 0;
};

QByteArray picture(const QColor &colour, const char *format)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QRgb centre(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().pixel(8, 8);
}

} // namespace

TEST_F(EditFixture, IsALineEditPlacedByCreate)
{
    Edit fresh;
    EXPECT_EQ(fresh.GetControlKind(), ControlKindEdit);
    QWidget parent;
    EXPECT_TRUE(fresh.Create(&parent));
    EXPECT_EQ(fresh.GetParentWindow(), &parent);
    QWidget *widget = fresh.GetWndPtr();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::EditQt");
    EXPECT_EQ(fresh.GetPlatformHandle(), widget);
    EXPECT_EQ(fresh.IsSetOnlyNumbers(), 0);
    EXPECT_EQ(fresh.GetBackgroundColor(), -1);
    EXPECT_EQ(fresh.GetTextColor(), -1);
}

TEST_F(EditFixture, FieldSettingsReachTheLineEdit)
{
    edit.SetText(L"Gr\u00fc\u00dfe");
    EXPECT_EQ(text(), L"Gr\u00fc\u00dfe");
    EXPECT_EQ(edit.GetTextRaw(), text());
    EXPECT_EQ(edit.GetCursorPosition(), 0) << "the start of the text shows";
    EXPECT_EQ(edit.SelectionLength(), 0);

    edit.SetPasswordMode(Edit::PasswordModePassword);
    EXPECT_EQ(field()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit.GetPasswordMode(), Edit::PasswordModePassword);
    edit.SetPasswordMode(static_cast<Edit::PasswordMode>(7));
    EXPECT_EQ(edit.GetPasswordMode(), Edit::PasswordModeNormal);

    edit.SetFrameMode(false);
    EXPECT_FALSE(edit.GetFrameMode());
    edit.SetLimitText(3);
    EXPECT_EQ(field()->maxLength(), 3);
    edit.SetReadOnly(true);
    EXPECT_TRUE(edit.IsReadOnly());
    edit.SetPlaceHolderText(L"name");
    EXPECT_EQ(field()->placeholderText(), "name");

    const std::pair<TextAlign, Qt::Alignment> aligns[] = {
        {TextAlignLeft, Qt::AlignLeft},
        {TextAlignCenter, Qt::AlignHCenter},
        {TextAlignRight, Qt::AlignRight},
        {static_cast<TextAlign>(9), Qt::AlignRight},
    };
    for (const auto &align : aligns) {
        edit.SetTextAlign(align.first);
        EXPECT_EQ(field()->alignment() & Qt::AlignHorizontal_Mask, align.second);
    }
}

// One colour does not overwrite the other.
TEST_F(EditFixture, ColoursAndTheBorder)
{
    edit.SetBackgroundColor(0x102030);
    edit.SetTextColor(0x405060);
    EXPECT_EQ(edit.GetBackgroundColor(), 0x102030);
    EXPECT_EQ(edit.GetTextColor(), 0x405060);
    const QPalette palette = field()->palette();
    EXPECT_TRUE(field()->autoFillBackground());
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        EXPECT_EQ(palette.color(group, field()->backgroundRole()), QColor(0x10, 0x20, 0x30));
        EXPECT_EQ(palette.color(group, field()->foregroundRole()), QColor(0x40, 0x50, 0x60));
    }
    edit.SetPlaceHolderTextColor(0x80abcdef);
    EXPECT_EQ(field()->palette().color(QPalette::Disabled, QPalette::PlaceholderText), QColor(0xab, 0xcd, 0xef));

    field()->setStyleSheet("color: red;");
    edit.SetBorderColor(0x00a0b0c0u);
    EXPECT_EQ(field()->styleSheet(), "border-style: outset; border-width: 1px;  border-color:#ffa0b0c0;");
    edit.SetBorderColor(1, 2, 3, 4);
    edit.SetBorderRadius(5);
    EXPECT_EQ(field()->styleSheet(), "border-style: outset; border-width: 1px;  border-color:#ffa0b0c0;");
}

TEST_F(EditFixture, CursorAndSelectionAreClamped)
{
    edit.SetText(L"abcdef");
    struct Case
    {
        int start, length, selectedStart, selectedLength;
    };
    const Case cases[] = {
        {2, -1, 2, 4}, {-3, 2, 0, 2}, {3, 2, 3, 2}, {4, 10, 4, 2}, {0, 6, 0, 6}, {7, 1, -1, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.length));
        field()->deselect();
        edit.SetSelection(c.start, c.length);
        EXPECT_EQ(edit.SelectionStart(), c.selectedStart);
        EXPECT_EQ(edit.SelectionLength(), c.selectedLength);
    }

    edit.SetText(L"abcde");
    edit.SetCursorPosition(100);
    EXPECT_EQ(edit.GetCursorPosition(), 5);
    EXPECT_EQ(window.focusWidget(), field());
    edit.SetCursorPosition(2);
    edit.SetCursorPosition(-1);
    EXPECT_EQ(edit.GetCursorPosition(), 2);

    other->setFocus();
    edit.SetSelectAll();
    EXPECT_EQ(window.focusWidget(), field());
    EXPECT_EQ(field()->selectedText(), "abcde");
    other->setFocus();
    edit.SetFocus();
    EXPECT_EQ(window.focusWidget(), field());
}

TEST_F(EditFixture, TypingReportsChangesAndEdits)
{
    showWindow();
    field()->setFocus();
    QTest::keyClicks(field(), "ab");
    EXPECT_EQ(changed, (std::vector<std::wstring>{L"a", L"ab"}));
    EXPECT_EQ(edited, (std::vector<std::wstring>{L"a", L"ab"}));
    clearRecords();
    edit.SetText(L"xyz");
    EXPECT_EQ(changed, std::vector<std::wstring>{L"xyz"}) << "no suffix, no rules: nothing written back";
    EXPECT_TRUE(edited.empty()) << "a program's change is no edit";
}

TEST_F(EditFixture, NumbersOnlyModes)
{
    auto popup = std::make_shared<RecordingPopup>();
    EXPECT_EQ(edit.IsSetOnlyNumbers(), 0);
    edit.OnlyNumbers(true, 0, 100, popup, popup);
    EXPECT_EQ(edit.IsSetOnlyNumbers(), 1);
    edit.OnlyNumbers(true, -1.0, 2.0, popup, 3);
    EXPECT_EQ(edit.IsSetOnlyNumbers(), 2);
    edit.OnlyNumbers(false, 0, 100, popup, popup);
    EXPECT_EQ(edit.IsSetOnlyNumbers(), 0);
    edit.OnlyNumbers(true, -1.0, 2.0, popup, popup, 3);
    EXPECT_EQ(edit.IsSetOnlyNumbers(), 2);
    edit.OnlyNumbers(false, -1.0, 2.0, popup, popup, 3);
    EXPECT_EQ(edit.IsSetOnlyNumbers(), 0);
}

// The rules run on every change, and the text the field ends up showing is the
// last one reported: never the rejected text after it.
TEST_F(EditFixture, TheCorrectedTextIsReportedLast)
{
    auto invalid = std::make_shared<RecordingPopup>();
    auto range = std::make_shared<RecordingPopup>();
    edit.OnlyNumbers(true, -10, 100, invalid, range);
    showWindow();
    field()->setFocus();
    QTest::keyClicks(field(), "12a");
    EXPECT_EQ(text(), L"12");
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed.back(), L"12");
    EXPECT_EQ(invalid->shows, L"001") << "shown for the dropped letter, and not hidden again at once";
    EXPECT_EQ(edited.back(), L"12a") << "the edit reports what was typed";

    clearRecords();
    QTest::keyClick(field(), Qt::Key_5);
    EXPECT_EQ(text(), L"100");
    EXPECT_EQ(changed, std::vector<std::wstring>{L"100"});
    EXPECT_EQ(range->shows.back(), L'1');
    EXPECT_EQ(invalid->shows.back(), L'0');

    clearRecords();
    edit.SetText(L"-50");
    EXPECT_EQ(text(), L"-10");
    EXPECT_EQ(changed, std::vector<std::wstring>{L"-10"});

    // Floating input with a bound keeps its decimals.
    edit.OnlyNumbers(true, 0.0, 12.75, invalid, range, 2);
    const std::wstring point(1, static_cast<wchar_t>(QLocale().decimalPoint().unicode()));
    edit.SetText(L"13");
    EXPECT_EQ(text(), L"12" + point + L"75");
    edit.SetText(L"3" + point + L"14159");
    EXPECT_EQ(text(), L"3" + point + L"14");
}

TEST_F(EditFixture, TheSuffixStaysAtTheEnd)
{
    showWindow();
    field()->setFocus();
    edit.SetSuffix(L" kg");
    EXPECT_EQ(text(), L" kg");
    EXPECT_EQ(edit.GetCursorPosition(), 0);

    edit.SetText(L"12");
    EXPECT_EQ(text(), L"12 kg") << "a program's number shows with the suffix";
    edit.SetText(L"15 kg");
    EXPECT_EQ(text(), L"15 kg") << "a text with the suffix keeps it once";
    EXPECT_EQ(changed.back(), L"15 kg");

    field()->setCursorPosition(2);
    QTest::keyClick(field(), Qt::Key_3);
    EXPECT_EQ(text(), L"153 kg");
    EXPECT_EQ(edit.GetCursorPosition(), 3) << "just after the typed digit";

    field()->end(false);
    QTest::keyClick(field(), Qt::Key_X);
    EXPECT_EQ(text(), L"153 kg") << "typed after the suffix: the last number comes back";
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(text(), L"153 kg") << "a broken suffix: the last number comes back";
    EXPECT_EQ(changed.back(), L"153 kg");

    field()->selectAll();
    QTest::keyClick(field(), Qt::Key_Delete);
    EXPECT_EQ(text(), L" kg") << "a cleared field shows the suffix alone";
    field()->end(false);
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(text(), L" kg") << "with no number, the suffix alone stays";
    EXPECT_EQ(changed.back(), L" kg");

    edit.SetText(L"7");
    edit.SetSuffix(L"%");
    EXPECT_EQ(text(), L"7%");
    EXPECT_EQ(edit.GetCursorPosition(), 0);
    edit.SetSuffix(L"");
    EXPECT_EQ(text(), L"7");

    // Suffix and numbers together.
    edit.OnlyNumbers(true, 0, 100, nullptr, nullptr);
    edit.SetSuffix(L"%");
    edit.SetText(L"150");
    EXPECT_EQ(text(), L"100%");
    field()->setCursorPosition(3);
    QTest::keyClick(field(), Qt::Key_A);
    EXPECT_EQ(text(), L"100%");
    EXPECT_EQ(changed.back(), L"100%");
}

TEST_F(EditFixture, PasteGoesThroughThePastePath)
{
    showWindow();
    field()->setFocus();
    edit.SetText(L"ab");
    field()->setCursorPosition(1);
    clearRecords();
    QTest::keySequence(field(), QKeySequence::Paste);
    EXPECT_TRUE(pasted.empty()) << "an empty clipboard pastes nothing";
    EXPECT_EQ(text(), L"ab");

    QApplication::clipboard()->setText("XY");
    QTest::keySequence(field(), QKeySequence::Paste);
    EXPECT_EQ(pasted, std::vector<std::wstring>{L"XY"});
    EXPECT_EQ(text(), L"aXYb");
    EXPECT_EQ(edited.back(), L"aXYb");

    edit.SetReadOnly(true);
    QTest::keySequence(field(), QKeySequence::Paste);
    EXPECT_EQ(pasted.size(), 1u) << "a read-only field takes no paste";
    EXPECT_EQ(text(), L"aXYb");
}

TEST_F(EditFixture, TheStandardMenusPasteEntryGoesThroughThePastePath)
{
    showWindow();
    QApplication::clipboard()->setText("42");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), field()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field(), &request);
    EXPECT_EQ(menus, 1);
    auto *menu = field()->findChild<QMenu *>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->testAttribute(Qt::WA_DeleteOnClose));
    QAction *paste = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            paste = action;
    }
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->shortcut(), QKeySequence(QKeySequence::Paste));
    paste->trigger();
    EXPECT_EQ(pasted, std::vector<std::wstring>{L"42"});
    EXPECT_EQ(text(), L"42") << "inserted once";
    menu->close();
}

// Entries that need a writable field or clipboard text are enabled or not as
// the field and the clipboard are when the menu opens.
TEST_F(EditFixture, AnInsertedMenuFollowsReadOnlyAndTheClipboard)
{
    showWindow();
    auto menu = std::make_shared<ContextMenu>();
    edit.InsertContextMenu(menu);
    EXPECT_EQ(edit.GetContextMenu(), menu);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), field()->mapToGlobal(QPoint(5, 5)));

    {
        PopupDriver driver([](QMenu *) {});
        QApplication::sendEvent(field(), &request);
        EXPECT_EQ(driver.shown, 0) << "a menu without entries shows nothing";
        EXPECT_EQ(menus, 1);
    }

    ASSERT_TRUE(menu->Create(&window));
    const auto nothing = [] {};
    menu->AddItem(L"Cut", nothing, ContextMenu::ItemDisabledIfReadOnly);
    menu->AddItem(L"Paste", nothing, ContextMenu::ItemDisabledIfReadOnly | ContextMenu::ItemDisabledIfEmptyClipBoard);
    menu->AddItem(L"Copy", nothing);
    struct Case
    {
        bool readOnly;
        const char *clipboard;
        bool cut, paste;
    };
    const Case cases[] = {
        {false, "text", true, true},
        {true, "text", false, false},
        {false, "", true, false},
        {false, "again", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.readOnly ? "read-only, " : "writable, ") + c.clipboard);
        edit.SetReadOnly(c.readOnly);
        QApplication::clipboard()->setText(c.clipboard);
        std::map<QString, bool> enabled;
        PopupDriver driver([&enabled](QMenu *shown) {
            for (QAction *action : shown->actions())
                enabled[action->text()] = action->isEnabled();
            shown->close();
        });
        QApplication::sendEvent(field(), &request);
        EXPECT_EQ(driver.shown, 1);
        EXPECT_EQ(enabled["Cut"], c.cut);
        EXPECT_EQ(enabled["Paste"], c.paste);
        EXPECT_TRUE(enabled["Copy"]);
    }
    edit.RemoveContextMenu();
    EXPECT_EQ(edit.GetContextMenu(), nullptr);
}

TEST_F(EditFixture, LosingTheFocusIsReported)
{
    showWindow();
    field()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return field()->hasFocus(); }, 5000));
    EXPECT_EQ(focusLost, 0);
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([this] { return other->hasFocus(); }, 5000));
    EXPECT_EQ(focusLost, 1);
}

TEST_F(EditFixture, AutoCompletionIgnoresCase)
{
    edit.EnableAutoComplete(true);
    EXPECT_EQ(field()->completer(), nullptr) << "nothing to complete from yet";
    edit.SetAutoComplete({L"Apple", L"apricot", L"Banana"});
    QCompleter *completer = field()->completer();
    ASSERT_NE(completer, nullptr);
    EXPECT_EQ(completer->caseSensitivity(), Qt::CaseInsensitive);
    completer->setCompletionPrefix("AP");
    EXPECT_EQ(completer->completionCount(), 2);
    edit.EnableAutoComplete(false);
    EXPECT_EQ(field()->completer(), nullptr);
    edit.EnableAutoComplete(true);
    EXPECT_EQ(field()->completer(), completer);
    edit.SetAutoComplete({L"Cherry"});
    ASSERT_NE(field()->completer(), nullptr);
    field()->completer()->setCompletionPrefix("ch");
    EXPECT_EQ(field()->completer()->completionCount(), 1);
}

TEST_F(EditFixture, TheBalloonTipShowsAndHides)
{
    showWindow();
    EXPECT_TRUE(edit.HideBalloonTip()) << "no balloon yet";
    EXPECT_TRUE(edit.ShowBalloonTip(L"Title", L"Message", BalloonTipIconWarning));
    auto *balloon = field()->findChild<PromptsPopupQt *>();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_TRUE(balloon->text().contains("Message"));
    EXPECT_TRUE(edit.HideBalloonTip());
    EXPECT_FALSE(balloon->isVisible());
    EXPECT_FALSE(edit.IsBalloonTipDisplayed()) << "apart from the base's balloon";
}

class EditButtonTest : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        red = sandbox.base() + "/red.png";
        blue = sandbox.base() + "/blue.png";
        ASSERT_TRUE(sandbox.writeFile(red, picture(Qt::red, "PNG")));
        ASSERT_TRUE(sandbox.writeFile(blue, picture(Qt::blue, "PNG")));
    }
    QToolButton *button() const { return static_cast<EditQt *>(field())->ExtendedButton(); }

    Sandbox sandbox;
    QString red;
    QString blue;
};

TEST_F(EditButtonTest, TheExtendedButtonHoversAndClicks)
{
    showWindow();
    edit.ExtendedButtonSetImage(red.toStdWString(), blue.toStdWString());
    EXPECT_EQ(field()->findChild<QToolButton *>(), nullptr) << "not before it is on";

    edit.EnableExtendedButton(red.toStdWString(), blue.toStdWString());
    QToolButton *shown = button();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(centre(shown->icon()), QColor(Qt::red).rgb());
    edit.EnableExtendedButton(blue.toStdWString(), red.toStdWString());
    EXPECT_EQ(button(), shown);
    EXPECT_EQ(field()->findChildren<QToolButton *>().size(), 1) << "once on, a second call does nothing";

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(shown, &enter);
    EXPECT_EQ(centre(shown->icon()), QColor(Qt::blue).rgb());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(field(), &move);
    EXPECT_EQ(centre(shown->icon()), QColor(Qt::red).rgb());

    QTest::mouseClick(shown, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    edit.ExtendedButtonSetImage(blue.toStdWString(), red.toStdWString());
    EXPECT_EQ(centre(shown->icon()), QColor(Qt::blue).rgb());
}

TEST_F(EditButtonTest, ButtonPicturesFromBytes)
{
    edit.EnableExtendedButton(red.toStdWString(), blue.toStdWString());
    ASSERT_NE(button(), nullptr);
    const QByteArray green = picture(Qt::green, "PNG");
    const auto *bytes = reinterpret_cast<const unsigned char *>(green.constData());
    edit.ExtendedButtonSetImage(bytes, green.size(), ImageTypePNG, false);
    EXPECT_EQ(centre(button()->icon()), QColor(Qt::green).rgb());

    const QByteArray junk("not a picture");
    edit.ExtendedButtonSetImage(reinterpret_cast<const unsigned char *>(junk.constData()), junk.size(),
                                ImageTypePNG, false);
    EXPECT_EQ(centre(button()->icon()), QColor(Qt::green).rgb()) << "bytes that do not load change nothing";
    edit.ExtendedButtonSetImage(nullptr, 10, ImageTypePNG, false);
    EXPECT_EQ(centre(button()->icon()), QColor(Qt::green).rgb());

    const QByteArray icon = picture(Qt::yellow, "ICO");
    ASSERT_FALSE(icon.isEmpty());
    edit.ExtendedButtonSetImage(reinterpret_cast<const unsigned char *>(icon.constData()), icon.size(),
                                ImageTypeICO, false);
    EXPECT_EQ(centre(button()->icon()), QColor(Qt::yellow).rgb());
    // A hover picture waits for the pointer.
    edit.ExtendedButtonSetImage(bytes, green.size(), ImageTypePNG, true);
    EXPECT_EQ(centre(button()->icon()), QColor(Qt::yellow).rgb());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(button(), &enter);
    EXPECT_EQ(centre(button()->icon()), QColor(Qt::green).rgb());
}

// Once Qt deleted the line edit, setters do nothing and getters answer empty values.
TEST(EditGoneTest, AGoneFieldIsLeftAlone)
{
    Edit edit;
    delete edit.GetWndPtr();
    EXPECT_EQ(edit.GetWndPtr(), nullptr);
    EXPECT_NO_THROW({
        edit.SetText(L"x");
        edit.SetSuffix(L"%");
        edit.SetSelection(0, 1);
        edit.SetCursorPosition(1);
        edit.SetBackgroundColor(1);
        edit.SetBorderColor(2u);
        edit.SetAutoComplete({L"a"});
        edit.EnableAutoComplete(true);
        edit.EnableExtendedButton(L"a.png", L"b.png");
        edit.ShowBalloonTip(L"t", L"m", BalloonTipIconNone);
    });
    EXPECT_EQ(edit.GetText(), L"");
    EXPECT_FALSE(edit.IsReadOnly());
    EXPECT_EQ(edit.GetCursorPosition(), 0);
    EXPECT_EQ(edit.GetBackgroundColor(), 1);
}

class EditFormTest : public DialogFormTest
{
};

TEST_F(EditFormTest, AFormsLineEditBecomesAnEditWithItsProperties)
{
    const QByteArray body = R"(
<item><widget class="QLineEdit" name="edit">
 <property name="text"><string>42</string></property>
 <property name="maxLength"><number>8</number></property>
 <property name="echoMode"><enum>QLineEdit::Password</enum></property>
 <property name="frame"><bool>false</bool></property>
 <property name="readOnly"><bool>true</bool></property>
 <property name="placeholderText"><string>amount</string></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *edit = dialog.GetControlPtr<Edit *>(L"edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetControlKind(), ControlKindEdit);
    EXPECT_EQ(edit->GetText(), L"42");
    EXPECT_EQ(edit->GetPasswordMode(), Edit::PasswordModePassword);
    EXPECT_FALSE(edit->GetFrameMode());
    EXPECT_TRUE(edit->IsReadOnly());
    auto *field = qobject_cast<QLineEdit *>(edit->GetWndPtr());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->maxLength(), 8);
    EXPECT_EQ(field->placeholderText(), "amount");
    EXPECT_EQ(field->window(), dialog.GetWndPtr());

    // The form's text is the first accepted text: a suffix goes after it.
    edit->SetSuffix(L" pt");
    EXPECT_EQ(edit->GetText(), L"42 pt");
}
