#include "ItemDelegate.h"

#include "ComboBox.h"
#include "DateEdit.h"
#include "Edit.h"
#include "ListBoxFixture.h"
#include "PictureBytes.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <cstdlib>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

QByteArray png(const QColor &color, int size)
{
    const QByteArray out = FilledPictureBytes(size, size, color);
    return out;
}

// Equal up to the rounding of the grab.
bool near(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

} // namespace

class ItemDelegateTest : public ListBoxFixture
{
protected:
    void SetUp() override
    {
        ListBoxFixture::SetUp();
        list.OnEditStart.Subscribe([this](int row, Edit *editor) {
            edits.push_back("start " + std::to_string(row));
            startedWith = editor;
        });
        list.OnEditorCreated.Subscribe([this](int row, int column, BaseGUIObject *editor) {
            edits.push_back("created " + std::to_string(row) + "," + std::to_string(column));
            created = editor;
        });
        list.OnEditEnd.Subscribe([this](int row) { edits.push_back("end " + std::to_string(row)); });
        list.OnItemTextEdited.Subscribe([this](int row, int column, std::wstring before, std::wstring after) {
            edits.push_back("edited " + std::to_string(row) + "," + std::to_string(column) + " " +
                            QString::fromStdWString(before).toStdString() + ">" +
                            QString::fromStdWString(after).toStdString());
        });
    }

    ItemDelegate *delegate() { return static_cast<ItemDelegate *>(table()->itemDelegate()); }

    QWidget *open(int row, int column = 0)
    {
        table()->edit(table()->model()->index(row, column));
        return table()->indexWidget(table()->model()->index(row, column));
    }

    // Enter commits and closes from the event loop.
    void commit(QWidget *editor)
    {
        const std::size_t before = edits.size();
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return edits.size() > before && edits.back().rfind("edited", 0) == 0; }, 5000));
    }

    std::vector<std::string> edits;
    Edit *startedWith = nullptr;
    BaseGUIObject *created = nullptr;
};

TEST_F(ItemDelegateTest, TextEditorsReportTheirCellByEditableMode)
{
    show();
    const struct
    {
        ListBox::Editable editable;
        std::vector<std::string> events;
    } cases[] = {
        {ListBox::EditWithBorder, {"start 1", "created 1,0", "end 1", "edited 1,0 b>typed"}},
        {ListBox::EditWithoutFrame, {"start 1", "created 1,0", "end 1", "edited 1,0 b>typed"}},
        {ListBox::EditSilently, {"created 1,0", "edited 1,0 b>typed"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.editable);
        list.Clear();
        fill({L"a", L"b"});
        list.SetEditItems(c.editable);
        edits.clear();
        startedWith = nullptr;
        auto *line = qobject_cast<QLineEdit *>(open(1));
        ASSERT_NE(line, nullptr);
        ASSERT_NE(delegate()->TextEditor(), nullptr);
        EXPECT_EQ(created, delegate()->TextEditor());
        if (c.editable != ListBox::EditSilently) {
            EXPECT_EQ(startedWith, delegate()->TextEditor());
        }
        EXPECT_EQ(line->text(), "b");
        EXPECT_EQ(line->parentWidget(), table());
        EXPECT_EQ(line->hasFrame(), c.editable != ListBox::EditWithoutFrame);
        EXPECT_EQ(line->styleSheet().contains("border: 1px solid #"), c.editable != ListBox::EditWithoutFrame);
        line->setText("typed");
        commit(line);
        EXPECT_EQ(edits, c.events);
        EXPECT_EQ(list.GetItem(1, 0), L"typed");
        EXPECT_EQ(delegate()->TextEditor(), nullptr) << "the closed editor's control is dropped";
    }
}

TEST_F(ItemDelegateTest, EscapeStillReportsTheEditWithEqualTexts)
{
    show();
    fill({L"a"});
    list.SetEditItems(ListBox::EditWithBorder);
    auto *line = qobject_cast<QLineEdit *>(open(0));
    ASSERT_NE(line, nullptr);
    line->setText("discarded");
    QTest::keyClick(line, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !edits.empty() && edits.back().rfind("edited", 0) == 0; }, 5000));
    EXPECT_EQ(edits.back(), "edited 0,0 a>a");
    EXPECT_EQ(list.GetItem(0, 0), L"a");
}

TEST_F(ItemDelegateTest, EditModesOfCellsAndColumnsChooseTheEditor)
{
    show();
    list.SetColumnsCount(3);
    auto row = texts({L"a", L"b", L"c"});
    list.AddItemEx(row);
    const struct
    {
        ListBox::Editable editable;
        int column;
        int columnMode; // -1: none
        int cellMode;   // -1: left at its default
        bool editor;
    } cases[] = {
        {ListBox::EditWithBorder, 0, -1, ListBox::EditNone, false},  // a cell with mode 0 never edits
        {ListBox::EditWithBorder, 1, ListBox::EditNone, -1, false},   // nor a column with mode 0
        {ListBox::NotEditable, 2, ListBox::EditText, -1, true},       // a text column edits anyway
        {ListBox::NotEditable, 2, ListBox::EditDefault, -1, false},
        {ListBox::NotEditable, 1, -1, ListBox::EditText, true},       // so does a text cell
        {ListBox::EditWithBorder, 1, -1, -1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.column) + " " + std::to_string(c.columnMode) + " " + std::to_string(c.cellMode));
        list.SetEditItems(c.editable);
        list.SetColumnEditMode(c.column, c.columnMode < 0 ? ListBox::EditDefault
                                                          : static_cast<ListBox::EditMode>(c.columnMode));
        list.SetItemEditMode(0, c.column, c.cellMode < 0 ? ListBox::EditDefault
                                                         : static_cast<ListBox::EditMode>(c.cellMode));
        QWidget *editor = open(0, c.column);
        EXPECT_EQ(editor != nullptr, c.editor);
        if (editor) {
            QTest::keyClick(editor, Qt::Key_Escape);
            ASSERT_TRUE(QTest::qWaitFor([&] { return delegate()->TextEditor() == nullptr; }, 5000));
        }
        list.SetColumnEditMode(c.column, ListBox::EditDefault);
    }
}

TEST_F(ItemDelegateTest, AComboBoxEditorStartsEmptyAndWritesItsChoice)
{
    show();
    fill({L"red"});
    list.SetItemEditMode(0, 0, ListBox::EditComboBox);
    list.OnEditorCreated.Subscribe([](int, int, BaseGUIObject *editor) {
        if (auto *combo = qobject_cast<QComboBox *>(editor->GetPlatformHandle())) {
            EXPECT_EQ(combo->count(), 0);
            combo->addItems({"red", "green"});
            combo->setCurrentIndex(1);
        }
    });
    auto *combo = qobject_cast<QComboBox *>(open(0));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(created, delegate()->ComboBoxEditor());
    commit(combo);
    EXPECT_EQ(edits, (std::vector<std::string>{"created 0,0", "end 0", "edited 0,0 red>green"}));
}

// Date cells hold ISO 8601 text; the date edit's mode (the application may
// change it when the editor is made) decides what the cell keeps, and the
// edit reports the raw texts.
TEST_F(ItemDelegateTest, ADateEditorReadsAndWritesIsoDatesByItsMode)
{
    show();
    list.SetColumnsCount(2);
    list.SetColumnEditMode(1, ListBox::EditDate);
    int mode = DateEdit::DateEditModeDate;
    list.OnEditorCreated.Subscribe([&mode](int, int, BaseGUIObject *editor) {
        static_cast<DateEdit *>(editor)->SetMode(static_cast<DateEdit::DateEditMode>(mode));
    });
    const struct
    {
        int mode;
        const wchar_t *cell;
        QDateTime typed;
        const char *written;
    } cases[] = {
        {DateEdit::DateEditModeDate, L"2026-12-11", QDateTime(QDate(2026, 12, 24), QTime(0, 0)), "2026-12-24"},
        {DateEdit::DateEditModeDateTime, L"2026-12-11T08:15:00", QDateTime(QDate(2026, 12, 24), QTime(9, 30)),
         "2026-12-24T09:30:00"},
        {DateEdit::DateEditModeTime, L"08:15:00", QDateTime(QDate(2000, 1, 1), QTime(9, 30)), "09:30:00"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.written);
        list.Clear();
        auto row = texts({L"due", c.cell});
        list.AddItemEx(row);
        mode = c.mode;
        auto *date = qobject_cast<QDateTimeEdit *>(open(0, 1));
        ASSERT_NE(date, nullptr);
        EXPECT_EQ(created, delegate()->DateEditor());
        const QDateTime shown = date->dateTime();
        if (c.mode != DateEdit::DateEditModeTime) {
            EXPECT_EQ(shown.date(), QDate(2026, 12, 11));
        }
        if (c.mode != DateEdit::DateEditModeDate) {
            EXPECT_EQ(shown.time(), QTime(8, 15));
        }
        date->setDateTime(c.typed);
        commit(date);
        EXPECT_EQ(list.GetItem(0, 1), QString(c.written).toStdWString());
        EXPECT_EQ(edits.back(),
                  "edited 0,1 " + QString::fromWCharArray(c.cell).toStdString() + ">" + std::string(c.written));
    }
}

// Rows inserted or sorted while an editor is open: the report names the cell where it is now.
TEST_F(ItemDelegateTest, TheEditedCellIsFollowedWhileItsEditorIsOpen)
{
    show();
    fill({L"a", L"b", L"c"});
    list.SetEditItems(ListBox::EditWithBorder);
    QWidget *editor = open(2);
    ASSERT_NE(editor, nullptr);
    list.InsertItem(0, L"new");
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !edits.empty() && edits.back().rfind("edited", 0) == 0; }, 5000));
    EXPECT_EQ(edits, (std::vector<std::string>{"start 2", "created 2,0", "end 3", "edited 3,0 c>c"}));

    // Deleting the row under an open editor closes it: the edit is reported
    // while the row is still there, and the editor control goes.
    edits.clear();
    editor = open(1);
    ASSERT_NE(editor, nullptr);
    list.DeleteItem(1);
    EXPECT_EQ(edits, (std::vector<std::string>{"start 1", "created 1,0", "end 1", "edited 1,0 a>a"}));
    EXPECT_EQ(delegate()->TextEditor(), nullptr);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"new", L"b", L"c"}));
}

TEST_F(ItemDelegateTest, TheWheelAndHidingTheSelectionCloseTheEditor)
{
    show();
    fill({L"a"});
    list.SetEditItems(ListBox::EditWithBorder);
    ASSERT_NE(open(0), nullptr);
    QWheelEvent wheel(QPointF(5, 5), table()->viewport()->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(table()->viewport(), &wheel);
    EXPECT_EQ(delegate()->TextEditor(), nullptr);
    EXPECT_EQ(edits.back(), "edited 0,0 a>a");

    edits.clear();
    ASSERT_NE(open(0), nullptr);
    list.ShowSelection(false);
    EXPECT_EQ(delegate()->TextEditor(), nullptr);
    EXPECT_EQ(edits.back(), "edited 0,0 a>a");
    EXPECT_FALSE(delegate()->ShowsSelection());
    EXPECT_EQ(table()->palette().color(QPalette::Highlight), table()->palette().color(QPalette::Base));
    list.ShowSelection(true);
    EXPECT_NE(table()->palette().color(QPalette::Highlight), table()->palette().color(QPalette::Base));
}

TEST_F(ItemDelegateTest, ADoubleClickOpensTheEditorOverTheCell)
{
    show();
    fill({L"a", L"b"});
    list.SetEditItems(ListBox::EditWithBorder);
    doubleClick(centre(1));
    ASSERT_NE(delegate()->TextEditor(), nullptr);
    QWidget *editor = delegate()->TextEditor()->GetPlatformHandle();
    const QRect cell = table()->visualRect(table()->model()->index(1, 0));
    EXPECT_EQ(editor->geometry().top(), cell.top() + 1);
    EXPECT_EQ(editor->geometry().bottom(), cell.bottom() - 1);
    EXPECT_EQ(editor->geometry().right(), cell.right() + 1);
    EXPECT_GT(editor->geometry().left(), cell.left());
}

// The extras drawn over the standard cells: grabbed, and read pixel by pixel.
TEST_F(ItemDelegateTest, CellsAreUnderlinedAndShowTheRowButtonAndSelectedPictures)
{
    list.SetColumnsCount(2);
    list.SetItemsHeight(24);
    for (const wchar_t *text : {L"a", L"b"}) {
        auto row = texts({text, L"x"});
        list.AddItemEx(row);
    }
    const QByteArray blue = png(Qt::blue, 10);
    list.AddRowButton(reinterpret_cast<const unsigned char *>(blue.constData()), blue.size(), ImageTypePNG);
    const QByteArray red = png(Qt::red, 16);
    list.AddPicture(1, reinterpret_cast<const unsigned char *>(red.constData()), red.size(), ImageTypePNG, 16,
                    BitmapTypeDefault);
    list.UnderlineItems(true);
    list.SetSel(1, true);
    show();

    const QImage image = table()->viewport()->grab().toImage();
    const QRect first = table()->visualRect(table()->model()->index(0, 0));
    const QColor midlight = QApplication::palette().color(QPalette::Midlight);
    EXPECT_TRUE(near(image.pixelColor(first.center().x(), first.bottom()), midlight));
    EXPECT_FALSE(near(image.pixelColor(first.center().x(), first.bottom() - 3), midlight));

    const QRect button = table()->visualRect(table()->model()->index(0, 2));
    EXPECT_EQ(image.pixelColor(button.center()), QColor(Qt::blue));
    EXPECT_NE(table()->item(0, 2), nullptr) << "painting gave the button a cell for the hit test";

    // The selected row's picture sits on a light band at the cell's left.
    const QRect picture = table()->visualRect(table()->model()->index(1, 0));
    const int margin = table()->style()->pixelMetric(QStyle::PM_HeaderMargin) + 1;
    EXPECT_EQ(image.pixelColor(picture.left() + margin + 8, picture.center().y()), QColor(Qt::red));
    EXPECT_TRUE(near(image.pixelColor(picture.left() + 1, picture.center().y()),
                     QApplication::palette().color(QPalette::Light)));
}
