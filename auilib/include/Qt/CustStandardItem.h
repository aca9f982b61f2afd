#pragma once

#include "any.h"

#include <QStandardItem>

#include <functional>
#include <string>

namespace AUILib {

class ItemDataTable;

// Which rows a sort of the standard tree reorders: the children of `parent`
// (every level below it when recursive); a null parent or the root marker
// stands for the top level.
struct TreeSortScope
{
    QStandardItem *parent = nullptr;
    bool recursive = false;
};

using TreeSortFunc = std::function<bool(std::wstring, any, std::wstring, any)>;

// The standard tree's item: it orders itself with its control's comparator,
// and only within the control's sort scope (outside it no item sorts before
// another, so those rows keep their order).
class CustStandardItem : public QStandardItem
{
public:
    CustStandardItem(const QString &text, const TreeSortFunc *sortFunc, const ItemDataTable *itemData,
                     const TreeSortScope *scope);
    ~CustStandardItem() override;

    bool operator<(const QStandardItem &other) const override;

private:
    bool inScope() const;

    const TreeSortFunc *m_sortFunc;
    const ItemDataTable *m_itemData;
    const TreeSortScope *m_scope;
};

} // namespace AUILib
