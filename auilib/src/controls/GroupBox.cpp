#include "GroupBox.h"

#include "GroupBoxImpl.h"

namespace AUILib {

GroupBox::GroupBox()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindGroupBox);
}

GroupBox::~GroupBox() = default;

bool GroupBox::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> GroupBox::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
