#include "CheckBoxQt.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace AUILib {

CheckBoxQt::CheckBoxQt(QWidget *parent)
    : QCheckBox(parent)
{
}

void CheckBoxQt::paintEvent(QPaintEvent *event)
{
    if (!m_wrap) {
        QCheckBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (option.version < 1 || option.type != QStyleOption::SO_Button)
        return;
    const QStyle *proxy = style()->proxy();

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    proxy->drawPrimitive(QStyle::PE_IndicatorCheckBox, &indicator, &painter, this);

    int alignment = QStyle::visualAlignment(option.direction, Qt::AlignLeft | Qt::AlignVCenter);
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        alignment |= Qt::TextHideMnemonic;
    QRect textRect = option.rect;
    if (!option.icon.isNull()) {
        const QIcon::Mode mode = (option.state & QStyle::State_Enabled) ? QIcon::Normal : QIcon::Disabled;
        const QPixmap picture = option.icon.pixmap(option.iconSize, mode, QIcon::Off);
        proxy->drawItemPixmap(&painter, option.rect, alignment, picture);
        if (option.direction == Qt::RightToLeft)
            textRect.setRight(textRect.right() - option.iconSize.width() - 4);
        else
            textRect.setLeft(textRect.left() + option.iconSize.width() + 4);
    }
    if (!option.text.isEmpty()) {
        textRect.setLeft(textRect.left() + (indicator.rect.right() - indicator.rect.left()) + 3);
        // A mnemonic is neither shown nor underlined in wrapped text.
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextHideMnemonic,
                         option.text);
    }
}

bool CheckBoxQt::hitButton(const QPoint &pos) const
{
    if (!m_wrap)
        return QCheckBox::hitButton(pos);
    QStyleOptionButton option;
    initStyleOption(&option);
    return option.rect.contains(pos);
}

} // namespace AUILib
