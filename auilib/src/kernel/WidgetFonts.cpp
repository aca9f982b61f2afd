#include "WidgetFonts.h"

#include <QFontInfo>
#include <QWidget>

namespace AUILib {

QFont ApplyFontData(QFont base, const FontData &data)
{
    if (data.bold >= 0)
        base.setWeight(data.bold != 0 ? 75 : 50);
    if (data.italic >= 0)
        base.setStyle(data.italic != 0 ? QFont::StyleItalic : QFont::StyleNormal);
    if (data.underline >= 0)
        base.setUnderline(data.underline != 0);
    if (data.size > 0)
        base.setPointSizeF(data.size);
    if (!data.faceName.empty())
        base.setFamily(QString::fromStdWString(data.faceName));
    return base;
}

void SetWidgetFontData(QWidget *widget, const FontData &data)
{
    if (widget)
        widget->setFont(ApplyFontData(widget->font(), data));
}

FontData FontDataFromFont(const QFont &font, int boldFrom)
{
    const QFontInfo info(font);
    FontData data;
    data.faceName = info.family().toStdWString();
    data.size = info.pointSizeF();
    data.bold = info.weight() >= boldFrom ? 1 : 0;
    data.italic = info.italic() ? 1 : 0;
    data.underline = info.underline() ? 1 : 0;
    return data;
}

} // namespace AUILib
