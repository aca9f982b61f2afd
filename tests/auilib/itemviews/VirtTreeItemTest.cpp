#include "VirtTreeItem.h"

#include "TreeModel.h"
#include "TreeTestSupport.h"

#include "TreeView.h"
#include "TreeViewQt.h"

#include <QAbstractItemModel>
#include <QStandardItem>
#include <gtest/gtest.h>

#include <string>

using namespace AUILib;

TEST(VirtTreeItemTest, FieldsLevelsRowsAndData)
{
    VirtTreeItem root(nullptr);
    auto *top = new VirtTreeItem(&root);
    auto *second = new VirtTreeItem(&root);
    root.AppendChild(top);
    root.AppendChild(second);
    auto *child = new VirtTreeItem(top);
    top->AppendChild(child);
    EXPECT_EQ(top->Level(), 0);
    EXPECT_EQ(top->Row(), 0);
    EXPECT_EQ(second->Row(), 1);
    EXPECT_EQ(child->Level(), 1);
    EXPECT_EQ(child->ParentItem(), top);
    EXPECT_EQ(root.Child(-1), nullptr);
    EXPECT_EQ(root.Child(root.ChildCount()), nullptr);
    EXPECT_EQ(root.Child(1), second);
    EXPECT_EQ(root.GetChildItems().size(), 2);

    top->SetText(L"top");
    top->SetChecked(true);
    EXPECT_EQ(top->Data(Qt::DisplayRole, 0).toString(), "top");
    EXPECT_EQ(top->Data(Qt::CheckStateRole, 0).toInt(), 2);
    EXPECT_FALSE(top->Data(Qt::CheckStateRole, 1).isValid());
    EXPECT_FALSE(top->Data(Qt::ToolTipRole, 0).isValid());
    EXPECT_FALSE(top->IsCheckAll());

    top->SetIcon(3);
    top->SetIcon(-1);
    EXPECT_EQ(top->GetIcon(), 3);
    top->SetBoldTextPosition(2, 4);
    top->SetBoldTextPosition(-1, 3);
    EXPECT_EQ(top->GetBoldTextPosition(), (std::int64_t(3) << 32) | 2);
    VirtTreeItem fresh(nullptr);
    EXPECT_EQ(fresh.GetBoldTextPosition(), -1);

    top->SetData(any(std::wstring(L"v")));
    top->SetData(any());
    any copy = top->GetData();
    *any_cast<std::wstring>(&copy) = L"changed";
    EXPECT_EQ(valueOf<std::wstring>(top->GetData()), L"v");

    top->RemoveChilds();
    EXPECT_EQ(top->ChildCount(), 0);
}

namespace {

struct VirtualTree : ::testing::Test
{
    void SetUp() override
    {
        tree.SetVirtualMode(true);
        a = add(L"a", nullptr);
        b = add(L"b", nullptr);
        a1 = add(L"a1", a);
        a2 = add(L"a2", a);
        a21 = add(L"a21", a2);
        b1 = add(L"b1", b);
        tree.UpdateVirtualView();
    }
    VirtTreeItem *add(const wchar_t *text, VirtTreeItem *parent)
    {
        std::wstring value(text);
        return tree.AddVirtualTreeItem(value, parent, any(value));
    }
    QAbstractItemModel *model() { return tree.GetPlatformHandle() ? static_cast<TreeViewQt *>(tree.GetPlatformHandle())->model() : nullptr; }

    TreeView tree;
    VirtTreeItem *a = nullptr, *b = nullptr, *a1 = nullptr, *a2 = nullptr, *a21 = nullptr, *b1 = nullptr;
};

} // namespace

TEST_F(VirtualTree, NodesAreBuiltThroughTheControl)
{
    std::wstring empty;
    EXPECT_EQ(tree.AddVirtualTreeItem(empty, nullptr, any()), nullptr);
    EXPECT_EQ(tree.RootItem()->ChildCount(), 2);
    EXPECT_EQ(tree.GetLevel(a), 0);
    EXPECT_EQ(tree.GetLevel(a21), 2);
    EXPECT_EQ(tree.GetLevel(nullptr), -1);
    EXPECT_EQ(tree.GetParentItem(a21), a2);
    EXPECT_EQ(tree.GetChildItem(a, 1), a2);
    EXPECT_EQ(tree.ChildCount(a), 2);
    EXPECT_EQ(model()->rowCount(), 2);

    EXPECT_EQ(tree.GetItemText(a1), L"a1");
    EXPECT_TRUE(tree.SetItemText(a1, L"renamed"));
    EXPECT_EQ(tree.GetItemText(a1), L"renamed");
    EXPECT_TRUE(tree.SetItemTooltip(a1, L"tip"));
    EXPECT_EQ(a1->GetTooltip(), L"tip");
    EXPECT_EQ(valueOf<std::wstring>(tree.GetItemData(a1)), L"a1");
    EXPECT_FALSE(tree.SetItemData(a1, any()));
    EXPECT_TRUE(tree.SetItemData(a1, any(9)));
    EXPECT_EQ(valueOf<int>(tree.GetItemData(a1)), 9);
    tree.SetBoldTextPosition(a1, 1, 2);
    EXPECT_EQ(a1->GetBoldTextPosition(), (std::int64_t(2) << 32) | 1);
    EXPECT_FALSE(tree.SetPicture(a1, 1)); // no pictures yet
    EXPECT_EQ(tree.GetItemPicturePath(a1), L"");
}

TEST_F(VirtualTree, ExpandAndCurrentActOnTheNestedNodeItself)
{
    tree.SetExpanded(a, true);
    tree.SetExpanded(a2, true);
    EXPECT_TRUE(tree.IsExpanded(a2));
    // b has the same row as a2 under the root: it stays collapsed.
    EXPECT_FALSE(tree.IsExpanded(b));
    tree.SetCurrentVirtualItem(a21);
    EXPECT_EQ(tree.CurrentVirtualItem(), a21);
    auto *view = static_cast<TreeViewQt *>(tree.GetPlatformHandle());
    EXPECT_EQ(static_cast<TreeModel *>(view->model())->ItemFromIndex(view->currentIndex()), a21);
    tree.SetCurrentVirtualItem(nullptr);
    EXPECT_EQ(tree.CurrentVirtualItem(), nullptr);
    EXPECT_TRUE(view->selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(VirtualTree, ChecksNeedTheCheckBoxesAndReachEveryAncestor)
{
    a21->SetChecked(true);
    EXPECT_FALSE(tree.GetCheck(a21));
    tree.SetCheck(a1, true, false);
    EXPECT_FALSE(a1->GetChecked());
    a21->SetChecked(false);

    tree.EnableVirtualItemCheckboxes(true);
    tree.SetCheck(a21, true, false);
    EXPECT_TRUE(tree.GetCheck(a21));
    EXPECT_TRUE(tree.GetCheck(a2));   // all its children checked
    EXPECT_TRUE(tree.GetCheck(a));    // one child checked
    EXPECT_FALSE(a->IsCheckAll());
    tree.SetCheck(a, true, true);
    EXPECT_TRUE(tree.GetCheck(a1));
    EXPECT_FALSE(tree.IsCheckedAllVirtualItems());
    tree.SetCheckAllVirtualItems(true);
    EXPECT_TRUE(tree.IsCheckedAllVirtualItems());
    EXPECT_TRUE(tree.GetCheck(b1));
    tree.SetCheckAllVirtualItems(false);
    EXPECT_FALSE(tree.GetCheck(b1));
    EXPECT_FALSE(tree.IsCheckedAllVirtualItems());

    tree.RemoveAllVirtualItems();
    EXPECT_TRUE(tree.IsCheckedAllVirtualItems()); // an empty tree
    EXPECT_EQ(tree.CurrentVirtualItem(), nullptr);
    EXPECT_EQ(model()->rowCount(), 0);
}

TEST_F(VirtualTree, VirtualOperationsAreEmptyInTheStandardMode)
{
    tree.SetVirtualMode(false);
    VirtTreeItem stray(nullptr);
    std::wstring text = L"x";
    EXPECT_EQ(tree.AddVirtualTreeItem(text, nullptr, any()), nullptr);
    EXPECT_EQ(tree.RootItem(), nullptr);
    EXPECT_EQ(tree.GetItemText(&stray), L"");
    EXPECT_FALSE(tree.SetItemText(&stray, L"y"));
    EXPECT_EQ(tree.GetLevel(&stray), -1);
    EXPECT_EQ(tree.ChildCount(&stray), 0);
    EXPECT_FALSE(tree.GetCheck(&stray));
    EXPECT_FALSE(tree.IsExpanded(&stray));
    EXPECT_FALSE(tree.IsCheckedAllVirtualItems());
    EXPECT_FALSE(tree.SetSortFunc(TreeView::VirtSortFunc([](VirtTreeItem *, VirtTreeItem *) { return false; })));
}
