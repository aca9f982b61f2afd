#pragma once

#include "FontData.h"

#include <QFont>

class QWidget;

// FontData, the toolkit's font description, to and from Qt fonts.
namespace AUILib {

// `base` with what `data` sets: bold (weight 75 when non-zero, 50 when zero),
// italic, underline (negative: not set), the point size when above 0 and the
// family when the face name is not empty. The charset is not used.
QFont ApplyFontData(QFont base, const FontData &data);

// The widget's own font with `data` applied; the caller repaints as it needs.
// A null widget is left alone.
void SetWidgetFontData(QWidget *widget, const FontData &data);

// The font as it resolves on this system (QFontInfo): face name = family,
// point size, bold when the weight is `boldFrom` or more, italic, underline.
// The charset stays -1 (not set).
FontData FontDataFromFont(const QFont &font, int boldFrom = 51);

} // namespace AUILib
