#include "HeaderProxyStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPen>
#include <QStyleOptionHeader>
#include <QTextOption>

namespace AUILib {

HeaderProxyStyle::HeaderProxyStyle()
{
    m_styles.max_load_factor(1.0F);
    m_pictureSizes.max_load_factor(1.0F);
}

void HeaderProxyStyle::SetHeaderStyle(int column, ListBox::HeaderStyle style)
{
    m_styles[column] = style;
}

ListBox::HeaderStyle HeaderProxyStyle::GetHeaderStyle(int column) const
{
    const auto found = m_styles.find(column);
    return found == m_styles.end() ? static_cast<ListBox::HeaderStyle>(0) : found->second;
}

void HeaderProxyStyle::SetPictureSize(int column, const QSize &size)
{
    m_pictureSizes[column] = size;
}

void HeaderProxyStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    const auto *header = qstyleoption_cast<const QStyleOptionHeader *>(option);
    if (element != CE_HeaderLabel || !header || m_styles.find(header->section) == m_styles.end() ||
        header->icon.isNull()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const auto sized = m_pictureSizes.find(header->section);
    const QSize size = sized == m_pictureSizes.end() ? QSize(16, 16) : sized->second;
    const QPixmap picture = header->icon.pixmap(size, QIcon::Normal, QIcon::Off);
    const int margin = pixelMetric(PM_HeaderMargin, option, widget);
    const QRect &section = header->rect;
    painter->save();
    painter->setPen(QPen(QApplication::palette().brush(QPalette::Current, QPalette::Text), painter->pen().widthF(),
                         Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const int textWidth = header->fontMetrics.horizontalAdvance(header->text);
    painter->drawPixmap(section.left() + textWidth + 2 * margin, section.top() + margin, picture);
    painter->drawText(QRectF(section.left(), margin, section.width(), section.height()), header->text, QTextOption());
    painter->restore();
}

} // namespace AUILib
