#include "ListBoxQt.h"

#include "BaseImpl.h"
#include "HeaderProxyStyle.h"
#include "ListBoxFixture.h"
#include "PictureBytes.h"

#include <QApplication>
#include <QBuffer>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionHeader>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace AUILib;

namespace {

// The first point of the row whose hit flags include `flag`; (-1, -1) when none.
QPoint findPart(ListBoxQt *table, int row, unsigned int flag)
{
    const QRect rect = table->visualRect(table->model()->index(row, 0));
    for (int x = rect.left(); x <= rect.right(); ++x) {
        unsigned int flags = 0;
        const QPoint point(x, rect.center().y());
        if (table->HitTest(Point{point.x(), point.y()}, &flags, nullptr, nullptr) && (flags & flag))
            return point;
    }
    return QPoint(-1, -1);
}

} // namespace

class ListBoxQtTest : public ListBoxFixture
{
protected:
    void click(const QPoint &point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, modifiers, point);
    }
};

TEST_F(ListBoxQtTest, CheckMarksFollowClicksByMode)
{
    show();
    list.SetCheckMode(ListBox::CheckOnIndicator);
    fill({L"a", L"b", L"c"});
    const QPoint indicator = findPart(table(), 0, 8);
    ASSERT_NE(indicator, QPoint(-1, -1));
    // Beside the indicator nothing toggles; on it the check does.
    click(centre(0) + QPoint(40, 0));
    EXPECT_FALSE(list.GetCheck(0));
    click(indicator);
    EXPECT_TRUE(list.GetCheck(0));

    const struct
    {
        ListBox::CheckMode mode;
        bool toggles;
    } modes[] = {{ListBox::NoCheck, false}, {ListBox::UserCheck, false}, {ListBox::CheckWithSelection, true}};
    for (const auto &m : modes) {
        SCOPED_TRACE(m.mode);
        list.SetCheckMode(ListBox::CheckOnIndicator);
        list.SetCheck(1, false);
        list.SetCheckMode(m.mode);
        click(centre(1) + QPoint(40, 0));
        list.SetCheckMode(ListBox::CheckOnIndicator);
        EXPECT_EQ(list.GetCheck(1), m.toggles);
    }
}

TEST_F(ListBoxQtTest, SelectionBeginsAndEndsAroundPressesAndCtrlAInExtendedModeOnly)
{
    show();
    fill({L"a", L"b"});
    click(centre(0));
    QTest::keyClick(table(), Qt::Key_A, Qt::ControlModifier);
    for (const std::string &entry : log)
        EXPECT_TRUE(entry != "begin" && entry != "end") << entry;

    list.SetSingleSelection(false);
    log.clear();
    QTest::keyPress(table(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "begin");
    EXPECT_NE(log.back(), "end");
    QTest::keyRelease(table(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(log.back(), "end");
    EXPECT_EQ(list.SelectedItemsIndexes(), (std::list<int>{0, 1}));

    log.clear();
    click(centre(1));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.front(), "begin");
    EXPECT_EQ(log.back(), "end");
    EXPECT_EQ(list.SelectedItemsIndexes(), std::list<int>{1});
}

TEST_F(ListBoxQtTest, FocusSelectsTheCurrentRowWhenNothingIsSelected)
{
    show();
    fill({L"a", L"b"});
    table()->selectionModel()->setCurrentIndex(table()->model()->index(1, 0), QItemSelectionModel::NoUpdate);
    table()->clearSelection();
    table()->clearFocus();
    log.clear();
    table()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table()->hasFocus(); }, 5000));
    EXPECT_EQ(list.SelectedItemsIndexes(), std::list<int>{1});
    EXPECT_EQ(log, (std::vector<std::string>{"item 1", "changed"}));

    table()->clearFocus();
    table()->clearSelection();
    list.SelectItemOnSetFocus(false);
    table()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table()->hasFocus(); }, 5000));
    EXPECT_TRUE(list.SelectedItemsIndexes().empty());
}

TEST_F(ListBoxQtTest, KeyboardSearchOnlyWhenAutomaticSearchIsOn)
{
    show();
    fill({L"apple", L"banana", L"cherry"});
    table()->setFocus();
    table()->keyboardSearch("b");
    EXPECT_EQ(table()->currentRow(), 1);
    list.SetAutomaticSearch(false);
    table()->keyboardSearch("c");
    EXPECT_EQ(table()->currentRow(), 1);
}

// A drop moves whole rows, the empty cells of them too; after the last row
// means at the row count. Sorting stays off afterwards.
TEST_F(ListBoxQtTest, DroppedRowsMoveWholeAndSortingStaysOff)
{
    list.SetColumnsCount(2);
    for (const wchar_t *text : {L"a", L"b", L"c", L"d"}) {
        auto row = texts({text, L"x"});
        list.AddItemEx(row, any(std::wstring(text)));
    }
    delete table()->takeItem(1, 1); // row b has an empty second cell
    list.SortColumn(0, ListBox::Ascending);
    list.SetSingleSelection(false);
    list.SetSel(0, true);
    list.SetSel(1, true);
    table()->MoveSelectedRows(-1);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"c", L"d", L"a", L"b"}));
    EXPECT_EQ(list.GetItem(2, 1), L"x");
    EXPECT_EQ(table()->item(3, 1), nullptr);
    EXPECT_EQ(valueOf<std::wstring>(list.GetItemData(3)), L"b") << "data moves with its row";
    EXPECT_FALSE(list.IsSortingEnabled());
    EXPECT_TRUE(table()->horizontalHeader()->isSortIndicatorShown());

    list.ClearSel();
    list.SetSel(3, true);
    table()->MoveSelectedRows(1);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"c", L"b", L"d", L"a"}));
}

TEST_F(ListBoxQtTest, ADropFromElsewhereIsIgnored)
{
    fill({L"a", L"b"});
    list.EnableRowsDragAndDrop(true);
    list.SetSel(0, true);
    QMimeData data;
    data.setText("a");
    QDropEvent drop(centre(1), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table()->viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST_F(ListBoxQtTest, TheHitTestFindsTheCheckIndicatorThePictureAndTheRowButton)
{
    list.SetColumnsCount(2);
    list.SetCheckMode(ListBox::UserCheck);
    auto row = texts({L"first", L"second"});
    list.AddItemEx(row);
    const QByteArray bytes = FilledPictureBytes(16, 16, Qt::green);
    list.AddRowButton(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(), ImageTypePNG);
    table()->setItem(0, 2, new QTableWidgetItem);

    EXPECT_NE(findPart(table(), 0, 8), QPoint(-1, -1));
    int column = -1;
    unsigned int flags = 0;
    Size size;
    const QPoint button = table()->visualRect(table()->model()->index(0, 2)).center();
    ASSERT_NE(table()->HitTest(Point{button.x(), button.y()}, &flags, &column, &size), nullptr);
    EXPECT_EQ(flags, 16u);
    EXPECT_EQ(column, 1) << "the button column counts as the last data column";
    const QPoint second = centre(0, 1);
    table()->HitTest(Point{second.x(), second.y()}, &flags, &column, &size);
    EXPECT_EQ(flags, 4u);
    EXPECT_EQ(size.width, table()->fontMetrics().horizontalAdvance("second") + 11);
}

TEST_F(ListBoxQtTest, AutoTooltipsShowTheElidedTextOfCutCells)
{
    show();
    list.SetColumnsCount(2); // the last column stretches
    list.SetColumnWidth(0, 60);
    fill({L"a text far too long for its cell", L"ok"});
    BaseImpl &impl = *list.GetBaseImpl();
    const QPoint longCell = table()->viewport()->mapToGlobal(centre(0));
    EXPECT_FALSE(impl.ShowCustomToolTip(longCell)) << "auto tooltips are off";
    list.EnableItemsAutoTooltip(true, 7);
    EXPECT_TRUE(impl.ShowCustomToolTip(longCell));
    EXPECT_EQ(QToolTip::text(), QString("a text") + QChar(0x2026));
    QToolTip::hideText();
    EXPECT_FALSE(impl.ShowCustomToolTip(table()->viewport()->mapToGlobal(centre(1)))) << "the text fits";
}

// A recorded style without a picture leaves the section to the standard
// style; with a picture, the picture goes after the label.
TEST_F(ListBoxQtTest, TheHeaderDrawsPicturesAfterTheirLabels)
{
    list.SetColumnsCount(2);
    list.SetColumnName(0, L"Name");
    list.SetColumnName(1, L"Size");
    show();
    QHeaderView *header = table()->horizontalHeader();
    const QImage plain = header->grab().toImage();
    list.SetHeaderPictureAlign(0, ListBox::PictureAfterText);
    EXPECT_EQ(header->grab().toImage(), plain);

    const QByteArray bytes = FilledPictureBytes(16, 16, Qt::red);
    list.AddPictureToHeader(0, reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(), ImageTypePNG,
                            8, BitmapTypeDefault);
    const QImage drawn = header->grab().toImage();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int x = header->sectionViewportPosition(0) + header->fontMetrics().horizontalAdvance("Name") + 2 * margin;
    EXPECT_EQ(drawn.pixelColor(x + 3, margin + 3), QColor(Qt::red));
}

// Extended selection with check marks that follow it: a click toggles its
// row, a Shift click checks the whole range it selects.
TEST_F(ListBoxQtTest, ExtendedSelectionChecksTheRangeAShiftClickSelects)
{
    show();
    list.SetSingleSelection(false);
    list.SetCheckMode(ListBox::CheckWithSelection);
    fill({L"a", L"b", L"c", L"d"});
    click(centre(0));
    EXPECT_EQ(list.CheckedItemsIndexes(), std::list<int>{0});
    click(centre(2), Qt::ShiftModifier);
    EXPECT_EQ(list.SelectedItemsIndexes(), (std::list<int>{0, 1, 2}));
    EXPECT_EQ(list.CheckedItemsIndexes(), (std::list<int>{0, 1, 2}));
    click(centre(3));
    EXPECT_EQ(list.SelectedItemsIndexes(), std::list<int>{3});
    EXPECT_TRUE(list.GetCheck(3));
}
