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

void DateEdit::LoadPicture(const std::wstring &path) { m_impl->LoadPicture(path); }

void DateEdit::LoadPicture(const unsigned char *, int, ImageTypes) {}

void DateEdit::SetMode(DateEditMode mode) { m_impl->SetMode(mode); }

DateEdit::DateEditMode DateEdit::GetMode() { return m_impl->GetMode(); }

QWidget *DateEdit::GetWndPtr() { return m_impl->GetWidget(); }

bool DateEdit::SetDateTime(const ObDateTime &value) { return m_impl->SetDateTime(value); }

bool DateEdit::SetDateTime(const std::wstring &text) { return m_impl->SetDateTime(text); }

ObDateTime DateEdit::GetDateTime() const { return m_impl->GetDateTime(); }

std::wstring DateEdit::GetDateTimeString() const { return m_impl->GetDateTimeString(); }

} // namespace AUILib
