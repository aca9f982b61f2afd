#include "TreeView.h"

#include "TreeViewImpl.h"

namespace AUILib {

TreeView::TreeView()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindTreeView);
}

TreeView::~TreeView() = default;

bool TreeView::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> TreeView::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
