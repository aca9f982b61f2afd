#pragma once

#include "AUITypes.h"

#include <QPalette>
#include <QString>

class QWidget;

// Colours as the controls write them into style sheets and palettes.
namespace AUILib {

// "#rrggbb" (lowercase), the alpha byte ignored.
QString ColorName(RGBColor color);
// "#aarrggbb" (lowercase), alpha first.
QString ColorNameWithAlpha(RGBColor color);

// Copies the widget's palette, gives `role` a solid brush of the colour in
// every colour group (alpha ignored) and applies the palette. With
// `autoFill` the widget also fills its background. A null widget is left alone.
void SetPaletteColor(QWidget *widget, QPalette::ColorRole role, RGBColor color, bool autoFill = false);

} // namespace AUILib
