#include "TreeView.h"

#include "TreeTestSupport.h"

#include "AUILibConfig.h"
#include "AUILibObjectFactory.h"
#include "AgnosticUIException.h"
#include "TreeViewQt.h"
#include "VirtTreeItem.h"
#include "FactoryLoader.h"

#include <QBuffer>
#include <QHeaderView>
#include <QPointer>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QUiLoader>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace AUILib;

namespace {

std::vector<std::wstring> texts(TreeView &tree, QStandardItem *parent)
{
    std::vector<std::wstring> out;
    QStandardItem *item = parent ? tree.GetFirstChild(parent) : tree.GetRootItem();
    for (; item; item = tree.NextSibling(item))
        out.push_back(tree.GetItemText(item));
    return out;
}

const char kForm[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <layout class="QVBoxLayout" name="layout">
   <item>
    <widget class="QTreeView" name="moduleTree">
     <property name="headerHidden"><bool>true</bool></property>
     <property name="rootIsDecorated"><bool>false</bool></property>
    </widget>
   </item>
  </layout>
 </widget>
</ui>
)";

} // namespace

TEST(TreeViewTest, ItsOwnWidgetIsATreeWithOneEmptyHeaderLabel)
{
    TreeView tree;
    EXPECT_EQ(tree.GetControlKind(), ControlKindTreeView);
    TreeViewQt *widget = treeOf(tree);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "AUILib::TreeViewQt");
    EXPECT_TRUE(widget->uniformRowHeights());
    EXPECT_EQ(widget->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(widget->model()->columnCount(), 1);
    EXPECT_TRUE(tree.IsHeaderVisible());
    QWidget parent;
    EXPECT_TRUE(tree.Create(&parent));
    EXPECT_EQ(widget->parentWidget(), &parent);
    EXPECT_EQ(tree.GetParentWindow(), &parent);
}

TEST(TreeViewTest, AFormsTreeViewIsTheControlWithTheFormsProperties)
{
    GetCurrentLanguage(); // registers the controls
    FactoryLoader loader;
    QByteArray form(kForm);
    QBuffer buffer(&form);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> root(loader.load(&buffer));
    ASSERT_NE(root, nullptr);
    auto tree = std::dynamic_pointer_cast<TreeView>(loader.controls["moduleTree"]);
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(tree->IsHeaderVisible());
    EXPECT_FALSE(treeOf(*tree)->rootIsDecorated());
    QStandardItem *item = tree->AddItem(L"Reader update", any(7));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(valueOf<int>(tree->GetItemData(item)), 7);
    tree->SetHeaderVisible(true);
    EXPECT_TRUE(tree->IsHeaderVisible());
}

TEST(TreeViewTest, InsertItemPlacesByReservedHandlesAndRefusesAStrangersAfter)
{
    TreeView tree;
    QStandardItem *a = tree.AddItem(L"a", any());
    QStandardItem *b = tree.AddItem(L"b", any());
    QStandardItem *a1 = tree.AddSubItem(L"a1", any(), a);
    QStandardItem *b1 = tree.AddSubItem(L"b1", any(), b);
    ASSERT_TRUE(a && b && a1 && b1);

    EXPECT_EQ(tree.InsertItem(L"x", TreeView::FirstItemHandle, nullptr, any()), nullptr);
    EXPECT_EQ(tree.InsertItem(L"x", TreeView::LastItemHandle, nullptr, any()), nullptr);

    struct Case
    {
        QStandardItem *parent;
        QStandardItem *after;
        std::vector<std::wstring> expected; // the level after the insert
    };
    // Each case inserts "n" and removes it again.
    const Case cases[] = {
        {a, TreeView::FirstItemHandle, {L"n", L"a1"}},
        {a, nullptr, {L"n", L"a1"}},
        {a, TreeView::RootItemHandle, {L"a1", L"n"}},
        {a, TreeView::LastItemHandle, {L"a1", L"n"}},
        {a, a1, {L"a1", L"n"}},
        {nullptr, TreeView::FirstItemHandle, {L"n", L"a", L"b"}},
        {TreeView::RootItemHandle, TreeView::LastItemHandle, {L"a", L"b", L"n"}},
        {nullptr, a, {L"a", L"n", L"b"}},
        {nullptr, b1, {L"a", L"b", L"n"}}, // not top level: the end of the top level
    };
    for (const Case &c : cases) {
        QStandardItem *n = tree.InsertItem(L"n", c.parent, c.after, any());
        ASSERT_NE(n, nullptr);
        const bool topLevel = !c.parent || c.parent == TreeView::RootItemHandle;
        EXPECT_EQ(texts(tree, topLevel ? nullptr : c.parent), c.expected);
        EXPECT_TRUE(tree.RemoveItem(n));
    }

    // After an item of another parent: nothing is made, nothing is left over.
    const int count = tree.Count();
    EXPECT_EQ(tree.InsertItem(L"n", a, b1, any()), nullptr);
    EXPECT_EQ(tree.InsertItem(L"n", a, b, any()), nullptr);
    EXPECT_EQ(tree.Count(), count);
}

TEST(TreeViewTest, AddItemFollowsTheCurrentItemAndASingleRootRefusesASecondTopLevelRow)
{
    TreeView tree;
    EXPECT_EQ(tree.AddSubItem(L"orphan", any(), nullptr), nullptr); // no current item
    QStandardItem *root = tree.AddItem(L"root", any());
    QStandardItem *child = tree.AddSubItem(L"child", any(), root);
    tree.SetCurrentItem(child);
    QStandardItem *beside = tree.AddItem(L"beside", any());
    ASSERT_NE(beside, nullptr);
    EXPECT_EQ(tree.GetParentItem(beside), root);

    tree.SetCurrentItem(nullptr);
    EXPECT_EQ(tree.CurrentItem(), nullptr);
    tree.SetSingleRoot(true);
    EXPECT_TRUE(tree.IsSingleRoot());
    EXPECT_EQ(tree.AddItem(L"second", any()), nullptr);
    EXPECT_EQ(tree.InsertItem(L"second", nullptr, TreeView::LastItemHandle, any()), nullptr);
    EXPECT_EQ(tree.ChildCount(nullptr, false), 1);
    EXPECT_NE(tree.AddSubItem(L"sub", any(), root), nullptr);
    tree.SetCurrentItem(root);
    EXPECT_NE(tree.AddSubItem(L"sub of current", any(), nullptr), nullptr);
    EXPECT_EQ(tree.ChildCount(root, false), 4);
    EXPECT_EQ(tree.AddSubItem(L"x", any(), TreeView::RootItemHandle), nullptr);
}

TEST(TreeViewTest, ItemDataIsKeptByIdAndRemovedWithTheItem)
{
    TreeView tree;
    QStandardItem *item = tree.AddItem(L"item", any(std::wstring(L"value")));
    EXPECT_FALSE(tree.SetItemData(item, any()));
    EXPECT_EQ(valueOf<std::wstring>(tree.GetItemData(item)), L"value");
    EXPECT_TRUE(tree.SetItemData(item, any(5)));
    EXPECT_EQ(valueOf<int>(tree.GetItemData(item)), 5);
    EXPECT_TRUE(tree.RemoveItemData(item));
    EXPECT_EQ(item->data(Qt::UserRole).toInt(), -1);
    EXPECT_TRUE(tree.GetItemData(item).empty());
    EXPECT_FALSE(tree.RemoveItemData(item));
    EXPECT_TRUE(tree.GetItemData(TreeView::RootItemHandle).empty());
    EXPECT_FALSE(tree.SetItemData(static_cast<QStandardItem *>(nullptr), any(1)));
}

TEST(TreeViewTest, RemovingFiresOncePerCallBeforeAnythingGoes)
{
    TreeView tree;
    QStandardItem *parent = tree.AddItem(L"parent", any(1));
    QStandardItem *child = tree.AddSubItem(L"child", any(2), parent);
    tree.AddSubItem(L"grandchild", any(3), child);
    tree.AddItem(L"other", any(4));
    tree.SetHeaderLabel(L"Modules");

    std::vector<QStandardItem *> removing;
    tree.OnItemRemoving.Subscribe([&](QStandardItem *item) {
        removing.push_back(item);
        EXPECT_EQ(tree.GetItemText(item), L"parent"); // still whole while the event runs
    });
    EXPECT_TRUE(tree.RemoveItem(parent));
    EXPECT_EQ(removing, std::vector<QStandardItem *>{parent});
    EXPECT_EQ(tree.Count(), 1);
    EXPECT_FALSE(tree.RemoveItem(nullptr));

    int countWhenRemoving = -1;
    tree.OnAllItemsRemoving.Subscribe([&] { countWhenRemoving = tree.Count(); });
    EXPECT_TRUE(tree.RemoveAllItems(true));
    EXPECT_EQ(countWhenRemoving, 1);
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(treeOf(tree)->model()->headerData(0, Qt::Horizontal).toString(), "Modules");
    // Ids go on from where they were.
    QStandardItem *again = tree.AddItem(L"again", any(5));
    EXPECT_EQ(again->data(Qt::UserRole).toInt(), 5);
}

TEST(TreeViewTest, WalkingCountingAndTexts)
{
    TreeView tree;
    QStandardItem *a = tree.AddItem(L"a", any());
    QStandardItem *b = tree.AddItem(L"b", any());
    QStandardItem *a1 = tree.AddSubItem(L"a1", any(), a);
    QStandardItem *a2 = tree.AddSubItem(L"a2", any(), a);
    QStandardItem *a21 = tree.AddSubItem(L"a21", any(), a2);

    EXPECT_EQ(tree.Count(), 5);
    EXPECT_EQ(tree.ChildCount(nullptr, false), 2);
    EXPECT_EQ(tree.ChildCount(nullptr, true), 5);
    EXPECT_EQ(tree.ChildCount(a, true), 3);
    EXPECT_EQ(tree.GetRootItem(), a);
    EXPECT_EQ(tree.GetFirstChild(a), a1);
    EXPECT_EQ(tree.NextSibling(a1), a2);
    EXPECT_EQ(tree.NextSibling(a2), nullptr);
    EXPECT_EQ(tree.PrevSibling(a1), nullptr);
    EXPECT_EQ(tree.PrevSibling(b), a);
    EXPECT_EQ(tree.GetParentItem(a21), a2);
    EXPECT_EQ(tree.GetParentItem(a), nullptr);
    EXPECT_EQ(tree.GetTopLevelItem(a21), a);
    EXPECT_TRUE(tree.ItemHasChildren(a2));
    EXPECT_FALSE(tree.ItemHasChildren(a21));

    EXPECT_TRUE(tree.SetItemText(a1, std::wstring(L"new\0tail", 8)));
    EXPECT_EQ(tree.GetItemText(a1), L"new");
    EXPECT_EQ(tree.GetItemTextRaw(a1), tree.GetItemText(a1));
    EXPECT_EQ(tree.GetItemText(TreeView::LastItemHandle), L"");

    tree.SetExpanded(a, true);
    EXPECT_TRUE(tree.IsExpanded(a));
    tree.SetExpanded(a, false);
    EXPECT_FALSE(tree.IsExpanded(a));

    QWidget window;
    tree.Create(&window);
    window.resize(300, 300);
    window.show();
    treeOf(tree)->resize(300, 300);
    EXPECT_EQ(tree.VisibleTopLevelItem(a21), a);
    treeOf(tree)->scrollToBottom();
    for (int i = 0; i < 60; ++i)
        tree.AddItem(L"filler", any());
    treeOf(tree)->scrollToBottom();
    EXPECT_EQ(tree.VisibleTopLevelItem(a1), nullptr); // scrolled above the viewport
}

TEST(TreeViewTest, SelectionChecksEditingAndModes)
{
    TreeView tree;
    QStandardItem *a = tree.AddItem(L"a", any());
    QStandardItem *b = tree.AddItem(L"b", any());
    QStandardItem *a1 = tree.AddSubItem(L"a1", any(), a);

    tree.SelectItem(b, true);
    EXPECT_TRUE(tree.IsSelectedItem(b));
    EXPECT_EQ(tree.SelectedItems(), std::list<QStandardItem *>{b});
    tree.SelectItem(b, false);
    EXPECT_FALSE(tree.IsSelectedItem(b));
    EXPECT_TRUE(tree.SelectedItems().empty());

    // Multi-selection: an item under a selected ancestor is not selected, and
    // selecting an ancestor drops its selected descendants.
    tree.SetMultiSelection(true);
    EXPECT_TRUE(tree.IsSetMultiSelection());
    EXPECT_EQ(treeOf(tree)->selectionMode(), QAbstractItemView::ExtendedSelection);
    tree.SelectItem(a1, true);
    tree.SelectItem(b, true);
    tree.SelectItem(a, true);
    EXPECT_FALSE(tree.IsSelectedItem(a1));
    EXPECT_EQ(tree.SelectedItems().size(), 2u);
    tree.SelectItem(a1, true);
    EXPECT_FALSE(tree.IsSelectedItem(a1));
    tree.SetMultiSelection(false);
    EXPECT_EQ(treeOf(tree)->selectionMode(), QAbstractItemView::SingleSelection);

    EXPECT_FALSE(tree.IsEnabledEditItems());
    tree.EnableEditItems(true);
    EXPECT_TRUE(tree.IsEnabledEditItems());
    EXPECT_EQ(treeOf(tree)->editTriggers(), QAbstractItemView::DoubleClicked);
    tree.DisableEditLabel(a, true);
    EXPECT_TRUE(tree.IsDisabledEditLabel(a));
    tree.DisableEditLabel(a, false);
    EXPECT_FALSE(tree.IsDisabledEditLabel(a));
    EXPECT_FALSE(tree.IsDisabledEditLabel(TreeView::RootItemHandle));

    ASSERT_TRUE(tree.EnableRowsDragAndDrop(true));
    tree.SetCheckMode(TreeView::CheckModeCheckBoxes);
    EXPECT_EQ(tree.GetCheckMode(), TreeView::CheckModeCheckBoxes);
    EXPECT_TRUE(tree.IsSetMultiSelection());
    EXPECT_FALSE(tree.IsEnableRowsDragAndDrop());
    EXPECT_TRUE(a1->isCheckable());
    EXPECT_TRUE(tree.AddItem(L"c", any())->isCheckable());
    tree.SetCheck(b, true);
    tree.SetCheck(a1, true);
    EXPECT_TRUE(tree.GetCheck(b));
    EXPECT_EQ(tree.CheckedItems(), (std::list<QStandardItem *>{a1, b}));
    tree.SetCheckMode(TreeView::CheckModeNone);
    EXPECT_FALSE(a1->isCheckable());
}

TEST(TreeViewTest, BatchesAddInOrderWithPictures)
{
    TreeView tree;
    TreeView::ItemList none;
    EXPECT_EQ(tree.AddItems(none), 0);
    TreeView::ItemList top = {{L"one", any(1), -1}, {L"two", any(2), -1}};
    EXPECT_EQ(tree.AddItems(top), 2);
    QStandardItem *one = tree.GetRootItem();
    TreeView::ItemList subs = {{L"s1", any(), -1}, {L"s2", any(), -1}};
    EXPECT_EQ(tree.AddSubItems(subs, one), 2);
    TreeView::ItemList inserted = {{L"i1", any(), -1}, {L"i2", any(), -1}};
    EXPECT_EQ(tree.InsertItems(inserted, one, tree.GetFirstChild(one)), 2);
    EXPECT_EQ(texts(tree, one), (std::vector<std::wstring>{L"s1", L"i1", L"i2", L"s2"}));
    EXPECT_EQ(texts(tree, nullptr), (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(valueOf<int>(tree.GetItemData(tree.NextSibling(one))), 2);
    EXPECT_TRUE(treeOf(tree)->updatesEnabled());
}

TEST(TreeViewTest, EveryStandardOperationIsEmptyInVirtualMode)
{
    TreeView tree;
    QStandardItem *item = tree.AddItem(L"a", any(1));
    tree.SetVirtualMode(true);
    EXPECT_TRUE(tree.IsVirtualModeEnabled());
    EXPECT_EQ(tree.AddItem(L"b", any()), nullptr);
    EXPECT_EQ(tree.InsertItem(L"b", nullptr, nullptr, any()), nullptr);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(tree.ChildCount(nullptr, true), 0);
    EXPECT_EQ(tree.CurrentItem(), nullptr);
    EXPECT_FALSE(tree.RemoveAllItems(false));
    EXPECT_EQ(tree.GetCheckMode(), TreeView::CheckModeNone);
    EXPECT_TRUE(tree.CheckedItems().empty());
    EXPECT_TRUE(tree.SelectedItems().empty());
    EXPECT_EQ(tree.HitTest(Point{5, 5}, nullptr), nullptr);
    tree.SetSingleRoot(true);
    EXPECT_FALSE(tree.IsSingleRoot());
    (void)item; // gone with the standard model

    tree.SetVirtualMode(false);
    EXPECT_FALSE(tree.IsVirtualModeEnabled());
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_NE(tree.AddItem(L"back", any()), nullptr);
}

TEST(TreeViewTest, SwitchingModesKeepsOtherListenersOfTheWidget)
{
    TreeView tree;
    TreeViewQt *widget = treeOf(tree);
    int foreign = 0;
    QObject::connect(widget, &QTreeView::clicked, [&foreign] { ++foreign; });
    int own = 0;
    tree.OnVirtualItemClicked.Subscribe([&own](VirtTreeItem *) { ++own; });
    tree.SetVirtualMode(true);
    std::wstring text = L"node";
    VirtTreeItem *node = tree.AddVirtualTreeItem(text, nullptr, any());
    tree.UpdateVirtualView();
    emit widget->clicked(widget->model()->index(0, 0));
    EXPECT_EQ(foreign, 1);
    EXPECT_EQ(own, 1);
    (void)node;
}

TEST(TreeViewTest, AGoneWidgetGivesEmptyAnswersAndTheCommonOperationsThrow)
{
    TreeView tree;
    QStandardItem *item = tree.AddItem(L"a", any(1));
    QPointer<QWidget> widget = tree.GetPlatformHandle();
    QWidget parent;
    tree.Create(&parent);
    delete widget.data();
    EXPECT_EQ(tree.AddItem(L"b", any()), nullptr);
    EXPECT_EQ(tree.GetItemText(item), L"");
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_FALSE(tree.IsHeaderVisible());
    EXPECT_FALSE(tree.RemoveAllItems(true));
    EXPECT_EQ(tree.GetItemHeight(), -1);
    EXPECT_EQ(tree.GetTextColor(), -1);
    tree.SetVirtualMode(true);
    EXPECT_FALSE(tree.IsVirtualModeEnabled());
    EXPECT_THROW(tree.Show(true, false), AgnosticUIException);
}
