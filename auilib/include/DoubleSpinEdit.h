#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"
#include "PicaPoint.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// A decimal spin edit: a decimal character of its own, a step of its own, arrow
// events at the bounds and, when asked, lengths typed and shown in picas and
// points ("1p6"). Its widget is made without a parent; Create places it. Once
// the widget is gone its operations do nothing and its getters answer 0 or empty.
// Values, bounds and steps saturate at kLargestPicas (PicaPoint.h) either way,
// in both modes; a NaN one is refused (the call does nothing).
class DoubleSpinEdit : public BaseGUIObject
{
public:
    DoubleSpinEdit();
    ~DoubleSpinEdit() override;

    // Outside the pica mode: every change of the value.
    EventSignal<void(double)> OnValueChanged;
    // Outside the pica mode: every arrow step (value, step applied); an arrow
    // that cannot move at a bound reports (bound, 0).
    EventSignal<void(double, double)> OnArrowValueChanged;
    // In the pica mode: every arrow step, with the value in picas and points.
    EventSignal<void(PicaPoint, double)> OnPicaArrowValueChanged;
    // In the pica mode: every edit of the text and every change of the value,
    // with the text read as picas and points.
    EventSignal<void(PicaPoint)> OnPicaValueChanged;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    virtual void SetRange(double minimum, double maximum);
    // In the pica mode only.
    virtual void SetRange(PicaPoint minimum, PicaPoint maximum);
    virtual double GetValue();
    // {0, 0} outside the pica mode.
    virtual PicaPoint GetPicaPointValue();
    virtual void SetValue(double value);
    // In the pica mode only.
    virtual void SetValue(PicaPoint value);
    virtual void SetStep(double step);
    // The step as a length in picas.
    virtual void SetStep(PicaPoint step);
    virtual void SetPrecision(int decimals);

    void SetSuffix(std::wstring suffix);
    std::wstring GetSuffix();
    // Kept for the caller; the spin edit shows no balloon with them.
    void SetBalloonNaNtext(const std::wstring &first, const std::wstring &second);
    // Off: a number typed above the maximum (or a negative one below the
    // minimum) is replaced by that bound.
    void LastValidValueCorrection(bool correct);
    // Shown and typed in place of the locale's decimal point; a digit is refused.
    void SetDecimalChar(char decimal);
    // Each call gives the spin edit a line edit for pica texts and the decimal
    // character "p"; the argument switches the pica mode on or off.
    void SupportPicaPoints(bool on);
    // Spin edits keep the platform's corners.
    void SetBorderRadius(int radius);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
