#include "ScrollArea.h"

#include "ScrollAreaImpl.h"

namespace AUILib {

ScrollArea::ScrollArea()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindScrollArea);
}

ScrollArea::~ScrollArea() = default;

bool ScrollArea::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ScrollArea::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
