// Buttons, check boxes, radio buttons, button boxes, hyperlinks, labels, group
// boxes and lines.
#include "Button.h"
#include "ButtonBox.h"
#include "CheckBox.h"
#include "ContextMenu.h"
#include "Draw.h"
#include "GroupBox.h"
#include "HyperLinkElement.h"
#include "Label.h"
#include "Line.h"
#include "OperationTable.h"
#include "RadioButton.h"

using namespace AUILib;

namespace {

using Role = OperationRole;

ScalePicture scale(Draw &d)
{
    return d.choice({ScalePictureKeepSize, ScalePictureToWidth, ScalePictureToHeight, ScalePictureToSize});
}

void addButton(OperationTable &t)
{
    const ControlKind k = ControlKindButton;
    t.add<Button>(k, "SetChecked", Role::Mode, [](Button &c, Draw &d) {
        const bool checked = d.flag();
        d.call();
        c.SetChecked(checked);
        if (d.alive())
            c.GetCheck();
    });
    t.add<Button>(k, "LoadPicture", Role::Change, [](Button &c, Draw &d) {
        const bool disabled = d.flag();
        if (d.random().percent(50)) {
            const std::wstring path = d.path();
            const ScalePicture s = scale(d);
            const int width = d.length();
            d.call();
            disabled ? c.LoadPictureDisabled(path, s, width, false) : c.LoadPicture(path, s, width, false);
        } else {
            const PictureArgument p = d.picture();
            const ScalePicture s = scale(d);
            const int width = d.length();
            d.call();
            disabled ? c.LoadPictureDisabled(p.bytes, p.length, p.type, s, width, false)
                     : c.LoadPicture(p.bytes, p.length, p.type, s, width, false);
        }
    });
    t.add<Button>(k, "SetStyle", Role::Mode, [](Button &c, Draw &d) {
        const auto style = d.choice({Button::StyleNone, Button::StyleText, Button::StyleTextAndIcon, Button::StyleIcon,
                                     Button::StyleRounded, Button::StyleAdd, Button::StyleHoverBorder,
                                     Button::StyleLink, Button::StyleRoundedFixed, Button::StyleRoundedTextAndIcon});
        const bool viaUse = d.flag();
        d.call();
        viaUse ? c.UseTextAndIcon(style) : c.SetStyle(style);
        if (d.alive())
            c.GetStyle();
        if (d.alive())
            c.GeneratePictureDisabled(true);
    });
    t.add<Button>(k, "SetText", Role::Change, [](Button &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
    });
    t.add<Button>(k, "Colours", Role::Change, [](Button &c, Draw &d) {
        switch (d.between(0, 4)) {
        case 0: {
            const unsigned int a = d.colour();
            d.call();
            c.SetTextColor(static_cast<int>(a));
            break;
        }
        case 1: {
            const unsigned int a = d.colour(), b = d.colour();
            d.call();
            c.SetTextColor(a, b);
            break;
        }
        case 2: {
            const unsigned int a = d.colour();
            const bool all = d.flag();
            d.call();
            c.SetBackgroundColor(a, all);
            break;
        }
        case 3: {
            const unsigned int a = d.colour(), b = d.colour(), e = d.colour(), f = d.colour(), g = d.colour();
            d.call();
            c.SetBackgroundColor(a, b, e, f, g);
            break;
        }
        default: {
            const unsigned int a = d.colour(), b = d.colour(), e = d.colour();
            d.call();
            c.SetBorderColor(a, b, e);
            break;
        }
        }
    });
    t.add<Button>(k, "SetRoundedButtonCornerRadius", Role::Change, [](Button &c, Draw &d) {
        const int radius = d.number();
        d.call();
        c.SetRoundedButtonCornerRadius(radius);
        if (d.alive())
            c.GetRoundedButtonCornerRadius();
    });
    t.add<Button>(k, "SetFont", Role::Change, [](Button &c, Draw &d) {
        FontData font = d.font();
        d.call();
        c.SetFont(font);
        if (d.alive())
            c.GetFont();
    });
    t.add<Button>(k, "DisableFocusRect", Role::Mode, [](Button &c, Draw &d) {
        const bool disable = d.flag();
        d.call();
        c.DisableFocusRect(disable);
        if (d.alive())
            c.IsDisableFocusRect();
        if (d.alive())
            c.Use3dStyle();
    });
    t.add<Button>(k, "InsertMenuBar", Role::Change, [](Button &c, Draw &d) {
        const bool arrow = d.flag();
        const bool none = d.random().percent(15);
        d.call();
        c.InsertMenuBar(none ? nullptr : makeMenu(d, c), arrow);
    });
    t.add<Button>(k, "RemoveMenuBar", Role::Change, [](Button &c, Draw &d) {
        d.call();
        c.RemoveMenuBar();
    });
}

void addCheckAndRadio(OperationTable &t)
{
    t.add<CheckBox>(ControlKindCheckBox, "SetCheck", Role::Select, [](CheckBox &c, Draw &d) {
        const auto state = d.choice({CheckBoxUnchecked, CheckBoxChecked, CheckBoxIndeterminate});
        d.call();
        c.SetCheck(state);
        if (d.alive())
            c.GetCheck();
    });
    t.add<CheckBox>(ControlKindCheckBox, "SetTristate", Role::Mode, [](CheckBox &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetTristate(on);
    });
    t.add<CheckBox>(ControlKindCheckBox, "SetText", Role::Change, [](CheckBox &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
    });
    t.add<CheckBox>(ControlKindCheckBox, "SetWrap", Role::Mode, [](CheckBox &c, Draw &d) {
        const bool wrap = d.flag();
        d.call();
        c.SetWrap(wrap);
    });
    t.add<CheckBox>(ControlKindCheckBox, "SetMinimumHeight", Role::Change, [](CheckBox &c, Draw &d) {
        const unsigned int height = d.random().percent(60) ? static_cast<unsigned int>(d.between(0, 300))
                                                            : d.unsignedNumber();
        d.call();
        c.SetMinimumHeight(height);
    });
    t.add<CheckBox>(ControlKindCheckBox, "Colours", Role::Change, [](CheckBox &c, Draw &d) {
        const unsigned int a = d.colour(), b = d.colour();
        const int radius = d.number();
        d.call();
        c.SetTextColor(a);
        if (d.alive())
            c.SetBtnBorderColor(a, b);
        if (d.alive())
            c.SetBtnBackgroundColor(b, a);
        if (d.alive())
            c.SetBtnCheckmarkColor(a);
        if (d.alive())
            c.SetBorderRadius(radius);
    });

    t.add<RadioButton>(ControlKindRadioButton, "SetCheck", Role::Select, [](RadioButton &c, Draw &d) {
        const bool check = d.flag();
        d.call();
        c.SetCheck(check);
        if (d.alive())
            c.Checked();
    });
    t.add<RadioButton>(ControlKindRadioButton, "LoadPicture", Role::Change, [](RadioButton &c, Draw &d) {
        if (d.random().percent(50)) {
            const std::wstring path = d.path();
            const ScalePicture s = scale(d);
            const int size = d.length();
            d.call();
            c.LoadPicture(path, s, size);
        } else {
            const PictureArgument p = d.picture();
            const ScalePicture s = scale(d);
            const int size = d.length();
            d.call();
            c.LoadPicture(p.bytes, p.length, p.type, s, size);
        }
    });
    t.add<RadioButton>(ControlKindRadioButton, "SetText", Role::Change, [](RadioButton &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
    });
    t.add<RadioButton>(ControlKindRadioButton, "SetGroupInfo", Role::Change, [](RadioButton &c, Draw &d) {
        const bool none = d.flag();
        d.call();
        c.SetGroupInfo(none ? nullptr : std::make_shared<GroupInfo>());
        if (d.alive())
            c.GetGroupInfo();
    });
}

void addBoxes(OperationTable &t)
{
    t.add<ButtonBox>(ControlKindButtonBox, "SetOrientation", Role::Mode, [](ButtonBox &c, Draw &d) {
        const bool vertical = d.flag();
        d.call();
        c.SetOrientation(vertical);
    });
    t.add<ButtonBox>(ControlKindButtonBox, "GetButton", Role::Change, [](ButtonBox &c, Draw &d) {
        // Qt's enumeration has no fixed type: only values inside its range are
        // made (two buttons at once, every bit), never an arbitrary int.
        static const QDialogButtonBox::StandardButton buttons[] = {
            QDialogButtonBox::Ok, QDialogButtonBox::Cancel, QDialogButtonBox::Help, QDialogButtonBox::Yes,
            QDialogButtonBox::NoButton, static_cast<QDialogButtonBox::StandardButton>(0x00400000 | 0x00000400),
            static_cast<QDialogButtonBox::StandardButton>(0x0FFFFFFF)};
        const QDialogButtonBox::StandardButton which = buttons[d.random().below(7)];
        d.note(std::to_string(static_cast<int>(which)));
        d.call();
        std::shared_ptr<Button> button = c.GetButton(which);
        if (!button)
            return;
        Button *raw = button.get();
        button.reset(); // the box's dialog holds it; a handler of its own may release that
        switch (d.random().below(4)) {
        case 0:
            d.answer("SetText on the button");
            raw->SetText(L"Renamed");
            break;
        case 1:
            d.answer("Enable(false) on the button");
            raw->Enable(false, false);
            break;
        case 2:
            d.answer("SetStyle on the button");
            raw->SetStyle(Button::StyleRounded);
            break;
        default:
            d.answer("Show(false) on the button");
            raw->Show(false, true);
            break;
        }
    });
    t.add<GroupBox>(ControlKindGroupBox, "SetText", Role::Change, [](GroupBox &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
        if (d.alive())
            c.SetColors(0x123456, 0xFFFFFFFF);
    });
    t.add<Line>(ControlKindLine, "SetLineColor", Role::Change, [](Line &c, Draw &d) {
        const unsigned int colour = d.colour();
        d.call();
        c.SetLineColor(colour);
        if (d.alive())
            c.GetWndPtr();
    });
}

void addLinks(OperationTable &t)
{
    const ControlKind k = ControlKindHyperLinkElement;
    t.add<HyperLinkElement>(k, "SetURL", Role::Change, [](HyperLinkElement &c, Draw &d) {
        const std::wstring url = d.text();
        d.call();
        c.SetURL(url);
        if (d.alive())
            c.GetURL();
    });
    t.add<HyperLinkElement>(k, "SetText", Role::Change, [](HyperLinkElement &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
    });
    t.add<HyperLinkElement>(k, "SetbDefaultClickProcess", Role::Mode, [](HyperLinkElement &c, Draw &d) {
        const bool fire = d.random().percent(85);
        d.note(fire ? "true" : "false");
        d.call();
        c.SetbDefaultClickProcess(fire);
    });
    t.add<HyperLinkElement>(k, "SetColors", Role::Change, [](HyperLinkElement &c, Draw &d) {
        const unsigned int a = d.colour(), b = d.colour(), e = d.colour();
        d.call();
        c.SetColors(a, b, e);
        if (d.alive())
            c.GetLinkColor();
        if (d.alive())
            c.GetVisitedColor();
        if (d.alive())
            c.GetHoverColor();
    });
    t.add<HyperLinkElement>(k, "SetVisited", Role::Mode, [](HyperLinkElement &c, Draw &d) {
        const bool visited = d.flag();
        const bool underline = d.flag();
        d.call();
        c.SetVisited(visited);
        if (d.alive())
            c.GetVisited();
        if (d.alive())
            c.SetUnderline(underline);
        if (d.alive())
            c.GetUnderline();
    });

    const ControlKind l = ControlKindLabel;
    t.add<Label>(l, "SetText", Role::Change, [](Label &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text, false);
        if (d.alive())
            c.GetText();
    });
    t.add<Label>(l, "SetLinkText", Role::Change, [](Label &c, Draw &d) {
        const std::wstring before = d.text(), link = d.text(), after = d.text(), url = d.text();
        d.call();
        c.SetText(before, link, after, url);
        if (d.alive())
            c.HasHyperlink();
    });
    t.add<Label>(l, "SetbDefaultClickProcess", Role::Mode, [](Label &c, Draw &d) {
        const bool fire = d.random().percent(85);
        d.note(fire ? "true" : "false");
        d.call();
        c.SetbDefaultClickProcess(fire);
    });
    t.add<Label>(l, "Colours", Role::Change, [](Label &c, Draw &d) {
        const unsigned int a = d.colour(), b = d.colour(), e = d.colour();
        d.call();
        c.SetHyperlinkColors(a, b, e);
        if (d.alive())
            c.SetBackgroundColor(static_cast<int>(b));
        if (d.alive())
            c.SetTextColor(static_cast<int>(e));
        if (d.alive())
            c.GetBackgroundColor();
        if (d.alive())
            c.GetTextColor();
    });
    t.add<Label>(l, "SetToolTip", Role::Change, [](Label &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetToolTip(text);
        if (d.alive())
            c.GetToolTip();
    });
    t.add<Label>(l, "SetFont", Role::Change, [](Label &c, Draw &d) {
        const FontData font = d.font();
        d.call();
        c.SetFont(font);
        if (d.alive())
            c.GetFont();
    });
    t.add<Label>(l, "SetTextAlign", Role::Mode, [](Label &c, Draw &d) {
        const auto align = d.choice({TextAlignLeft, TextAlignCenter, TextAlignRight});
        const bool centre = d.flag();
        d.call();
        c.SetTextAlign(align);
        if (d.alive())
            c.GetTextAlign();
        if (d.alive())
            c.SetVCenter(centre);
        if (d.alive())
            c.GetVCenter();
    });
    t.add<Label>(l, "LoadPicture", Role::Change, [](Label &c, Draw &d) {
        if (d.random().percent(50)) {
            const std::wstring path = d.path();
            const ScalePicture s = scale(d);
            const int size = d.length();
            d.call();
            c.LoadPicture(path, s, size);
        } else {
            const PictureArgument p = d.picture();
            const ScalePicture s = scale(d);
            const int size = d.length();
            d.call();
            c.LoadPicture(p.bytes, p.length, p.type, s, size);
        }
    });
    t.add<Label>(l, "PlayGif", Role::Mode, [](Label &c, Draw &d) {
        const bool play = d.flag();
        d.call();
        play ? c.PlayGif() : c.StopGif();
    });
    t.add<Label>(l, "DrawTxt", Role::Change, [](Label &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.DrawTxt(text);
    });
    t.add<Label>(l, "SetBorder", Role::Change, [](Label &c, Draw &d) {
        d.call();
        c.SetBorder();
        if (d.alive())
            c.GetWndPtr();
    });
    t.add<Label>(l, "SetWordWrap", Role::Mode, [](Label &c, Draw &d) {
        const bool wrap = d.flag();
        d.call();
        c.SetWordWrap(wrap);
    });
    t.add<Label>(l, "SetLineSpacing", Role::Change, [](Label &c, Draw &d) {
        const int percent = d.random().percent(50) ? d.between(0, 400) : d.number();
        d.call();
        c.SetLineSpacing(percent);
    });
    t.add<Label>(l, "TruncateTextToEllipses", Role::Mode, [](Label &c, Draw &d) {
        const bool truncate = d.flag();
        d.call();
        c.TruncateTextToEllipses(truncate);
    });
}

} // namespace

void addButtonOperations(OperationTable &t)
{
    addButton(t);
    addCheckAndRadio(t);
    addBoxes(t);
    addLinks(t);
}
