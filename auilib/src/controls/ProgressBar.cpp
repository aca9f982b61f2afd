#include "ProgressBar.h"

#include "ProgressBarImpl.h"

namespace AUILib {

ProgressBar::ProgressBar()
    : m_impl(std::make_shared<impl>())
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

} // namespace AUILib
