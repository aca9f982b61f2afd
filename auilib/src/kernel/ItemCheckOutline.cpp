#include "ItemCheckOutline.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace AUILib {

namespace {

// The least contrast the edge of a control needs to be seen (WCAG).
const double kLeastContrast = 3.0;

double luminance(const QColor &colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `share` of `to` over `from`, opaque.
QColor mixed(const QColor &from, const QColor &to, double share)
{
    auto channel = [share](int a, int b) { return qRound(a + (b - a) * share); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

// The colour group the style paints the row in, as it chooses it for the item's panel.
QPalette::ColorGroup rowGroup(const QStyleOption &option, const QWidget *widget)
{
    if (!(widget ? widget->isEnabled() : bool(option.state & QStyle::State_Enabled)))
        return QPalette::Disabled;
    return option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

} // namespace

QColor ItemCheckOutlineColour(const QStyleOption &option, const QStyle *style, const QWidget *widget)
{
    const QPalette &palette = option.palette;
    const QPalette::ColorGroup group = rowGroup(option, widget);
    const QColor base = palette.color(group, QPalette::Base);
    if (base.lightness() >= 128)
        return QColor();

    // What lies behind the box: the highlight of a selected row, the item's own
    // background, an alternate row's colour, or the base.
    const auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(&option);
    const bool highlighted = (option.state & QStyle::State_Selected) && style &&
                             style->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &option, widget);
    QColor background = base;
    if (highlighted)
        background = palette.color(group, QPalette::Highlight);
    else if (item && item->backgroundBrush.style() != Qt::NoBrush)
        background = item->backgroundBrush.color();
    else if (item && (item->features & QStyleOptionViewItem::Alternate))
        background = palette.color(group, QPalette::AlternateBase);
    // A see-through selection or cell colour shows the base through it.
    background = mixed(base, background, background.alphaF());

    // A light edge frames the box, which is filled with the dark base: the row's
    // text colour where it is the lighter one, else white; a dark edge only on a
    // row too light for any light one.
    const QPalette::ColorGroup textGroup = option.state & QStyle::State_Enabled ? group : QPalette::Disabled;
    const QColor text = palette.color(textGroup, highlighted ? QPalette::HighlightedText : QPalette::Text);
    const QColor lighter = luminance(text) > luminance(background) ? text : QColor(Qt::white);
    for (const QColor &towards : {lighter, QColor(Qt::white), QColor(Qt::black)}) {
        for (int tenths = 5; tenths <= 10; ++tenths) {
            const QColor edge = mixed(background, towards, tenths / 10.0);
            if (contrast(edge, background) >= kLeastContrast)
                return edge;
        }
    }
    return QColor(Qt::black);
}

void DrawItemCheckOutline(const QStyleOption &option, QPainter *painter, const QStyle *style, const QWidget *widget)
{
    const QColor edge = ItemCheckOutlineColour(option, style, widget);
    if (!edge.isValid() || !painter)
        return;
    // The box's own edge: one pixel on the rectangle's outermost pixels.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(edge, 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace AUILib
