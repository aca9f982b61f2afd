#include "DateEdit.h"

#include "DateEditImpl.h"

namespace AUILib {

DateEdit::DateEdit()
    : m_impl(MakeImpl<impl>(this))
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
