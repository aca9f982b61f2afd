#include "Line.h"

#include "LineImpl.h"

namespace AUILib {

Line::Line()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindLine);
}

Line::~Line() = default;

bool Line::Create(QWidget *parent)
{
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Line::GetBaseImpl() const { return m_impl; }

QWidget *Line::GetWndPtr() const { return m_impl->GetWndPtr(); }
void Line::SetLineColor(unsigned int rgb) { m_impl->SetLineColor(rgb); }

} // namespace AUILib
