#include "TreeView.h"

#include "TreeTestSupport.h"
#include "VirtTreeItem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace AUILib;

namespace {

// Descending by text: every sorted level visibly changes its order.
bool descending(std::wstring a, any, std::wstring b, any)
{
    return a > b;
}

// root level: a (a2, a1 (a12, a11)), b (b2, b1) in insertion order 1, 2.
struct SortTree : ::testing::Test
{
    void SetUp() override
    {
        a = tree.AddItem(L"a", any());
        b = tree.AddItem(L"b", any());
        a1 = tree.AddSubItem(L"a1", any(), a);
        a2 = tree.InsertItem(L"a2", a, TreeView::FirstItemHandle, any());
        tree.AddSubItem(L"a11", any(), a1);
        tree.InsertItem(L"a12", a1, TreeView::FirstItemHandle, any());
        tree.AddSubItem(L"b1", any(), b);
        tree.InsertItem(L"b2", b, TreeView::FirstItemHandle, any());
    }
    std::wstring order(QStandardItem *parent)
    {
        std::wstring out;
        for (QStandardItem *item = parent ? tree.GetFirstChild(parent) : tree.GetRootItem(); item;
             item = tree.NextSibling(item))
            out += tree.GetItemText(item) + L" ";
        return out;
    }
    std::wstring all() { return order(nullptr) + L"| " + order(a) + L"| " + order(a1) + L"| " + order(b); }

    TreeView tree;
    QStandardItem *a, *b, *a1, *a2;
};

} // namespace

TEST_F(SortTree, TheScopeDecidesWhichLevelsAreSorted)
{
    const std::wstring unsorted = all();
    EXPECT_EQ(unsorted, L"a b | a2 a1 | a12 a11 | b2 b1 ");
    tree.SortChildren(nullptr, true); // no comparator: nothing moves
    EXPECT_EQ(all(), unsorted);

    ASSERT_TRUE(tree.SetSortFunc(TreeView::SortFunc(descending)));
    struct Case
    {
        bool useA;
        bool recursive;
        const wchar_t *expected;
    };
    const Case cases[] = {
        {true, false, L"a b | a2 a1 | a12 a11 | b2 b1 "},     // a's children already descend
        {false, false, L"b a | a2 a1 | a12 a11 | b2 b1 "},    // top level only
    };
    for (const Case &c : cases) {
        tree.SortChildren(c.useA ? a : nullptr, c.recursive);
        EXPECT_EQ(all(), c.expected);
    }
    // Ascending now, to see the sorted levels move.
    ASSERT_TRUE(tree.SetSortFunc(TreeView::SortFunc([](std::wstring x, any, std::wstring y, any) { return x < y; })));
    tree.SortChildren(a, false);
    EXPECT_EQ(all(), L"b a | a1 a2 | a12 a11 | b2 b1 ");
    tree.SortChildren(a, true);
    EXPECT_EQ(all(), L"b a | a1 a2 | a11 a12 | b2 b1 ");
    tree.SortChildren(TreeView::RootItemHandle, false);
    EXPECT_EQ(all(), L"a b | a1 a2 | a11 a12 | b2 b1 ");
    tree.SortChildren(nullptr, true);
    EXPECT_EQ(all(), L"a b | a1 a2 | a11 a12 | b1 b2 ");
}

TEST_F(SortTree, TheComparatorSeesEachItemsData)
{
    tree.SetItemData(a, any(2));
    tree.SetItemData(b, any(1));
    int empties = 0;
    tree.SetSortFunc(TreeView::SortFunc([&](std::wstring, any x, std::wstring, any y) {
        empties += x.empty() + y.empty();
        return valueOf<int>(x) < valueOf<int>(y);
    }));
    tree.SortChildren(nullptr, false);
    EXPECT_EQ(order(nullptr), L"b a ");
    EXPECT_EQ(empties, 0);
    tree.SortChildren(b, false); // b's children have no data
    EXPECT_GT(empties, 0);
}

TEST(TreeViewSortTest, VirtualChildrenSortThroughTheModel)
{
    TreeView tree;
    EXPECT_FALSE(tree.SetSortFunc(TreeView::VirtSortFunc()));
    tree.SetVirtualMode(true);
    EXPECT_FALSE(tree.SetSortFunc(TreeView::SortFunc(descending)));
    std::vector<VirtTreeItem *> nodes;
    for (const wchar_t *text : {L"b", L"c", L"a"}) {
        std::wstring value(text);
        nodes.push_back(tree.AddVirtualTreeItem(value, nullptr, any()));
    }
    std::wstring child = L"child";
    VirtTreeItem *nested = tree.AddVirtualTreeItem(child, nodes[2], any());
    tree.UpdateVirtualView();
    ASSERT_TRUE(tree.SetSortFunc(
        TreeView::VirtSortFunc([](VirtTreeItem *x, VirtTreeItem *y) { return x->GetText() < y->GetText(); })));
    tree.SortVirtChildren(tree.RootItem(), false);
    EXPECT_EQ(tree.GetChildItem(tree.RootItem(), 0), nodes[2]);
    EXPECT_EQ(nodes[2]->Row(), 0);
    EXPECT_EQ(nodes[1]->Row(), 2);
    tree.SetExpanded(nodes[2], true);
    EXPECT_TRUE(tree.IsExpanded(nodes[2]));
    EXPECT_FALSE(tree.IsExpanded(nodes[0]));
    EXPECT_EQ(tree.GetParentItem(nested), nodes[2]);
}

TEST(TreeViewSortTest, RowDragAndDropIsRefusedWithCheckBoxesAndKeepsAskedForDrops)
{
    TreeView tree;
    QWidget *widget = tree.GetPlatformHandle();
    tree.SetCheckMode(TreeView::CheckModeCheckBoxes);
    EXPECT_FALSE(tree.EnableRowsDragAndDrop(true));
    EXPECT_FALSE(tree.IsEnableRowsDragAndDrop());
    EXPECT_FALSE(treeOf(tree)->dragEnabled());
    tree.SetCheckMode(TreeView::CheckModeNone);

    EXPECT_TRUE(tree.EnableRowsDragAndDrop(true));
    EXPECT_TRUE(tree.IsEnableRowsDragAndDrop());
    EXPECT_TRUE(widget->acceptDrops());
    EXPECT_EQ(treeOf(tree)->defaultDropAction(), Qt::MoveAction);
    tree.SetAcceptDrops(true);
    EXPECT_TRUE(tree.EnableRowsDragAndDrop(false));
    EXPECT_FALSE(treeOf(tree)->dragEnabled());
    EXPECT_TRUE(widget->acceptDrops());
    tree.SetAcceptDrops(false);
    EXPECT_FALSE(widget->acceptDrops());
    EXPECT_FALSE(tree.IsAcceptDrops());

    tree.SetVirtualMode(true);
    EXPECT_FALSE(tree.EnableRowsDragAndDrop(true));
}
