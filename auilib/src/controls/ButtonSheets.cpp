#include "ButtonSheets.h"

#include "WidgetColors.h"

namespace AUILib {

ButtonSheets ButtonSheets::Make(const ButtonStateColors &c)
{
    const QString text = ColorName(c.text);
    const QString disabledText = ColorName(c.disabledText);
    const QString grey = ColorName(c.greyBackground);
    const QString border = ColorName(c.border);
    const QString disabledBorder = ColorName(c.disabledBorder);
    const QString disabledBackground = ColorName(c.disabledBackground);

    ButtonSheets sheets;
    sheets.borderless =
        QStringLiteral("QPushButton{color: %1;background-color: transparent; text-align:center; border: 0px;}"
                       "QPushButton:focus{ outline:0; border-width: 1px; border-style: dashed; border-color: black; "
                       "background-color: transparent;}"
                       "QPushButton:disabled{color: %2;background-color: transparent;}"
                       "QPushButton:hover{background-color:transparent;border:none; border-color:none;}"
                       "QPushButton:pressed{background-color:transparent;border:none; border-color:transparent; }")
            .arg(text, disabledText);
    sheets.add = QStringLiteral("QPushButton{color: %1; background-color: transparent; border: 0px; }"
                                "QPushButton:focus{outline: none;}"
                                "QPushButton:disabled{color: %2;background-color: transparent;border-color: %3;}"
                                "QPushButton:hover{background-color:transparent;border:none; border-color:transparent;}"
                                "QPushButton:pressed{background-color:transparent;border:none; "
                                "border-color:transparent; }")
                     .arg(text, disabledText, disabledBorder);
    sheets.greyFramed =
        QStringLiteral("QPushButton{color: %1;background-color: %3;border:1px solid; border-radius: 0px;"
                       "border-color: %4;}"
                       "QPushButton:focus{outline: none; background-color:%3;border-color: %4;}"
                       "QPushButton:disabled{color: %2;background-color: %5;border-color: %6;}"
                       "QPushButton:hover{background-color:%3;border-color:%4;}"
                       "QPushButton:pressed{background-color:%3; }")
            .arg(text, disabledText, grey, border, disabledBackground, disabledBorder);
    sheets.hoverBorder =
        QStringLiteral("QPushButton{color: %1; background-color: transparent; text-align:center; border: 0px;}"
                       "QPushButton:focus{outline: none;}"
                       "QPushButton:disabled{color: %2;background-color: transparent;border-color: %3;}"
                       "QPushButton:hover{background-color:transparent;border-color:%4;}"
                       "QPushButton:pressed{background-color:transparent;border-color:%4; }")
            .arg(text, disabledText, disabledBorder, border);
    sheets.link =
        QStringLiteral("QPushButton{color: %1; background-color: transparent; text-align:center; border: 0px;}"
                       "QPushButton:focus{outline: none; border-width: 0px; border-style: dotted;}"
                       "QPushButton:disabled{color: %2;background-color: transparent;border-color: %3;}"
                       "QPushButton:hover{background-color:transparent;border-color:%4;}"
                       "QPushButton:pressed{background-color:transparent;border-color:%4; }")
            .arg(text, disabledText, disabledBorder, border);
    sheets.tallDefault =
        QStringLiteral("QPushButton{color: %1;background-color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, "
                       "y2\\u3A1, stop\\u3A0 %3, stop\\u3A1 %4);border-width: 1px;border-style: solid;"
                       "border-color:%5;}"
                       "QPushButton:hover{background-color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, y2\\u3A1, "
                       "stop\\u3A0 %3, stop\\u3A1 %4);border-color:%5;}"
                       "QPushButton:focus{color: %1;background-color:%3;border-color: %5;}"
                       "QPushButton:disabled{color: %2;background-color: %6;border-color: %7;}"
                       "QPushButton:pressed{background-color:%8; }")
            .arg(text, disabledText, grey, ColorName(c.gradientBottom), border, disabledBackground, disabledBorder,
                 ColorName(c.pressedBackground));
    const QString flatText = ColorName(c.flatText);
    const QString flatBackground = ColorName(c.flatBackground);
    const QString flatBorder = ColorName(c.flatBorder);
    sheets.shortDefault =
        QStringLiteral("QPushButton{color: %1;background-color:%2;border-width: 1px;border-style: solid;"
                       "border-color:%3;border-radius: 5px;}"
                       "QPushButton:hover{background-color:%2;border-color:%3;}"
                       "QPushButton:focus{color: %1;background-color:%2;border-color: %3;}"
                       "QPushButton:disabled{color: %4;background-color: %5;border-color: %6;}"
                       "QPushButton:pressed{background-color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, "
                       "y2\\u3A1, stop\\u3A0 %7, stop\\u3A1 %8);border-color:%9;}")
            .arg(flatText, flatBackground, flatBorder, ColorName(c.flatDisabledText),
                 ColorName(c.flatDisabledBackground), ColorName(c.flatDisabledBorder), ColorName(c.pressedGradientTop),
                 ColorName(c.pressedGradientBottom), ColorName(c.pressedBorder));
    sheets.textLabel =
        QStringLiteral("QLabel{background-color: transparent; text-align:center; border: 0px; color:%1;}"
                       "QLabel:disabled{color:qlineargradient(x1\\u3A0, y1\\u3A0, x2\\u3A0, y2\\u3A1, "
                       "stop\\u3A0 %2, stop\\u3A1 %3);}")
            .arg(text, ColorName(c.pressedBorder), ColorName(c.pressedGradientBottom));
    return sheets;
}

} // namespace AUILib
