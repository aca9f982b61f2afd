#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>

class QWidget;

namespace AUILib {

// A progress bar. Its widget is made without a parent; Create places it.
// Its value only ever moves inside its range.
class ProgressBar : public BaseGUIObject
{
public:
    ProgressBar();
    ~ProgressBar() override;

    // Fired with the new value, for the program's changes too.
    EventSignal<void(int)> OnValueChanged;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // A value outside the new range moves to its minimum.
    void SetRange(int min, int max);
    // False, and nothing changes, for a value outside the range.
    bool SetValue(int value);
    int GetValue() const;
    int GetMinimum() const;
    int GetMaximum() const;

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
