#include "ProgressBar.h"

#include "ProgressBarImpl.h"

namespace AUILib {

ProgressBar::ProgressBar()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindProgressBar);
}

ProgressBar::~ProgressBar() = default;

bool ProgressBar::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ProgressBar::GetBaseImpl() const { return m_impl; }

void ProgressBar::SetRange(int min, int max) { m_impl->SetRange(min, max); }
bool ProgressBar::SetValue(int value) { return m_impl->SetValue(value); }
int ProgressBar::GetValue() const { return m_impl->GetValue(); }
int ProgressBar::GetMinimum() const { return m_impl->GetMinimum(); }
int ProgressBar::GetMaximum() const { return m_impl->GetMaximum(); }

} // namespace AUILib
