#include "StackedDialog.h"

#include "StackedDialogImpl.h"

namespace AUILib {

StackedDialog::StackedDialog()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindStackedDialog);
}

StackedDialog::~StackedDialog() = default;

bool StackedDialog::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> StackedDialog::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
