#include "TreeViewImpl.h"

#include "TreeModel.h"
#include "TreePictureStore.h"
#include "VirtTreeItem.h"

// The tree's operations on the nodes of its virtual mode.
namespace AUILib {

bool TreeView::impl::isVirtualItem(VirtTreeItem *item) const
{
    // A caller's pointer to a node a handler removed is looked up, never
    // read. (What the control holds across handlers it holds by NodeOf.)
    return item && Tree() && m_virtualMode && m_treeModel && m_treeModel->Contains(item);
}

QModelIndex TreeView::impl::virtualIndex(VirtTreeItem *item) const
{
    // The node's own index at its depth, not the top-level row of its number.
    return m_treeModel ? m_treeModel->IndexFromItem(item) : QModelIndex();
}

std::wstring TreeView::impl::GetItemText(VirtTreeItem *item)
{
    return isVirtualItem(item) ? item->GetText() : std::wstring();
}

bool TreeView::impl::SetItemText(VirtTreeItem *item, const std::wstring &text)
{
    if (!isVirtualItem(item))
        return false;
    item->SetText(text);
    return true;
}

bool TreeView::impl::SetItemTooltip(VirtTreeItem *item, const std::wstring &text)
{
    if (!isVirtualItem(item))
        return false;
    item->SetTooltip(text);
    return true;
}

any TreeView::impl::GetItemData(VirtTreeItem *item)
{
    return isVirtualItem(item) ? item->GetData() : any();
}

bool TreeView::impl::SetItemData(VirtTreeItem *item, const any &data)
{
    if (!isVirtualItem(item) || data.empty())
        return false;
    item->SetData(data);
    return true;
}

int TreeView::impl::AddPicture(VirtTreeItem *item, const unsigned char *data, int length, ImageTypes type, int size)
{
    if (!data || type == ImageTypeNone || length <= 0 || (data[0] == 0 && type != ImageTypeICO) ||
        !isVirtualItem(item))
        return -1;
    const int index = addPicture(data, length, type, size, std::wstring());
    if (index >= 0)
        item->SetIcon(index);
    return index;
}

int TreeView::impl::AddPicture(VirtTreeItem *item, const std::wstring &path, int size)
{
    if (!isVirtualItem(item))
        return -1;
    const int index = addPictureFile(path, size);
    if (index >= 0)
        item->SetIcon(index);
    return index;
}

bool TreeView::impl::SetPicture(VirtTreeItem *item, int index)
{
    if (!isVirtualItem(item) || !m_pictures || index < 0)
        return false;
    item->SetIcon(index);
    return true;
}

std::wstring TreeView::impl::GetItemPicturePath(VirtTreeItem *item)
{
    if (!isVirtualItem(item) || !m_pictures)
        return std::wstring();
    return m_pictures->PathOf(item->GetIcon());
}

bool TreeView::impl::GetCheck(VirtTreeItem *item)
{
    return isVirtualItem(item) && m_treeModel->CheckMode() == 1 && item->GetChecked();
}

void TreeView::impl::RemoveAllVirtualItems()
{
    if (!Tree() || !VirtualModel())
        return;
    // The reset drops every held node (the current one too).
    EventGate::Hold hold;
    m_treeModel->clear();
}

void TreeView::impl::SetExpanded(VirtTreeItem *item, bool expanded)
{
    if (!isVirtualItem(item))
        return;
    // A handler of the expansion may build the tree anew: not while Qt expands.
    EventGate::Hold hold;
    Tree()->setExpanded(virtualIndex(item), expanded);
}

bool TreeView::impl::IsExpanded(VirtTreeItem *item)
{
    return isVirtualItem(item) && Tree()->isExpanded(virtualIndex(item));
}

VirtTreeItem *TreeView::impl::AddVirtualTreeItem(const std::wstring &text, VirtTreeItem *parent, const any &data)
{
    if (!Tree() || text.empty() || !VirtualModel())
        return nullptr;
    if (!parent)
        parent = m_treeModel->Root();
    else if (!m_treeModel->Contains(parent))
        return nullptr;
    auto *item = new VirtTreeItem(parent);
    item->SetData(data);
    item->SetText(text);
    parent->AppendChild(item);
    return m_treeModel->HandOut(item);
}

void TreeView::impl::UpdateVirtualView()
{
    if (!Tree() || !VirtualModel())
        return;
    EventGate::Hold hold;
    m_treeModel->Update();
}

void TreeView::impl::SetCurrentVirtualItem(VirtTreeItem *item)
{
    TreeViewQt *tree = Tree();
    if (!tree || !VirtualModel())
        return;
    // The current node is stored before the selection's handlers run: what
    // one of them makes current (or removes) has the last word.
    EventGate::Hold hold;
    if (item) {
        const QModelIndex index = isVirtualItem(item) ? virtualIndex(item) : QModelIndex();
        if (index.isValid()) {
            tree->setCurrentIndex(index);
            m_currentVirtualItem = std::move(NodeOf(item).Hold());
        }
    } else {
        tree->clearSelection();
        m_currentVirtualItem = ItemRef<VirtTreeItem *>();
    }
    m_treeModel->Update();
}

VirtTreeItem *TreeView::impl::RootItem()
{
    return Tree() && VirtualModel() ? m_treeModel->Root() : nullptr;
}

VirtTreeItem *TreeView::impl::GetParentItem(VirtTreeItem *item)
{
    return isVirtualItem(item) ? m_treeModel->HandOut(item->ParentItem()) : nullptr;
}

VirtTreeItem *TreeView::impl::GetChildItem(VirtTreeItem *item, int index)
{
    return isVirtualItem(item) ? m_treeModel->HandOut(item->Child(index)) : nullptr;
}

int TreeView::impl::ChildCount(VirtTreeItem *item)
{
    return isVirtualItem(item) ? item->ChildCount() : 0;
}

int TreeView::impl::GetLevel(VirtTreeItem *item)
{
    return isVirtualItem(item) ? item->Level() : -1;
}

void TreeView::impl::EnableVirtualItemCheckboxes(bool enable)
{
    if (!Tree() || !VirtualModel())
        return;
    EventGate::Hold hold;
    m_treeModel->SetCheckMode(enable ? 1 : 0);
    m_treeModel->Update();
}

void TreeView::impl::SetCheck(VirtTreeItem *item, bool checked, bool withChildren)
{
    if (!isVirtualItem(item) || m_treeModel->CheckMode() != 1)
        return;
    EventGate::Hold hold;
    if (withChildren)
        m_treeModel->CheckSubItems(item, checked ? Qt::Checked : Qt::Unchecked);
    else
        item->SetChecked(checked);
    // The ancestors follow, as they do for a click.
    m_treeModel->UpdateParentCheckbox(item->ParentItem());
    m_treeModel->Update();
}

void TreeView::impl::SetCheckAllVirtualItems(bool checked)
{
    if (!Tree() || !VirtualModel())
        return;
    EventGate::Hold hold;
    if (checked)
        m_treeModel->CheckAllItem();
    else
        m_treeModel->UnCheckAllItem();
}

bool TreeView::impl::IsCheckedAllVirtualItems()
{
    if (!Tree() || !VirtualModel())
        return false;
    for (VirtTreeItem *node : m_treeModel->Root()->GetChildItems())
        if (!node->IsCheckAll())
            return false;
    return true;
}

void TreeView::impl::SetBoldTextPosition(VirtTreeItem *item, int start, int length)
{
    if (isVirtualItem(item))
        item->SetBoldTextPosition(start, length);
}

} // namespace AUILib
