#pragma once

#include <QAbstractItemModel>

#include <absl/container/flat_hash_map.h>
#include <absl/container/flat_hash_set.h>

#include <cstdint>
#include <functional>

namespace AUILib {

class TreePictureStore;
class VirtTreeItem;

// The one-column model of a tree view's virtual mode. It owns an invisible
// root node and reads the nodes' fields directly; the caller builds nodes and
// then asks for Update. Check boxes (check mode 1) spread down to every leaf
// and up to every ancestor, and the checked leaves are counted. An index
// names its node by the node's serial number, never by its address: an index
// a view or a caller held across a handler that rebuilt the tree reads as no
// node, never as freed memory nor as a new node made at the same address.
// Both lookups (an index's node, and whether a pointer is a live node of this
// model) are flat hash tables: O(1), no allocation per node.
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
    // Whether the node is the root or lives below it; the pointer is only
    // compared. The node found (or handed out) last answers at once while no
    // node has left since: a caller asks about the same node several times.
    bool Contains(const VirtTreeItem *node) const
    {
        if (node == m_root || (node == m_lastFound && m_lastFoundAt == m_removals))
            return true;
        if (!m_nodes.contains(node))
            return false;
        m_lastFound = node;
        m_lastFoundAt = m_removals;
        return true;
    }
    // A node read now from a live node of this model (a child, a parent),
    // about to be handed to a caller.
    VirtTreeItem *HandOut(VirtTreeItem *node) const;
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
    friend class VirtTreeItem;
    // A node joins the register when it is appended below the root, and
    // leaves it when it is destroyed.
    void enter(VirtTreeItem *node);
    void leave(const VirtTreeItem *node);
    void removeAllNodes();
    QModelIndex indexOf(const VirtTreeItem *node, int column) const;
    void sortLevel(VirtTreeItem *item, bool recursive, const SortFunc &lessThan);

    // The live nodes below the root, by address (to check a caller's
    // pointer) and by serial (to read an index).
    absl::flat_hash_set<const VirtTreeItem *> m_nodes;
    absl::flat_hash_map<std::uint64_t, VirtTreeItem *> m_bySerial;
    bool m_dropAll = false;
    std::uint64_t m_removals = 0;
    mutable const VirtTreeItem *m_lastFound = nullptr;
    mutable std::uint64_t m_lastFoundAt = 0;
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
