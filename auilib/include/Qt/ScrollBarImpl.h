#pragma once

#include "BaseImplQt.h"
#include "ScrollBar.h"
#include "ScrollBarQt.h"

namespace AUILib {

// Drives the widget it makes, a ScrollBarQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// Once the widget is gone the setters do nothing (a colour is not even kept)
// and GetValue answers 0.
class ScrollBar::impl : public BaseImplQt
{
public:
    explicit impl(ScrollBar *owner);
    ~impl() override;

    void SetPageSize(int size);
    void SetLineSize(int size);
    void SetRange(int min, int max);
    void SetValue(int value);
    int GetValue() const;
    void SetBackgroundColor(int rgb);
    int GetBackgroundColor() const { return m_backgroundColor; }

    // A form's range and steps, bounded as the setters bound them.
    void OnFormLoaded(const FormElement &element) override;

private:
    int m_backgroundColor = -1;
};

} // namespace AUILib
