#pragma once

#include "BaseImplQt.h"
#include "Line.h"
#include "LineQt.h"

namespace AUILib {

// Drives the widget it makes, a LineQt: placed by Create or a form, the widget
// belongs to its Qt parent; never placed, it goes with this implementation.
// The line is drawn plain, in the palette's window-text colour.
class Line::impl : public BaseImplQt
{
public:
    explicit impl(Line *owner);
    ~impl() override;

    // The factory makes a plain frame; the form says which way it runs.
    void OnFormLoaded(const FormElement &element) override;

    QWidget *GetWndPtr() const;
    void SetLineColor(unsigned int rgb);
};

} // namespace AUILib
