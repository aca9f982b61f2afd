// Lives with the item views: only the combo box, list box and tree view keep item data.
#include "ItemDataTable.h"

namespace AUILib {

int ItemDataTable::Add(const any &value, int column)
{
    Columns columns;
    columns.max_load_factor(1.0f);
    columns.emplace(column, value);
    const int id = m_nextId++;
    m_entries.emplace(id, std::move(columns));
    return id;
}

any ItemDataTable::Get(int id, int column) const
{
    const auto entry = m_entries.find(id);
    if (entry == m_entries.end())
        return any();
    const auto cell = entry->second.find(column);
    return cell == entry->second.end() ? any() : cell->second;
}

int ItemDataTable::Set(int id, const any &value, int column)
{
    const auto entry = m_entries.find(id);
    if (entry == m_entries.end())
        return Add(value, column);
    entry->second[column] = value;
    return id;
}

bool ItemDataTable::Remove(int id)
{
    return m_entries.erase(id) > 0;
}

void ItemDataTable::Clear()
{
    m_entries.clear();
}

} // namespace AUILib
