#include "ListBox.h"

#include "AUILibConfig.h"
#include "AgnosticUIException.h"
#include "BaseImpl.h"
#include "CustomQTableWidgetItem.h"
#include "DialogForms.h"
#include "ListBoxFixture.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <climits>
#include <memory>

using namespace AUILib;

namespace {

// A value whose copies the test can count: the list's table holds one per entry.
using Token = std::shared_ptr<int>;

const unsigned char *bytesOf(const QByteArray &data) { return reinterpret_cast<const unsigned char *>(data.constData()); }

QByteArray png(const QColor &color, int size = 8)
{
    const QByteArray out = FilledPictureBytes(size, size, color);
    return out;
}

} // namespace

using ListBoxTest = ListBoxFixture;

TEST_F(ListBoxTest, ANewListHasOneUnnamedColumnHiddenHeadersAndSingleSelection)
{
    EXPECT_EQ(list.GetControlKind(), ControlKindListBox);
    ASSERT_NE(table(), nullptr);
    EXPECT_STREQ(table()->metaObject()->className(), "AUILib::ListBoxQt");
    EXPECT_EQ(list.GetParentWindow(), &window);
    EXPECT_EQ(list.GetColumnsCount(), 1);
    EXPECT_EQ(table()->columnCount(), 1);
    EXPECT_TRUE(table()->horizontalHeader()->isHidden());
    EXPECT_TRUE(table()->verticalHeader()->isHidden());
    EXPECT_TRUE(list.IsSingleSelection());
    EXPECT_EQ(table()->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(table()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(table()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(table()->showGrid());
    EXPECT_FALSE(list.IsSortingEnabled());
    EXPECT_EQ(list.GetCheckMode(), ListBox::NoCheck);
    EXPECT_EQ(list.IsSetEditItems(), ListBox::NotEditable);
    EXPECT_EQ(list.GetColumnsWidth(), std::vector<int>{-1});
    EXPECT_EQ(list.Count(), 0);
    // The first name only reaches the header once a column is named.
    ASSERT_TRUE(list.SetColumnName(0, L"Name"));
    EXPECT_FALSE(table()->horizontalHeader()->isHidden());
    EXPECT_FALSE(list.SetColumnName(1, L"Size"));
    list.SetColumnsCount(2);
    ASSERT_TRUE(list.SetColumnName(1, L"Size"));
    EXPECT_EQ(table()->horizontalHeaderItem(0)->text(), "Col 0");
    EXPECT_EQ(table()->horizontalHeaderItem(1)->text(), "Size");
}

TEST_F(ListBoxTest, RowsAreInsertedFilledAndRead)
{
    EXPECT_EQ(list.AddItem(L"b"), 0);
    EXPECT_EQ(list.InsertItem(0, L"a"), 0);
    EXPECT_EQ(list.InsertItem(-1, L"c"), 2);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_NE(dynamic_cast<CustomQTableWidgetItem *>(table()->item(0, 0)), nullptr);

    list.SetColumnsCount(3);
    EXPECT_EQ(list.Count(), 0) << "another column count deletes the rows";
    auto few = texts({L"x"});
    EXPECT_EQ(list.AddItemEx(few), 0);
    // Fewer texts than columns: the other cells are there, empty.
    ASSERT_NE(table()->item(0, 2), nullptr);
    EXPECT_EQ(list.GetItemEx(0), (std::list<std::wstring>{L"x", L"", L""}));
    auto all = texts({L"p", L"q", L"r"});
    EXPECT_EQ(list.InsertItemEx(0, all), 0);
    EXPECT_EQ(list.GetItem(0, 1), L"q");
    EXPECT_EQ(list.GetItem(5, 0), L"");
    list.SetColumnsCount(3);
    EXPECT_EQ(list.Count(), 2) << "the same count changes nothing";

    auto none = texts({});
    EXPECT_EQ(list.AddRow(none, {}), -1);
    EXPECT_TRUE(list.SetItemText(1, 2, L"z"));
    EXPECT_EQ(list.GetItem(1, 2), L"z");
    EXPECT_FALSE(list.SetItemText(7, L"nothing"));
    auto more = texts({L"1", L"2"});
    EXPECT_TRUE(list.SetItemTextEx(1, more));
    EXPECT_EQ(list.GetItemEx(1), (std::list<std::wstring>{L"1", L"2", L"z"}));
    EXPECT_TRUE(list.EnsureVisible(1));
    EXPECT_FALSE(list.EnsureVisible(9));
}

TEST_F(ListBoxTest, SearchesByWholeTextAndByPrefixFromTheRowAfterTheStart)
{
    fill({L"Apple", L"banana", L"apricot", L"Cherry"});
    EXPECT_EQ(list.GetItemIndex(L"BANANA"), 1);
    EXPECT_EQ(list.GetItemIndex(L"ban"), -1);
    const struct
    {
        const wchar_t *text;
        int start;
        int row;
    } cases[] = {
        {L"ap", -1, 0}, {L"ap", 0, 2}, {L"ap", 2, 0}, {L"AP", 1, 2}, {L"ch", -1, 3}, {L"kiwi", -1, -1},
        // Starts past either end search from the top.
        {L"ap", INT_MAX, 0}, {L"ch", INT_MIN, 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(list.FindString(c.text, c.start), c.row) << QString::fromWCharArray(c.text).toStdString() << c.start;
}

TEST_F(ListBoxTest, CellsWithoutItemsAndRowsOrColumnsOutOfRangeAreLeftAlone)
{
    list.SetColumnsCount(2);
    fill({L"a"});
    // The row's second cell has no item: an empty text matches no item.
    EXPECT_EQ(list.GetItemIndex(L""), -1);
    EXPECT_EQ(list.GetItemIndex(L"A"), 0);
    fill({L"b"});
    auto three = texts({L"x", L"y", L"z"});
    for (int row : {-1, 2, INT_MIN, INT_MAX})
        EXPECT_FALSE(list.SetItemTextEx(row, three)) << row;
    // Texts past the last column are left out, and no other row is touched.
    EXPECT_TRUE(list.SetItemTextEx(0, three));
    EXPECT_EQ(list.GetItemEx(0), (std::list<std::wstring>{L"x", L"y"}));
    EXPECT_EQ(list.GetItemEx(1), std::list<std::wstring>{L"b"});
    EXPECT_EQ(table()->columnCount(), 2);
}

TEST_F(ListBoxTest, ColumnCountsNoTableCouldShowAreRefused)
{
    fill({L"a"});
    for (int count : {INT_MAX, 1000000, ListBox::kMaxColumnsCount + 1}) {
        list.SetColumnsCount(count);
        EXPECT_EQ(list.GetColumnsCount(), 1) << count;
        EXPECT_EQ(table()->columnCount(), 1) << count;
        EXPECT_EQ(list.Count(), 1) << count;
    }
    list.SetColumnsCount(ListBox::kMaxColumnsCount);
    EXPECT_EQ(table()->columnCount(), ListBox::kMaxColumnsCount);
}

TEST_F(ListBoxTest, AnItemAddedToASortedListReportsTheRowItLandedOn)
{
    fill({L"b", L"d"});
    list.SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(list.AddItem(L"c"), 1);
    EXPECT_EQ(list.AddItem(L"a"), 0);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
    auto texts1 = texts({L"bb"});
    EXPECT_EQ(list.AddItemEx(texts1), 2) << "the row the item is on, not the end it was appended at";
    EXPECT_EQ(list.GetItem(2, 0), L"bb");
    EXPECT_TRUE(list.IsSortingEnabled());
}

// Item data stays with its row through inserts and sorts, and leaves with it.
TEST_F(ListBoxTest, ItemDataFollowsItsRowThroughInsertSortAndDelete)
{
    list.SetColumnsCount(2);
    list.SortColumn(0, ListBox::Descending);
    const Token token = std::make_shared<int>(7);
    auto c = texts({L"c", L"cc"});
    auto a = texts({L"a", L"aa"});
    auto b = texts({L"b", L"bb"});
    EXPECT_EQ(list.AddRow(c, {any(std::wstring(L"data c")), any(token)}), 0);
    EXPECT_EQ(list.AddRow(a, {any(std::wstring(L"data a"))}), 1);
    EXPECT_EQ(list.AddRow(b, {any(std::wstring(L"data b"))}), 1) << "the row it landed on";
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"c", L"b", L"a"}));
    for (int row = 0; row < 3; ++row) {
        const any data = list.GetItemData(row);
        ASSERT_NE(any_cast<std::wstring>(&data), nullptr);
        EXPECT_EQ(*any_cast<std::wstring>(&data), L"data " + list.GetItem(row, 0));
    }
    const any second = list.GetItemDataEx(0, 1);
    ASSERT_NE(any_cast<Token>(&second), nullptr);
    EXPECT_EQ(token.use_count(), 3) << "the table's entry and the copy just read";

    list.SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(valueOf<std::wstring>(list.GetItemData(2)), L"data c");

    // The deleted row's entries go with it.
    EXPECT_TRUE(list.DeleteItem(2));
    EXPECT_EQ(token.use_count(), 2);
    EXPECT_TRUE(list.GetItemData(2).empty());

    const Token cleared = std::make_shared<int>(1);
    list.SetItemData(0, any(cleared));
    list.Clear();
    EXPECT_EQ(cleared.use_count(), 1);
}

TEST_F(ListBoxTest, DeletingRowsReleasesTheirItemData)
{
    const Token token = std::make_shared<int>(0);
    for (int i = 0; i < 6; ++i)
        list.AddItem(std::to_wstring(i), any(token));
    EXPECT_EQ(token.use_count(), 7);
    EXPECT_TRUE(list.DeleteItems(1, 2));
    EXPECT_EQ(token.use_count(), 5);
    list.SetSingleSelection(false);
    list.SetSel(0, true);
    list.SetSel(3, true);
    EXPECT_TRUE(list.DeleteSelItems());
    EXPECT_EQ(token.use_count(), 3);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"3", L"4"}));
}

TEST_F(ListBoxTest, ItemDataOfCellsAndRows)
{
    list.SetColumnsCount(2);
    auto cells = texts({L"a", L"b"});
    list.AddItemEx(cells, any(1L));
    EXPECT_EQ(table()->item(0, 1)->data(Qt::UserRole), table()->item(0, 0)->data(Qt::UserRole))
        << "every cell of the row gets the row's id";
    EXPECT_TRUE(list.SetItemDataEx(0, 1, any(2L)));
    EXPECT_EQ(valueOf<long>(list.GetItemDataEx(0, 1)), 2L);
    EXPECT_EQ(valueOf<long>(list.GetItemData(0)), 1L);
    // SetItemData replaces the row's entry: the per-column data goes.
    EXPECT_TRUE(list.SetItemData(0, any(3L)));
    EXPECT_TRUE(list.GetItemDataEx(0, 1).empty());
    EXPECT_EQ(valueOf<long>(list.GetItemData(0)), 3L);
    EXPECT_TRUE(list.RemoveItemData(0));
    EXPECT_TRUE(list.GetItemData(0).empty());
    EXPECT_EQ(table()->item(0, 0)->data(Qt::UserRole).toInt(), -1);
    EXPECT_FALSE(list.RemoveItemData(0));
    // After removal the row takes data again.
    EXPECT_TRUE(list.SetItemDataEx(0, 1, any(4L)));
    EXPECT_EQ(valueOf<long>(list.GetItemDataEx(0, 1)), 4L);

    const struct
    {
        int row;
        int column;
    } refused[] = {{-1, 0}, {1, 0}, {0, 2}, {0, -1}};
    for (const auto &r : refused)
        EXPECT_FALSE(list.SetItemDataEx(r.row, r.column, any(5L))) << r.row << "," << r.column;
    EXPECT_FALSE(list.SetItemData(1, any(5L)));
    EXPECT_TRUE(list.GetItemDataEx(3, 0).empty());

    // A row without a first cell has no place for its data: refused, nothing changes.
    table()->insertRow(1);
    table()->setItem(1, 1, new QTableWidgetItem("only the second"));
    EXPECT_FALSE(list.SetItemData(1, any(6L)));
    EXPECT_FALSE(table()->item(1, 1)->data(Qt::UserRole).isValid());
}

TEST_F(ListBoxTest, CheckMarksFollowTheModeOfTheirRows)
{
    fill({L"none"});
    table()->item(0, 0)->setCheckState(Qt::Checked);
    EXPECT_FALSE(list.GetCheck(0)) << "no check mode, no check";
    EXPECT_TRUE(list.CheckedItems().empty());
    list.SetCheck(0, false);
    EXPECT_EQ(table()->item(0, 0)->checkState(), Qt::Checked);

    list.SetCheckMode(ListBox::UserCheck);
    list.AddItem(L"user");
    EXPECT_TRUE(table()->item(1, 0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(table()->item(1, 0)->checkState(), Qt::Unchecked);
    list.SetCheckMode(ListBox::CheckOnIndicator);
    list.AddItem(L"indicator");
    EXPECT_FALSE(table()->item(2, 0)->flags() & Qt::ItemIsUserCheckable);
    list.SetCheck(2, true);
    EXPECT_TRUE(list.GetCheck(2));
    EXPECT_FALSE(list.GetCheck(9));
    EXPECT_EQ(list.CheckedItemsIndexes(), (std::list<int>{0, 2}));
    EXPECT_EQ(list.CheckedItems(), (std::list<std::wstring>{L"none", L"indicator"}));
}

TEST_F(ListBoxTest, EachRowWhoseSelectionChangesFiresItsPairOfEvents)
{
    fill({L"a", L"b", L"c"});
    list.SetSel(1, true);
    list.SetSel(2, true);
    EXPECT_EQ(log, (std::vector<std::string>{"item 1", "changed", "item 1", "changed", "item 2", "changed"}));
    EXPECT_EQ(list.SelectedItemsIndexes(), std::list<int>{2});
    EXPECT_EQ(list.SelectedItems(), std::list<std::wstring>{L"c"});

    log.clear();
    list.SetSingleSelection(false);
    EXPECT_FALSE(list.IsSingleSelection());
    list.SetSel(0, true, true);
    EXPECT_EQ(table()->currentRow(), 0);
    EXPECT_EQ(list.SelectedItemsIndexes(), (std::list<int>{0, 2}));
    list.SetSel(2, false);
    list.ClearSel();
    EXPECT_EQ(log, (std::vector<std::string>{"item 0", "changed", "item 2", "changed", "begin", "item 0", "changed",
                                             "end"}));
    log.clear();
    list.SetSel(7, true);
    EXPECT_TRUE(log.empty());
}

TEST_F(ListBoxTest, CheckModeThreeFollowsTheSelection)
{
    list.SetCheckMode(ListBox::CheckWithSelection);
    fill({L"a", L"b"});
    list.SetSel(1, true);
    EXPECT_EQ(list.CheckedItemsIndexes(), std::list<int>{1});
    list.SetSel(1, false);
    EXPECT_TRUE(list.CheckedItemsIndexes().empty());
}

TEST_F(ListBoxTest, ClearFiresNoSelectionEventsAndKeepsTheColumns)
{
    list.SetColumnsCount(2);
    list.SetColumnName(1, L"Size");
    fill({L"a", L"b"});
    list.SetSel(1, true);
    log.clear();
    list.OnSelectionChanged.SetBlocked(false);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(list.OnSelectionChanged.IsBlocked());
    EXPECT_EQ(list.GetColumnsCount(), 2);
    EXPECT_EQ(table()->horizontalHeaderItem(1)->text(), "Size");
    fill({L"c"});
    list.SetSel(0, true);
    EXPECT_EQ(log, (std::vector<std::string>{"item 0", "changed"}));
}

TEST_F(ListBoxTest, DeletingRows)
{
    for (int i = 0; i < 9; ++i)
        list.AddItem(std::to_wstring(i));
    list.SetSingleSelection(false);
    for (int row : {1, 2, 5, 6, 7})
        list.SetSel(row, true);
    // Runs from the last to the first: 5-7, then 1-2.
    std::vector<std::pair<int, int>> removed;
    QObject::connect(table()->model(), &QAbstractItemModel::rowsRemoved,
                     [&](const QModelIndex &, int first, int last) { removed.emplace_back(first, last); });
    EXPECT_TRUE(list.DeleteSelItems());
    EXPECT_EQ(removed, (std::vector<std::pair<int, int>>{{5, 7}, {1, 2}}));
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"0", L"3", L"4", L"8"}));

    EXPECT_FALSE(list.DeleteItem(4));
    EXPECT_FALSE(list.DeleteItem(-1));
    EXPECT_FALSE(list.DeleteItems(4, 1));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"3", L"4", L"8"}));
    EXPECT_TRUE(list.DeleteSelItems()) << "nothing selected";

    // A range past the end deletes the rows that are there; an empty one nothing.
    EXPECT_FALSE(list.DeleteItems(0, 0));
    EXPECT_TRUE(list.DeleteItems(1, 10));
    EXPECT_EQ(rows(), std::vector<std::wstring>{L"3"});
}

TEST_F(ListBoxTest, PinnedRowsStayOnTopAndLeaveThePinnedBlockWhenDeleted)
{
    fill({L"b", L"pinned", L"a", L"c"});
    list.DisableSortingForRow(1);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"pinned", L"b", L"a", L"c"}));
    list.SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"pinned", L"a", L"b", L"c"}));
    list.SortColumn(0, ListBox::Descending);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"pinned", L"c", L"b", L"a"}));
    EXPECT_TRUE(list.DeleteItem(0));
    list.DisableSortingForRow(2);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"a", L"c", L"b"}));
    list.SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST_F(ListBoxTest, SortColumnTogglesTheOrderAndKeepsTheCaseRule)
{
    fill({L"b", L"B", L"a"});
    list.SortColumn(0, ListBox::Ascending, true);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"B", L"a", L"b"}));
    list.SortColumn(0, true);
    EXPECT_EQ(table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"b", L"a", L"B"}));
    list.SortColumn(0, ListBox::Ascending, false);
    EXPECT_EQ(rows().front(), L"a");
    EXPECT_TRUE(list.SortColumn(0, static_cast<ListBox::SortMode>(7), false));

    list.SortingEnable(false);
    EXPECT_FALSE(list.IsSortingEnabled());
    list.SortingEnable(true);
    EXPECT_EQ(table()->horizontalHeader()->sortIndicatorSection(), -1) << "switched on from off: no sorted column";
}

TEST_F(ListBoxTest, AColumnSortFunctionGetsTextsAndItemData)
{
    list.AddItem(L"x", any(3L));
    list.AddItem(L"y", any(1L));
    list.AddItem(L"z", any(2L));
    list.SetColumnSortFunc(0, [](std::wstring, any left, std::wstring, any right) {
        return *any_cast<long>(&left) < *any_cast<long>(&right);
    });
    list.SetColumnSortFunc(0, ListBox::SortFunction()); // ignored: the function stays
    list.SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(rows(), (std::vector<std::wstring>{L"y", L"z", L"x"}));
}

TEST_F(ListBoxTest, ColumnWidthsAndFittingToContents)
{
    list.SetColumnsCount(3);
    list.SetColumnWidth(0, 50);
    list.SetColumnWidth(5, 80);
    list.ResizeColumnToContent(1, true);
    EXPECT_TRUE(list.IsSetResizeColumnToContent(1));
    EXPECT_FALSE(list.IsSetResizeColumnToContent(0));
    EXPECT_FALSE(list.IsSetResizeColumnToContent(9));
    EXPECT_EQ(list.GetColumnsWidth(), (std::vector<int>{50, -2, -1}));
    EXPECT_EQ(table()->columnWidth(0), 50);
    auto row = texts({L"a", L"a much longer text than before"});
    list.AddItemEx(row);
    const int fitted = table()->columnWidth(1);
    EXPECT_GE(fitted, table()->fontMetrics().horizontalAdvance("a much longer text than before"));
    list.SetItemText(0, 1, L"x");
    EXPECT_LT(table()->columnWidth(1), fitted);
    list.EnableWordWrapText(true);
    EXPECT_TRUE(list.IsEnableWordWrapText());
    EXPECT_EQ(list.GetColumnsWidth(), (std::vector<int>{-1, -1, -1}));
    list.SetItemsHeight(30);
    EXPECT_EQ(table()->verticalHeader()->defaultSectionSize(), 30);
    list.SetShowGridlines(true);
    EXPECT_TRUE(table()->showGrid());
}

TEST_F(ListBoxTest, HeaderPicturesTooltipsAndStyles)
{
    list.SetColumnsCount(2);
    list.SetColumnName(0, L"A");
    list.SetColumnName(1, L"B");
    const QByteArray red = png(Qt::red);
    list.AddPictureToHeader(1, bytesOf(red), red.size(), ImageTypePNG, 12, BitmapTypeDefault);
    EXPECT_FALSE(table()->horizontalHeaderItem(1)->icon().isNull());
    list.AddPictureToHeader(1, nullptr, 0, ImageTypePNG, 12, BitmapTypeDefault);
    EXPECT_TRUE(table()->horizontalHeaderItem(1)->icon().isNull());
    list.SetHeaderTooltip(0, L"first");
    EXPECT_EQ(table()->horizontalHeaderItem(0)->toolTip(), "first");

    EXPECT_EQ(list.GetHeaderPictureAlign(1), 0);
    list.SetHeaderPictureAlign(1, ListBox::PictureAfterText);
    list.SetHeaderPictureAlign(1, static_cast<ListBox::HeaderStyle>(0));
    EXPECT_EQ(list.GetHeaderPictureAlign(1), ListBox::PictureAfterText);
}

TEST_F(ListBoxTest, CellPicturesFromBytesAndFiles)
{
    fill({L"a"});
    const QByteArray red = png(Qt::red);
    list.AddPicture(0, bytesOf(red), red.size(), ImageTypePNG, 20, BitmapTypeDefault);
    EXPECT_FALSE(table()->item(0, 0)->icon().isNull());
    EXPECT_EQ(table()->iconSize(), QSize(20, 20));
    list.AddPicture(0, nullptr, 0, ImageTypePNG, 20, BitmapTypeDefault);
    EXPECT_TRUE(table()->item(0, 0)->icon().isNull());
    list.AddPictureSysIcon(0, L"/nonexistent/file.txt");
    EXPECT_TRUE(table()->item(0, 0)->icon().isNull());
    list.AddPictureEx(5, 0, bytesOf(red), red.size(), ImageTypePNG, 20, BitmapTypeDefault); // no cell: nothing
}

TEST_F(ListBoxTest, TheRowButtonIsAnExtraLastColumn)
{
    list.SetColumnsCount(2);
    fill({L"a"});
    const QByteArray blue = png(Qt::blue, 10);
    list.AddRowButton(bytesOf(blue), blue.size(), ImageTypePNG);
    EXPECT_EQ(table()->columnCount(), 3);
    EXPECT_EQ(list.GetColumnsCount(), 2);
    EXPECT_EQ(table()->horizontalHeader()->sectionResizeMode(2), QHeaderView::Fixed);
    // A new column count keeps the button column.
    list.SetColumnsCount(3);
    EXPECT_EQ(table()->columnCount(), 4);
    list.AddRowButton(nullptr, 0, ImageTypePNG);
    EXPECT_EQ(table()->columnCount(), 3);
    EXPECT_TRUE(table()->horizontalHeader()->stretchLastSection());
}

TEST_F(ListBoxTest, APictureThatFailsToLoadKeepsTheRowButton)
{
    show();
    list.SetColumnsCount(2);
    fill({L"a"});
    const QByteArray blue = png(Qt::blue, 10);
    list.AddRowButton(bytesOf(blue), blue.size(), ImageTypePNG);
    const QByteArray junk("not a picture");
    list.AddRowButton(bytesOf(junk), junk.size(), ImageTypePNG);
    list.AddRowButton(L"/no/such/picture.png");
    EXPECT_EQ(table()->columnCount(), 3);
    table()->grab(); // the button's cell is made while painting
    unsigned int flags = 0;
    int column = -1;
    const QPoint button = centre(0, 2);
    EXPECT_EQ(list.HitTest(Point{button.x(), button.y()}, &flags, &column), 0);
    EXPECT_EQ(flags, 16u);
    EXPECT_EQ(column, 1);
    // Without a button column a failed picture adds none.
    list.AddRowButton(nullptr, 0, ImageTypePNG);
    list.AddRowButton(bytesOf(junk), junk.size(), ImageTypePNG);
    EXPECT_EQ(table()->columnCount(), 2);
}

TEST_F(ListBoxTest, ColoursAndDragAndDropSettings)
{
    list.SetBackgroundColor(0x102030);
    EXPECT_EQ(list.GetBackgroundColor(), 0x102030);
    EXPECT_EQ(table()->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
    list.SetTextColor(0x405060);
    EXPECT_EQ(list.GetTextColor(), 0x405060);
    EXPECT_EQ(table()->palette().color(QPalette::Text), QColor(0x40, 0x50, 0x60));
    fill({L"a"});
    list.SetItemTextColor(0, 0x80112233);
    EXPECT_EQ(table()->item(0, 0)->foreground().color(), QColor(0x11, 0x22, 0x33));

    list.EnableRowsDragAndDrop(true);
    EXPECT_TRUE(list.IsEnableRowsDragAndDrop());
    EXPECT_TRUE(table()->dragEnabled());
    EXPECT_EQ(table()->dragDropMode(), QAbstractItemView::DragDrop);
    EXPECT_EQ(table()->defaultDropAction(), Qt::MoveAction);
    EXPECT_TRUE(table()->acceptDrops());
    list.SetAcceptDrops(false);
    EXPECT_TRUE(table()->acceptDrops()) << "rows drag and drop still wants drops";
    EXPECT_FALSE(list.IsAcceptDrops());
    list.EnableRowsDragAndDrop(false);
    EXPECT_FALSE(table()->acceptDrops());
    list.SetAcceptDrops(true);
    EXPECT_TRUE(table()->acceptDrops());
}

TEST_F(ListBoxTest, WidgetEventsReachTheListsEvents)
{
    show();
    fill({L"a", L"b"});
    list.SetColumnName(0, L"Name");
    std::vector<std::string> events;
    list.OnItemClick.Subscribe([&](int row) { events.push_back("click " + std::to_string(row)); });
    list.OnItemDoubleClick.Subscribe([&](int row) { events.push_back("double " + std::to_string(row)); });
    list.OnItemChanged.Subscribe([&](int row) { events.push_back("changed " + std::to_string(row)); });
    list.OnHeaderClick.Subscribe([&](int column) { events.push_back("header " + std::to_string(column)); });
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, centre(1));
    doubleClick(centre(0));
    list.SetItemText(0, L"renamed");
    QHeaderView *header = table()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(header->sectionPosition(0) + 5, 5));
    EXPECT_EQ(events, (std::vector<std::string>{"click 1", "click 0", "double 0", "changed 0", "header 0"}));
}

TEST_F(ListBoxTest, TheHitTestNamesTheRowColumnAndPart)
{
    fill({L"first", L"second"});
    unsigned int flags = 0;
    int column = 5;
    EXPECT_EQ(list.HitTest(Point{5, table()->viewport()->height() - 2}, &flags, &column), -1);
    EXPECT_EQ(flags, 1u);
    EXPECT_EQ(column, -1);
    const QPoint point = centre(1);
    EXPECT_EQ(list.HitTest(Point{point.x(), point.y()}, &flags, &column), 1);
    EXPECT_EQ(flags, 4u);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(list.HitTest(Point{point.x(), point.y()}, nullptr, nullptr), 1);
}

TEST_F(ListBoxTest, TheMappingsAccountForTheHeaderAndTheFrame)
{
    const QPoint global = table()->mapToGlobal(QPoint(0, 0));
    const Point plain = list.ClientToScreen(Point{0, 0});
    EXPECT_EQ(plain.x, global.x() + table()->frameWidth());
    EXPECT_EQ(plain.y, global.y() + table()->frameWidth());
    list.SetColumnName(0, L"Name");
    table()->horizontalHeader()->resize(table()->horizontalHeader()->width(), 21);
    const Point origin = list.ClientToScreen(Point{0, 0});
    EXPECT_EQ(origin.y, global.y() + table()->frameWidth() + 21);
    const Point back = list.ScreenToClient(origin);
    EXPECT_EQ(back.x, 0);
    EXPECT_EQ(back.y, 0);
}

TEST_F(ListBoxTest, TheTreeInterfaceAnswersNothing)
{
    auto some = texts({L"a"});
    EXPECT_EQ(list.AddRootItem(some, {}), nullptr);
    EXPECT_EQ(list.InsertRootItem(0, some, {}), nullptr);
    EXPECT_EQ(list.AddSubitem(nullptr, some, {}), nullptr);
    EXPECT_EQ(list.InsertSubitem(nullptr, 0, some, {}), nullptr);
    EXPECT_EQ(list.GetTreeItem(0), nullptr);
    EXPECT_EQ(list.GetParentItem(nullptr), nullptr);
    EXPECT_TRUE(list.GetRootItems().empty());
    EXPECT_TRUE(list.GetChildItems(nullptr).empty());
    EXPECT_TRUE(list.GetItemTexts(nullptr).empty());
    EXPECT_TRUE(list.GetItemDatas(nullptr).empty());
    EXPECT_TRUE(list.GetItemImageIndexes(nullptr).empty());
    EXPECT_EQ(list.SetExpanded(nullptr, true), -1);
    EXPECT_EQ(list.DisableChildItem(nullptr, true), -1);
    EXPECT_EQ(list.GetTreeItemIndex(nullptr), -1);
    EXPECT_FALSE(list.IsDisabledChildItem(nullptr));
    EXPECT_EQ(list.DeleteItem(static_cast<ListBoxTreeItem *>(nullptr)), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ListBoxGoneTest, AGoneWidgetMakesTheOperationsAnswerTheirFailureValue)
{
    ListBox list;
    list.AddItem(L"a");
    delete list.GetPlatformHandle();
    EXPECT_EQ(list.GetPlatformHandle(), nullptr);
    EXPECT_EQ(list.Count(), -1);
    EXPECT_EQ(list.AddItem(L"b"), -1);
    auto some = std::list<std::wstring>{L"x"};
    EXPECT_EQ(list.AddItemEx(some), -1);
    EXPECT_EQ(list.AddRow(some, {}), -1);
    EXPECT_FALSE(list.DeleteItem(0)) << "nothing was deleted";
    EXPECT_FALSE(list.DeleteItems(0, 1));
    EXPECT_FALSE(list.DeleteSelItems());
    EXPECT_EQ(list.GetItem(0), L"");
    EXPECT_FALSE(list.SetItemData(0, any(1L)));
    EXPECT_TRUE(list.GetItemData(0).empty());
    EXPECT_FALSE(list.IsSingleSelection());
    EXPECT_FALSE(list.IsSortingEnabled());
    EXPECT_EQ(list.FindString(L"a"), -1);
    EXPECT_EQ(list.HitTest(Point{1, 1}, nullptr, nullptr), -1);
    list.Clear();
    list.SetColumnsCount(3);
    list.ClearSel();
    list.ShowSelection(false);
    EXPECT_THROW(list.Create(nullptr), AgnosticUIException);
    EXPECT_THROW(list.IdealSize(), AgnosticUIException);
}

TEST(ListBoxGoneTest, AListDroppedUnplacedTakesItsWidgetAlong)
{
    auto list = std::make_unique<ListBox>();
    QPointer<QWidget> widget = list->GetPlatformHandle();
    list.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

// Dropped while its widget stays with its parent: the widget sorts, paints
// and takes clicks without reaching the list.
TEST(ListBoxGoneTest, TheWidgetOutlivesItsList)
{
    QWidget parent;
    auto list = std::make_unique<ListBox>();
    list->Create(&parent);
    list->SetCheckMode(ListBox::CheckWithSelection);
    list->AddItem(L"b");
    list->AddItem(L"a");
    auto *table = static_cast<ListBoxQt *>(list->GetPlatformHandle());
    list.reset();
    table->sortItems(0);
    EXPECT_EQ(table->item(0, 0)->text(), "a");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualRect(table->model()->index(0, 0)).center());
    table->grab();
}

// Designer forms: a list widget's items and a table widget's columns and cells.
class ListBoxFormTest : public DialogFormTest
{
};

TEST_F(ListBoxFormTest, AFormsListAndTableBecomeListBoxesWithTheirItems)
{
    const QByteArray body = R"(
<item><widget class="QListWidget" name="list"><property name="currentRow"><number>1</number></property>
 <item><property name="text"><string>One</string></property></item>
 <item><property name="text"><string>Two</string></property></item>
</widget></item>
<item><widget class="QTableWidget" name="table">
 <column><property name="text"><string>Name</string></property></column>
 <column><property name="text"><string>Size</string></property></column>
 <item row="0" column="0"><property name="text"><string>b</string></property></item>
 <item row="0" column="1"><property name="text"><string>2</string></property></item>
 <item row="1" column="0"><property name="text"><string>a</string></property></item>
 <row><property name="text"><string>r0</string></property></row>
 <row><property name="text"><string>r1</string></property></row>
</widget></item>
)";
    auto dialog = std::make_unique<CountingDialog>(form(dialogForm(body)), nullptr, 0, 1.0, L"");
    auto list = std::dynamic_pointer_cast<ListBox>(dialog->GetElementByName(L"list"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->GetItem(1), L"Two");
    list->SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(list->GetItem(0), L"One");
    EXPECT_NE(dynamic_cast<CustomQTableWidgetItem *>(
                  static_cast<QTableWidget *>(list->GetPlatformHandle())->item(0, 0)),
              nullptr);

    auto table = std::dynamic_pointer_cast<ListBox>(dialog->GetElementByName(L"table"));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetColumnsCount(), 2);
    EXPECT_EQ(table->Count(), 2);
    EXPECT_EQ(table->GetItemEx(0), (std::list<std::wstring>{L"b", L"2"}));
    auto *widget = static_cast<QTableWidget *>(table->GetPlatformHandle());
    EXPECT_EQ(widget->horizontalHeaderItem(1)->text(), "Size");
    table->SortColumn(0, ListBox::Ascending);
    EXPECT_EQ(table->GetItem(0), L"a");
    EXPECT_TRUE(table->SetItemData(0, any(1L)));
    EXPECT_EQ(table->AddItem(L"c"), 2);
}

TEST_F(ListBoxTest, PicturesAndTheRowButtonFromFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("picture \u00e9.png"));
    QImage image(12, 12, QImage::Format_ARGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(path, "PNG"));
    const std::wstring file = path.toStdWString();

    list.SetColumnsCount(2);
    auto cells = texts({L"first", L"second"});
    list.InsertRow(0, cells, {});
    list.AddPicture(0, file, 12, BitmapTypeDefault);
    EXPECT_FALSE(table()->item(0, 0)->icon().isNull());
    EXPECT_EQ(table()->iconSize(), QSize(12, 12));
    list.AddPictureEx(0, 1, file, 14, BitmapTypeDefault);
    EXPECT_FALSE(table()->item(0, 1)->icon().isNull());
    table()->item(0, 1)->setIcon(QIcon());
    list.AddPictureSysIconEx(0, 1, file);
    EXPECT_FALSE(table()->item(0, 1)->icon().isNull()) << "the desktop's icon of an existing file";

    list.SetColumnName(0, L"Name");
    list.AddPictureToHeader(0, file, 10, BitmapTypeDefault);
    EXPECT_FALSE(table()->horizontalHeaderItem(0)->icon().isNull());
    list.EnableColumnNames(false);
    EXPECT_TRUE(table()->horizontalHeader()->isHidden());
    list.EnableColumnNames(true);
    EXPECT_FALSE(table()->horizontalHeader()->isHidden());

    list.AddRowButton(file);
    EXPECT_EQ(table()->columnCount(), 3);
    EXPECT_EQ(table()->columnWidth(2), table()->rowHeight(0));
    EXPECT_EQ(list.GetSkinManager(), GetGlobalSkinManager());
    const Size ideal = list.IdealSize();
    EXPECT_EQ(ideal.width, table()->sizeHint().width());
}

TEST_F(ListBoxTest, HeaderSectionsShowTheirTooltips)
{
    show();
    list.SetColumnName(0, L"Name");
    list.SetHeaderTooltip(0, L"The file's name");
    QHeaderView *header = table()->horizontalHeader();
    const QPoint over = header->mapToGlobal(QPoint(header->sectionPosition(0) + 5, header->height() / 2));
    EXPECT_TRUE(list.GetBaseImpl()->ShowCustomToolTip(over));
    EXPECT_EQ(QToolTip::text(), "The file's name");
    QToolTip::hideText();
    list.EnableColumnNames(false);
    EXPECT_FALSE(list.GetBaseImpl()->ShowCustomToolTip(table()->viewport()->mapToGlobal(QPoint(5, 200))));
}
