#include "TreeView.h"

#include "CustomStyle.h"
#include "Edit.h"
#include "TreeTestSupport.h"
#include "VirtTreeItem.h"

#include <QLineEdit>
#include <QPixmap>
#include <QStandardItem>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace AUILib;


TEST_F(ShownTree, HitTestsTellIndentationExpandMarkCheckBoxIconAndRow)
{
    unsigned int flags = 0xdead;
    EXPECT_EQ(tree.HitTest(Point{5, viewport()->height() - 2}, &flags), nullptr);
    EXPECT_EQ(flags, 0xdeadu);

    const QRect r = rect(a11);
    EXPECT_EQ(tree.HitTest(Point{r.left() + 2, r.center().y()}, &flags), a11);
    EXPECT_EQ(flags, 4u);
    EXPECT_EQ(tree.HitTest(Point{2, r.center().y()}, &flags), a11);
    EXPECT_EQ(flags, 8u);
    EXPECT_NE(pointWith(a1, 16), QPoint(-1, -1)); // a1 has children
    EXPECT_EQ(pointWith(a11, 16), QPoint(-1, -1));
    // Without branch marks there is no expand area.
    tree.SetStyle(TreeView::StyleBranches, TreeView::StyleNone);
    EXPECT_EQ(pointWith(a1, 16), QPoint(-1, -1));
    tree.SetStyle(TreeView::StyleNone, TreeView::StyleBranches);

    EXPECT_EQ(pointWith(a11, 32), QPoint(-1, -1));
    tree.SetCheckMode(TreeView::CheckModeCheckBoxes);
    EXPECT_NE(pointWith(a11, 32), QPoint(-1, -1));

    QPixmap picture(16, 16);
    picture.fill(Qt::blue);
    a2->setIcon(QIcon(picture));
    EXPECT_NE(pointWith(a2, 2), QPoint(-1, -1));

    const Rect content = tree.GetItemRect(a11, true);
    const Rect whole = tree.GetItemRect(a11, false);
    EXPECT_EQ(content.left, whole.left);
    EXPECT_LE(content.right, whole.right);
    const Rect none = tree.GetItemRect(nullptr, false);
    EXPECT_EQ(none.right, -1);
}

TEST_F(ShownTree, ACheckBoxClickSpreadsToDescendantsAndEveryAncestor)
{
    tree.SetCheckMode(TreeView::CheckModeCheckBoxes);
    std::vector<QStandardItem *> checkClicks;
    tree.OnItemCheckClicked.Subscribe([&](QStandardItem *item) { checkClicks.push_back(item); });
    auto clickCheck = [&](QStandardItem *item) {
        const QPoint point = pointWith(item, 32);
        ASSERT_NE(point, QPoint(-1, -1));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, point);
    };

    clickCheck(a1);
    EXPECT_TRUE(tree.GetCheck(a1));
    EXPECT_TRUE(tree.GetCheck(a11));
    EXPECT_TRUE(tree.GetCheck(a12));
    EXPECT_FALSE(tree.GetCheck(a)); // a2 is still unchecked
    EXPECT_EQ(checkClicks, std::vector<QStandardItem *>{a1});
    // A click two levels up reaches the grandchildren, both ways.
    tree.SetCheck(a1, false);
    tree.SetCheck(a11, false);
    tree.SetCheck(a12, false);
    clickCheck(a);
    for (QStandardItem *item : {a, a1, a2, a11, a12})
        EXPECT_TRUE(tree.GetCheck(item)) << QString::fromStdWString(tree.GetItemText(item)).toStdString();
    clickCheck(a);
    for (QStandardItem *item : {a, a1, a2, a11, a12})
        EXPECT_FALSE(tree.GetCheck(item)) << QString::fromStdWString(tree.GetItemText(item)).toStdString();

    // Checking the last unchecked child checks the parent; grandparents too.
    tree.SetCheck(a1, false);
    tree.SetCheck(a12, false);
    tree.SetCheck(a11, true);
    clickCheck(a2);
    EXPECT_FALSE(tree.GetCheck(a));
    clickCheck(a12);
    EXPECT_TRUE(tree.GetCheck(a1));
    EXPECT_TRUE(tree.GetCheck(a));
    // Unchecking a leaf two levels down unchecks the whole line above it.
    clickCheck(a11);
    EXPECT_FALSE(tree.GetCheck(a11));
    EXPECT_FALSE(tree.GetCheck(a1));
    EXPECT_FALSE(tree.GetCheck(a));
    EXPECT_TRUE(tree.GetCheck(a12));
}

TEST_F(ShownTree, ClicksExpansionAndSelectionFireTheirEvents)
{
    std::vector<std::wstring> log;
    auto name = [&](const char *event) {
        return [&log, event, this](QStandardItem *item) {
            log.push_back(std::wstring(event, event + strlen(event)) + L":" + tree.GetItemText(item));
        };
    };
    tree.OnItemClicked.Subscribe(name("click"));
    tree.OnItemDoubleClicked.Subscribe(name("double"));
    tree.OnItemExpanded.Subscribe(name("expand"));
    tree.OnItemCollapsed.Subscribe(name("collapse"));
    tree.OnSelectionChanged.Subscribe(name("select"));

    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, rect(b).center());
    QTest::mouseDClick(viewport(), Qt::LeftButton, Qt::NoModifier, rect(b).center());
    tree.SetExpanded(a1, false);
    tree.SetExpanded(a1, true);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"select:b", L"click:b", L"double:b", L"collapse:a1", L"expand:a1"}));
}

TEST_F(ShownTree, ALabelIsEditedInPlaceWithTheEditControl)
{
    std::vector<std::wstring> log;
    tree.OnBeginEditLabel.Subscribe([&](QStandardItem *item) { log.push_back(L"begin:" + tree.GetItemText(item)); });
    Edit *created = nullptr;
    tree.OnLabelEditorCreated.Subscribe([&](QStandardItem *, Edit *editor) { created = editor; });
    tree.OnEndEditLabel.Subscribe([&](QStandardItem *item) { log.push_back(L"end:" + tree.GetItemText(item)); });
    tree.OnItemTextReplaced.Subscribe([&](QStandardItem *, std::wstring before, std::wstring after) {
        log.push_back(L"replaced:" + before + L">" + after);
    });

    tree.DisableEditLabel(a2, true);
    EXPECT_EQ(tree.EditLabel(a2), nullptr);
    Edit *editor = tree.EditLabel(a11);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor, created);
    auto *line = qobject_cast<QLineEdit *>(editor->GetPlatformHandle());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "a11");
    EXPECT_EQ(line->selectedText(), "a11");
    line->setText("renamed");
    tree.EndEditLabel(true);
    EXPECT_EQ(tree.GetItemText(a11), L"renamed");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"begin:a11", L"replaced:a11>renamed", L"end:renamed"}));

    log.clear();
    editor = tree.EditLabel(a12);
    ASSERT_NE(editor, nullptr);
    qobject_cast<QLineEdit *>(editor->GetPlatformHandle())->setText("dropped");
    tree.EndEditLabel(false);
    EXPECT_EQ(tree.GetItemText(a12), L"a12");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"begin:a12", L"end:a12"}));
}

TEST_F(ShownTree, WordWrapGivesLongLabelsTheirHeightAndTakesItBack)
{
    tree.SetItemText(b, L"a label long enough to need several lines in a narrow column of this tree view");
    tree.EnableWordWrapText(true);
    EXPECT_TRUE(tree.IsEnabledWordWrapText());
    const QSize wrapped = b->data(Qt::SizeHintRole).toSize();
    const QSize single = a->data(Qt::SizeHintRole).toSize();
    EXPECT_GT(wrapped.height(), single.height());
    tree.EnableWordWrapText(false);
    EXPECT_FALSE(tree.IsEnabledWordWrapText());
    EXPECT_FALSE(b->data(Qt::SizeHintRole).isValid());
}

TEST_F(ShownTree, VirtualNodesFireTheirOwnEvents)
{
    tree.SetVirtualMode(true);
    std::wstring text = L"node";
    VirtTreeItem *node = tree.AddVirtualTreeItem(text, nullptr, any());
    text = L"child";
    tree.AddVirtualTreeItem(text, node, any());
    tree.UpdateVirtualView();
    std::vector<std::string> log;
    tree.OnVirtualItemClicked.Subscribe([&](VirtTreeItem *) { log.push_back("click"); });
    tree.OnVirtualSelectionChanged.Subscribe([&](VirtTreeItem *) { log.push_back("select"); });
    tree.OnVirtualItemExpanded.Subscribe([&](VirtTreeItem *) { log.push_back("expand"); });
    tree.OnVirtualItemCollapsed.Subscribe([&](VirtTreeItem *) { log.push_back("collapse"); });
    const QRect r = treeOf(tree)->visualRect(treeOf(tree)->model()->index(0, 0));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    EXPECT_EQ(tree.CurrentVirtualItem(), node);
    tree.SetExpanded(node, true);
    tree.SetExpanded(node, false);
    EXPECT_EQ(log, (std::vector<std::string>{"select", "click", "expand", "collapse"}));
}

TEST(CustomStyleTest, BranchMarksSitInTheStripAboveTheRowsBottom)
{
    // A 20-pixel indentation, 18-pixel strip: an 8 x 8 box.
    const QRect strip = CustomStyle::BranchStrip(QRect(0, 0, 20, 20));
    EXPECT_EQ(strip, QRect(QPoint(0, 1), QPoint(19, 18)));
    const QRect box = CustomStyle::PlusMinusBox(QRect(0, 0, 20, 18));
    EXPECT_EQ(box.size(), QSize(8, 8));
    const QPolygon closed = CustomStyle::Triangle(QRect(0, 0, 20, 18), false);
    EXPECT_EQ(closed.at(0), QPoint(7, 5));
    EXPECT_EQ(closed.at(2).x(), 7);
    const QPolygon open = CustomStyle::Triangle(QRect(0, 0, 20, 18), true);
    EXPECT_EQ(open.at(0).y(), open.at(1).y());

    CustomStyle style;
    EXPECT_EQ(style.Options(), 0x0Au);
    style.SetOption(CustomStyle::showPlusMinus, true);
    style.SetOption(CustomStyle::inactiveHighlight, false);
    EXPECT_EQ(style.Options(), 0x03u);
}

TEST_F(ShownTree, EveryBranchStylePaints)
{
    tree.SelectItem(a1, true);
    const TreeView::StyleFlag flags[] = {TreeView::StylePlusMinus, TreeView::StyleNativeBranches,
                                         TreeView::StyleFullRowSelect};
    QPixmap canvas(window.size());
    for (TreeView::StyleFlag flag : flags) {
        tree.SetStyle(TreeView::StyleNone, flag);
        window.render(&canvas);
    }
    tree.SetStyle(TreeView::StyleBranches, TreeView::StyleNone);
    window.render(&canvas);
    EXPECT_EQ(treeOf(tree)->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(tree.Count(), 6);
}
