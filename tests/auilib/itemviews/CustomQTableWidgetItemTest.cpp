#include "CustomQTableWidgetItem.h"

#include <QHeaderView>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using namespace AUILib;

namespace {

std::unique_ptr<CustomQTableWidgetItem> cell(const QVariant &value, bool pinned = false,
                                             std::shared_ptr<ListBoxSortLinks> links = nullptr)
{
    auto item = std::make_unique<CustomQTableWidgetItem>(QString(), std::move(links));
    item->setData(Qt::DisplayRole, value);
    item->SetPinned(pinned);
    return item;
}

} // namespace

TEST(CustomQTableWidgetItemTest, NumbersCompareAsNumbersAndTextsAsTexts)
{
    const struct
    {
        QVariant left;
        QVariant right;
        bool less;
    } cases[] = {
        {9, 10, true},
        {QStringLiteral("10"), QStringLiteral("9"), true},
        {2.5, 3, true},          // a Double against an Int: numerically
        {3, 2.5, false},
        {qlonglong(1) << 40, 1, false},
        {true, 2, true},
        {QChar('A'), 66, true},  // QChar counts as an integer
        {1.0f, 0.5, false},
        {std::nan(""), 1.0, false}, // NaN sorts after every number
        {1.0, std::nan(""), true},
        {5, QStringLiteral("abc"), true}, // numbers before texts
        {QStringLiteral("abc"), 5, false},
        {QStringLiteral("B"), QStringLiteral("a"), true}, // case-sensitive by default
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.left.toString().toStdString() + " < " + c.right.toString().toStdString());
        EXPECT_EQ(*cell(c.left) < *cell(c.right), c.less);
    }
}

TEST(CustomQTableWidgetItemTest, TheCaseRuleAndSortFunctionsComeFromTheLinks)
{
    auto links = std::make_shared<ListBoxSortLinks>();
    links->caseSensitive = false;
    EXPECT_TRUE(*cell(QStringLiteral("a"), false, links) < *cell(QStringLiteral("B"), false, links));

    // A plain table cell (no links) hands the function a long 0 as its data.
    QTableWidget table(1, 2);
    const int id = links->itemData.Add(any(std::wstring(L"mine")), 0);
    auto *mine = new CustomQTableWidgetItem(QStringLiteral("x"), links);
    mine->setData(Qt::UserRole, id);
    table.setItem(0, 0, mine);
    auto *plain = new QTableWidgetItem(QStringLiteral("y"));
    QTableWidget other(1, 1);
    other.setItem(0, 0, plain);
    std::wstring seen;
    long theirs = -1;
    links->sortFunctions[0] = [&](std::wstring left, any leftData, std::wstring right, any rightData) {
        seen = left + L"," + right + L"," + *any_cast<std::wstring>(&leftData);
        theirs = *any_cast<long>(&rightData);
        return true;
    };
    EXPECT_TRUE(*mine < *plain);
    EXPECT_EQ(seen, L"x,y,mine");
    EXPECT_EQ(theirs, 0L);
}

// Pinned rows stay first in both orders: Qt asks `right < left` for a
// descending sort, so the answer depends on the order being sorted.
TEST(CustomQTableWidgetItemTest, PinnedCellsComeFirstInBothOrders)
{
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        SCOPED_TRACE(order);
        QTableWidget table(0, 1);
        const std::vector<std::pair<QVariant, bool>> values = {
            {QStringLiteral("m"), false}, {QStringLiteral("z-pinned"), true}, {QStringLiteral("a"), false},
            {7, true}, {3, false}, {QStringLiteral("a-pinned"), true},
        };
        for (const auto &value : values) {
            table.insertRow(table.rowCount());
            table.setItem(table.rowCount() - 1, 0, cell(value.first, value.second).release());
        }
        table.sortByColumn(0, order); // as the list sorts: through the header's indicator
        QStringList texts;
        for (int row = 0; row < table.rowCount(); ++row)
            texts << table.item(row, 0)->text();
        // Pinned rows keep their own order among themselves.
        const QStringList pinned{"z-pinned", "7", "a-pinned"};
        EXPECT_EQ(texts.mid(0, 3), pinned);
        EXPECT_EQ(texts.mid(3), order == Qt::AscendingOrder ? QStringList({"3", "a", "m"}) : QStringList({"m", "a", "3"}));
    }
}

// Irreflexive, asymmetric and transitive, with incomparability transitive as
// well: what std::stable_sort needs of the comparison.
TEST(CustomQTableWidgetItemTest, TheComparisonIsAStrictWeakOrdering)
{
    QTableWidget table(0, 1);
    const std::vector<std::pair<QVariant, bool>> values = {
        {2, false},  {10, false}, {QStringLiteral("15"), false}, {2.5, false}, {std::nan(""), false},
        {QStringLiteral("b"), false}, {QStringLiteral("B"), false}, {1, true}, {QStringLiteral("x"), true},
        {std::numeric_limits<double>::infinity(), false},
    };
    std::vector<QTableWidgetItem *> cells;
    for (const auto &value : values) {
        table.insertRow(table.rowCount());
        cells.push_back(cell(value.first, value.second).release());
        table.setItem(table.rowCount() - 1, 0, cells.back());
    }
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        table.horizontalHeader()->setSortIndicator(0, order);
        auto less = [](const QTableWidgetItem *a, const QTableWidgetItem *b) { return *a < *b; };
        auto equivalent = [&](const QTableWidgetItem *a, const QTableWidgetItem *b) {
            return !less(a, b) && !less(b, a);
        };
        for (auto *a : cells) {
            EXPECT_FALSE(less(a, a));
            for (auto *b : cells) {
                if (less(a, b)) {
                    EXPECT_FALSE(less(b, a)) << a->text().toStdString() << " " << b->text().toStdString();
                }
                for (auto *c : cells) {
                    if (less(a, b) && less(b, c)) {
                        EXPECT_TRUE(less(a, c)) << a->text().toStdString() << " " << b->text().toStdString() << " "
                                                << c->text().toStdString();
                    }
                    if (equivalent(a, b) && equivalent(b, c)) {
                        EXPECT_TRUE(equivalent(a, c));
                    }
                }
            }
        }
    }
}
