#include "TabView.h"

#include "TabViewImpl.h"

namespace AUILib {

TabView::TabView()
    : m_impl(std::make_shared<impl>())
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

} // namespace AUILib
