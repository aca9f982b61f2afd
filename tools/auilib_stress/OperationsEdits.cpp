// Edits, multi-line edits and rich edits.
#include "Draw.h"
#include "Edit.h"
#include "MultiLineEdit.h"
#include "OperationTable.h"
#include "PromptsPopup.h"
#include "RichEdit.h"

#include <QApplication>
#include <QClipboard>

using namespace AUILib;

namespace {

using Role = OperationRole;

// A balloon for the number rules: none, one never created, or one over the edit.
std::shared_ptr<PromptsPopup> popup(Draw &d, Edit &edit)
{
    const int roll = d.random().below(3);
    d.note(roll == 0 ? "no popup" : roll == 1 ? "popup not created" : "popup");
    if (roll == 0)
        return nullptr;
    auto made = std::make_shared<PromptsPopup>();
    if (roll == 2)
        made->Create(edit.GetWndPtr(), L"Not a number", 1, 2000, true);
    return made;
}

void addEdit(OperationTable &t)
{
    const ControlKind k = ControlKindEdit;
    t.add<Edit>(k, "SetText", Role::Change, [](Edit &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
        if (d.alive())
            c.GetTextRaw();
    });
    t.add<Edit>(k, "SetTextAlign", Role::Change, [](Edit &c, Draw &d) {
        const auto align = d.choice({TextAlignLeft, TextAlignCenter, TextAlignRight});
        d.call();
        c.SetTextAlign(align);
    });
    t.add<Edit>(k, "SetSelectAll", Role::Select, [](Edit &c, Draw &d) {
        d.call();
        c.SetSelectAll();
    });
    t.add<Edit>(k, "SetFocus", Role::Change, [](Edit &c, Draw &d) {
        d.call();
        c.SetFocus();
    });
    t.add<Edit>(k, "SetLimitText", Role::Change, [](Edit &c, Draw &d) {
        const int limit = d.length();
        d.call();
        c.SetLimitText(limit);
    });
    t.add<Edit>(k, "SetReadOnly", Role::Mode, [](Edit &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetReadOnly(on);
        if (d.alive())
            c.IsReadOnly();
    });
    t.add<Edit>(k, "OnlyNumbers", Role::Mode, [](Edit &c, Draw &d) {
        const bool enable = d.flag();
        switch (d.between(0, 2)) {
        case 0: {
            const int low = d.number(), high = d.number();
            auto invalid = popup(d, c), range = popup(d, c);
            d.call();
            c.OnlyNumbers(enable, low, high, invalid, range);
            break;
        }
        case 1: {
            const double low = d.real(), high = d.real();
            auto invalid = popup(d, c);
            const int decimals = d.number();
            d.call();
            c.OnlyNumbers(enable, low, high, invalid, decimals);
            break;
        }
        default: {
            const double low = d.real(), high = d.real();
            auto invalid = popup(d, c), range = popup(d, c);
            const int decimals = d.random().percent(60) ? d.between(0, 6) : d.number();
            d.call();
            c.OnlyNumbers(enable, low, high, invalid, range, decimals);
            break;
        }
        }
        if (d.alive())
            c.IsSetOnlyNumbers();
    });
    t.add<Edit>(k, "Colours", Role::Change, [](Edit &c, Draw &d) {
        const unsigned int a = d.colour(), b = d.colour(), e = d.colour();
        d.call();
        c.SetBackgroundColor(static_cast<int>(a));
        if (d.alive())
            c.SetTextColor(static_cast<int>(b));
        if (d.alive())
            c.SetPlaceHolderTextColor(e);
        if (d.alive())
            c.GetBackgroundColor();
        if (d.alive())
            c.GetTextColor();
    });
    t.add<Edit>(k, "SetPasswordMode", Role::Mode, [](Edit &c, Draw &d) {
        const auto mode = d.choice({Edit::PasswordModeNormal, Edit::PasswordModePassword});
        d.call();
        c.SetPasswordMode(mode);
        if (d.alive())
            c.GetPasswordMode();
    });
    t.add<Edit>(k, "SetFrameMode", Role::Mode, [](Edit &c, Draw &d) {
        const bool frame = d.flag();
        d.call();
        c.SetFrameMode(frame);
        if (d.alive())
            c.GetFrameMode();
    });
    t.add<Edit>(k, "SetPlaceHolderText", Role::Change, [](Edit &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetPlaceHolderText(text);
    });
    t.add<Edit>(k, "SetBorderColor", Role::Change, [](Edit &c, Draw &d) {
        const unsigned int a = d.colour();
        const int radius = d.number();
        d.call();
        c.SetBorderColor(a);
        if (d.alive())
            c.SetBorderColor(a, a, a, a);
        if (d.alive())
            c.SetBorderRadius(radius);
    });
    t.add<Edit>(k, "SetCursorPosition", Role::Select, [](Edit &c, Draw &d) {
        const int position = d.index(static_cast<int>(c.GetText().size()) + 1);
        d.call();
        c.SetCursorPosition(position);
        if (d.alive())
            c.GetCursorPosition();
    });
    t.add<Edit>(k, "SetSelection", Role::Select, [](Edit &c, Draw &d) {
        const int size = static_cast<int>(c.GetText().size());
        const int start = d.index(size + 1);
        const int length = d.index(size + 1);
        d.call();
        c.SetSelection(start, length);
        if (d.alive())
            c.SelectionStart();
        if (d.alive())
            c.SelectionLength();
    });
    t.add<Edit>(k, "SetAutoComplete", Role::Change, [](Edit &c, Draw &d) {
        const std::vector<std::wstring> words = d.texts(6);
        const bool enable = d.flag();
        d.call();
        c.SetAutoComplete(words);
        if (d.alive())
            c.EnableAutoComplete(enable);
    });
    t.add<Edit>(k, "SetSuffix", Role::Mode, [](Edit &c, Draw &d) {
        const std::wstring suffix = d.text();
        d.call();
        c.SetSuffix(suffix);
    });
    t.add<Edit>(k, "ShowBalloonTip", Role::Change, [](Edit &c, Draw &d) {
        const std::wstring title = d.text(), text = d.text();
        const auto icon = d.choice({BalloonTipIconNone, BalloonTipIconInformation, BalloonTipIconWarning,
                                    BalloonTipIconCritical});
        const bool hide = d.random().percent(30);
        d.call();
        hide ? c.HideBalloonTip() : c.ShowBalloonTip(title, text, icon);
    });
    t.add<Edit>(k, "EnableExtendedButton", Role::Mode, [](Edit &c, Draw &d) {
        const std::wstring normal = d.path(), hover = d.path();
        const int form = d.between(0, 2);
        d.call();
        if (form == 0) {
            c.EnableExtendedButton(normal, hover);
        } else if (form == 1) {
            if (d.alive())
                c.ExtendedButtonSetImage(normal, hover);
        } else {
            const PictureArgument p = d.picture();
            if (d.alive())
                c.ExtendedButtonSetImage(p.bytes, p.length, p.type, d.random().percent(50));
        }
    });
    t.add<Edit>(k, "SetClipboard", Role::Read, [](Edit &, Draw &d) {
        // What a later paste (Ctrl+V, the context menu) brings.
        const std::wstring text = d.text();
        d.call();
        QApplication::clipboard()->setText(QString::fromStdWString(text));
    });
}

void addMultiLine(OperationTable &t)
{
    const ControlKind k = ControlKindMultiLineEdit;
    t.add<MultiLineEdit>(k, "SetText", Role::Change, [](MultiLineEdit &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
    });
    t.add<MultiLineEdit>(k, "SetStyle", Role::Mode, [](MultiLineEdit &c, Draw &d) {
        const int remove = d.random().percent(70) ? d.between(0, 15) : d.number();
        const int add = d.random().percent(70) ? d.between(0, 15) : d.number();
        d.call();
        c.SetStyle(remove, add);
    });
    t.add<MultiLineEdit>(k, "SetScrollBarPolicy", Role::Mode, [](MultiLineEdit &c, Draw &d) {
        const auto policy = d.choice({MultiLineEdit::ScrollBarAsNeeded, MultiLineEdit::ScrollBarNever,
                                      MultiLineEdit::ScrollBarAlways});
        d.call();
        c.SetScrollBarPolicy(policy);
    });
    t.add<MultiLineEdit>(k, "SetSel", Role::Select, [](MultiLineEdit &c, Draw &d) {
        MultiLineEdit::Selection selection;
        selection.start = d.random().percent(60) ? d.between(-1, 40) : d.wide();
        selection.end = d.random().percent(60) ? d.between(-1, 40) : d.wide();
        d.call();
        c.SetSel(selection);
        if (d.alive())
            c.GetSel();
    });
    t.add<MultiLineEdit>(k, "SetAdaptiveHeight", Role::Mode, [](MultiLineEdit &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetAdaptiveHeight(on);
    });
    t.add<MultiLineEdit>(k, "SetLimitText", Role::Change, [](MultiLineEdit &c, Draw &d) {
        const int limit = d.length();
        d.call();
        c.SetLimitText(limit);
    });

    const ControlKind r = ControlKindRichEdit;
    t.add<RichEdit>(r, "SetText", Role::Change, [](RichEdit &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetText(text);
        if (d.alive())
            c.GetText();
    });
    t.add<RichEdit>(r, "SetStyle", Role::Mode, [](RichEdit &c, Draw &d) {
        const int remove = d.random().percent(70) ? d.between(0, 15) : d.number();
        const int add = d.random().percent(70) ? d.between(0, 15) : d.number();
        d.call();
        c.SetStyle(remove, add);
    });
    t.add<RichEdit>(r, "SetSel", Role::Select, [](RichEdit &c, Draw &d) {
        RichEdit::Selection selection;
        selection.start = d.random().percent(60) ? d.between(-1, 40) : d.wide();
        selection.end = d.random().percent(60) ? d.between(-1, 40) : d.wide();
        d.call();
        c.SetSel(selection);
        if (d.alive())
            c.GetSel();
    });
    t.add<RichEdit>(r, "SetSelectionCharFormat", Role::Change, [](RichEdit &c, Draw &d) {
        RichEdit::CharFormat_ format;
        format.pointSize = d.random().percent(60) ? d.between(-1, 72) : d.number();
        format.color = static_cast<int>(d.colour());
        format.effects = d.random().percent(70) ? d.between(0, 15) : d.number();
        format.faceName = d.random().percent(70) ? std::wstring() : d.text();
        d.call();
        c.SetSelectionCharFormat(format);
        if (d.alive())
            c.GetSelectionCharFormat();
    });
    t.add<RichEdit>(r, "setAcceptRichText", Role::Mode, [](RichEdit &c, Draw &d) {
        const bool accept = d.flag();
        d.call();
        c.setAcceptRichText(accept);
        if (d.alive())
            c.acceptRichText();
    });
}

} // namespace

void addEditOperations(OperationTable &t)
{
    addEdit(t);
    addMultiLine(t);
}
