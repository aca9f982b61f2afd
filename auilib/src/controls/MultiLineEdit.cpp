#include "MultiLineEdit.h"

#include "MultiLineEditImpl.h"
#include "TextEdits.h"

namespace AUILib {

MultiLineEdit::MultiLineEdit()
    : m_impl(MakeImpl<impl>(this))
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

void MultiLineEdit::SetText(const std::wstring &text) { m_impl->SetText(text); }

std::wstring MultiLineEdit::GetText() const
{
    MultiLineEditQt *edit = m_impl->Edit();
    return edit ? edit->toPlainText().toStdWString() : std::wstring();
}

void MultiLineEdit::SetStyle(int remove, int add)
{
    if (MultiLineEditQt *edit = m_impl->Edit())
        ApplyTextEditStyle(edit, remove, add);
}

void MultiLineEdit::SetScrollBarPolicy(ScrollBarPolicy policy)
{
    MultiLineEditQt *edit = m_impl->Edit();
    if (!edit)
        return;
    edit->setVerticalScrollBarPolicy(policy == ScrollBarNever    ? Qt::ScrollBarAlwaysOff
                                     : policy == ScrollBarAlways ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAsNeeded);
}

MultiLineEdit::Selection MultiLineEdit::GetSel() { return m_impl->GetSel(); }

void MultiLineEdit::SetSel(Selection selection) { m_impl->SetSel(selection); }

void MultiLineEdit::SetAdaptiveHeight(bool adaptive) { m_impl->SetAdaptiveHeight(adaptive); }

void MultiLineEdit::SetLimitText(int limit) { m_impl->SetLimitText(limit); }

} // namespace AUILib
