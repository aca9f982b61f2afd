#include "WidgetColors.h"

#include <QColor>
#include <QWidget>

namespace AUILib {

QString ColorName(RGBColor color)
{
    return QColor(QRgb(color)).name(QColor::HexRgb);
}

QString ColorNameWithAlpha(RGBColor color)
{
    return QColor::fromRgba(QRgb(color)).name(QColor::HexArgb);
}

void SetPaletteColor(QWidget *widget, QPalette::ColorRole role, RGBColor color, bool autoFill)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::All, role, QBrush(QColor(QRgb(color))));
    if (autoFill)
        widget->setAutoFillBackground(true);
    widget->setPalette(palette);
}

} // namespace AUILib
