#include "SpinEdit.h"

#include "SpinEditImpl.h"

namespace AUILib {

SpinEdit::SpinEdit()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindSpinEdit);
}

SpinEdit::~SpinEdit() = default;

bool SpinEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> SpinEdit::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
