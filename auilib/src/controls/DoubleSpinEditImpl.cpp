#include "DoubleSpinEditImpl.h"

#include "CustomLineEdit.h"

namespace AUILib {

DoubleSpinEdit::impl::impl(DoubleSpinEdit *owner)
    : BaseImplQt(owner)
{
    DoubleSpinEditQt *spin = MakeWidget<DoubleSpinEditQt>(owner);
    Connect(spin, qOverload<double>(&DoubleSpinEditQt::valueChanged), [this](double value) { onValueChanged(value); });
    Connect(spin, &DoubleSpinEditQt::arrowValueChanged,
            [this](double value, double step) { onArrowValueChanged(value, step); });
}

DoubleSpinEdit::impl::~impl() = default;

void DoubleSpinEdit::impl::OnFormLoaded(const FormElement &)
{
    if (DoubleSpinEditQt *spin = Spin())
        spin->SetStep(spin->singleStep());
}

void DoubleSpinEdit::impl::SupportPicaPoints(bool on)
{
    DoubleSpinEditQt *spin = Spin();
    if (!spin)
        return;
    // The spin box's field is replaced: what that reports waits for the new one.
    EventGate::Hold hold;
    spin->SetDecimalChar('p');
    spin->SetPicaMode(on);
    m_picaEdit = new CustomLineEdit(spin);
    spin->ReplaceLineEdit(m_picaEdit);
    Connect(m_picaEdit.data(), &QLineEdit::textChanged, [this](const QString &text) { onPicaTextChanged(text); });
    // The new line edit shows the value as the mode writes it.
    spin->setValue(spin->value());
}

void DoubleSpinEdit::impl::onPicaTextChanged(const QString &text)
{
    DoubleSpinEditQt *spin = Spin();
    if (!spin)
        return;
    if (m_picaEdit) {
        QString number = text;
        if (!spin->suffix().isEmpty() && number.endsWith(spin->suffix()))
            number.chop(spin->suffix().size());
        const QStringList parts = spin->SplitPicaText(number);
        if (!parts.isEmpty()) {
            spin->SetPointsFraction(parts[3]);
            spin->SetPointsDigits(parts[2].size());
        }
    }
    emit spin->valueChanged(text.toDouble());
}

void DoubleSpinEdit::impl::onValueChanged(double value)
{
    DoubleSpinEditQt *spin = Spin();
    if (!spin || !spin->PicaMode()) {
        Fire(&DoubleSpinEdit::OnValueChanged, value);
        return;
    }
    PicaPoint typed;
    if (spin->PicaPointOfText(&typed))
        Fire(&DoubleSpinEdit::OnPicaValueChanged, typed);
}

void DoubleSpinEdit::impl::onArrowValueChanged(double value, double step)
{
    DoubleSpinEditQt *spin = Spin();
    if (spin && spin->PicaMode())
        Fire(&DoubleSpinEdit::OnPicaArrowValueChanged, spin->GetPicaPointValue(), step);
    else
        Fire(&DoubleSpinEdit::OnArrowValueChanged, value, step);
}

} // namespace AUILib
