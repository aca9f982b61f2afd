#include "TreeViewImpl.h"

#include "AUILibUtils.h"
#include "CustomStyle.h"
#include "SizeBound.h"
#include "ToolTipText.h"
#include "TreeModel.h"
#include "TreePictureStore.h"
#include "VirtTreeItem.h"
#include "WidgetColors.h"
#include "WidgetFonts.h"

#include <QFile>

#include <cwctype>
#include <QHeaderView>
#include <QToolTip>

#include <algorithm>

// The tree's look: style flags, fonts, colours as style-sheet rules, row
// height, word wrap, pictures and tool tips.
namespace AUILib {

namespace {

// Marks what the caller gave the item itself (SetItemFont, SetItemTextColor).
void markOwnLook(QStandardItem *item, int look)
{
    const int marks = item->data(TreeView::impl::OwnLookRole).toInt();
    if ((marks & look) == 0)
        item->setData(marks | look, TreeView::impl::OwnLookRole);
}

} // namespace

void TreeView::impl::appendStyleSheet(const QString &rule)
{
    if (TreeViewQt *tree = Tree())
        tree->setStyleSheet(tree->styleSheet() + rule);
}

void TreeView::impl::SetStyle(TreeView::StyleFlag remove, TreeView::StyleFlag add)
{
    TreeViewQt *tree = Tree();
    if (!tree || m_virtualMode)
        return;
    auto apply = [this, tree](int flags, bool on) {
        if (flags & TreeView::StyleBranches) {
            m_style->SetOption(CustomStyle::hideBranches, !on);
            m_branchButtons = on;
            if (on)
                SetCheckMode(static_cast<TreeView::CheckMode>(m_checkMode));
        }
        if (flags & TreeView::StyleNativeBranches)
            m_style->SetOption(CustomStyle::nativeBranches, on);
        if (flags & TreeView::StyleCheckBoxes)
            SetCheckMode(on ? TreeView::CheckModeCheckBoxes : TreeView::CheckModeNone);
        if (flags & TreeView::StyleInactiveHighlight) {
            m_style->SetOption(CustomStyle::inactiveHighlight, on);
            if (on)
                tree->setStyleSheet(m_baseStyleSheet);
            else
                appendStyleSheet(QStringLiteral("QTreeView::item:!active { background-color: transparent; }"));
        }
        if (flags & TreeView::StyleFullRowSelect)
            tree->setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
        if (flags & TreeView::StylePlusMinus)
            m_style->SetOption(CustomStyle::showPlusMinus, on);
        // The widget takes the changed options on its next setStyle.
        tree->setStyle(m_style);
    };
    if (add > 0)
        apply(add, true);
    if (remove > 0)
        apply(remove, false);
    tree->viewport()->repaint();
}

void TreeView::impl::SetItemBold(QStandardItem *item, bool bold)
{
    if (!IsItem(item))
        return;
    QFont font = item->data(Qt::FontRole).isValid() ? item->font() : Tree()->font();
    font.setWeight(bold ? 75 : 50);
    item->setData(font, Qt::FontRole);
}

bool TreeView::impl::IsItemBold(QStandardItem *item)
{
    return IsItem(item) && item->data(Qt::FontRole).isValid() && item->font().weight() >= 58;
}

FontData TreeView::impl::GetFont()
{
    TreeViewQt *tree = Tree();
    if (!tree || m_virtualMode)
        return FontData();
    return FontDataFromFont(tree->font(), 51);
}

void TreeView::impl::SetFont(const FontData &font, bool applyToItems)
{
    TreeViewQt *tree = Tree();
    if (!tree || m_virtualMode)
        return;
    tree->setFont(ApplyFontData(tree->font(), font));
    if (applyToItems)
        for (QStandardItem *item : AllItems())
            if (item->data(OwnLookRole).toInt() & OwnFont)
                SetItemFont(item, font);
    if (tree->wordWrap())
        UpdateWrappedTextSizeHint(false);
}

FontData TreeView::impl::GetItemFont(QStandardItem *item)
{
    if (!IsItem(item))
        return FontData();
    const QVariant font = item->data(Qt::FontRole);
    if (!font.isValid())
        return GetFont();
    return FontDataFromFont(font.value<QFont>(), 58);
}

void TreeView::impl::SetItemFont(QStandardItem *item, const FontData &font)
{
    if (!IsItem(item))
        return;
    const QVariant current = item->data(Qt::FontRole);
    const QFont base = current.isValid() ? current.value<QFont>() : Tree()->font();
    m_model->setData(item->index(), ApplyFontData(base, font), Qt::FontRole);
    if (Tree()->wordWrap())
        UpdateItemSizeHint(item, false);
    markOwnLook(item, OwnFont);
}

void TreeView::impl::SetBackgroundColor(RGBColor color)
{
    appendStyleSheet(QStringLiteral("QTreeView{background-color:%1;}").arg(ColorName(color)));
}

void TreeView::impl::SetTextColor(int color, bool applyToItems)
{
    if (!Tree())
        return;
    m_textColor = color;
    appendStyleSheet(QStringLiteral("QTreeView{color:%1;}").arg(ColorName(static_cast<RGBColor>(color))));
    if (applyToItems)
        for (QStandardItem *item : AllItems())
            if (item->data(OwnLookRole).toInt() & OwnColor)
                SetItemTextColor(item, color);
}

int TreeView::impl::GetTextColor()
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return -1;
    if (m_textColor >= 0)
        return m_textColor;
    const QColor color = tree->palette().color(QPalette::Current, QPalette::Text);
    return color.isValid() ? static_cast<int>(color.rgb() & 0xFFFFFF) : -1;
}

int TreeView::impl::GetItemTextColor(QStandardItem *item)
{
    if (!IsItem(item))
        return -1;
    const QVariant brush = item->data(Qt::ForegroundRole);
    if (!brush.isValid())
        return GetTextColor();
    return static_cast<int>(brush.value<QBrush>().color().rgb() & 0xFFFFFF);
}

void TreeView::impl::SetItemTextColor(QStandardItem *item, int color)
{
    if (!IsItem(item))
        return;
    TreeViewQt *tree = Tree();
    const QString sheet = tree->styleSheet();
    tree->setStyleSheet(QString());
    item->setData(QBrush(QColor::fromRgb(static_cast<QRgb>(color))), Qt::ForegroundRole);
    tree->setStyleSheet(sheet);
    markOwnLook(item, OwnColor);
}

void TreeView::impl::SetSelectionColors(int textColor, int backgroundColor)
{
    if (!Tree())
        return;
    m_style->SetCustomSelectionColors(true);
    const QString text = ColorName(static_cast<RGBColor>(textColor));
    if (backgroundColor < 0)
        appendStyleSheet(
            QStringLiteral("QTreeView{selection-background-color: transparent; selection-color:%1;}").arg(text));
    else
        appendStyleSheet(QStringLiteral("QTreeView{selection-background-color: %1; selection-color:%2;}")
                             .arg(ColorName(static_cast<RGBColor>(backgroundColor)), text));
}

void TreeView::impl::SetItemHeight(int height)
{
    if (!Tree() || height <= 0)
        return;
    // Within the size bound: Qt's styles draw a row's branch marks from a
    // picture of the row's height.
    height = SizeBound::Height(height);
    m_itemHeight = height;
    appendStyleSheet(QStringLiteral("QTreeView::item { height: ") + QString::number(height) + QStringLiteral("px }"));
}

int TreeView::impl::GetItemHeight()
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return -1;
    if (m_itemHeight < 0)
        m_itemHeight = tree->sizeHintForRow(0);
    return m_itemHeight;
}

void TreeView::impl::SetItemTooltip(QStandardItem *item, const std::wstring &text)
{
    if (!IsItem(item))
        return;
    const bool had = item->data(ToolTipRole).isValid();
    if (text.empty()) {
        if (had) {
            item->setData(QVariant(), ToolTipRole);
            --m_itemToolTips;
        }
        return;
    }
    if (!had)
        ++m_itemToolTips;
    item->setData(QString::fromStdWString(text), ToolTipRole);
}

std::wstring TreeView::impl::GetItemToolTip(QStandardItem *item)
{
    if (!IsItem(item))
        return std::wstring();
    return item->data(ToolTipRole).toString().toStdWString();
}

void TreeView::impl::SetItemToolTipMaxWidth(int width)
{
    if (Tree() && width >= 51 && width <= 32766)
        m_toolTipMaxWidth = width;
}

bool TreeView::impl::ShowCustomToolTip(const QPoint &globalPos)
{
    TreeViewQt *tree = Tree();
    if (!tree)
        return false;
    const QPoint point = tree->viewport()->mapFromGlobal(globalPos);
    if (!m_virtualMode && m_itemToolTips > 0) {
        unsigned int flags = 0;
        QStandardItem *item = HitTest(point, &flags);
        const QVariant text = item && (flags & (2 | 4 | 32)) ? item->data(ToolTipRole) : QVariant();
        if (text.isValid())
            QToolTip::showText(globalPos, FormatToolTipText(text.toString().toStdWString(), m_toolTipMaxWidth),
                               tree->viewport());
        return true;
    }
    if (TreeModel *model = VirtualModel()) {
        VirtTreeItem *node = model->ItemFromIndex(tree->indexAt(point));
        if (!node)
            return false;
        // The node shown last, if it is still there (compared by identity).
        VirtTreeItem *shown = m_toolTipVirtualItem.IsThere() ? m_toolTipVirtualItem.Get() : nullptr;
        if (node != shown)
            QToolTip::showText(globalPos, QString(), tree->viewport());
        QToolTip::showText(globalPos, FormatToolTipText(node->GetTooltip(), m_toolTipMaxWidth), tree->viewport());
        m_toolTipVirtualItem = std::move(NodeOf(node).Hold());
        return true;
    }
    return false;
}

void TreeView::impl::EnableWordWrapText(bool enable)
{
    TreeViewQt *tree = Tree();
    if (!tree || m_virtualMode)
        return;
    tree->setWordWrap(enable);
    // Rows of their own heights need the view to ask each row.
    tree->setUniformRowHeights(!enable);
    if (enable) {
        tree->setColumnWidth(0, tree->width() - 2);
        UpdateWrappedTextSizeHint(false);
        tree->header()->resizeSection(0, 0);
        tree->resizeColumnToContents(0);
        return;
    }
    UpdateWrappedTextSizeHint(true);
    tree = Tree();
    if (tree && !tree->wordWrap() && tree->updatesEnabled()) {
        tree->header()->resizeSection(0, 0);
        tree->resizeColumnToContents(0);
    }
}

bool TreeView::impl::IsEnabledWordWrapText()
{
    TreeViewQt *tree = Tree();
    return tree && tree->wordWrap();
}

void TreeView::impl::UpdateWrappedTextSizeHint(bool reset)
{
    for (QStandardItem *item : AllItems())
        UpdateItemSizeHint(item, reset);
}

void TreeView::impl::ensurePictures()
{
    if (!m_pictures)
        m_pictures = std::make_unique<TreePictureStore>();
    if (m_treeModel)
        m_treeModel->SetPictures(m_pictures.get());
}

int TreeView::impl::addPicture(const unsigned char *data, int length, ImageTypes type, int size,
                               const std::wstring &path)
{
    ensurePictures();
    const int index = m_pictures->Add(data, length, type, path);
    if (index < 0)
        return -1;
    Tree()->setIconSize(SizeBound::Square(size));
    return index;
}

int TreeView::impl::addPictureFile(const std::wstring &path, int size)
{
    // Opened by its Unicode name: a path outside the local 8-bit character
    // set is still the file the caller named.
    QFile file(QString::fromStdWString(path));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    const std::size_t dot = path.rfind(L'.');
    std::wstring extension = dot == std::wstring::npos ? path : path.substr(dot + 1);
    if (extension.empty())
        return -1;
    std::transform(extension.begin(), extension.end(), extension.begin(), ::towupper);
    return addPicture(reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(),
                      AUILibUtils::WstrToImageType(extension), size, path);
}

void TreeView::impl::applyPicture(QStandardItem *item, int index)
{
    m_pictures->SetItemPicture(item, index);
    item->setData(m_pictures->Icon(index), Qt::DecorationRole);
    if (Tree()->wordWrap())
        UpdateItemSizeHint(item, false);
}

int TreeView::impl::AddPicture(QStandardItem *item, const unsigned char *data, int length, ImageTypes type, int size)
{
    if (!data || type == ImageTypeNone || length <= 0 || (data[0] == 0 && type != ImageTypeICO))
        return -1;
    if (!Tree() || m_virtualMode || IsReserved(item) || (item && !IsItem(item)))
        return -1;
    const int index = addPicture(data, length, type, size, std::wstring());
    if (index >= 0 && item)
        applyPicture(item, index);
    return index;
}

int TreeView::impl::AddPicture(QStandardItem *item, const std::wstring &path, int size)
{
    if (!Tree() || m_virtualMode || IsReserved(item) || (item && !IsItem(item)))
        return -1;
    const int index = addPictureFile(path, size);
    if (index >= 0 && item)
        applyPicture(item, index);
    return index;
}

bool TreeView::impl::SetPicture(QStandardItem *item, int index)
{
    if (!IsItem(item) || index < 0 || !m_pictures)
        return false;
    applyPicture(item, index);
    return true;
}

std::wstring TreeView::impl::GetItemPicturePath(QStandardItem *item)
{
    if (!IsItem(item) || !m_pictures)
        return std::wstring();
    return m_pictures->PathOf(m_pictures->ItemPicture(item));
}

} // namespace AUILib
