#include "Line.h"

#include "LineImpl.h"

namespace AUILib {

Line::Line()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindLine);
}

Line::~Line() = default;

bool Line::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Line::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
