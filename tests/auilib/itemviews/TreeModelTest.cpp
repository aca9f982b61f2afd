#include "TreeModel.h"

#include "TreePictureStore.h"
#include "VirtTreeItem.h"
#include "VirtualTreeDelegate.h"

#include <QBuffer>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QTreeView>
#include <gtest/gtest.h>

#include <string>

using namespace AUILib;

namespace {

// root: a (a1, a2 (a21, a22)), b (b1)
struct ModelFixture : ::testing::Test
{
    ModelFixture()
        : model(&view)
    {
        a = add(L"a", model.Root());
        b = add(L"b", model.Root());
        a1 = add(L"a1", a);
        a2 = add(L"a2", a);
        a21 = add(L"a21", a2);
        a22 = add(L"a22", a2);
        b1 = add(L"b1", b);
        view.setModel(&model);
    }
    VirtTreeItem *add(const wchar_t *text, VirtTreeItem *parent)
    {
        auto *item = new VirtTreeItem(parent);
        item->SetText(text);
        parent->AppendChild(item);
        return item;
    }
    void click(VirtTreeItem *item) { model.setData(model.IndexFromItem(item), Qt::Checked, Qt::CheckStateRole); }

    QTreeView view;
    TreeModel model;
    VirtTreeItem *a, *b, *a1, *a2, *a21, *a22, *b1;
};

} // namespace

TEST_F(ModelFixture, IndexesFollowTheNodes)
{
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 1);
    const QModelIndex ia2 = model.index(1, 0, model.index(0, 0));
    EXPECT_EQ(model.ItemFromIndex(ia2), a2);
    EXPECT_EQ(model.parent(ia2), model.index(0, 0));
    EXPECT_FALSE(model.parent(model.index(0, 0)).isValid());
    EXPECT_EQ(model.rowCount(ia2), 2);
    EXPECT_FALSE(model.index(5, 0).isValid());
    EXPECT_EQ(model.IndexFromItem(a21), model.index(0, 0, ia2));
    EXPECT_FALSE(model.IndexFromItem(model.Root()).isValid());
    EXPECT_EQ(model.flags(ia2), Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    EXPECT_EQ(model.flags(QModelIndex()), Qt::NoItemFlags);
    EXPECT_EQ(model.data(ia2).toString(), "a2");
    EXPECT_FALSE(model.setData(ia2, "x", Qt::EditRole));
}

TEST_F(ModelFixture, CheckStatesAndPicturesShowOnlyWhenSwitchedOn)
{
    const QModelIndex ia = model.index(0, 0);
    a->SetChecked(true);
    EXPECT_FALSE(model.data(ia, Qt::CheckStateRole).isValid());
    model.SetCheckMode(1);
    EXPECT_EQ(model.data(ia, Qt::CheckStateRole).toInt(), 2);

    a->SetIcon(1);
    EXPECT_FALSE(model.data(ia, Qt::DecorationRole).isValid());
    TreePictureStore pictures;
    QPixmap pixmap(4, 4);
    pixmap.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    ASSERT_EQ(pictures.Add(reinterpret_cast<const unsigned char *>(png.constData()), png.size(), ImageTypePNG, L""), 1);
    model.SetPictures(&pictures);
    EXPECT_TRUE(model.data(ia, Qt::DecorationRole).isValid());
    a->SetIcon(7); // outside the store
    EXPECT_FALSE(model.data(ia, Qt::DecorationRole).isValid());
}

TEST_F(ModelFixture, AClickSpreadsDownToEveryLeafAndUpToEveryAncestor)
{
    click(a2); // check boxes off: nothing changes
    EXPECT_FALSE(a21->GetChecked());
    model.SetCheckMode(1);

    click(a);
    EXPECT_EQ(model.CheckedCount(), 3);
    EXPECT_TRUE(a1->GetChecked() && a2->GetChecked() && a21->GetChecked() && a22->GetChecked());
    EXPECT_TRUE(a->IsCheckAll());
    click(a);
    EXPECT_EQ(model.CheckedCount(), 0);
    EXPECT_FALSE(a21->GetChecked());

    // Three levels: a leaf two levels down reaches the top.
    click(a21);
    EXPECT_EQ(model.CheckedCount(), 1);
    EXPECT_TRUE(a2->GetChecked());
    EXPECT_FALSE(a2->IsCheckAll());
    EXPECT_TRUE(a->GetChecked());
    EXPECT_FALSE(a->IsCheckAll());
    click(a22);
    EXPECT_TRUE(a2->IsCheckAll());
    EXPECT_FALSE(a->IsCheckAll());
    click(a1);
    EXPECT_TRUE(a->IsCheckAll());
    click(a21);
    EXPECT_FALSE(a2->IsCheckAll());
    // a2 is checked (one of its leaves is), yet a has an unchecked leaf.
    EXPECT_FALSE(a->IsCheckAll());
    EXPECT_TRUE(a->GetChecked());

    click(b);
    EXPECT_TRUE(b->IsCheckAll());
    model.CheckAllItem();
    EXPECT_EQ(model.CheckedCount(), 4);
    model.UnCheckAllItem();
    EXPECT_EQ(model.CheckedCount(), 0);
    EXPECT_FALSE(b->IsCheckAll());
}

TEST_F(ModelFixture, APartialStateUnchecksALeafAndKeepsTheCountRight)
{
    model.SetCheckMode(1);
    click(b1);
    EXPECT_EQ(model.CheckedCount(), 1);
    EXPECT_TRUE(model.CheckSubItems(b1, Qt::PartiallyChecked));
    EXPECT_FALSE(b1->GetChecked());
    EXPECT_EQ(model.CheckedCount(), 0);
    EXPECT_TRUE(model.CheckSubItems(b1, Qt::PartiallyChecked));
    EXPECT_EQ(model.CheckedCount(), 0);
}

TEST_F(ModelFixture, SortingRenumbersRowsAndMovesPersistentIndexes)
{
    const QPersistentModelIndex held(model.IndexFromItem(a22));
    model.sort(0); // no comparator: nothing
    EXPECT_EQ(a2->Child(0), a21);

    model.SetSortFunc([](VirtTreeItem *x, VirtTreeItem *y) { return x->GetText() > y->GetText(); });
    model.sort(0); // no scope yet: nothing
    EXPECT_EQ(model.Root()->Child(0), a);

    model.SetSortScope(model.Root(), false);
    model.sort(0);
    EXPECT_EQ(model.Root()->Child(0), b);
    EXPECT_EQ(b->Row(), 0);
    EXPECT_EQ(a->Row(), 1);
    EXPECT_EQ(a2->Child(0), a21); // not recursive
    EXPECT_EQ(model.ItemFromIndex(model.index(0, 0)), b);
    EXPECT_EQ(model.parent(model.IndexFromItem(a1)).row(), 1);

    model.SetSortScope(a, true);
    model.sort(0);
    EXPECT_EQ(a->Child(0), a2);
    EXPECT_EQ(a2->Child(0), a22);
    EXPECT_EQ(a22->Row(), 0);
    EXPECT_EQ(held.row(), 0);
    EXPECT_EQ(model.ItemFromIndex(held), a22);
}

TEST_F(ModelFixture, ClearingAndTheFirstItem)
{
    model.SelectFirstItem();
    EXPECT_TRUE(view.isExpanded(model.index(0, 0)));
    EXPECT_EQ(model.ItemFromIndex(view.currentIndex()), a1);
    model.SetCheckMode(1);
    click(a);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.CheckedCount(), 0);
    add(L"c", model.Root());
    model.RemoveAllItem();
    EXPECT_EQ(model.Root()->ChildCount(), 0);
}

TEST(VirtualTreeDelegateTest, ABoldRangeCutsTheLabelInThree)
{
    EXPECT_EQ(VirtualTreeDelegate::BoldParts("abcdef", 2, 3), (QStringList{"ab", "cd", "ef"}));
    EXPECT_EQ(VirtualTreeDelegate::BoldParts("abcdef", 0, 5), (QStringList{"", "abcdef", ""}));
}

TEST(VirtualTreeDelegateTest, RowsOnlyGrowAndPaintingKeepsTheNodesText)
{
    QTreeView view;
    TreeModel model(&view);
    auto *node = new VirtTreeItem(model.Root());
    node->SetText(L"abcdef");
    node->SetBoldTextPosition(2, 3);
    model.Root()->AppendChild(node);
    view.setModel(&model);
    auto *delegate = new VirtualTreeDelegate(&view);
    view.setItemDelegate(delegate);
    QStyleOptionViewItem option;
    option.font = view.font();
    EXPECT_EQ(delegate->sizeHint(option, model.index(0, 0)).height(), 22);
    QFont big = view.font();
    big.setPixelSize(60);
    option.font = big;
    const int tall = delegate->sizeHint(option, model.index(0, 0)).height();
    EXPECT_GT(tall, 22);
    option.font = view.font();
    EXPECT_EQ(delegate->sizeHint(option, model.index(0, 0)).height(), tall);

    view.resize(200, 100);
    QPixmap canvas(200, 100);
    view.render(&canvas);
    EXPECT_EQ(node->GetText(), L"abcdef");
}
