#include "RichEdit.h"

#include "AgnosticUIException.h"
#include "DialogForms.h"
#include "RichEditQt.h"

#include <QTest>
#include <QTextCharFormat>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace AUILib;

namespace {

class RichEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        edit.Create(&window);
        edit.OnTextEdited.Subscribe([this] { events.push_back(L"edited"); });
        edit.OnTextChanged.Subscribe([this] { events.push_back(L"changed"); });
    }

    RichEditQt *widget() { return static_cast<RichEditQt *>(edit.GetPlatformHandle()); }

    // The character format inside [start, end).
    QTextCharFormat formatAt(int position)
    {
        QTextCursor cursor(widget()->document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }

    QWidget window;
    RichEdit edit;
    std::vector<std::wstring> events;
};

using Events = std::vector<std::wstring>;
using Format = RichEdit::CharFormat_;

} // namespace

TEST_F(RichEditTest, KindWidgetDefaultsAndEvents)
{
    EXPECT_EQ(edit.GetControlKind(), ControlKindRichEdit);
    EXPECT_STREQ(widget()->metaObject()->className(), "AUILib::RichEditQt");
    EXPECT_EQ(edit.GetParentWindow(), &window);
    EXPECT_FALSE(edit.acceptRichText());
    EXPECT_EQ(widget()->lineWrapMode(), QTextEdit::NoWrap);
    edit.setAcceptRichText(true);
    EXPECT_TRUE(widget()->acceptRichText());

    edit.SetText(L"<b>plain</b>");
    EXPECT_EQ(edit.GetText(), L"<b>plain</b>");
    EXPECT_EQ(events, Events{L"changed"});
    events.clear();
    QTest::keyClicks(widget(), "x");
    EXPECT_EQ(events, (Events{L"edited", L"changed"}));
}

TEST_F(RichEditTest, TheSelectionsFormatIsReplacedNotMerged)
{
    edit.SetText(L"Hello world");
    events.clear();

    edit.SetSel({6, 6});
    edit.SetSelectionCharFormat(Format{20, 0xff0000, Format::Bold, L""});
    EXPECT_TRUE(events.empty()) << "without a selection nothing changes";
    EXPECT_FALSE(formatAt(6).hasProperty(QTextFormat::FontPointSize));

    edit.SetSel({0, 5});
    edit.SetSelectionCharFormat(Format{20, 0x123456, Format::Bold | Format::Italic, L"Serif"});
    EXPECT_EQ(events, (Events{L"edited", L"changed"})) << "a format change is a change of the text";
    edit.SetSel({3, 3});
    Format read = edit.GetSelectionCharFormat();
    EXPECT_EQ(read.pointSize, 20);
    EXPECT_EQ(read.color, 0x123456);
    EXPECT_EQ(read.effects, Format::Bold | Format::Italic);
    EXPECT_EQ(read.faceName, L"Serif");
    EXPECT_EQ(formatAt(3).foreground().color().alpha(), 255);
    EXPECT_FALSE(formatAt(7).fontItalic()) << "outside the selection nothing changed";

    // Only underline: no longer bold, italic, sized or coloured.
    edit.SetSel({0, 5});
    edit.SetSelectionCharFormat(Format{-1, -1, Format::Underline, L""});
    edit.SetSel({3, 3});
    read = edit.GetSelectionCharFormat();
    EXPECT_EQ(read.effects, Format::Underline);
    EXPECT_EQ(read.pointSize, 0);
    EXPECT_EQ(read.color, 0);
    EXPECT_EQ(read.faceName, L"");

    edit.SetSel({0, -1});
    edit.SetSelectionCharFormat(Format{-1, -1, Format::StrikeOut, L""});
    EXPECT_EQ(formatAt(8).fontStrikeOut(), true);
    edit.SetSelectionCharFormat(Format{});
    const QTextCharFormat normal = formatAt(2);
    EXPECT_EQ(normal.intProperty(QTextFormat::FontWeight), 50);
    EXPECT_FALSE(normal.fontItalic());
    EXPECT_FALSE(normal.fontUnderline());
    EXPECT_FALSE(normal.fontStrikeOut());
    EXPECT_EQ(edit.GetSel().start, 0);
    EXPECT_EQ(edit.GetSel().end, 11);
}

TEST_F(RichEditTest, StyleFlags)
{
    window.show();
    edit.SetStyle(0, RichEdit::ReadOnly | RichEdit::WordWrap);
    EXPECT_TRUE(widget()->isReadOnly());
    EXPECT_EQ(widget()->lineWrapMode(), QTextEdit::WidgetWidth);
    edit.SetStyle(RichEdit::ReadOnly | RichEdit::Visible | RichEdit::Frame, RichEdit::ReadOnly);
    EXPECT_FALSE(widget()->isReadOnly());
    EXPECT_FALSE(widget()->isVisible());
    EXPECT_EQ(widget()->frameShape(), QFrame::NoFrame);
}

TEST_F(RichEditTest, AGoneWidgetMakesTheOperationsDoNothing)
{
    delete widget();
    edit.SetText(L"x");
    edit.SetStyle(0, RichEdit::ReadOnly);
    edit.SetSel({0, 1});
    edit.SetSelectionCharFormat(Format{10, 0, Format::Bold, L"Serif"});
    edit.setAcceptRichText(true);
    EXPECT_FALSE(edit.acceptRichText());
    EXPECT_EQ(edit.GetText(), L"");
    EXPECT_EQ(edit.GetSelectionCharFormat().pointSize, -1);
    EXPECT_EQ(edit.GetSel().end, 0);
    EXPECT_THROW(edit.Show(true, false), AgnosticUIException);
}

class RichEditFormTest : public DialogFormTest
{
};

TEST_F(RichEditFormTest, TheFormsPropertiesApply)
{
    const QByteArray body = R"(
<item><widget class="QTextEdit" name="rich">
 <property name="acceptRichText"><bool>true</bool></property>
 <property name="lineWrapMode"><enum>QTextEdit::WidgetWidth</enum></property>
 <property name="plainText"><string>from the form</string></property>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *rich = dynamic_cast<RichEdit *>(dialog.GetElementByName(L"rich").get());
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(rich->GetText(), L"from the form");
    EXPECT_TRUE(rich->acceptRichText()) << "the form's value wins over the control's default";
    EXPECT_EQ(qobject_cast<RichEditQt *>(rich->GetPlatformHandle())->lineWrapMode(), QTextEdit::WidgetWidth);
}
