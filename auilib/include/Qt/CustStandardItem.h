#pragma once

#include "any.h"

#include <QStandardItem>

#include <functional>
#include <memory>
#include <string>

namespace AUILib {

class TreeViewItemContext;

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
// another, so those rows keep their order). It is registered with its
// control's item context while it lives; it holds the context weakly, so an
// item that outlives its control (its widget kept by a form) orders nothing.
class CustStandardItem : public QStandardItem
{
public:
    CustStandardItem(const QString &text, const std::shared_ptr<TreeViewItemContext> &context);
    ~CustStandardItem() override;

    enum { Type = QStandardItem::UserType + 1 };
    int type() const override { return Type; }
    // Whether the item was made for this context (read only through a live item).
    bool BelongsTo(const std::shared_ptr<TreeViewItemContext> &context) const
    {
        return !m_context.owner_before(context) && !context.owner_before(m_context);
    }

    // The text the item was made with (role 257, Qt::UserRole + 1) is kept
    // beside Qt's table of roles: every item has it, and one more role in
    // that table costs every item another reallocation.
    static constexpr int MadeWithRole = Qt::UserRole + 1;
    QVariant data(int role = Qt::UserRole + 1) const override;
    void setData(const QVariant &value, int role = Qt::UserRole + 1) override;

    bool operator<(const QStandardItem &other) const override;
    // The model's prototype makes its items with this: they are registered too.
    QStandardItem *clone() const override;

protected:
    CustStandardItem(const CustStandardItem &other);

private:
    bool inScope(const TreeSortScope &scope) const;

    std::weak_ptr<TreeViewItemContext> m_context;
    QString m_madeWith;
};

} // namespace AUILib
