#include "DoubleSpinEdit.h"

#include "DoubleSpinEditImpl.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace AUILib {

namespace {

// Saturates a value, bound or step at the edit's largest magnitude; false for
// NaN, which the calls refuse.
bool bounded(double &value)
{
    if (std::isnan(value))
        return false;
    const double largest = static_cast<double>(kLargestPicas);
    value = std::clamp(value, -largest, largest);
    return true;
}

} // namespace

DoubleSpinEdit::DoubleSpinEdit()
    : m_impl(MakeImpl<impl>(this))
{
    SetControlKind(ControlKindDoubleSpinEdit);
}

DoubleSpinEdit::~DoubleSpinEdit() = default;

bool DoubleSpinEdit::Create(QWidget *parent)
{
    SetParentWindow(parent);
    return m_impl->SetParent(parent);
}

std::shared_ptr<BaseImpl> DoubleSpinEdit::GetBaseImpl() const { return m_impl; }

void DoubleSpinEdit::SetRange(double minimum, double maximum)
{
    if (!bounded(minimum) || !bounded(maximum))
        return;
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->setRange(minimum, maximum);
}

// The range is held the way the pica mode holds its value (1p6 as 1.6), so
// that the two compare.
void DoubleSpinEdit::SetRange(PicaPoint minimum, PicaPoint maximum)
{
    DoubleSpinEditQt *spin = m_impl->Spin();
    if (!spin || !spin->PicaMode())
        return;
    spin->setRange(spin->PicaValueForm(NormalizePicaPoint(minimum)), spin->PicaValueForm(NormalizePicaPoint(maximum)));
}

double DoubleSpinEdit::GetValue()
{
    DoubleSpinEditQt *spin = m_impl->Spin();
    return spin ? spin->value() : 0.0;
}

PicaPoint DoubleSpinEdit::GetPicaPointValue()
{
    DoubleSpinEditQt *spin = m_impl->Spin();
    if (!spin || !spin->PicaMode())
        return PicaPoint{};
    return spin->GetPicaPointValue();
}

void DoubleSpinEdit::SetValue(double value)
{
    if (!bounded(value))
        return;
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->setValue(value);
}

void DoubleSpinEdit::SetValue(PicaPoint value)
{
    DoubleSpinEditQt *spin = m_impl->Spin();
    if (spin && spin->PicaMode())
        spin->SetPicaPointValue(value);
}

void DoubleSpinEdit::SetStep(double step)
{
    if (!bounded(step))
        return;
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->SetStep(step);
}

// Stepping in the pica mode counts in picas.
void DoubleSpinEdit::SetStep(PicaPoint step)
{
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->SetStep(PicaPointToPicas(NormalizePicaPoint(step)));
}

void DoubleSpinEdit::SetPrecision(int decimals)
{
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->setDecimals(decimals);
}

void DoubleSpinEdit::SetSuffix(std::wstring suffix)
{
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->setSuffix(QString::fromStdWString(suffix));
}

std::wstring DoubleSpinEdit::GetSuffix()
{
    DoubleSpinEditQt *spin = m_impl->Spin();
    return spin ? spin->suffix().toStdWString() : std::wstring();
}

void DoubleSpinEdit::SetBalloonNaNtext(const std::wstring &first, const std::wstring &second)
{
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->SetBalloonNaNtext(QString::fromStdWString(first), QString::fromStdWString(second));
}

void DoubleSpinEdit::LastValidValueCorrection(bool correct)
{
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->SetLastValidValueCorrection(correct);
}

void DoubleSpinEdit::SetDecimalChar(char decimal)
{
    if (DoubleSpinEditQt *spin = m_impl->Spin())
        spin->SetDecimalChar(decimal);
}

void DoubleSpinEdit::SupportPicaPoints(bool on) { m_impl->SupportPicaPoints(on); }

void DoubleSpinEdit::SetBorderRadius(int) {}

} // namespace AUILib
