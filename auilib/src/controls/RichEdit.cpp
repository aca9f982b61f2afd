#include "RichEdit.h"

#include "RichEditImpl.h"
#include "TextEdits.h"

namespace AUILib {

RichEdit::RichEdit()
    : m_impl(MakeImpl<impl>(this))
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

void RichEdit::SetText(const std::wstring &text) { m_impl->SetText(text); }

std::wstring RichEdit::GetText() const
{
    RichEditQt *edit = m_impl->Edit();
    return edit ? edit->toPlainText().toStdWString() : std::wstring();
}

void RichEdit::SetStyle(int remove, int add)
{
    if (RichEditQt *edit = m_impl->Edit())
        ApplyTextEditStyle(edit, remove, add);
}

RichEdit::Selection RichEdit::GetSel() { return m_impl->GetSel(); }

void RichEdit::SetSel(Selection selection) { m_impl->SetSel(selection); }

RichEdit::CharFormat_ RichEdit::GetSelectionCharFormat() { return m_impl->GetSelectionCharFormat(); }

void RichEdit::SetSelectionCharFormat(CharFormat_ format) { m_impl->SetSelectionCharFormat(format); }

bool RichEdit::acceptRichText() const
{
    RichEditQt *edit = m_impl->Edit();
    return edit && edit->acceptRichText();
}

void RichEdit::setAcceptRichText(bool accept)
{
    if (RichEditQt *edit = m_impl->Edit())
        edit->setAcceptRichText(accept);
}

} // namespace AUILib
