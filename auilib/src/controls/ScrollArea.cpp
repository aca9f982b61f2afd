#include "ScrollArea.h"

#include "ScrollAreaImpl.h"

namespace AUILib {

ScrollArea::ScrollArea()
    : m_impl(std::make_shared<impl>())
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
