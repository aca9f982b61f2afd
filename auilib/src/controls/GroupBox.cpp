#include "GroupBox.h"

#include "GroupBoxImpl.h"

namespace AUILib {

GroupBox::GroupBox()
    : m_impl(MakeImpl<impl>(this))
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

void GroupBox::SetText(const std::wstring &text) { m_impl->SetText(text); }
std::wstring GroupBox::GetText() const { return m_impl->GetText(); }
void GroupBox::SetColors(unsigned long, unsigned long) {}

} // namespace AUILib
