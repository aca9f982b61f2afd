#include "ListBox.h"

#include "ListBoxImpl.h"

namespace AUILib {

ListBox::ListBox()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindListBox);
}

ListBox::~ListBox() = default;

bool ListBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ListBox::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
