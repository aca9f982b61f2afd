#pragma once

#include <QSize>

class QWidget;

namespace AUILib {

// The one bound on the sizes the toolkit hands to Qt, and the one way to
// apply it (BaseGUIObject::LargestSize states the bound and its reason).
// Every width and height a caller or a form gives a control on its way to
// a widget passes through here; a window, which its layout grows to the sum
// of what its controls ask for, is held to it by GuardWindows.
class SizeBound
{
public:
    // Twice the largest screen's width and height, and no less than 4,096
    // pixels either way.
    static QSize Largest();
    // A width or height within 0 to Largest(): a negative or NaN one is 0.
    // Takes a double, so that a length computed in floating point or a
    // 64-bit integer is bounded before it is ever narrowed to int.
    static int Width(double width);
    static int Height(double height);
    static QSize Bounded(const QSize &size);
    // A square of the side a caller gave a picture, within the bound: an item
    // view lays its rows out around its icon size.
    static QSize Square(double side);

    // The widget's minimum size and its size, as a form set them, within the
    // bound; a widget within it is left alone.
    static void Apply(QWidget *widget);

    // Once per application (again for a new one): no window grows past the
    // bound, whether its layout, a minimum size or a resize asks for more.
    // The window is held at the bound before it paints or its handlers hear
    // of the size; its controls are laid out within it.
    static void GuardWindows();
};

} // namespace AUILib
