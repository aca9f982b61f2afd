#include "CustStandardItem.h"

#include "TreeView.h"
#include "TreeViewItemContext.h"

namespace AUILib {

CustStandardItem::CustStandardItem(const QString &text, const std::shared_ptr<TreeViewItemContext> &context)
    : QStandardItem(text)
    , m_context(context)
{
    if (context)
        context->Add(this);
}

CustStandardItem::CustStandardItem(const CustStandardItem &other)
    : QStandardItem(other)
    , m_context(other.m_context)
    , m_madeWith(other.m_madeWith)
{
    if (const auto shared = m_context.lock())
        shared->Add(this);
}

CustStandardItem::~CustStandardItem()
{
    if (const auto shared = m_context.lock())
        shared->Remove(this);
}

QVariant CustStandardItem::data(int role) const
{
    if (role != MadeWithRole)
        return QStandardItem::data(role);
    return m_madeWith.isNull() ? QVariant() : QVariant(m_madeWith);
}

void CustStandardItem::setData(const QVariant &value, int role)
{
    if (role != MadeWithRole) {
        QStandardItem::setData(value, role);
        return;
    }
    m_madeWith = value.toString();
    emitDataChanged();
}

QStandardItem *CustStandardItem::clone() const
{
    return new CustStandardItem(*this);
}

bool CustStandardItem::inScope(const TreeSortScope &scope) const
{
    QStandardItem *sortParent = scope.parent;
    if (sortParent && sortParent != TreeView::RootItemHandle) {
        if (parent() == sortParent)
            return true;
        if (!scope.recursive)
            return false;
        for (QStandardItem *ancestor = parent(); ancestor; ancestor = ancestor->parent())
            if (ancestor == sortParent)
                return true;
        return false;
    }
    return parent() == nullptr || scope.recursive;
}

bool CustStandardItem::operator<(const QStandardItem &other) const
{
    const auto context = m_context.lock();
    if (!context || !context->sortFunc || !*context->sortFunc || !inScope(context->sortScope))
        return false;
    // Kept for the call: the comparator may give the control another one.
    const std::shared_ptr<const TreeSortFunc> lessThan = context->sortFunc;
    const int ownId = data(Qt::UserRole).toInt();
    const int otherId = other.data(Qt::UserRole).toInt();
    return (*lessThan)(text().toStdWString(), context->itemData.Get(ownId), other.text().toStdWString(),
                    context->itemData.Get(otherId));
}

} // namespace AUILib
