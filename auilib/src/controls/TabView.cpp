#include "TabView.h"

#include "TabViewImpl.h"

namespace AUILib {

TabView::TabView()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindTabView);
}

TabView::~TabView() = default;

bool TabView::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> TabView::GetBaseImpl() const { return m_impl; }

void TabView::SetCurrentIndex(int index) { m_impl->SetCurrentIndex(index); }
void TabView::SetTabText(int index, const std::wstring &text) { m_impl->SetTabText(index, text); }
std::wstring TabView::GetTabText(int index) { return m_impl->GetTabText(index); }
void TabView::EnablePage(int index, bool enable, bool withChildren)
{
    m_impl->EnablePage(index, enable, withChildren);
}
int TabView::GetCurrentIndex() const { return m_impl->GetCurrentIndex(); }
int TabView::GetItemCount() const { return m_impl->GetItemCount(); }

// Both step through the virtual SetCurrentIndex, so a derived view sees every change.
void TabView::ActivateNextTab()
{
    const int count = GetItemCount();
    if (count < 1)
        return;
    SetCurrentIndex((GetCurrentIndex() + 1) % count);
}

void TabView::ActivatePreviousTab()
{
    const int count = GetItemCount();
    if (count < 1)
        return;
    const int current = GetCurrentIndex();
    SetCurrentIndex((current > 0 ? current : count) - 1);
}

} // namespace AUILib
