#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>

class QWidget;

namespace AUILib {

// A slider. Its widget is made without a parent; Create places it.
class Slider : public BaseGUIObject
{
public:
    Slider();
    ~Slider() override;

    // Fired once the user lets go of the handle.
    EventSignal<void()> OnSliderReleased;
    // Fired with the new value, for the program's changes too.
    EventSignal<void(int)> OnValueChanged;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    virtual void SetPageSize(int size);
    virtual void SetLineSize(int size);
    // The value is kept inside the range.
    virtual void SetRange(int min, int max);
    virtual void SetValue(int value);
    virtual int GetValue();

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
