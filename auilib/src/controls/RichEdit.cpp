#include "RichEdit.h"

#include "RichEditImpl.h"

namespace AUILib {

RichEdit::RichEdit()
    : m_impl(std::make_shared<impl>())
{
    SetControlKind(ControlKindRichEdit);
}

RichEdit::~RichEdit() = default;

bool RichEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> RichEdit::GetBaseImpl() const { return m_impl; }

} // namespace AUILib
