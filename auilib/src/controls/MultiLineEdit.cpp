#include "MultiLineEdit.h"

#include "MultiLineEditImpl.h"

namespace AUILib {

MultiLineEdit::MultiLineEdit()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindMultiLineEdit);
}

MultiLineEdit::~MultiLineEdit() = default;

bool MultiLineEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> MultiLineEdit::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
