#pragma once

#include "BaseGUIObject.h"
#include "ImplHolder.h"
#include "EventSignal.h"

#include <memory>

class QWidget;

namespace AUILib {

// A scroll bar, with a page step of 1 until told otherwise. Its widget is made
// without a parent; Create places it.
class ScrollBar : public BaseGUIObject
{
public:
    ScrollBar();
    ~ScrollBar() override;

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
    // 0xRRGGBB; the colour is always opaque.
    virtual void SetBackgroundColor(int rgb);
    // The last colour set, -1 before any.
    virtual int GetBackgroundColor();

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
