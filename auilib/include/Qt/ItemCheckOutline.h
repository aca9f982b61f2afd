#pragma once

#include <QColor>

class QPainter;
class QStyle;
class QStyleOption;
class QWidget;

// The edge of an item view's check box in a dark palette. The desktop style
// (Fusion) fills the box with the base colour and strokes its edge a shade
// darker than the window colour, which suits a light box on a light row: with a
// dark base that edge all but vanishes on the row, and on a highlighted row the
// box reads as a dark square. Where the base is dark the edge is drawn again in
// the row's own text colour, eased towards the row's background only as far as
// it keeps a contrast of 3:1 with it; a light palette keeps the style's look.
namespace AUILib {

// The colour of that edge for the check box `option` describes (the option the
// style gets for PE_IndicatorItemViewItemCheck, an item view option); invalid
// where the base colour is light. `style` tells whether a selected row is
// highlighted behind the box.
QColor ItemCheckOutlineColour(const QStyleOption &option, const QStyle *style, const QWidget *widget);

// Draws that edge over the box the style has just drawn in option.rect; does
// nothing where the base colour is light.
void DrawItemCheckOutline(const QStyleOption &option, QPainter *painter, const QStyle *style,
                          const QWidget *widget);

} // namespace AUILib
