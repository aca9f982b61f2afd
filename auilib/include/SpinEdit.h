#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>
#include <string>

class QWidget;

namespace AUILib {

// An integer spin edit over a 64-bit value, with a range, a step and a suffix
// shown after the number. Its widget is made without a parent; Create places it.
// Once the widget is gone its operations do nothing and its getters answer 0 or
// an empty suffix.
class SpinEdit : public BaseGUIObject
{
public:
    SpinEdit();
    ~SpinEdit() override;

    // Every committed change of the value, with the new value.
    EventSignal<void(long long)> OnValueChanged;
    // Every arrow step (value, step applied); at a bound an arrow that cannot
    // move reports (bound, 0).
    EventSignal<void(long long, long long)> OnArrowValueChanged;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // The range runs from the smaller to the larger of the two; the value is
    // brought into it.
    virtual void SetRange(long long first, long long second);
    // The value last accepted from the field's text.
    virtual long long GetValue();
    virtual void SetValue(long long value);
    virtual void SetStep(long long step);

    void SetSuffix(std::wstring suffix);
    std::wstring GetSuffix();
    // Kept for the caller; the integer spin edit shows no balloon with them.
    void SetBalloonNaNtext(const std::wstring &first, const std::wstring &second);
    // On (the default): a number out of the range is refused while it is typed
    // (one below the minimum while it has no more tens than the minimum) and the
    // last committed value comes back when the field loses focus. Off: a number
    // above the maximum (or a negative one below the minimum) is replaced by
    // that bound as it is typed.
    void LastValidValueCorrection(bool correct);
    // Spin edits keep the platform's corners.
    void SetBorderRadius(int radius);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
