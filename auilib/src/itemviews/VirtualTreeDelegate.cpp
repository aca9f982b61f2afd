#include "VirtualTreeDelegate.h"

#include "TreeModel.h"
#include "VirtTreeItem.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace AUILib {

VirtualTreeDelegate::VirtualTreeDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

VirtualTreeDelegate::~VirtualTreeDelegate() = default;

QStringList VirtualTreeDelegate::BoldParts(const QString &text, int start, int end)
{
    return {text.left(start), text.mid(start, end - start + 1), text.mid(end + 1)};
}

void VirtualTreeDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    auto *view = qobject_cast<QAbstractItemView *>(parent());
    auto *model = view ? qobject_cast<TreeModel *>(view->model()) : nullptr;
    VirtTreeItem *node = model ? model->ItemFromIndex(index) : nullptr;
    if (!node) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem copy(option);
    initStyleOption(&copy, index);
    const QString display = copy.text;
    const std::wstring text = node->GetText();
    const std::int64_t range = node->GetBoldTextPosition();
    const int start = static_cast<std::int32_t>(range & 0xffffffff);
    const int end = static_cast<std::int32_t>(range >> 32);
    if (start < 0 || end < 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The base paint draws background, check box and icon; the text follows
    // in parts.
    copy.text.clear();
    node->SetText(std::wstring());
    QStyledItemDelegate::paint(painter, copy, index);
    node->SetText(text);

    QStyle *style = QApplication::style();
    QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &copy, copy.widget);
    painter->save();
    QFont font = painter->font();
    const QStringList parts = BoldParts(display, start, end);
    const int weights[] = {font.weight(), QFont::Bold, QFont::Normal};
    for (int i = 0; i < parts.size(); ++i) {
        if (parts.at(i).isEmpty())
            continue;
        font.setWeight(weights[i]);
        painter->setFont(font);
        QRect bounds;
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, parts.at(i), &bounds);
        area.setLeft(bounds.right());
    }
    painter->restore();
}

QSize VirtualTreeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    if (base.height() > m_rowHeight)
        m_rowHeight = base.height();
    return QSize(base.width(), m_rowHeight);
}

} // namespace AUILib
