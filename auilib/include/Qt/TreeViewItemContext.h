#pragma once

#include "CustStandardItem.h"
#include "ItemDataTable.h"

#include <memory>
#include <unordered_set>

class QStandardItem;

namespace AUILib {

// What a standard tree's items share with their control: the comparator and
// the sort scope their ordering follows, the data table their ids name, and
// the set of the items alive. The control owns it and its items hold it only
// weakly: a form that keeps the widget after the control is gone can still
// sort the rows, which then keep their order. The set lets the control ask
// whether a pointer it was handed (or held across a handler) is still one of
// its items without reading through it.
class TreeViewItemContext
{
public:
    TreeViewItemContext();

    // Every item registers itself while it lives.
    void Add(const QStandardItem *item) { m_items.insert(item); }
    void Remove(const QStandardItem *item) { m_items.erase(item); }
    // Compares the pointer only; true for items taken out of the model too.
    bool Contains(const QStandardItem *item) const { return m_items.count(item) != 0; }

    // Replaced whole, never changed in place: a sort holds the one it started with.
    std::shared_ptr<const TreeSortFunc> sortFunc;
    TreeSortScope sortScope;
    ItemDataTable itemData;

private:
    std::unordered_set<const QStandardItem *> m_items;
};

} // namespace AUILib
