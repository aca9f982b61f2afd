#include "ComboBox.h"

#include "ComboBoxImpl.h"
#include "ComboBoxItemDelegate.h"
#include "ComboBoxQt.h"
#include "DialogForms.h"
#include "PopupDriver.h"
#include "PromptsPopupQt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCompleter>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

std::string narrow(const std::wstring &text) { return QString::fromStdWString(text).toStdString(); }

// A shown combo box in a window, with every event it fires written to a log.
class ComboBoxFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        combo.Create(&window);
        widget()->setGeometry(10, 10, 200, 28);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        combo.OnSelectionChanged.Subscribe([this](int i) { log.push_back("selection:" + std::to_string(i)); });
        combo.OnTextEdited.Subscribe([this](std::wstring t) { log.push_back("edited:" + narrow(t)); });
        combo.OnTextChanged.Subscribe([this](std::wstring t) { log.push_back("changed:" + narrow(t)); });
        combo.OnTextReplaced.Subscribe(
            [this](std::wstring a, std::wstring b) { log.push_back("replaced:" + narrow(a) + ">" + narrow(b)); });
        combo.OnPaste.Subscribe([this](std::wstring t) { log.push_back("paste:" + narrow(t)); });
        combo.OnItemSelected.Subscribe([this](int i) { log.push_back("item:" + std::to_string(i)); });
    }

    ComboBoxQt *widget() { return static_cast<ComboBoxQt *>(combo.GetPlatformHandle()); }
    QStandardItemModel *model() { return static_cast<QStandardItemModel *>(widget()->model()); }

    // A key sent to `target` as the keyboard would; true when it was accepted.
    static bool press(QWidget *target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    }

    QWidget window;
    ComboBox combo;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

} // namespace

TEST_F(ComboBoxFixture, IsAComboBoxPlacedUnderItsParent)
{
    EXPECT_EQ(combo.GetControlKind(), ControlKindComboBox);
    EXPECT_STREQ(widget()->metaObject()->className(), "AUILib::ComboBoxQt");
    EXPECT_EQ(widget()->parentWidget(), &window);
    EXPECT_EQ(combo.GetParentWindow(), &window);
    EXPECT_EQ(combo.GetWndPtr(), widget());
    EXPECT_EQ(widget()->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(widget()->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_NE(qobject_cast<ComboBox::impl::ItemDelegate *>(widget()->itemDelegate()), nullptr);
}

TEST_F(ComboBoxFixture, RowsAreInsertedWithinTheListAndKeepTheirData)
{
    combo.AddItem(L"a", any(1L));
    combo.AddItem(L"b", any());
    combo.AddItem(L"c", any(std::wstring(L"three")));
    struct Case {
        int index;
        int row;
    } cases[] = {{-5, 0}, {1000, 4}, {2, 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(combo.InsertItem(c.index, L"new", any(c.index)), c.row);
        EXPECT_EQ(combo.GetItemText(c.row), L"new");
        ASSERT_NE(combo.GetItemData(c.row).cast<int>(), nullptr);
        EXPECT_EQ(*combo.GetItemData(c.row).cast<int>(), c.index);
    }
    // a, b and c are now at rows 1, 3 and 4.
    EXPECT_EQ(*combo.GetItemData(1).cast<long>(), 1L);
    EXPECT_TRUE(combo.GetItemData(3).empty());
    EXPECT_FALSE(widget()->itemData(3, Qt::UserRole).isValid()) << "no entry for an empty value";
    EXPECT_EQ(*combo.GetItemData(4).cast<std::wstring>(), L"three");

    // A copy handed out does not change the stored value.
    any copy = combo.GetItemData(1);
    *copy.cast<long>() = 99;
    EXPECT_EQ(*combo.GetItemData(1).cast<long>(), 1L);

    // An empty value set on a row gives it an id all the same.
    EXPECT_TRUE(combo.SetItemData(3, any()));
    EXPECT_TRUE(widget()->itemData(3, Qt::UserRole).isValid());
    EXPECT_TRUE(combo.GetItemData(3).empty());
    EXPECT_FALSE(combo.SetItemData(-1, any(1)));
    EXPECT_FALSE(combo.SetItemData(combo.Count(), any(1)));

    EXPECT_TRUE(combo.RemoveItemData(1));
    EXPECT_EQ(widget()->itemData(1, Qt::UserRole).toInt(), -1);
    EXPECT_FALSE(combo.RemoveItemData(1)) << "a row without data";
    EXPECT_EQ(widget()->itemData(1, Qt::UserRole).toInt(), -1);
    EXPECT_FALSE(combo.RemoveItemData(100));

    const int count = combo.Count();
    combo.DeleteString(4);
    EXPECT_EQ(combo.Count(), count - 1);
    combo.Clear();
    EXPECT_EQ(combo.Count(), 0);
    // Ids go on growing after a clear: no old row's data comes back.
    combo.AddItem(L"x", any(5));
    EXPECT_GT(widget()->itemData(0, Qt::UserRole).toInt(), 6);
    EXPECT_EQ(*combo.GetItemData(0).cast<int>(), 5);
}

TEST_F(ComboBoxFixture, HeadersAndSeparatorsCannotBeChosen)
{
    EXPECT_EQ(combo.AddSeparator(L"Group", any(7)), 0);
    combo.AddItem(L"one", any());
    EXPECT_EQ(combo.AddSeparator(L"", any(8)), 2);
    combo.AddItem(L"two", any());
    EXPECT_EQ(combo.InsertSeparator(99, L"", any()), 4);

    const QModelIndex header = model()->index(0, 0);
    EXPECT_EQ(header.data(Qt::AccessibleDescriptionRole).toString(), "header");
    EXPECT_EQ(header.flags() & (Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable), Qt::NoItemFlags);
    EXPECT_EQ(header.data(Qt::FontRole).value<QFont>().family(), "Arial");
    EXPECT_EQ(*combo.GetItemData(0).cast<int>(), 7);
    EXPECT_TRUE(combo.IsItemDisabled(0));
    const QModelIndex separator = model()->index(2, 0);
    EXPECT_EQ(separator.data(Qt::AccessibleDescriptionRole).toString(), "separator");
    EXPECT_FALSE(separator.flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(combo.GetItemData(2).empty()) << "a separator keeps no data";
    combo.SetSeparatorColor(0xff0000);
}

// Up and Down skip what cannot be chosen and report only a move onto a row
// that can; where no such row is left the key is not used.
TEST_F(ComboBoxFixture, ArrowKeysReportOnlySelectableRows)
{
    combo.AddSeparator(L"Head", any());
    combo.AddItem(L"one", any());
    combo.AddSeparator(L"", any());
    combo.AddItem(L"two", any());
    combo.SetCurSel(1);
    log.clear();
    struct Case {
        int key;
        bool accepted;
        Log events;
    } cases[] = {
        {Qt::Key_Up, false, {}},
        {Qt::Key_Down, true, {"selection:3", "item:3"}},
        {Qt::Key_Down, false, {}},
        {Qt::Key_Up, true, {"selection:1", "item:1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key == Qt::Key_Up ? "up" : "down");
        log.clear();
        EXPECT_EQ(press(widget(), c.key), c.accepted);
        EXPECT_EQ(log, c.events);
    }
    // The same through a text field, which passes the arrows on to the combo box.
    combo.SetEditable(true);
    log.clear();
    EXPECT_FALSE(press(widget()->lineEdit(), Qt::Key_Up));
    EXPECT_TRUE(press(widget()->lineEdit(), Qt::Key_Down));
    EXPECT_EQ(log, (Log{"edited:two", "changed:two", "replaced:one>two", "selection:3", "item:3"}));
}

TEST_F(ComboBoxFixture, TypingAndCodeReportTheirTextChanges)
{
    combo.AddItem(L"Alpha", any());
    combo.AddItem(L"Beta", any());
    combo.SetEditable(true);
    EXPECT_EQ(combo.CurrentText(), L"Alpha");
    log.clear();

    QLineEdit *edit = widget()->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(log, (Log{"edited:7", "changed:7", "replaced:Alpha>7"})) << "the previous text is the one shown";
    log.clear();
    combo.SetCurrentText(L"9");
    EXPECT_EQ(log, (Log{"changed:9", "replaced:7>9"})) << "no OnTextEdited for code";
    log.clear();
    // Only SetCurrentText is kept from OnTextEdited; a row chosen by code
    // writes the field before the row is reported.
    combo.SetCurSel(1);
    EXPECT_EQ(log, (Log{"edited:Beta", "changed:Beta", "replaced:9>Beta", "selection:1"}));
}

TEST_F(ComboBoxFixture, ThePasteKeyPastesOnceAndReportsTheField)
{
    combo.SetEditable(true);
    combo.SetCurrentText(L"x");
    QApplication::clipboard()->setText("abc");
    log.clear();
    QLineEdit *edit = widget()->lineEdit();
    edit->setFocus();
    edit->end(false);
    // As the keyboard delivers it, to the text field holding the focus.
    EXPECT_TRUE(press(edit, Qt::Key_V, Qt::ControlModifier));
    EXPECT_EQ(edit->text(), "xabc");
    EXPECT_EQ(log, (Log{"edited:xabc", "changed:xabc", "replaced:x>xabc", "paste:xabc"}));
    // Sent to the combo box itself.
    log.clear();
    EXPECT_TRUE(press(widget(), Qt::Key_V, Qt::ControlModifier));
    EXPECT_EQ(edit->text(), "xabcabc");
    EXPECT_EQ(log.back(), "paste:xabcabc");
    EXPECT_EQ(std::count(log.begin(), log.end(), "paste:xabcabc"), 1);

    // Without a text field the key pastes nothing and reports nothing.
    combo.SetEditable(false);
    log.clear();
    press(widget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string &e) { return e.rfind("paste", 0) == 0; }),
              0);
}

TEST_F(ComboBoxFixture, TheContextMenusPasteIsReported)
{
    // Without a text field there is no menu to show.
    widget()->ShowContextMenu(QPoint(2, 2));

    combo.SetEditable(true);
    combo.SetCurrentText(L"q");
    QApplication::clipboard()->setText("42");
    widget()->lineEdit()->end(false);
    log.clear();
    const QString paste = QCoreApplication::translate("QLineEdit", "&Paste");
    PopupDriver driver([&](QMenu *menu) {
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(paste)) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
    widget()->ShowContextMenu(QPoint(2, 2));
    EXPECT_EQ(driver.shown, 1);
    EXPECT_EQ(combo.CurrentText(), L"q42");
    EXPECT_EQ(std::count(log.begin(), log.end(), "paste:q42"), 1);
    EXPECT_EQ(log.back(), "paste:q42");
}

TEST_F(ComboBoxFixture, ColoursAddStyleRules)
{
    combo.SetTextColor(0x2189f7);
    const QString text = "QComboBox QAbstractItemView { color: #ff2189f7; } QComboBox { color: #ff2189f7; }";
    EXPECT_EQ(widget()->styleSheet(), text);
    combo.SetTextColor(0x802189f7);
    EXPECT_EQ(widget()->styleSheet(), text + text) << "the top byte is ignored; rules add up";
    combo.SetSelectedItemTextColor(0x010203);
    EXPECT_TRUE(widget()->styleSheet().endsWith("QComboBox QAbstractItemView { selection-color: #ff010203; }"));
    // These leave the widget alone.
    const QString before = widget()->styleSheet();
    combo.SetSelectedItemBgColor(0xff00ff00);
    combo.SetBackgroundColor(1, 2, 3);
    combo.SetDropDownButtonBackgroundColor(4);
    combo.ResetDropDownButtonBackgroundColor();
    combo.SetBorderRadius(5);
    combo.AddButton(0, L"/nonexistent.png");
    combo.AddButton(0, nullptr, 0, ImageTypePNG);
    EXPECT_EQ(widget()->styleSheet(), before);
}

TEST_F(ComboBoxFixture, EveryPictureTakesTheSizeOfTheFirst)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto picture = [](int w, int h) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(Qt::red);
        return image;
    };
    const QString wide = dir.filePath("wide.png");
    ASSERT_TRUE(picture(40, 20).save(wide));
    QByteArray square;
    QBuffer buffer(&square);
    buffer.open(QIODevice::WriteOnly);
    picture(10, 10).save(&buffer, "PNG");

    for (int i = 0; i < 4; ++i)
        combo.AddItem(L"row", any());
    // Nothing to show: no size is fixed yet.
    combo.AddPicture(0, (dir.path() + "/missing.png").toStdWString(), ScalePictureToHeight, Size{}, BitmapTypeDefault);
    EXPECT_TRUE(widget()->itemIcon(0).isNull());

    const int iconHeight = widget()->iconSize().height();
    combo.AddPicture(0, wide.toStdWString(), ScalePictureToHeight, Size{}, BitmapTypeDefault);
    const QSize first(2 * iconHeight, iconHeight);
    EXPECT_EQ(widget()->iconSize(), first);
    EXPECT_FALSE(widget()->itemIcon(0).isNull());
    // A later scaling is not used; the size stays the first picture's.
    combo.AddPicture(1, reinterpret_cast<const unsigned char *>(square.constData()), square.size(), ImageTypePNG,
                     ScalePictureKeepSize, Size{}, BitmapTypeDefault);
    EXPECT_EQ(widget()->iconSize(), first);
    ASSERT_FALSE(widget()->itemIcon(1).isNull());
    EXPECT_EQ(widget()->itemIcon(1).availableSizes().value(0), QSize(iconHeight, iconHeight));

    combo.AddPicture(1, nullptr, 0, ImageTypePNG, ScalePictureKeepSize, Size{}, BitmapTypeDefault);
    EXPECT_TRUE(widget()->itemIcon(1).isNull()) << "no bytes remove the picture";
}

TEST_F(ComboBoxFixture, RowFontsMergeAndTheComboBoxTakesTheCurrentRowsFont)
{
    combo.AddItem(L"plain", any());
    combo.AddItem(L"styled", any());
    const FontData unset = combo.GetItemFont(0);
    EXPECT_TRUE(unset.faceName.empty());
    EXPECT_EQ(unset.size, -1.0);
    EXPECT_EQ(unset.bold, -1);
    EXPECT_EQ(unset.italic, -1);
    EXPECT_EQ(unset.underline, -1);
    EXPECT_EQ(unset.charset, -1);

    FontData nothing;
    combo.SetItemFont(1, nothing);
    EXPECT_FALSE(widget()->itemData(1, Qt::FontRole).isValid()) << "a record that sets nothing changes nothing";
    FontData first;
    first.bold = 1;
    first.size = 15;
    combo.SetItemFont(1, first);
    FontData second;
    second.italic = 1;
    second.faceName = L"Serif";
    combo.SetItemFont(1, second);
    combo.SetItemFont(5, second);
    const FontData merged = combo.GetItemFont(1);
    EXPECT_EQ(merged.faceName, L"Serif");
    EXPECT_EQ(merged.size, 15.0);
    EXPECT_EQ(merged.bold, 1);
    EXPECT_EQ(merged.italic, 1);
    EXPECT_EQ(merged.underline, -1) << "a font never reports 0";

    // The combo box takes the font of a row that has one, before it reports the row.
    bool boldWhenReported = false;
    combo.OnSelectionChanged.Subscribe([&](int) { boldWhenReported = widget()->font().bold(); });
    combo.SetCurSel(1);
    EXPECT_TRUE(boldWhenReported);
    EXPECT_EQ(widget()->font().pointSize(), 15);
    EXPECT_EQ(widget()->font().family(), "Serif");
    combo.SetCurSel(0);
    EXPECT_TRUE(widget()->font().bold()) << "a row without a font leaves the font alone";

    FontData whole;
    whole.bold = 0;
    whole.underline = 1;
    combo.SetFont(whole);
    EXPECT_FALSE(widget()->font().bold());
    EXPECT_TRUE(widget()->font().underline());
}

TEST_F(ComboBoxFixture, FindStringMatchesTheStartInAnyCaseAndWraps)
{
    for (const wchar_t *text : {L"Abc", L"xyz", L"abd", L"ABX"})
        combo.AddItem(text, any());
    struct Case {
        const wchar_t *text;
        int startAfter;
        int row;
    } cases[] = {
        {L"ab", -1, 0}, {L"ab", 0, 2}, {L"ab", 2, 3}, {L"ab", 3, 0}, {L"ab", 50, 0},
        {L"XY", -1, 1}, {L"q", -1, -1}, {L"abx", -7, 3}, {L"ab", INT_MAX, 0}, {L"xy", INT_MIN, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(narrow(c.text) + " after " + std::to_string(c.startAfter));
        EXPECT_EQ(combo.FindString(c.text, c.startAfter), c.row);
    }
}

TEST_F(ComboBoxFixture, DisablingTheCurrentRowLeavesNoneCurrent)
{
    combo.AddItem(L"a", any());
    combo.AddItem(L"b", any());
    combo.SetCurSel(1);
    combo.DisableItem(0, true);
    EXPECT_TRUE(combo.IsItemDisabled(0));
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.DisableItem(1, true);
    EXPECT_EQ(combo.GetCurSel(), -1);
    combo.DisableItem(0, false);
    EXPECT_FALSE(combo.IsItemDisabled(0));
    EXPECT_FALSE(combo.IsItemDisabled(9));
    combo.DisableItem(9, true);
}

TEST_F(ComboBoxFixture, TextFieldOperationsNeedATextField)
{
    combo.AddItem(L"hello world", any());
    combo.SetEditSel(0, 3);
    combo.SetCaretPosition(2);
    EXPECT_EQ(combo.SelectionLength(), -1);
    EXPECT_EQ(combo.SelectionStart(), -1);
    EXPECT_EQ(combo.GetCaretPosition(), -1);
    EXPECT_FALSE(combo.ShowBalloonTip(L"t", L"m", BalloonTipIconWarning));
    EXPECT_FALSE(combo.HideBalloonTip());

    combo.SetEditable(true);
    combo.SetEditSel(6, 5);
    EXPECT_EQ(combo.SelectionStart(), 6);
    EXPECT_EQ(combo.SelectionLength(), 5);
    combo.SetCaretPosition(4);
    EXPECT_EQ(combo.GetCaretPosition(), 4);
    EXPECT_TRUE(widget()->hasFocus());

    EXPECT_FALSE(combo.HideBalloonTip()) << "no balloon yet";
    EXPECT_TRUE(combo.ShowBalloonTip(L"Title", L"Message", BalloonTipIconWarning));
    auto *balloon = widget()->lineEdit()->findChild<PromptsPopupQt *>();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_TRUE(balloon->text().contains("Message"));
    EXPECT_TRUE(combo.HideBalloonTip());
    EXPECT_FALSE(balloon->isVisible());
    EXPECT_TRUE(combo.ShowBalloonTip(L"Title", L"Again", BalloonTipIconNone));
    combo.SetEditable(false);
    EXPECT_FALSE(balloon->isVisible()) << "the text field goes, its balloon too";
}

TEST_F(ComboBoxFixture, DropDownCompletionAndAddingOnEnter)
{
    combo.AddItem(L"apple", any());
    combo.AddItem(L"banana", any());
    combo.ShowDropDown(true);
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_TRUE(widget()->view()->isVisible());
    combo.ShowDropDown(false);
    EXPECT_FALSE(combo.GetDroppedState());

    combo.SetMaxVisibleItems(4);
    EXPECT_EQ(combo.GetMaxVisibleItems(), 4);
    combo.AdjustItemWidth();
    EXPECT_EQ(widget()->sizeAdjustPolicy(), QComboBox::AdjustToContents);

    combo.SetAutoComplete(true);
    EXPECT_FALSE(combo.IsAutoComplete()) << "completion needs a text field";
    combo.SetEditable(true);
    EXPECT_FALSE(combo.IsAutoComplete()) << "the text field starts without";
    combo.SetAutoComplete(true);
    ASSERT_TRUE(combo.IsAutoComplete());
    EXPECT_EQ(widget()->completer()->completionMode(), QCompleter::InlineCompletion);
    EXPECT_EQ(widget()->completer()->caseSensitivity(), Qt::CaseInsensitive);
    combo.SetAutoComplete(false);
    EXPECT_FALSE(combo.IsAutoComplete());

    QLineEdit *edit = widget()->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "cherry");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(combo.Count(), 2) << "Enter adds nothing by default";
    combo.SetAddToListOnEnterKey(true);
    EXPECT_EQ(widget()->insertPolicy(), QComboBox::InsertAtBottom);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(combo.Count(), 3);
    EXPECT_EQ(combo.GetItemText(2), L"cherry");
    combo.SetEditable(false);
    combo.SetAddToListOnEnterKey(true);
    EXPECT_EQ(widget()->insertPolicy(), QComboBox::NoInsert);
}

TEST_F(ComboBoxFixture, EditListModeDrawsTheClosedComboBoxAsATextField)
{
    combo.AddItem(L"shown", any());
    combo.EnableEditListMode(true);
    EXPECT_FALSE(widget()->IsEditListMode()) << "needs a text field";
    combo.SetEditable(true);
    const QImage plain = widget()->grab().toImage();
    combo.EnableEditListMode(true);
    EXPECT_TRUE(widget()->IsEditListMode());
    const QImage listMode = widget()->grab().toImage();
    EXPECT_NE(plain, listMode);
    combo.SetCurSel(-1);
    EXPECT_FALSE(widget()->grab().isNull());
    combo.SetEditable(false);
    EXPECT_FALSE(widget()->IsEditListMode());
}

TEST_F(ComboBoxFixture, TheDelegateDrawsHeadersOnTheDarkColourAndSizesRowsByFont)
{
    combo.AddSeparator(L"Head", any());
    combo.AddItem(L"row", any());
    combo.AddSeparator(L"", any());
    FontData big;
    big.size = 30;
    combo.SetItemFont(1, big);
    QPalette palette = widget()->palette();
    palette.setColor(QPalette::Dark, QColor(10, 20, 30));
    palette.setColor(QPalette::Button, QColor(200, 210, 220));
    widget()->setPalette(palette);

    auto *delegate = widget()->itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(widget()->view());
    option.rect = QRect(0, 0, 100, 20);
    auto paintRow = [&](int row) {
        QImage image(100, 20, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        delegate->paint(&painter, option, model()->index(row, 0));
        return image;
    };
    const QImage header = paintRow(0);
    EXPECT_EQ(header.pixelColor(95, 2), QColor(10, 20, 30));
    const QImage separator = paintRow(2);
    EXPECT_EQ(separator.pixelColor(50, 2), QColor(200, 210, 220));
    EXPECT_NE(separator.pixelColor(50, 9), QColor(200, 210, 220)) << "the line through the middle";

    const int height = delegate->sizeHint(option, model()->index(1, 0)).height();
    EXPECT_EQ(height, QFontMetrics(model()->index(1, 0).data(Qt::FontRole).value<QFont>()).height() + 4);
    EXPECT_EQ(delegate->sizeHint(option, model()->index(2, 0)).height(), QFontMetrics(QFont()).height() + 4);
}

TEST(ComboBoxTest, AGoneWidgetAnswersNeutrally)
{
    ComboBox combo;
    combo.AddItem(L"a", any(1));
    delete combo.GetPlatformHandle();
    EXPECT_EQ(combo.GetWndPtr(), nullptr);
    EXPECT_EQ(combo.AddItem(L"b", any()), -1);
    EXPECT_EQ(combo.InsertSeparator(0, L"h", any()), -1);
    EXPECT_EQ(combo.Count(), -1);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.GetItemText(0), L"");
    EXPECT_EQ(combo.CurrentText(), L"");
    EXPECT_TRUE(combo.GetItemData(0).empty());
    EXPECT_FALSE(combo.SetItemData(0, any(2)));
    EXPECT_FALSE(combo.RemoveItemData(0));
    EXPECT_EQ(combo.FindString(L"a", -1), -1);
    EXPECT_EQ(combo.GetMaxVisibleItems(), 0);
    EXPECT_FALSE(combo.IsAutoComplete());
    EXPECT_EQ(combo.SelectionLength(), -1);
    EXPECT_EQ(combo.SelectionStart(), -1);
    EXPECT_EQ(combo.GetCaretPosition(), -1);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_FALSE(combo.IsItemDisabled(0));
    EXPECT_EQ(combo.GetItemFont(0).size, -1.0);
    EXPECT_FALSE(combo.ShowBalloonTip(L"", L"m", BalloonTipIconNone));
    EXPECT_FALSE(combo.HideBalloonTip());
    FontData font;
    font.bold = 1;
    // Setters do nothing.
    combo.SetCurSel(0);
    combo.SetCurrentText(L"x");
    combo.Clear();
    combo.OnlyNumbers(true, 0, 10);
    combo.SetMaxVisibleItems(3);
    combo.AdjustItemWidth();
    combo.SetAutoComplete(true);
    combo.SetEditSel(0, 1);
    combo.SetCaretPosition(0);
    combo.ShowDropDown(true);
    combo.SetTextColor(1);
    combo.SetSelectedItemTextColor(1);
    combo.SetFont(font);
    combo.SetItemFont(0, font);
    combo.DisableItem(0, true);
    combo.SetEditable(true);
    combo.EnableEditListMode(true);
    combo.SetAddToListOnEnterKey(true);
    combo.DeleteString(0);
    combo.AddPicture(0, L"x.png", ScalePictureKeepSize, Size{}, BitmapTypeDefault);
    combo.AddPicture(0, nullptr, 0, ImageTypePNG, ScalePictureKeepSize, Size{}, BitmapTypeDefault);
}

// As a form describes it: a combo box with its rows, editable, driven by its control.
class ComboBoxFormTest : public DialogFormTest
{
};

TEST_F(ComboBoxFormTest, AFormsComboBoxComesWithItsRows)
{
    const QByteArray body = R"(
<item><widget class="QComboBox" name="combo"><property name="editable"><bool>true</bool></property>
 <property name="maxVisibleItems"><number>7</number></property>
 <item><property name="text"><string>First</string></property></item>
 <item><property name="text"><string>Second</string></property></item>
</widget></item>
)";
    CountingDialog dialog(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto *combo = dialog.GetControlPtr<ComboBox *>(L"combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetControlKind(), ControlKindComboBox);
    EXPECT_EQ(combo->Count(), 2);
    EXPECT_EQ(combo->GetItemText(1), L"Second");
    EXPECT_TRUE(combo->GetItemData(1).empty());
    EXPECT_EQ(combo->GetMaxVisibleItems(), 7);
    EXPECT_EQ(combo->CurrentText(), L"First");

    std::vector<std::wstring> changed;
    combo->OnTextChanged.Subscribe([&](std::wstring text) { changed.push_back(text); });
    int selected = -1;
    combo->OnSelectionChanged.Subscribe([&](int index) { selected = index; });
    combo->SetCurSel(1);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(changed, std::vector<std::wstring>{L"Second"});
    EXPECT_TRUE(combo->SetItemData(1, any(2.5)));
    EXPECT_EQ(*combo->GetItemData(1).cast<double>(), 2.5);
}

// Numbers-only typing: a correction shows at once, keeps the cursor where the
// user typed, and the change it corrects is reported once, corrected.
TEST_F(ComboBoxFixture, NumbersOnlyTypingIsCorrectedAndReportedOnce)
{
    combo.SetEditable(true);
    combo.OnlyNumbers(true, 0, 100);
    QLineEdit *edit = widget()->lineEdit();
    edit->setFocus();
    QTest::keyClicks(edit, "15");
    log.clear();
    QTest::keyClick(edit, Qt::Key_0);
    EXPECT_EQ(edit->text(), "100");
    EXPECT_EQ(log, (Log{"edited:100", "changed:100", "replaced:15>100"}));

    struct Case {
        const char *before;
        int cursor;
        const char *typed;
        const char *shown;
        int cursorAfter;
    } cases[] = {
        {"50", 1, "9", "100", 2},  // 590 is out of range; the cursor stays behind the 9
        {"12", 2, "a", "12", 2},   // a letter is cut away
        {"7", 0, "-", "", 0},      // no minus above a minimum of 0: cut from the end, nothing is left
        {"42", 2, "", "42", 2},    // nothing typed, nothing corrected
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.before + std::string(" + ") + c.typed);
        combo.SetCurrentText(QString(c.before).toStdWString());
        edit->setCursorPosition(c.cursor);
        log.clear();
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->text(), c.shown);
        EXPECT_EQ(edit->cursorPosition(), c.cursorAfter);
        const auto edited = std::count_if(log.begin(), log.end(),
                                          [](const std::string &e) { return e.rfind("edited:", 0) == 0; });
        EXPECT_EQ(edited, std::string(c.typed).empty() ? 0 : 1);
        if (!log.empty()) {
            EXPECT_EQ(log.back(), "replaced:" + std::string(c.before) + ">" + c.shown);
        }
    }

    // Negative ranges take a minus; SetCurrentText is corrected as typing is.
    combo.OnlyNumbers(true, -10, 10);
    log.clear();
    combo.SetCurrentText(L"-20");
    EXPECT_EQ(combo.CurrentText(), L"-10");
    EXPECT_EQ(log, (Log{"changed:-10", "replaced:42>-10"}));
    combo.SetCurrentText(L"-");
    EXPECT_EQ(combo.CurrentText(), L"-");

    // Off again: anything goes.
    combo.OnlyNumbers(false, 0, 100);
    combo.SetCurrentText(L"abc");
    EXPECT_EQ(combo.CurrentText(), L"abc");
}
