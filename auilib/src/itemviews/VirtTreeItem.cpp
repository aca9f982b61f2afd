#include "VirtTreeItem.h"

#include "TreeModel.h"

#include <QString>

namespace AUILib {

namespace {

// Nodes are made on the GUI thread only, as every control is.
std::uint64_t nextSerial()
{
    static std::uint64_t serial = 0;
    return ++serial;
}

} // namespace

VirtTreeItem::VirtTreeItem(VirtTreeItem *parent)
    : m_serial(nextSerial())
    , m_parent(parent)
{
}

VirtTreeItem::~VirtTreeItem()
{
    RemoveChilds();
    if (m_model)
        m_model->leave(this);
}

void VirtTreeItem::RemoveChilds()
{
    // Detached first: a child's destructor never sees a half-emptied list.
    QList<VirtTreeItem *> children;
    children.swap(m_children);
    qDeleteAll(children);
}

void VirtTreeItem::AppendChild(VirtTreeItem *child)
{
    child->m_level = m_parent ? m_level + 1 : 0;
    child->m_row = m_children.size();
    m_children.append(child);
    if (m_model)
        child->enter(m_model);
}

void VirtTreeItem::enter(TreeModel *model)
{
    m_model = model;
    model->enter(this);
    for (VirtTreeItem *child : m_children)
        child->enter(model);
}

VirtTreeItem *VirtTreeItem::Child(int i) const
{
    if (i < 0 || i >= m_children.size())
        return nullptr;
    return m_children.at(i);
}

QVariant VirtTreeItem::Data(int role, int column) const
{
    if (column != 0)
        return QVariant();
    if (role == Qt::DisplayRole)
        return QString::fromStdWString(m_text);
    if (role == Qt::CheckStateRole)
        return m_checked ? 2 : 0;
    return QVariant();
}

void VirtTreeItem::SetData(const any &value)
{
    if (!value.empty())
        m_data = value;
}

void VirtTreeItem::SetIcon(int index)
{
    if (index >= 0)
        m_icon = index;
}

void VirtTreeItem::SetBoldTextPosition(int start, int length)
{
    if (start >= 0)
        m_boldStart = start;
    if (length >= 0)
        m_boldLength = length;
}

std::int64_t VirtTreeItem::GetBoldTextPosition() const
{
    // Packed in unsigned arithmetic: the unset length (-1) shifted as a signed
    // value is undefined; the bits are the same either way.
    const std::uint64_t packed = static_cast<std::uint64_t>(static_cast<std::uint32_t>(m_boldLength)) << 32 |
                                 static_cast<std::uint32_t>(m_boldStart);
    return static_cast<std::int64_t>(packed);
}

} // namespace AUILib
