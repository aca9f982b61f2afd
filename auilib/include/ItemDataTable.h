#pragma once

#include "any.h"

#include <map>
#include <unordered_map>

namespace AUILib {

// The application values of an item view's items, kept outside the Qt model:
// a Qt item holds only the int id (in Qt::UserRole) that Add handed out, and
// each id holds one value per column (the combo box and the tree view use
// column 0, the list box a cell's column). Every value in the table is its own
// clone: values are cloned on the way in and on the way out.
//
// Ids start at 1 and only grow (Clear does not reset them), so 0 (an item
// without data) and -1 (data a combo box removed) never find an entry.
class ItemDataTable
{
public:
    ItemDataTable() = default;

    // Stores a clone of `value` under a new id and returns that id.
    int Add(const any &value, int column = 0);
    // A clone of the value at (id, column); an empty any when there is none.
    any Get(int id, int column = 0) const;
    // Replaces (or adds) the value at the id's column and returns the id; for
    // an id that is not in the table, Adds the value and returns the new id.
    int Set(int id, const any &value, int column);
    // Drops the id with all its columns; true when it was there.
    bool Remove(int id);
    void Clear();

private:
    using Columns = std::unordered_map<int, any>;

    int m_nextId = 1;
    std::map<int, Columns> m_entries;
};

} // namespace AUILib
