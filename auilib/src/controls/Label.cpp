#include "Label.h"

#include "LabelImpl.h"

namespace AUILib {

Label::Label()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindLabel);
}

Label::~Label() = default;

bool Label::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> Label::GetBaseImpl() const { return m_impl; }

void Label::SetText(const std::wstring &text, bool) { m_impl->SetText(text); }

} // namespace AUILib
