#include "PlatformStyle.h"

#include "ItemCheckOutline.h"

#include <QStyleOptionButton>

namespace {

QPalette::ColorRole backgroundOf(QPalette::ColorRole textRole)
{
    switch (textRole) {
    case QPalette::ButtonText: return QPalette::Button;
    case QPalette::Text: return QPalette::Base;
    case QPalette::ToolTipText: return QPalette::ToolTipBase;
    case QPalette::HighlightedText: return QPalette::Highlight;
    default: return QPalette::Window;
    }
}

QColor halfway(const QColor &from, const QColor &to)
{
    return QColor((from.red() + to.red()) / 2, (from.green() + to.green()) / 2, (from.blue() + to.blue()) / 2,
                  from.alpha());
}

} // namespace

PlatformStyle::PlatformStyle()
    : QProxyStyle(nullptr)
{
}

QSize PlatformStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &contents,
                                      const QWidget *widget) const
{
    QSize size = contents;
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (type == CT_PushButton && button) {
        // The height the text (or, without one, a line of it) and the icon need.
        const QString text = button->text.isEmpty() ? QStringLiteral("XXXX") : button->text;
        int needed = button->fontMetrics.size(Qt::TextShowMnemonic, text).height();
        if (!button->icon.isNull())
            needed = qMax(needed, button->iconSize.height());
        size.setHeight(qMax(size.height(), needed));
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void PlatformStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_IndicatorItemViewItemCheck && option)
        AUILib::DrawItemCheckOutline(*option, painter, this, widget);
}

void PlatformStyle::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                                 bool enabled, const QString &text, QPalette::ColorRole textRole) const
{
    if (enabled || textRole == QPalette::NoRole) {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
        return;
    }
    QPalette dimmed = palette;
    dimmed.setColor(QPalette::Disabled, textRole, disabledTextColour(palette, textRole));
    QProxyStyle::drawItemText(painter, rect, flags, dimmed, enabled, text, textRole);
}

QColor PlatformStyle::disabledTextColour(const QPalette &palette, QPalette::ColorRole textRole)
{
    const QColor disabled = palette.color(QPalette::Disabled, textRole);
    if (disabled != palette.color(QPalette::Active, textRole))
        return disabled;
    return halfway(disabled, palette.color(QPalette::Disabled, backgroundOf(textRole)));
}
