#include "CustomStyle.h"

#include "ItemCheckOutline.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleOptionViewItem>

namespace AUILib {

namespace {

QAbstractItemView::SelectionBehavior selectionBehavior(const QWidget *widget)
{
    auto *view = qobject_cast<const QAbstractItemView *>(widget);
    return view ? view->selectionBehavior() : QAbstractItemView::SelectItems;
}

const QPalette &paletteOf(const QStyleOption *option, const QWidget *widget)
{
    return widget ? widget->palette() : option->palette;
}

} // namespace

CustomStyle::CustomStyle()
    : QProxyStyle()
{
}

CustomStyle::~CustomStyle() = default;

void CustomStyle::SetOption(Option option, bool on)
{
    if (on)
        m_options |= option;
    else
        m_options &= ~static_cast<unsigned int>(option);
}

QRect CustomStyle::BranchStrip(const QRect &area)
{
    return QRect(QPoint(area.left(), area.bottom() - 18), QPoint(area.right(), area.bottom() - 1));
}

QRect CustomStyle::PlusMinusBox(const QRect &strip)
{
    const int w = strip.width();
    const int h = strip.height();
    return QRect(QPoint(strip.left() + w / 3, strip.top() + h / 3),
                 QPoint(strip.right() - w / 3, strip.bottom() - h / 3 + 2));
}

QPolygon CustomStyle::Triangle(const QRect &strip, bool open)
{
    const int w = strip.width();
    const int h = strip.height();
    if (open) {
        const QRect t(QPoint(strip.left() + w / 3, strip.top() + h / 3 + 1),
                      QPoint(strip.right() - w / 3 + 3, strip.bottom() - h / 3 + 4));
        return QPolygon({t.topLeft(), QPoint(t.right(), t.top()),
                         QPoint(t.left() + (t.right() - t.left() + 1) / 2, t.bottom())});
    }
    const QRect t(QPoint(strip.left() + w / 3 + 1, strip.top() + h / 3 - 1),
                  QPoint(strip.right() - w / 3 + 3, strip.bottom() - h / 3 + 4));
    return QPolygon({t.topLeft(), QPoint(t.right(), t.top() + (t.bottom() - t.top() + 1) / 2),
                     QPoint(t.left(), t.bottom())});
}

void CustomStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_IndicatorBranch)
        drawBranch(option, painter, widget);
    else if (element == PE_PanelItemViewItem)
        drawItemPanel(option, painter, widget);
    else if (element == PE_IndicatorItemViewItemCheck)
        DrawItemCheckOutline(*option, painter, this, widget);
    else if (element == PE_PanelItemViewRow && widget && selectionBehavior(widget) == QAbstractItemView::SelectItems)
        painter->fillRect(option->rect, paletteOf(option, widget).color(QPalette::Current, QPalette::Base));
}

void CustomStyle::drawBranch(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const QPalette &palette = paletteOf(option, widget);
    const bool selected = option->state & State_Selected;
    const bool rows = selectionBehavior(widget) == QAbstractItemView::SelectRows;
    const bool active = option->state & State_Active;
    painter->save();
    QColor fill = palette.color(QPalette::Current, QPalette::Base);
    if (selected && rows && active)
        fill = palette.color(QPalette::Current, QPalette::Highlight);
    else if (selected && rows && (m_options & inactiveHighlight))
        fill = palette.color(QPalette::Inactive, QPalette::Highlight);
    painter->fillRect(option->rect, fill);

    if (!(m_options & hideBranches)) {
        if ((m_options & showPlusMinus) && (m_options & nativeBranches)) {
            QProxyStyle::drawPrimitive(PE_IndicatorBranch, option, painter, widget);
        } else if (option->state & State_Children) {
            const QRect strip = BranchStrip(option->rect);
            const bool open = option->state & State_Open;
            if (m_options & showPlusMinus) {
                const QRect box = PlusMinusBox(strip);
                painter->setPen(palette.color(QPalette::Current, QPalette::Text));
                painter->setBrush(Qt::NoBrush);
                painter->drawRect(box.adjusted(0, 0, -1, -1));
                const int cx = (box.left() + box.right()) / 2;
                const int cy = (box.top() + box.bottom()) / 2;
                painter->drawLine(box.left() + 2, cy + 1, box.right() - 1, cy + 1);
                if (!open)
                    painter->drawLine(cx + 1, box.top() + 2, cx + 1, box.bottom() - 1);
            } else {
                const bool dark = QApplication::palette().color(QPalette::Window).lightness() < 128;
                painter->setRenderHint(QPainter::Antialiasing, true);
                painter->setPen(Qt::NoPen);
                painter->setBrush(palette.color(QPalette::Current, dark ? QPalette::Text : QPalette::Mid));
                painter->drawPolygon(Triangle(strip, open));
            }
        }
    }
    painter->restore();
}

void CustomStyle::drawItemPanel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    if (!widget || selectionBehavior(widget) != QAbstractItemView::SelectItems || !(option->state & State_Selected))
        return;
    int end = option->rect.right();
    if (auto *item = qstyleoption_cast<const QStyleOptionViewItem *>(option)) {
        if (item->version >= 4) {
            if (!item->text.isEmpty())
                end = option->rect.left() + item->fontMetrics.horizontalAdvance(item->text) + 9;
            if (!item->icon.isNull())
                end += item->decorationSize.width() + 5;
            if (item->features & QStyleOptionViewItem::HasCheckIndicator)
                end += pixelMetric(PM_IndicatorWidth, option, widget) + 10;
        }
    }
    painter->fillRect(QRect(QPoint(end + 1, option->rect.top()), QPoint(widget->width() - 2, option->rect.bottom())),
                      paletteOf(option, widget).color(QPalette::Current, QPalette::Base));
}

} // namespace AUILib
