#include "ComboBoxItemDelegate.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace AUILib {

namespace {

const QString kHeader = QStringLiteral("header");
const QString kSeparator = QStringLiteral("separator");

QFont headerFont()
{
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setWeight(75);
    return font;
}

} // namespace

ComboBox::impl::ItemDelegate::ItemDelegate(QWidget *combo)
    : QStyledItemDelegate(combo)
    , m_combo(combo)
{
}

ComboBox::impl::ItemDelegate::~ItemDelegate() = default;

void ComboBox::impl::ItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.decorationSize.setWidth(opt.rect.width());

    const QString kind = index.data(Qt::AccessibleDescriptionRole).toString();
    const QPalette palette = m_combo ? m_combo->palette() : QApplication::palette();
    painter->fillRect(opt.rect, palette.color(kind == kHeader ? QPalette::Dark : QPalette::Button));

    if (kind == kSeparator) {
        painter->save();
        painter->setPen(opt.palette.color(QPalette::Disabled, QPalette::Dark));
        const int middle = (opt.rect.top() + opt.rect.bottom()) / 2;
        painter->drawLine(opt.rect.left(), middle, opt.rect.right(), middle);
        painter->restore();
        return;
    }
    if (kind == kHeader) {
        painter->save();
        painter->setPen(Qt::black);
        const QFont font = headerFont();
        painter->setFont(font);
        const QString text = index.data(Qt::DisplayRole).toString();
        const int height = QFontMetrics(font).size(Qt::TextSingleLine, text).height();
        painter->drawText(opt.rect.left() + 5, opt.rect.top() + height - 1, text);
        painter->restore();
        return;
    }
    QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
}

QSize ComboBox::impl::ItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant font = index.data(Qt::FontRole);
    const QFontMetrics metrics(font.canConvert<QFont>() ? font.value<QFont>() : QFont());
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), metrics.height() + 4);
}

} // namespace AUILib
