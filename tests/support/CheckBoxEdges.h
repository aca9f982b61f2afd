#pragma once

#include <QColor>
#include <QRect>

class QAbstractItemView;
class QImage;
class QModelIndex;

// Whether the edge of an item view's check box can be seen, measured on a grab
// of the view the way a person judges it: WCAG's contrast ratio from relative
// luminance, which asks 3:1 of the edges of controls.
double contrastRatio(const QColor &a, const QColor &b);

// The check box the view's style places in the item's cell, in the coordinates
// of the view's viewport (those of a grab of the viewport).
QRect itemCheckBox(const QAbstractItemView *view, const QModelIndex &index);

// The row's background, read just right of the box, and the inside of the box.
QColor besideCheckBox(const QImage &shot, const QRect &box);
QColor insideCheckBox(const QImage &shot, const QRect &box);

// The least contrast between the pixels of the box's four edges (the corners,
// which antialiasing blends, left out) and `colour`.
double checkEdgeContrast(const QImage &shot, const QRect &box, const QColor &colour);
