#include "DateEdit.h"

#include "DateEditImpl.h"

namespace AUILib {

DateEdit::DateEdit()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindDateEdit);
}

DateEdit::~DateEdit() = default;

bool DateEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> DateEdit::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
