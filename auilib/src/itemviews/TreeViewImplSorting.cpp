#include "TreeViewImpl.h"

#include "TreeModel.h"

// Sorting of both modes and the switches of row drag and drop.
namespace AUILib {

bool TreeView::impl::SetSortFunc(const TreeView::SortFunc &function)
{
    if (!Tree() || m_virtualMode)
        return false;
    m_items->sortFunc = std::make_shared<const TreeView::SortFunc>(function);
    return true;
}

bool TreeView::impl::SetSortFunc(const TreeView::VirtSortFunc &function)
{
    if (!Tree() || !VirtualModel())
        return false;
    m_treeModel->SetSortFunc(function);
    return true;
}

void TreeView::impl::SortChildren(QStandardItem *parent, bool recursive)
{
    TreeViewQt *tree = Tree();
    if (!tree || !Model() || (parent && !IsReserved(parent) && !IsItem(parent)))
        return;
    // No handler runs while Qt sorts. The scope names the parent only for
    // the sort: no pointer of it outlives the call.
    EventGate::Hold hold;
    m_items->sortScope.parent = parent;
    m_items->sortScope.recursive = recursive;
    tree->sortByColumn(0, Qt::AscendingOrder);
    m_items->sortScope = TreeSortScope{nullptr, recursive};
}

void TreeView::impl::SortVirtChildren(VirtTreeItem *parent, bool recursive)
{
    TreeViewQt *tree = Tree();
    if (!tree || !VirtualModel() || (parent && !isVirtualItem(parent)))
        return;
    EventGate::Hold hold;
    m_treeModel->SetSortScope(parent, recursive);
    tree->sortByColumn(0, Qt::AscendingOrder);
    m_treeModel->SetSortScope(nullptr, recursive);
}

bool TreeView::impl::EnableRowsDragAndDrop(bool on)
{
    TreeViewQt *tree = Tree();
    if (!tree || m_virtualMode)
        return false;
    if (m_checkMode != 0) {
        m_rowsDragAndDrop = false;
        return false;
    }
    if (on) {
        tree->setDragEnabled(true);
        tree->setAcceptDrops(true);
        tree->setDropIndicatorShown(true);
        tree->setDragDropMode(QAbstractItemView::InternalMove);
        tree->setDragDropOverwriteMode(false);
        tree->setDefaultDropAction(Qt::MoveAction);
    } else {
        tree->setDragEnabled(false);
        tree->setDropIndicatorShown(false);
        tree->setAcceptDrops(false);
    }
    m_rowsDragAndDrop = on;
    tree->setAcceptDrops(m_acceptDrops ? true : on);
    return true;
}

void TreeView::impl::SetDragAndDropCanMove(const TreeView::CanMoveFunc &canMove)
{
    if (TreeViewQt *tree = Tree())
        if (!m_virtualMode)
            tree->SetDragAndDropCanMove(canMove);
}

} // namespace AUILib
