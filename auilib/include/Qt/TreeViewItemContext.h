#pragma once

#include "CustStandardItem.h"
#include "ItemDataTable.h"

#include <absl/container/flat_hash_set.h>

#include <cstdint>
#include <memory>

class QStandardItem;

namespace AUILib {

// What a standard tree's items share with their control: the comparator and
// the sort scope their ordering follows, the data table their ids name, and
// the set of the items alive. The control owns it and its items hold it only
// weakly: a form that keeps the widget after the control is gone can still
// sort the rows, which then keep their order. The set lets the control ask
// whether a pointer a caller handed it is one of its live items without
// reading through it: a flat table, O(1) and no allocation per item. What the
// control itself holds across a handler it holds by ItemRef, never by pointer.
class TreeViewItemContext
{
public:
    // Every item registers itself while it lives.
    void Add(const QStandardItem *item) { m_items.insert(item); }
    void Remove(const QStandardItem *item)
    {
        m_items.erase(item);
        ++m_removals;
    }
    // Compares the pointer only; true for items taken out of the model too.
    // A caller asks about the same item several times in a row, or about
    // the item the control just handed out: the last item found (or handed
    // out) answers at once while no item has left since.
    bool Contains(const QStandardItem *item) const
    {
        if (item == m_lastFound && m_lastFoundAt == m_removals)
            return true;
        if (!m_items.contains(item))
            return false;
        m_lastFound = item;
        m_lastFoundAt = m_removals;
        return true;
    }

    // Replaced whole, never changed in place: a sort holds the one it started with.
    std::shared_ptr<const TreeSortFunc> sortFunc;
    TreeSortScope sortScope;
    ItemDataTable itemData;

    // An item of this context known to be alive now.
    void Found(const QStandardItem *item) const
    {
        m_lastFound = item;
        m_lastFoundAt = m_removals;
    }

private:
    absl::flat_hash_set<const QStandardItem *> m_items;
    std::uint64_t m_removals = 0;
    mutable const QStandardItem *m_lastFound = nullptr;
    mutable std::uint64_t m_lastFoundAt = 0;
};

} // namespace AUILib
