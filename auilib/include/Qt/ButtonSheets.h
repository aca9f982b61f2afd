#pragma once

#include "AUITypes.h"

#include <QString>

namespace AUILib {

// The colours the push button's looks are made of (0xAARRGGBB). The sheets
// name each without its alpha.
struct ButtonStateColors
{
    RGBColor text = 0xFF000000;
    RGBColor disabledText = 0xFFC3C3C3;
    RGBColor flatText = 0xFF000000;        // sheet G, normal and focus
    RGBColor flatDisabledText = 0xFF7F7F7F;
    RGBColor pressedBackground = 0xFFBFBFBF;
    RGBColor pressedGradientTop = 0xFF5CA5FF;
    RGBColor pressedGradientBottom = 0xFF0075EA;
    RGBColor pressedBorder = 0xFF2B90FF;   // also the top of the label's disabled gradient
    RGBColor greyBackground = 0xFFE5E5E5;  // also the top of the normal gradient
    RGBColor gradientBottom = 0xFFF7F7F7;
    RGBColor flatBackground = 0xFFFFFFFF;
    RGBColor disabledBackground = 0xFFECECEC;
    RGBColor flatDisabledBackground = 0xFFF7F7F7;
    RGBColor border = 0xFFAFAFAF;
    RGBColor flatBorder = 0xFFC7C7C7;
    RGBColor disabledBorder = 0xFFD6D6D6;
    RGBColor flatDisabledBorder = 0xFFE0E0E0;
};

// The push button's eight stored style sheets. A ':' inside a value is written
// as the four characters "\u3A", so that the style-sheet editor keeps gradient
// values whole; only the copy handed to a widget has it unescaped
// (UnescapeStyleSheet).
struct ButtonSheets
{
    QString borderless;     // A: styles 1, 2 and 3
    QString add;            // B: style 5
    QString greyFramed;     // C: styles 4, 8 and 9, the corner radius filled in when applied
    QString hoverBorder;    // D: style 6
    QString link;           // E: style 7
    QString tallDefault;    // F: the default of buttons 31 pixels high or more
    QString shortDefault;   // G: the default of lower buttons and of buttons in a button box
    QString textLabel;      // H: the text label of the text-and-icon layout

    static ButtonSheets Make(const ButtonStateColors &colors);
};

} // namespace AUILib
