#include "Edit.h"

#include "EditImpl.h"

namespace AUILib {

Edit::Edit()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindEdit);
}

Edit::~Edit() = default;

bool Edit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Edit::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
