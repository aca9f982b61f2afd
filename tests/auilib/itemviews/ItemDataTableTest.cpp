#include "ItemDataTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using AUILib::any;
using AUILib::any_cast;
using AUILib::ItemDataTable;

namespace {

std::wstring textOf(const any &value)
{
    const std::wstring *text = any_cast<std::wstring>(&value);
    return text ? *text : L"<none>";
}

std::vector<int> numbersOf(const any &value)
{
    const std::vector<int> *numbers = any_cast<std::vector<int>>(&value);
    return numbers ? *numbers : std::vector<int>{-1};
}

} // namespace

TEST(ItemDataTable, IdsStartAtOneOnlyGrowAndNeverMatchZeroOrMinusOne)
{
    ItemDataTable table;
    EXPECT_EQ(table.Add(any(std::wstring(L"a"))), 1);
    EXPECT_EQ(table.Add(any(std::wstring(L"b"))), 2);
    for (int never : {0, -1, 3, 1000})
        EXPECT_TRUE(table.Get(never).empty()) << never;

    table.Clear();
    EXPECT_TRUE(table.Get(1).empty());
    EXPECT_EQ(table.Add(any(7L)), 3);
    EXPECT_TRUE(table.Remove(3));
    EXPECT_FALSE(table.Remove(3));
    EXPECT_TRUE(table.Get(3).empty());
    EXPECT_EQ(table.Add(any(8L)), 4);
}

TEST(ItemDataTable, ColumnsOfOneIdAndSetOnAMissingId)
{
    ItemDataTable table;
    const int id = table.Add(any(std::wstring(L"name")), 1);
    EXPECT_TRUE(table.Get(id).empty());
    EXPECT_EQ(textOf(table.Get(id, 1)), L"name");

    // A new column keeps the id; a replaced one keeps the others.
    EXPECT_EQ(table.Set(id, any(std::wstring(L"size")), 2), id);
    EXPECT_EQ(table.Set(id, any(std::wstring(L"renamed")), 1), id);
    EXPECT_EQ(textOf(table.Get(id, 1)), L"renamed");
    EXPECT_EQ(textOf(table.Get(id, 2)), L"size");

    // The id passed in is not used when it is absent: a new one is handed out.
    const int fresh = table.Set(42, any(std::wstring(L"x")), 3);
    EXPECT_EQ(fresh, id + 1);
    EXPECT_TRUE(table.Get(42, 3).empty());
    EXPECT_EQ(textOf(table.Get(fresh, 3)), L"x");

    // Removing an id drops all its columns.
    EXPECT_TRUE(table.Remove(id));
    EXPECT_TRUE(table.Get(id, 2).empty());
}

TEST(ItemDataTable, ValuesInAndOutAreClones)
{
    ItemDataTable table;
    any value(std::vector<int>{1, 2});
    const int first = table.Add(value);
    const int second = table.Add(value);
    EXPECT_NE(first, second);

    any_cast<std::vector<int>>(&value)->push_back(3);
    any out = table.Get(first);
    any_cast<std::vector<int>>(&out)->push_back(9);
    EXPECT_EQ(numbersOf(table.Get(first)), (std::vector<int>{1, 2}));

    any changed = table.Get(second);
    any_cast<std::vector<int>>(&changed)->clear();
    table.Set(second, changed, 0);
    EXPECT_EQ(numbersOf(table.Get(second)), std::vector<int>{});
    EXPECT_EQ(numbersOf(table.Get(first)), (std::vector<int>{1, 2}));
}
