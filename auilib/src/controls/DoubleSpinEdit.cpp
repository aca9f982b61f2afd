#include "DoubleSpinEdit.h"

#include "DoubleSpinEditImpl.h"

namespace AUILib {

DoubleSpinEdit::DoubleSpinEdit()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindDoubleSpinEdit);
}

DoubleSpinEdit::~DoubleSpinEdit() = default;

bool DoubleSpinEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> DoubleSpinEdit::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
