#pragma once

#include <QAbstractItemModel>

#include <functional>
#include <unordered_set>

namespace AUILib {

class TreePictureStore;
class VirtTreeItem;

// The one-column model of a tree view's virtual mode. It owns an invisible
// root node and reads the nodes' fields directly; the caller builds nodes and
// then asks for Update. Check boxes (check mode 1) spread down to every leaf
// and up to every ancestor, and the checked leaves are counted. An index is
// read only while its node lives: the model knows its nodes, so an index a
// view or a caller held across a handler that rebuilt the tree reads as no
// node, never as freed memory.
class TreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    using SortFunc = std::function<bool(VirtTreeItem *, VirtTreeItem *)>;

    explicit TreeModel(QObject *parent);
    ~TreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Column and order are ignored: the stored comparator and scope decide.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Gives `state` to every leaf below the node (or to the node when it is
    // one) and sets the node itself; true when something changed. Nothing
    // while the check boxes are off.
    bool CheckSubItems(VirtTreeItem *item, Qt::CheckState state);
    // Recomputes checked and check-all of the node and of every ancestor.
    void UpdateParentCheckbox(VirtTreeItem *item);
    // Tells the views that the nodes changed.
    void Update();
    // Sorts the node's children (and, recursive, every level below) with the
    // comparator, renumbering rows and moving the persistent indexes along.
    void SortChildren(VirtTreeItem *item, bool recursive);
    void clear();
    // Empties the tree without telling the views (they are about to be reset).
    void RemoveAllItem();
    VirtTreeItem *Root() const { return m_root; }
    // Null for an index of another model or of a node that is gone.
    VirtTreeItem *ItemFromIndex(const QModelIndex &index) const;
    // Whether the node is the root or lives below it; the pointer is only compared.
    bool Contains(const VirtTreeItem *node) const { return node == m_root || m_nodes.count(node) != 0; }
    // How often clear() reset the model: a view's expansion is gone each time.
    int Resets() const { return m_resets; }
    // The index of a node at any depth; invalid for null and the root.
    QModelIndex IndexFromItem(VirtTreeItem *item) const;
    void CheckAllItem();
    void UnCheckAllItem();
    void SelectFirstItem() const;

    void SetCheckMode(int mode) { m_checkMode = mode; }
    int CheckMode() const { return m_checkMode; }
    int CheckedCount() const { return m_checkedCount; }
    void SetPictures(TreePictureStore *pictures) { m_pictures = pictures; }
    TreePictureStore *Pictures() const { return m_pictures; }
    void SetSortFunc(const SortFunc &function) { m_sortFunc = function; }
    void SetSortScope(VirtTreeItem *item, bool recursive)
    {
        m_sortItem = item;
        m_sortRecursive = recursive;
    }

private:
    void sortLevel(VirtTreeItem *item, bool recursive, const SortFunc &lessThan);

    std::unordered_set<const VirtTreeItem *> m_nodes;
    VirtTreeItem *m_root;
    int m_resets = 0;
    int m_checkMode = 0;
    int m_checkedCount = 0;
    QObject *m_view;
    TreePictureStore *m_pictures = nullptr;
    SortFunc m_sortFunc;
    bool m_sortRecursive = false;
    VirtTreeItem *m_sortItem = nullptr;
};

} // namespace AUILib
