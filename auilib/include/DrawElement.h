#pragma once

#include "AUITypes.h"
#include "BaseGUIObject.h"
#include "ImplHolder.h"

#include <memory>

class QImage;
class QWidget;

namespace AUILib {

// A freehand drawing surface on the palette's base colour (white in a light
// palette): the user draws strokes with any mouse button, over an optional
// background picture. Its widget is made without a parent; Create places it.
// Once the widget is gone the setters do nothing and the getters answer null,
// false or 0.
class DrawElement : public BaseGUIObject
{
public:
    DrawElement();
    ~DrawElement() override;

    bool Create(QWidget *parent) override;
    std::shared_ptr<BaseImpl> GetBaseImpl() const override;

    // The strokes alone, on white, at the widget's size; the caller owns it.
    // Null until a stroke was finished.
    QImage *GetImage();
    // Drops the strokes and the background picture; position, colours and frame stay.
    void ResetImage();
    // Copies the picture as the background, its top-left corner at (x, y); a
    // null or empty picture changes nothing.
    void DrawImage(const QImage *image, int x, int y);
    void SetBorder(bool border);
    bool IsSetBorder();
    // The colour of strokes started from now on; the alpha byte is ignored.
    void SetLineColor(RGBColor color);
    // 0xFFRRGGBB.
    RGBColor GetLineColor();
    // Recolours every stroke drawn so far; later strokes keep the line colour.
    void UpdateLinesColor(RGBColor color);

    class impl;

private:
    ImplHolder<impl> m_impl;
};

} // namespace AUILib
