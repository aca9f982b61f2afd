#pragma once

#include <cstdint>

class QRegion;

namespace AUILib {

struct Point
{
    int x = 0;
    int y = 0;
};

struct Size
{
    int width = 0;
    int height = 0;
};

// Right and bottom are inclusive (right = left + width - 1), as the platform
// rectangle counts them; an empty rectangle is (0, 0, -1, -1).
struct Rect
{
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
};

// Handed straight to the widget, so it is the platform's own region type.
using Region = QRegion;

// A size policy packed into 32 bits, the same layout for reading and writing:
//   bits 0-7   horizontal stretch        bits 8-15  vertical stretch
//   bits 16-19 horizontal policy         bits 20-23 vertical policy
//   bits 24-28 control type (0x01 default, 0x02 button box, 0x04 check box,
//              0x08 combo box, 0x10 frame)
//   bit 29 height for width, bit 30 width for height, bit 31 retain size when hidden
using SizePolicy = std::uint32_t;

// 0xAARRGGBB
using RGBColor = std::uint32_t;

// Written by every control's constructor; the event bridge and the dialog test it.
enum ControlKind : std::int32_t {
    ControlKindDialog = 0,
    ControlKindButton = 1,
    ControlKindEdit = 2,
    ControlKindListBox = 3,
    ControlKindCheckBox = 4,
    ControlKindRadioButton = 5,
    ControlKindGroupBox = 6,
    ControlKindComboBox = 7,
    ControlKindLabel = 8,
    ControlKindTabView = 9,
    ControlKindChildDialog = 10,
    ControlKindSlider = 11,
    ControlKindSpinEdit = 13,
    ControlKindDoubleSpinEdit = 14,
    ControlKindStackedDialog = 15,
    ControlKindButtonBox = 17,
    ControlKindTreeView = 18,
    ControlKindMultiLineEdit = 19,
    ControlKindRichEdit = 20,
    ControlKindSplitter = 21,
    ControlKindDrawElement = 22,
    ControlKindScrollBar = 23,
    ControlKindProgressBar = 24,
    ControlKindLine = 26,
    ControlKindScrollArea = 27,
    ControlKindHyperLinkElement = 28,
    ControlKindDateEdit = 29,
    ControlKindComboBoxFS = 30,
    ControlKindOther = 31,
};

// Read by the item views' handling of digits in right-to-left text.
enum ReadingDirection : std::int32_t {
    ReadingDirectionLeftToRight = 0,
    ReadingDirectionRightToLeft = 1,
};

enum CheckBoxStates : std::int32_t {
    CheckBoxUnchecked = 0,
    CheckBoxChecked = 1,
    CheckBoxIndeterminate = 2,
};

enum ScalePicture : std::int32_t {
    ScalePictureKeepSize = 1,
    ScalePictureToWidth = 2,
    ScalePictureToHeight = 3,
    ScalePictureToSize = 4,
};

enum ImageTypes : std::int32_t {
    ImageTypeNone = 0,
    ImageTypeBMP = 1,
    ImageTypeGIF = 2,
    ImageTypeJPEG = 3,
    ImageTypePNG = 4,
    ImageTypeUnnamed = 5, // has no file-type word; written out as BMP
    ImageTypeICO = 6,
    ImageTypeCUR = 7,
};

// Any other value means a balloon without icon.
enum BalloonTipIconType : std::int32_t {
    BalloonTipIconNone = 0,
    BalloonTipIconInformation = 1,
    BalloonTipIconWarning = 2,
    BalloonTipIconCritical = 3,
};

// The picture kind callers pass with a picture; no operation reads it, the
// format always comes from the picture's own bytes.
enum BitmapType : std::int32_t {
    BitmapTypeDefault = 0,
};

// Horizontal alignment of a text; controls take any value past centred as right.
enum TextAlign : std::int32_t {
    TextAlignLeft = 0,
    TextAlignCenter = 1,
    TextAlignRight = 2,
};

} // namespace AUILib
