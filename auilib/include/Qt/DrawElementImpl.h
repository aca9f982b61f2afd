#pragma once

#include "BaseImplQt.h"
#include "DrawElement.h"
#include "DrawElementQt.h"

namespace AUILib {

// Drives the widget it makes, a DrawElementQt, which holds the drawing: placed
// by Create or a form, the widget belongs to its Qt parent; never placed, it
// goes with this implementation. Once the widget is gone the setters do
// nothing and the getters answer null, false or 0.
class DrawElement::impl : public BaseImplQt
{
public:
    explicit impl(DrawElement *owner);
    ~impl() override;

    QImage *GetImage() const;
    void ResetImage();
    void DrawImage(const QImage *image, int x, int y);
    void SetBorder(bool border);
    bool IsSetBorder() const;
    void SetLineColor(RGBColor color);
    RGBColor GetLineColor() const;
    void UpdateLinesColor(RGBColor color);
};

} // namespace AUILib
