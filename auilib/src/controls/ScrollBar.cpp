#include "ScrollBar.h"

#include "ScrollBarImpl.h"

namespace AUILib {

ScrollBar::ScrollBar()
    : m_impl(MakeImpl<impl>(this))
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

void ScrollBar::SetPageSize(int size) { m_impl->SetPageSize(size); }
void ScrollBar::SetLineSize(int size) { m_impl->SetLineSize(size); }
void ScrollBar::SetRange(int min, int max) { m_impl->SetRange(min, max); }
void ScrollBar::SetValue(int value) { m_impl->SetValue(value); }
int ScrollBar::GetValue() { return m_impl->GetValue(); }
void ScrollBar::SetBackgroundColor(int rgb) { m_impl->SetBackgroundColor(rgb); }
int ScrollBar::GetBackgroundColor() { return m_impl->GetBackgroundColor(); }

} // namespace AUILib
