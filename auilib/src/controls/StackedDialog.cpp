#include "StackedDialog.h"

#include "StackedDialogImpl.h"

namespace AUILib {

StackedDialog::StackedDialog()
    : m_impl(MakeImpl<impl>(this))
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

void StackedDialog::SetCurrentIndex(int index) { m_impl->SetCurrentIndex(index); }
int StackedDialog::GetCurrentIndex() { return m_impl->GetCurrentIndex(); }
QWidget *StackedDialog::GetPage(int index) { return m_impl->GetPage(index); }
int StackedDialog::InsertChildDialog(int index, QWidget *page) { return m_impl->InsertChildDialog(index, page); }
void StackedDialog::AddChildDialog(ChildDialog *) {}
void StackedDialog::EnablePage(int index, bool enable, bool withChildren)
{
    m_impl->EnablePage(index, enable, withChildren);
}

} // namespace AUILib
