// Combo boxes and folder combo boxes.
#include "ComboBox.h"
#include "ComboBoxFS.h"
#include "Draw.h"
#include "OperationTable.h"

using namespace AUILib;

namespace {

using Role = OperationRole;

int row(Draw &d, ComboBox &c)
{
    return d.index(c.Count());
}

any data(Draw &d)
{
    if (d.random().percent(30)) {
        d.note("no data");
        return any();
    }
    return any(d.number());
}

ScalePicture scale(Draw &d)
{
    return d.choice({ScalePictureKeepSize, ScalePictureToWidth, ScalePictureToHeight, ScalePictureToSize});
}

void addRows(OperationTable &t)
{
    const ControlKind k = ControlKindComboBox;
    t.add<ComboBox>(k, "AddItem", Role::Add, [](ComboBox &c, Draw &d) {
        const std::wstring text = d.text();
        const any value = data(d);
        d.call();
        c.AddItem(text, value);
    });
    t.add<ComboBox>(k, "AddSeparator", Role::Add, [](ComboBox &c, Draw &d) {
        const std::wstring text = d.random().percent(50) ? std::wstring() : d.text();
        const bool insert = d.flag();
        const int at = row(d, c);
        d.call();
        insert ? c.InsertSeparator(at, text, any()) : c.AddSeparator(text, any());
        if (d.alive())
            c.SetSeparatorColor(0x808080);
    });
    t.add<ComboBox>(k, "InsertItem", Role::Add, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        const std::wstring text = d.text();
        const any value = data(d);
        d.call();
        c.InsertItem(at, text, value);
    });
    t.add<ComboBox>(k, "AddPicture", Role::Change, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        const ScalePicture s = scale(d);
        const Size size{d.length(), d.length()};
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.AddPicture(at, path, s, size, BitmapTypeDefault);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.AddPicture(at, p.bytes, p.length, p.type, s, size, BitmapTypeDefault);
        }
        if (d.alive())
            c.AddButton(at, L"none.png");
    });
    t.add<ComboBox>(k, "Clear", Role::Clear, [](ComboBox &c, Draw &d) {
        d.call();
        c.Clear();
    });
    t.add<ComboBox>(k, "DeleteString", Role::Remove, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        d.call();
        c.DeleteString(at);
    });
    t.add<ComboBox>(k, "SetCurSel", Role::Select, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        d.call();
        c.SetCurSel(at);
        if (d.alive())
            c.GetCurSel();
    });
    t.add<ComboBox>(k, "SetCurrentText", Role::Change, [](ComboBox &c, Draw &d) {
        const std::wstring text = d.text();
        d.call();
        c.SetCurrentText(text);
        if (d.alive())
            c.CurrentText();
    });
    t.add<ComboBox>(k, "SetItemData", Role::Change, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        const any value = data(d);
        const bool remove = d.flag();
        d.call();
        remove ? c.RemoveItemData(at) : c.SetItemData(at, value);
        if (d.alive())
            c.GetItemData(at);
    });
    t.add<ComboBox>(k, "DisableItem", Role::Select, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        const bool disable = d.flag();
        d.call();
        c.DisableItem(at, disable);
        if (d.alive())
            c.IsItemDisabled(at);
    });
    t.add<ComboBox>(k, "SetItemFont", Role::Change, [](ComboBox &c, Draw &d) {
        const int at = row(d, c);
        FontData font = d.font();
        d.call();
        c.SetItemFont(at, font);
        if (d.alive())
            c.GetItemFont(at);
    });
    t.add<ComboBox>(k, "SetFont", Role::Change, [](ComboBox &c, Draw &d) {
        const FontData font = d.font();
        d.call();
        c.SetFont(font);
    });
    t.add<ComboBox>(k, "OnlyNumbers", Role::Mode, [](ComboBox &c, Draw &d) {
        const bool enable = d.flag();
        const int low = d.number(), high = d.number();
        d.call();
        c.OnlyNumbers(enable, low, high);
    });
    t.add<ComboBox>(k, "SetMaxVisibleItems", Role::Change, [](ComboBox &c, Draw &d) {
        const int count = d.number();
        d.call();
        c.SetMaxVisibleItems(count);
        if (d.alive())
            c.GetMaxVisibleItems();
    });
    t.add<ComboBox>(k, "FindString", Role::Read, [](ComboBox &c, Draw &d) {
        const std::wstring text = d.text();
        const int after = row(d, c);
        d.call();
        c.FindString(text, after);
        if (d.alive())
            c.GetItemText(after);
    });
    t.add<ComboBox>(k, "AdjustItemWidth", Role::Change, [](ComboBox &c, Draw &d) {
        d.call();
        c.AdjustItemWidth();
    });
    t.add<ComboBox>(k, "SetAutoComplete", Role::Mode, [](ComboBox &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetAutoComplete(on);
        if (d.alive())
            c.IsAutoComplete();
    });
    t.add<ComboBox>(k, "SetEditSel", Role::Select, [](ComboBox &c, Draw &d) {
        const int size = static_cast<int>(c.CurrentText().size());
        const int start = d.index(size + 1), length = d.index(size + 1);
        d.call();
        c.SetEditSel(start, length);
        if (d.alive())
            c.SelectionStart();
        if (d.alive())
            c.SelectionLength();
    });
    t.add<ComboBox>(k, "SetCaretPosition", Role::Select, [](ComboBox &c, Draw &d) {
        const int position = d.index(static_cast<int>(c.CurrentText().size()) + 1);
        d.call();
        c.SetCaretPosition(position);
        if (d.alive())
            c.GetCaretPosition();
    });
    t.add<ComboBox>(k, "ShowDropDown", Role::Change, [](ComboBox &c, Draw &d) {
        const bool show = d.flag();
        d.call();
        c.ShowDropDown(show);
        if (d.alive())
            c.GetDroppedState();
    });
    t.add<ComboBox>(k, "Colours", Role::Change, [](ComboBox &c, Draw &d) {
        const unsigned int a = d.colour(), b = d.colour();
        d.call();
        c.SetTextColor(a);
        if (d.alive())
            c.SetSelectedItemTextColor(b);
        if (d.alive())
            c.SetSelectedItemBgColor(a);
        if (d.alive())
            c.SetBackgroundColor(a, b, a);
        if (d.alive())
            c.SetDropDownButtonBackgroundColor(b);
        if (d.alive())
            c.ResetDropDownButtonBackgroundColor();
        if (d.alive())
            c.SetBorderRadius(5);
    });
    t.add<ComboBox>(k, "SetEditable", Role::Mode, [](ComboBox &c, Draw &d) {
        const bool editable = d.flag();
        d.call();
        c.SetEditable(editable);
    });
    t.add<ComboBox>(k, "EnableEditListMode", Role::Mode, [](ComboBox &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.EnableEditListMode(on);
    });
    t.add<ComboBox>(k, "ShowBalloonTip", Role::Change, [](ComboBox &c, Draw &d) {
        const std::wstring title = d.text(), text = d.text();
        const auto icon = d.choice({BalloonTipIconNone, BalloonTipIconInformation, BalloonTipIconWarning,
                                    BalloonTipIconCritical});
        const bool hide = d.random().percent(30);
        d.call();
        hide ? c.HideBalloonTip() : c.ShowBalloonTip(title, text, icon);
    });
    t.add<ComboBox>(k, "SetAddToListOnEnterKey", Role::Mode, [](ComboBox &c, Draw &d) {
        const bool add = d.flag();
        d.call();
        c.SetAddToListOnEnterKey(add);
        if (d.alive())
            c.GetWndPtr();
    });
}

void addFolders(OperationTable &t)
{
    const ControlKind k = ControlKindComboBoxFS;
    auto type = [](Draw &d) {
        return d.choice({ComboBoxFS::ItemTypeStandardFolder, ComboBoxFS::ItemTypeBrowse,
                         ComboBoxFS::ItemTypePickedFolder});
    };
    t.add<ComboBoxFS>(k, "InitComboBoxFS", Role::Clear, [](ComboBoxFS &c, Draw &d) {
        d.call();
        c.InitComboBoxFS();
    });
    t.add<ComboBoxFS>(k, "AddSearchFolderItem", Role::Add, [type](ComboBoxFS &c, Draw &d) {
        const std::wstring text = d.text();
        if (d.flag()) {
            const ComboBoxFS::ItemType kind = type(d);
            const int number = d.number();
            const std::wstring path = d.folder();
            const std::wstring second = d.text();
            d.call();
            c.AddSearchFolderItem(text, kind, number, path, second);
        } else {
            ComboBoxFS::FSData data;
            data.type = type(d);
            data.number = d.number();
            data.folderPath = d.folder();
            data.secondText = d.text();
            const bool insert = d.flag();
            const int at = d.index(c.Count());
            d.call();
            insert ? c.InsertSearchFolderItem(at, text, data) : c.AddSearchFolderItem(text, data);
        }
    });
    t.add<ComboBoxFS>(k, "GetSearchFolderItem", Role::Read, [](ComboBoxFS &c, Draw &d) {
        const int at = d.index(c.Count());
        ComboBoxFS::FSData out;
        d.call();
        c.GetSearchFolderItem(out, at);
        if (d.alive())
            c.GetCurSearchFolderItem(out);
    });
    t.add<ComboBoxFS>(k, "SetCurSel", Role::Select, [](ComboBoxFS &c, Draw &d) {
        const int at = d.index(c.Count());
        d.call();
        c.SetCurSel(at);
    });
    t.add<ComboBoxFS>(k, "AutoUpdateComboboxViewWidth", Role::Change, [](ComboBoxFS &c, Draw &d) {
        d.call();
        c.AutoUpdateComboboxViewWidth();
        if (d.alive())
            c.UpdateCustomColors();
    });
}

} // namespace

void addComboBoxOperations(OperationTable &t)
{
    addRows(t);
    addFolders(t);
}
