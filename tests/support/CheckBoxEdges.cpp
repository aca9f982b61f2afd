#include "CheckBoxEdges.h"

#include <QAbstractItemView>
#include <QImage>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <cmath>

namespace {

double luminance(const QColor &colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRect itemCheckBox(const QAbstractItemView *view, const QModelIndex &index)
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.rect = view->visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = index.data().toString();
    return view->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, view);
}

QColor besideCheckBox(const QImage &shot, const QRect &box)
{
    return shot.pixelColor(box.right() + 3, box.center().y());
}

QColor insideCheckBox(const QImage &shot, const QRect &box)
{
    return shot.pixelColor(box.center());
}

double checkEdgeContrast(const QImage &shot, const QRect &box, const QColor &colour)
{
    double least = 21.0;
    for (int x = box.left() + 2; x <= box.right() - 2; ++x)
        for (int y : {box.top(), box.bottom()})
            least = std::min(least, contrastRatio(shot.pixelColor(x, y), colour));
    for (int y = box.top() + 2; y <= box.bottom() - 2; ++y)
        for (int x : {box.left(), box.right()})
            least = std::min(least, contrastRatio(shot.pixelColor(x, y), colour));
    return least;
}
