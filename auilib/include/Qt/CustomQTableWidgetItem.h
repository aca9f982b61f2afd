#pragma once

#include "ItemDataTable.h"
#include "ListBox.h"

#include <QTableWidgetItem>

#include <map>
#include <memory>

namespace AUILib {

// What a list box's cells need of their list while Qt sorts them: the text
// comparison mode, the application's per-column sort functions and the item
// data those functions receive. Shared by the list's implementation and every
// cell, so a cell that outlives its list (the widget stays with its Qt parent)
// still compares safely.
struct ListBoxSortLinks
{
    bool caseSensitive = true;
    std::map<int, ListBox::SortFunction> sortFunctions;
    ItemDataTable itemData;
};

// A list box cell. Its less-than is the list's sort order: numbers compare as
// numbers, texts by the column's sort function or the case rule, and pinned
// cells (DisableSortingForRow) stay before all others in either order. For
// every pair of cells of one column it is a strict weak ordering.
class CustomQTableWidgetItem : public QTableWidgetItem
{
public:
    explicit CustomQTableWidgetItem(const QString &text = QString(),
                                    std::shared_ptr<ListBoxSortLinks> links = nullptr);
    ~CustomQTableWidgetItem() override;

    QTableWidgetItem *clone() const override;
    bool operator<(const QTableWidgetItem &other) const override;

    bool IsPinned() const { return m_pinned; }
    void SetPinned(bool pinned) { m_pinned = pinned; }
    ListBox::EditMode GetEditMode() const { return m_editMode; }
    void SetEditMode(ListBox::EditMode mode) { m_editMode = mode; }

private:
    // The order Qt sorts in now (it swaps the operands for a descending sort):
    // the header's sort indicator, which every sort of the list sets first.
    bool sortsAscending(const QTableWidgetItem &other) const;
    bool textLess(const QTableWidgetItem &other) const;

    bool m_pinned = false;
    ListBox::EditMode m_editMode = ListBox::EditDefault;
    std::shared_ptr<ListBoxSortLinks> m_links;
};

} // namespace AUILib
