#include "ScrollBar.h"

#include "ScrollBarImpl.h"

namespace AUILib {

ScrollBar::ScrollBar()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindScrollBar);
}

ScrollBar::~ScrollBar() = default;

bool ScrollBar::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ScrollBar::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
