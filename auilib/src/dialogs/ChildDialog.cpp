#include "ChildDialog.h"

#include "ChildDialogImpl.h"

namespace AUILib {

ChildDialog::ChildDialog()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindChildDialog);
}

ChildDialog::~ChildDialog() = default;

bool ChildDialog::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> ChildDialog::GetBaseImpl() const { return m_impl; }

void ChildDialog::SetVisible(bool visible) { m_impl->Show(visible, true); }

void ChildDialog::SetBackgroundColor(int colour) { m_impl->SetBackgroundColor(colour); }

int ChildDialog::BackgroundColor() const { return m_impl->BackgroundColor(); }

} // namespace AUILib
