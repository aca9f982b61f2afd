#include "CustStandardItem.h"

#include "ItemDataTable.h"
#include "TreeView.h"

namespace AUILib {

CustStandardItem::CustStandardItem(const QString &text, const TreeSortFunc *sortFunc, const ItemDataTable *itemData,
                                   const TreeSortScope *scope)
    : QStandardItem(text)
    , m_sortFunc(sortFunc)
    , m_itemData(itemData)
    , m_scope(scope)
{
}

CustStandardItem::~CustStandardItem() = default;

bool CustStandardItem::inScope() const
{
    QStandardItem *sortParent = m_scope->parent;
    if (sortParent && sortParent != TreeView::RootItemHandle) {
        if (parent() == sortParent)
            return true;
        if (!m_scope->recursive)
            return false;
        for (QStandardItem *ancestor = parent(); ancestor; ancestor = ancestor->parent())
            if (ancestor == sortParent)
                return true;
        return false;
    }
    return parent() == nullptr || m_scope->recursive;
}

bool CustStandardItem::operator<(const QStandardItem &other) const
{
    if (!m_sortFunc || !*m_sortFunc || !m_scope || !m_itemData || !inScope())
        return false;
    const int ownId = data(Qt::UserRole).toInt();
    const int otherId = other.data(Qt::UserRole).toInt();
    return (*m_sortFunc)(text().toStdWString(), m_itemData->Get(ownId), other.text().toStdWString(),
                         m_itemData->Get(otherId));
}

} // namespace AUILib
