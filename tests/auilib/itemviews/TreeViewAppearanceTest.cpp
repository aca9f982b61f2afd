#include "TreeView.h"

#include "CustomStyle.h"
#include "TreePictureStore.h"
#include "TreeTestSupport.h"
#include "TreeViewImpl.h"
#include "VirtTreeItem.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QToolTip>
#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace AUILib;

namespace {

std::shared_ptr<TreeView::impl> implOf(TreeView &tree)
{
    return std::static_pointer_cast<TreeView::impl>(tree.GetBaseImpl());
}

QByteArray png(QColor color, int size = 8)
{
    QPixmap pixmap(size, size);
    pixmap.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    return bytes;
}

const unsigned char *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

} // namespace

TEST(TreeViewAppearanceTest, ColoursAndHeightsGrowTheStyleSheet)
{
    TreeView tree;
    QWidget *widget = tree.GetPlatformHandle();
    tree.SetTextColor(0xff0000, false);
    tree.SetTextColor(0x00ff00, false);
    EXPECT_EQ(widget->styleSheet().count("QTreeView{color:"), 2);
    EXPECT_TRUE(widget->styleSheet().endsWith("QTreeView{color:#00ff00;}"));
    EXPECT_EQ(tree.GetTextColor(), 0x00ff00);
    tree.SetBackgroundColor(0xff102030);
    EXPECT_TRUE(widget->styleSheet().endsWith("QTreeView{background-color:#102030;}"));
    tree.SetSelectionColors(0xffffff, -1);
    EXPECT_TRUE(widget->styleSheet().endsWith(
        "QTreeView{selection-background-color: transparent; selection-color:#ffffff;}"));
    tree.SetSelectionColors(0x000000, 0x0000ff);
    EXPECT_TRUE(widget->styleSheet().endsWith(
        "QTreeView{selection-background-color: #0000ff; selection-color:#000000;}"));
    EXPECT_TRUE(implOf(tree)->Style()->HasCustomSelectionColors());

    tree.AddItem(L"row", any());
    const int natural = tree.GetItemHeight();
    EXPECT_GT(natural, 0);
    const QString sheet = widget->styleSheet();
    tree.SetItemHeight(0);
    tree.SetItemHeight(-4);
    EXPECT_EQ(widget->styleSheet(), sheet);
    EXPECT_EQ(tree.GetItemHeight(), natural);
    tree.SetItemHeight(30);
    EXPECT_TRUE(widget->styleSheet().endsWith("QTreeView::item { height: 30px }"));
    EXPECT_EQ(tree.GetItemHeight(), 30);
}

TEST(TreeViewAppearanceTest, FontsAndColoursOfItems)
{
    TreeView tree;
    QStandardItem *item = tree.AddItem(L"item", any());
    QStandardItem *other = tree.AddItem(L"other", any());
    FontData font;
    font.italic = 1;
    font.underline = 1;
    font.size = 15;
    tree.SetFont(font, false);
    FontData keep; // negative fields keep what the control has
    keep.bold = 1;
    tree.SetFont(keep, false);
    FontData now = tree.GetFont();
    EXPECT_EQ(now.italic, 1);
    EXPECT_EQ(now.underline, 1);
    EXPECT_EQ(now.bold, 1);
    EXPECT_NEAR(now.size, 15, 0.5);

    EXPECT_EQ(tree.GetItemFont(item).underline, 1); // no font of its own: the control's
    FontData own;
    own.underline = 0;
    tree.SetItemFont(item, own);
    EXPECT_EQ(tree.GetItemFont(item).underline, 0);
    EXPECT_FALSE(tree.IsItemBold(other));
    tree.SetItemBold(other, true);
    EXPECT_TRUE(tree.IsItemBold(other));
    tree.SetItemBold(other, false);
    EXPECT_FALSE(tree.IsItemBold(other));
    FontData big;
    big.size = 20;
    tree.SetFont(big, true); // reaches the items with fonts of their own
    EXPECT_NEAR(tree.GetItemFont(item).size, 20, 0.5);

    EXPECT_EQ(tree.GetItemTextColor(item), tree.GetTextColor());
    tree.SetItemTextColor(item, 0x336699);
    EXPECT_EQ(tree.GetItemTextColor(item), 0x336699);
    tree.SetTextColor(0x111111, true);
    EXPECT_EQ(tree.GetItemTextColor(item), 0x111111);
    EXPECT_EQ(tree.GetItemTextColor(TreeView::RootItemHandle), -1);
    EXPECT_EQ(tree.GetItemFont(nullptr).size, -1.0);
}

TEST(TreeViewAppearanceTest, StyleFlags)
{
    TreeView tree;
    QWidget *widget = tree.GetPlatformHandle();
    CustomStyle *style = implOf(tree)->Style();
    EXPECT_EQ(widget->style(), style);
    tree.AddItem(L"row", any());
    ASSERT_TRUE(tree.EnableRowsDragAndDrop(true));

    tree.SetStyle(TreeView::StyleNone, TreeView::StyleCheckBoxes);
    EXPECT_EQ(tree.GetCheckMode(), TreeView::CheckModeCheckBoxes);
    EXPECT_TRUE(tree.IsSetMultiSelection());
    EXPECT_FALSE(tree.IsEnableRowsDragAndDrop());
    tree.SetStyle(TreeView::StyleCheckBoxes, TreeView::StyleNone);
    EXPECT_EQ(tree.GetCheckMode(), TreeView::CheckModeNone);

    const QString base = widget->styleSheet();
    tree.SetStyle(TreeView::StyleInactiveHighlight, TreeView::StyleNone);
    EXPECT_FALSE(style->Options() & CustomStyle::inactiveHighlight);
    EXPECT_TRUE(widget->styleSheet().endsWith("QTreeView::item:!active { background-color: transparent; }"));
    tree.SetStyle(TreeView::StyleNone, TreeView::StyleInactiveHighlight);
    EXPECT_EQ(widget->styleSheet(), base);

    tree.SetStyle(TreeView::StyleNone, TreeView::StyleFlag(TreeView::StyleFullRowSelect | TreeView::StylePlusMinus));
    EXPECT_EQ(treeOf(tree)->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(style->Options() & CustomStyle::showPlusMinus);
    tree.SetStyle(TreeView::StyleFlag(TreeView::StyleNativeBranches | TreeView::StyleBranches), TreeView::StyleNone);
    EXPECT_EQ(style->Options() & (CustomStyle::nativeBranches | CustomStyle::hideBranches), CustomStyle::hideBranches);
}

TEST(TreeViewAppearanceTest, PicturesAreStoredOnceByTheirWholeContent)
{
    TreeView tree;
    QStandardItem *item = tree.AddItem(L"item", any());
    QStandardItem *other = tree.AddItem(L"other", any());
    const QByteArray red = png(Qt::red);
    EXPECT_EQ(tree.AddPicture(item, bytesOf(red), red.size(), ImageTypePNG, 16, BitmapTypeDefault), 1);
    EXPECT_EQ(tree.AddPicture(other, bytesOf(red), red.size(), ImageTypePNG, 16, BitmapTypeDefault), 1);
    TreePictureStore *store = implOf(tree)->Pictures();
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->Count(), 2); // the null icon and one picture
    EXPECT_FALSE(item->icon().isNull());
    EXPECT_EQ(treeOf(tree)->iconSize(), QSize(16, 16));

    // Equal on every fifth byte, different elsewhere: two pictures.
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray blue;
    QBuffer buffer(&blue);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    QByteArray decoy = blue;
    int changed = decoy.size() - 2;
    if (changed % 5 == 0)
        --changed;
    decoy[changed] = char(decoy[changed] ^ 0x5a);
    EXPECT_EQ(TreePictureStore::ContentHash(bytesOf(blue), blue.size()),
              TreePictureStore::ContentHash(bytesOf(decoy), decoy.size()));
    const int first = store->Add(bytesOf(blue), blue.size(), ImageTypeBMP, L"");
    const int second = store->Add(bytesOf(decoy), decoy.size(), ImageTypeBMP, L"");
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 3);

    const unsigned char zero[] = {0, 1, 2, 3};
    struct Case
    {
        const unsigned char *data;
        int length;
        ImageTypes type;
    };
    const Case refused[] = {{nullptr, 4, ImageTypePNG}, {bytesOf(red), red.size(), ImageTypeNone}, {zero, 4, ImageTypePNG},
                            {zero, 4, ImageTypeICO} /* may start with 0, but does not decode */};
    for (const Case &c : refused)
        EXPECT_EQ(tree.AddPicture(item, c.data, c.length, c.type, 16, BitmapTypeDefault), -1);
    EXPECT_EQ(tree.AddPicture(TreeView::LastItemHandle, bytesOf(red), red.size(), ImageTypePNG, 16, BitmapTypeDefault),
              -1);
    EXPECT_EQ(tree.AddPicture(static_cast<QStandardItem *>(nullptr), bytesOf(blue), blue.size(), ImageTypeBMP, 16,
                              BitmapTypeDefault),
              first); // registered only

    EXPECT_TRUE(tree.SetPicture(other, first));
    EXPECT_FALSE(tree.SetPicture(other, -1));
    EXPECT_EQ(store->ItemCount(), 2u);
    tree.RemoveItem(other);
    EXPECT_EQ(store->ItemCount(), 1u); // no entry of a removed item
    tree.RemoveAllItems(false);
    EXPECT_EQ(store->ItemCount(), 0u);
    EXPECT_EQ(store->Count(), 4);
    tree.RemoveAllItems(true);
    EXPECT_EQ(store->Count(), 1);
}

TEST(TreeViewAppearanceTest, PictureFilesAreOpenedByTheirUnicodeNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromUtf8("Bild \xC3\xBC \xE6\x97\xA5\xE6\x9C\xAC.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png(Qt::yellow));
    file.close();
    QFile dotted(dir.filePath("picture."));
    ASSERT_TRUE(dotted.open(QIODevice::WriteOnly));
    dotted.write(png(Qt::yellow));
    dotted.close();

    TreeView tree;
    QStandardItem *item = tree.AddItem(L"item", any());
    const int index = tree.AddPicture(item, path.toStdWString(), 24, BitmapTypeDefault);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(tree.GetItemPicturePath(item), path.toStdWString());
    EXPECT_EQ(tree.AddPicture(item, dir.filePath("picture.").toStdWString(), 24, BitmapTypeDefault), -1);
    EXPECT_EQ(tree.AddPicture(item, dir.filePath("missing.png").toStdWString(), 24, BitmapTypeDefault), -1);
}

TEST(TreeViewAppearanceTest, VirtualPicturesLiveUntilTheModeIsLeft)
{
    TreeView tree;
    tree.SetVirtualMode(true);
    std::wstring text = L"node";
    VirtTreeItem *node = tree.AddVirtualTreeItem(text, nullptr, any());
    tree.UpdateVirtualView();
    const QByteArray red = png(Qt::red);
    EXPECT_EQ(tree.AddPicture(node, bytesOf(red), red.size(), ImageTypePNG, 16, BitmapTypeDefault), 1);
    EXPECT_EQ(node->GetIcon(), 1);
    EXPECT_TRUE(treeOf(tree)->model()->index(0, 0).data(Qt::DecorationRole).isValid());
    EXPECT_TRUE(tree.SetPicture(node, 1));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("node.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png(Qt::green));
    file.close();
    EXPECT_EQ(tree.AddPicture(node, dir.filePath("node.png").toStdWString(), 16, BitmapTypeDefault), 2);
    EXPECT_EQ(tree.GetItemPicturePath(node), dir.filePath("node.png").toStdWString());
    tree.RemoveAllVirtualItems();
    EXPECT_EQ(implOf(tree)->Pictures()->Count(), 3); // kept: the null icon and two pictures
    tree.SetVirtualMode(false);
    EXPECT_EQ(implOf(tree)->Pictures(), nullptr);
}

TEST(TreeViewAppearanceTest, ToolTipsShowOverTheirItemWrappedToTheMaximumWidth)
{
    QWidget window;
    TreeView tree;
    tree.Create(&window);
    window.resize(300, 200);
    tree.GetPlatformHandle()->resize(300, 200);
    QStandardItem *item = tree.AddItem(L"item", any());
    QStandardItem *bare = tree.AddItem(L"bare", any());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    tree.SetItemToolTipMaxWidth(200);
    tree.SetItemToolTipMaxWidth(50);
    tree.SetItemToolTipMaxWidth(32767);
    EXPECT_EQ(implOf(tree)->ItemToolTipMaxWidth(), 200);
    tree.SetItemTooltip(item, L"about the item");
    EXPECT_EQ(tree.GetItemToolTip(item), L"about the item");
    QWidget *viewport = treeOf(tree)->viewport();
    auto over = [&](QStandardItem *target) {
        return viewport->mapToGlobal(treeOf(tree)->visualRect(target->index()).center());
    };
    EXPECT_TRUE(implOf(tree)->ShowCustomToolTip(over(item)));
    EXPECT_TRUE(QToolTip::text().contains("about the item"));
    EXPECT_TRUE(QToolTip::text().contains("max-width:200px"));
    QToolTip::hideText();
    QTRY_VERIFY(QToolTip::text().isEmpty());
    EXPECT_TRUE(implOf(tree)->ShowCustomToolTip(over(bare)));
    EXPECT_TRUE(QToolTip::text().isEmpty());
    tree.SetItemTooltip(item, L"");
    EXPECT_EQ(tree.GetItemToolTip(item), L"");
    EXPECT_FALSE(implOf(tree)->ShowCustomToolTip(over(item))); // no tool tips left at all

    tree.SetVirtualMode(true);
    std::wstring text = L"node";
    VirtTreeItem *node = tree.AddVirtualTreeItem(text, nullptr, any());
    tree.SetItemTooltip(node, L"about the node");
    tree.UpdateVirtualView();
    const QPoint at = viewport->mapToGlobal(treeOf(tree)->visualRect(treeOf(tree)->model()->index(0, 0)).center());
    EXPECT_TRUE(implOf(tree)->ShowCustomToolTip(at));
    EXPECT_TRUE(QToolTip::text().contains("about the node"));
    QToolTip::hideText();
}
