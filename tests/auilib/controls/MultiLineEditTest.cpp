#include "MultiLineEdit.h"

#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "MultiLineEditQt.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QFontMetrics>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace AUILib;

namespace {

class MultiLineEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit.Create(&window);
        edit.OnTextEdited.Subscribe([this] { events.push_back(L"edited:" + edit.GetText()); });
        edit.OnTextChanged.Subscribe([this] { events.push_back(L"changed:" + edit.GetText()); });
        edit.OnFocusLost.Subscribe([this] { events.push_back(L"focus lost"); });
    }

    MultiLineEditQt *widget() { return static_cast<MultiLineEditQt *>(edit.GetPlatformHandle()); }

    QWidget window;
    MultiLineEdit edit;
    std::vector<std::wstring> events;
};

using Events = std::vector<std::wstring>;

} // namespace

TEST_F(MultiLineEditTest, KindWidgetAndText)
{
    EXPECT_EQ(edit.GetControlKind(), ControlKindMultiLineEdit);
    EXPECT_STREQ(widget()->metaObject()->className(), "AUILib::MultiLineEditQt");
    EXPECT_EQ(widget()->parentWidget(), &window);
    EXPECT_EQ(edit.GetParentWindow(), &window);
    edit.SetText(L"one\ntwo");
    EXPECT_EQ(edit.GetText(), L"one\ntwo");
}

TEST_F(MultiLineEditTest, SetTextIsNoEditAndTheSameTextFiresNothing)
{
    edit.SetText(L"abc");
    EXPECT_EQ(events, Events{L"changed:abc"});
    edit.SetText(L"abc");
    EXPECT_EQ(events.size(), 1u);

    QTest::keyClicks(widget(), "d");
    EXPECT_EQ(events, (Events{L"changed:abc", L"edited:dabc", L"changed:dabc"}));
}

// Text over the limit is cut in one go, the characters before the cursor first,
// and the events report the text that stays, once.
TEST_F(MultiLineEditTest, TheLimitCutsOnceAndTheEventsFireOnce)
{
    edit.SetLimitText(5);
    QApplication::clipboard()->setText("abcdefgh");
    widget()->paste();
    EXPECT_EQ(edit.GetText(), L"abcde");
    EXPECT_EQ(events, (Events{L"edited:abcde", L"changed:abcde"}));

    // Typed in the middle: the character just typed goes.
    events.clear();
    widget()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(widget(), "X");
    EXPECT_EQ(edit.GetText(), L"abcde");
    EXPECT_TRUE(events.empty());

    // Text set as a whole keeps its start.
    edit.SetText(L"123456789");
    EXPECT_EQ(edit.GetText(), L"12345");
    EXPECT_EQ(events, Events{L"changed:12345"});

    edit.SetLimitText(0);
    edit.SetLimitText(-3);
    edit.SetText(L"1234567");
    EXPECT_EQ(edit.GetText(), L"12345") << "0 and negative limits keep the limit";
    edit.SetLimitText(7);
    edit.SetText(L"1234567");
    EXPECT_EQ(edit.GetText(), L"1234567");
}

TEST_F(MultiLineEditTest, FocusLossIsReported)
{
    window.show();
    QLineEdit other(&window);
    other.show();
    widget()->setFocus();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(widget(), &out);
    EXPECT_EQ(events, Events{L"focus lost"});
}

TEST_F(MultiLineEditTest, StyleFlagsAndScrollBarPolicy)
{
    window.show();
    edit.SetStyle(0, MultiLineEdit::ReadOnly | MultiLineEdit::WordWrap);
    EXPECT_TRUE(widget()->isReadOnly());
    EXPECT_EQ(widget()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    edit.SetStyle(MultiLineEdit::ReadOnly | MultiLineEdit::Frame | MultiLineEdit::Visible,
                  MultiLineEdit::ReadOnly | MultiLineEdit::Frame);
    EXPECT_FALSE(widget()->isReadOnly()) << "a flag in both ends up removed";
    EXPECT_EQ(widget()->frameShape(), QFrame::NoFrame);
    EXPECT_FALSE(widget()->isVisible());
    edit.SetStyle(MultiLineEdit::WordWrap, MultiLineEdit::Visible | MultiLineEdit::Frame);
    EXPECT_TRUE(widget()->isVisible());
    EXPECT_EQ(widget()->frameShape(), QFrame::StyledPanel);
    EXPECT_EQ(widget()->lineWrapMode(), QPlainTextEdit::NoWrap);

    const std::pair<MultiLineEdit::ScrollBarPolicy, Qt::ScrollBarPolicy> policies[] = {
        {MultiLineEdit::ScrollBarNever, Qt::ScrollBarAlwaysOff},
        {MultiLineEdit::ScrollBarAlways, Qt::ScrollBarAlwaysOn},
        {static_cast<MultiLineEdit::ScrollBarPolicy>(7), Qt::ScrollBarAsNeeded},
    };
    for (const auto &p : policies) {
        edit.SetScrollBarPolicy(p.first);
        EXPECT_EQ(widget()->verticalScrollBarPolicy(), p.second);
    }
}

TEST_F(MultiLineEditTest, SelectionByPositions)
{
    edit.SetText(L"abcdefgh");
    struct Case
    {
        long long start, end;
        long long selStart, selEnd;
    };
    const Case cases[] = {
        {2, -1, 2, 8}, // to the end
        {4, 2, 4, 4},  // a start after the end only moves the cursor
        {1, 3, 1, 3},
        {6, 50, 6, 8}, // past the text stops at its end
        {-1, 3, 8, 8}, // only clears the selection, the cursor stays
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start);
        edit.SetSel({6, 8});
        edit.SetSel({c.start, c.end});
        const MultiLineEdit::Selection sel = edit.GetSel();
        EXPECT_EQ(sel.start, c.selStart);
        EXPECT_EQ(sel.end, c.selEnd);
    }
    EXPECT_EQ(widget()->textCursor().position(), 8);
}

TEST_F(MultiLineEditTest, AdaptiveHeightFollowsTheLines)
{
    window.show();
    edit.SetText(L"one");
    edit.SetAdaptiveHeight(true);
    const int oneLine = widget()->height();
    EXPECT_EQ(widget()->minimumHeight(), widget()->maximumHeight());
    edit.SetText(L"one\ntwo\nthree");
    const int lineSpacing = QFontMetrics(widget()->font()).lineSpacing();
    EXPECT_EQ(widget()->maximumHeight() - oneLine, 2 * lineSpacing);
    const QMargins margins = widget()->contentsMargins();
    EXPECT_EQ(widget()->maximumHeight(),
              static_cast<int>(3 * lineSpacing + 2 * widget()->document()->documentMargin() + 2 * widget()->frameWidth() +
                               margins.top() + margins.bottom()));
}

TEST_F(MultiLineEditTest, AGoneWidgetMakesTheOperationsDoNothing)
{
    delete widget();
    edit.SetText(L"x");
    edit.SetStyle(0, MultiLineEdit::ReadOnly);
    edit.SetScrollBarPolicy(MultiLineEdit::ScrollBarAlways);
    edit.SetSel({1, 2});
    edit.SetAdaptiveHeight(true);
    edit.SetLimitText(3);
    EXPECT_EQ(edit.GetText(), L"");
    EXPECT_EQ(edit.GetSel().end, 0);
    EXPECT_TRUE(events.empty());
    EXPECT_THROW(edit.IdealSize(), AgnosticUIException);
}

class MultiLineEditFormTest : public DialogFormTest
{
};

TEST_F(MultiLineEditFormTest, TheFormsPropertiesApply)
{
    const QByteArray body = R"(
<item><widget class="QPlainTextEdit" name="notes">
 <property name="readOnly"><bool>true</bool></property>
 <property name="plainText"><string>first line</string></property>
 <property name="lineWrapMode"><enum>QPlainTextEdit::NoWrap</enum></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *notes = dynamic_cast<MultiLineEdit *>(dialog.GetElementByName(L"notes").get());
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->GetText(), L"first line");
    auto *widget = qobject_cast<MultiLineEditQt *>(notes->GetPlatformHandle());
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isReadOnly());
    EXPECT_EQ(widget->lineWrapMode(), QPlainTextEdit::NoWrap);
}
