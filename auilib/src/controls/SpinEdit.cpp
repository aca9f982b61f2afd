#include "SpinEdit.h"

#include "SpinEditImpl.h"

#include <QString>

namespace AUILib {

SpinEdit::SpinEdit()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindSpinEdit);
}

SpinEdit::~SpinEdit() = default;

bool SpinEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> SpinEdit::GetBaseImpl() const { return m_impl; }

void SpinEdit::SetRange(long long first, long long second)
{
    if (SpinEditQt *spin = m_impl->Spin())
        spin->SetRange(first, second);
}

long long SpinEdit::GetValue()
{
    SpinEditQt *spin = m_impl->Spin();
    return spin ? spin->GetValue() : 0;
}

void SpinEdit::SetValue(long long value)
{
    if (SpinEditQt *spin = m_impl->Spin())
        spin->SetValue(value);
}

void SpinEdit::SetStep(long long step)
{
    if (SpinEditQt *spin = m_impl->Spin())
        spin->setSingleStep(step);
}

void SpinEdit::SetSuffix(std::wstring suffix)
{
    if (SpinEditQt *spin = m_impl->Spin())
        spin->setSuffix(QString::fromStdWString(suffix));
}

std::wstring SpinEdit::GetSuffix()
{
    SpinEditQt *spin = m_impl->Spin();
    return spin ? spin->suffix().toStdWString() : std::wstring();
}

void SpinEdit::SetBalloonNaNtext(const std::wstring &first, const std::wstring &second)
{
    if (SpinEditQt *spin = m_impl->Spin())
        spin->SetBalloonNaNtext(QString::fromStdWString(first), QString::fromStdWString(second));
}

void SpinEdit::LastValidValueCorrection(bool correct)
{
    if (SpinEditQt *spin = m_impl->Spin())
        spin->SetLastValidValueCorrection(correct);
}

void SpinEdit::SetBorderRadius(int) {}

} // namespace AUILib
