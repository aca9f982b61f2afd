// The list box.
#include "Draw.h"
#include "ListBox.h"
#include "OperationTable.h"

using namespace AUILib;

namespace {

using Role = OperationRole;

int row(Draw &d, ListBox &c)
{
    return d.index(c.Count());
}

int column(Draw &d, ListBox &c)
{
    return d.index(c.GetColumnsCount());
}

std::list<std::wstring> cells(Draw &d)
{
    const std::vector<std::wstring> texts = d.texts(4);
    return std::list<std::wstring>(texts.begin(), texts.end());
}

any data(Draw &d)
{
    switch (d.random().below(3)) {
    case 0:
        d.note("no data");
        return any();
    case 1: {
        const int value = d.number();
        return any(value);
    }
    default:
        return any(d.text());
    }
}

std::list<any> datas(Draw &d)
{
    std::list<any> values;
    const int count = d.between(0, 4);
    for (int i = 0; i < count; ++i)
        values.push_back(data(d));
    return values;
}

ListBox::EditMode editMode(Draw &d)
{
    return d.choice({ListBox::EditNone, ListBox::EditText, ListBox::EditComboBox, ListBox::EditDate,
                     ListBox::EditDefault});
}

void addRows(OperationTable &t)
{
    const ControlKind k = ControlKindListBox;
    t.add<ListBox>(k, "AddItem", Role::Add, [](ListBox &c, Draw &d) {
        const std::wstring text = d.text();
        const any value = data(d);
        d.call();
        c.AddItem(text, value);
    });
    t.add<ListBox>(k, "AddItemEx", Role::Add, [](ListBox &c, Draw &d) {
        std::list<std::wstring> texts = cells(d);
        const any value = data(d);
        d.call();
        c.AddItemEx(texts, value);
    });
    t.add<ListBox>(k, "AddRow", Role::Add, [](ListBox &c, Draw &d) {
        std::list<std::wstring> texts = cells(d);
        std::list<any> values = datas(d);
        d.call();
        c.AddRow(texts, values);
    });
    t.add<ListBox>(k, "InsertItem", Role::Add, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        const std::wstring text = d.text();
        const any value = data(d);
        d.call();
        c.InsertItem(at, text, value);
    });
    t.add<ListBox>(k, "InsertItemEx", Role::Add, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        std::list<std::wstring> texts = cells(d);
        d.call();
        c.InsertItemEx(at, texts, any(7));
    });
    t.add<ListBox>(k, "InsertRow", Role::Add, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        std::list<std::wstring> texts = cells(d);
        std::list<any> values = datas(d);
        d.call();
        c.InsertRow(at, texts, values);
    });
    t.add<ListBox>(k, "Clear", Role::Clear, [](ListBox &c, Draw &d) {
        d.call();
        c.Clear();
    });
    t.add<ListBox>(k, "DeleteItem", Role::Remove, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        d.call();
        d.answer(c.DeleteItem(at) ? "true" : "false");
    });
    t.add<ListBox>(k, "DeleteItems", Role::Remove, [](ListBox &c, Draw &d) {
        const int first = row(d, c);
        const int count = d.random().percent(60) ? d.between(-1, 4) : d.number();
        d.call();
        c.DeleteItems(first, count);
    });
    t.add<ListBox>(k, "DeleteSelItems", Role::Remove, [](ListBox &c, Draw &d) {
        d.call();
        c.DeleteSelItems();
    });
    t.add<ListBox>(k, "SetColumnsCount", Role::Clear, [](ListBox &c, Draw &d) {
        const int count = d.random().percent(70) ? d.between(-1, 5) : d.number();
        d.call();
        c.SetColumnsCount(count);
        if (d.alive())
            c.GetColumnsCount();
    });
}

void addSelection(OperationTable &t)
{
    const ControlKind k = ControlKindListBox;
    t.add<ListBox>(k, "SetSel", Role::Select, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        const bool select = d.flag(), current = d.flag();
        d.call();
        c.SetSel(at, select, current);
    });
    t.add<ListBox>(k, "ClearSel", Role::Select, [](ListBox &c, Draw &d) {
        d.call();
        c.ClearSel();
    });
    t.add<ListBox>(k, "SetCheck", Role::Select, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        const bool check = d.flag();
        d.call();
        c.SetCheck(at, check);
        if (d.alive())
            c.GetCheck(at);
    });
    t.add<ListBox>(k, "EnsureVisible", Role::Select, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        d.call();
        c.EnsureVisible(at);
    });
    t.add<ListBox>(k, "SetCheckMode", Role::Mode, [](ListBox &c, Draw &d) {
        const auto mode = d.choice({ListBox::NoCheck, ListBox::UserCheck, ListBox::CheckOnIndicator,
                                    ListBox::CheckWithSelection});
        d.call();
        c.SetCheckMode(mode);
        if (d.alive())
            c.GetCheckMode();
    });
    t.add<ListBox>(k, "SetSingleSelection", Role::Mode, [](ListBox &c, Draw &d) {
        const bool single = d.flag();
        d.call();
        c.SetSingleSelection(single);
        if (d.alive())
            c.IsSingleSelection();
    });
    t.add<ListBox>(k, "SortingEnable", Role::Mode, [](ListBox &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SortingEnable(on);
        if (d.alive())
            c.IsSortingEnabled();
    });
    t.add<ListBox>(k, "SortColumn", Role::Mode, [](ListBox &c, Draw &d) {
        const int at = column(d, c);
        const bool sensitive = d.flag();
        if (d.flag()) {
            d.call();
            c.SortColumn(at, sensitive);
        } else {
            const auto mode = d.choice({ListBox::Ascending, ListBox::Descending});
            d.call();
            c.SortColumn(at, mode, sensitive);
        }
    });
    t.add<ListBox>(k, "SetColumnSortFunc", Role::Mode, [](ListBox &c, Draw &d) {
        const int at = column(d, c);
        const bool descending = d.flag();
        d.call();
        c.SetColumnSortFunc(at, [descending](std::wstring a, any, std::wstring b, any) {
            return descending ? b < a : a < b;
        });
    });
    t.add<ListBox>(k, "DisableSortingForRow", Role::Mode, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        d.call();
        c.DisableSortingForRow(at);
    });
    t.add<ListBox>(k, "SelectionFlags", Role::Mode, [](ListBox &c, Draw &d) {
        const bool a = d.flag(), b = d.flag(), e = d.flag();
        d.call();
        c.ShowSelection(a);
        if (d.alive())
            c.SelectItemOnSetFocus(b);
        if (d.alive())
            c.SetAutomaticSearch(e);
    });
    t.add<ListBox>(k, "EnableRowsDragAndDrop", Role::Mode, [](ListBox &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.EnableRowsDragAndDrop(on);
        if (d.alive())
            c.IsEnableRowsDragAndDrop();
    });
    t.add<ListBox>(k, "SetEditItems", Role::Mode, [](ListBox &c, Draw &d) {
        const auto editable = d.choice({ListBox::NotEditable, ListBox::EditWithBorder, ListBox::EditWithoutFrame,
                                        ListBox::EditSilently});
        d.call();
        c.SetEditItems(editable);
        if (d.alive())
            c.IsSetEditItems();
    });
    t.add<ListBox>(k, "SetItemEditMode", Role::Mode, [](ListBox &c, Draw &d) {
        const int at = row(d, c), col = column(d, c);
        const ListBox::EditMode mode = editMode(d);
        d.call();
        c.SetItemEditMode(at, col, mode);
    });
    t.add<ListBox>(k, "SetColumnEditMode", Role::Mode, [](ListBox &c, Draw &d) {
        const int col = column(d, c);
        const ListBox::EditMode mode = editMode(d);
        d.call();
        c.SetColumnEditMode(col, mode);
    });
}

void addCells(OperationTable &t)
{
    const ControlKind k = ControlKindListBox;
    t.add<ListBox>(k, "SetItemText", Role::Change, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        const int form = d.between(0, 2);
        if (form == 0) {
            const std::wstring text = d.text();
            d.call();
            c.SetItemText(at, text);
        } else if (form == 1) {
            const int col = column(d, c);
            const std::wstring text = d.text();
            d.call();
            c.SetItemText(at, col, text);
        } else {
            std::list<std::wstring> texts = cells(d);
            d.call();
            c.SetItemTextEx(at, texts);
        }
    });
    t.add<ListBox>(k, "SetItemData", Role::Change, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        const any value = data(d);
        if (d.flag()) {
            d.call();
            c.SetItemData(at, value);
        } else {
            const int col = column(d, c);
            d.call();
            c.SetItemDataEx(at, col, value);
        }
    });
    t.add<ListBox>(k, "RemoveItemData", Role::Change, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        d.call();
        c.RemoveItemData(at);
    });
    t.add<ListBox>(k, "AddPicture", Role::Change, [](ListBox &c, Draw &d) {
        const int at = row(d, c);
        const int form = d.between(0, 5);
        const int size = d.length();
        if (form == 0) {
            const std::wstring path = d.path();
            d.call();
            c.AddPicture(at, path, size, BitmapTypeDefault);
        } else if (form == 1) {
            const PictureArgument p = d.picture();
            d.call();
            c.AddPicture(at, p.bytes, p.length, p.type, size, BitmapTypeDefault);
        } else if (form == 2) {
            const int col = column(d, c);
            const std::wstring path = d.path();
            d.call();
            c.AddPictureEx(at, col, path, size, BitmapTypeDefault);
        } else if (form == 3) {
            const int col = column(d, c);
            const PictureArgument p = d.picture();
            d.call();
            c.AddPictureEx(at, col, p.bytes, p.length, p.type, size, BitmapTypeDefault);
        } else if (form == 4) {
            const std::wstring path = d.path();
            d.call();
            c.AddPictureSysIcon(at, path);
        } else {
            const int col = column(d, c);
            const std::wstring path = d.path();
            d.call();
            c.AddPictureSysIconEx(at, col, path);
        }
    });
    t.add<ListBox>(k, "AddPictureToHeader", Role::Change, [](ListBox &c, Draw &d) {
        const int col = column(d, c);
        const int size = d.length();
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.AddPictureToHeader(col, path, size, BitmapTypeDefault);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.AddPictureToHeader(col, p.bytes, p.length, p.type, size, BitmapTypeDefault);
        }
    });
    t.add<ListBox>(k, "AddRowButton", Role::Change, [](ListBox &c, Draw &d) {
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.AddRowButton(path);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.AddRowButton(p.bytes, p.length, p.type);
        }
    });
    t.add<ListBox>(k, "Columns", Role::Change, [](ListBox &c, Draw &d) {
        const int col = column(d, c);
        switch (d.between(0, 5)) {
        case 0: {
            const std::wstring name = d.text();
            const bool show = d.flag();
            d.call();
            c.SetColumnName(col, name);
            if (d.alive())
                c.EnableColumnNames(show);
            break;
        }
        case 1: {
            const int width = d.length();
            d.call();
            c.SetColumnWidth(col, width);
            break;
        }
        case 2: {
            const bool fit = d.flag();
            d.call();
            c.ResizeColumnToContent(col, fit);
            if (d.alive())
                c.IsSetResizeColumnToContent(col);
            break;
        }
        case 3: {
            const std::wstring text = d.text();
            d.call();
            c.SetHeaderTooltip(col, text);
            break;
        }
        case 4: {
            const auto style = d.choice({ListBox::PictureAfterText});
            d.call();
            c.SetHeaderPictureAlign(col, style);
            if (d.alive())
                c.GetHeaderPictureAlign(col);
            break;
        }
        default:
            d.call();
            c.GetColumnsWidth();
            break;
        }
    });
    t.add<ListBox>(k, "Looks", Role::Change, [](ListBox &c, Draw &d) {
        switch (d.between(0, 6)) {
        case 0: {
            const unsigned int a = d.colour(), b = d.colour();
            d.call();
            c.SetBackgroundColor(static_cast<int>(a));
            if (d.alive())
                c.SetTextColor(static_cast<int>(b));
            if (d.alive())
                c.GetBackgroundColor();
            if (d.alive())
                c.GetTextColor();
            break;
        }
        case 1: {
            const bool on = d.flag();
            d.call();
            c.SetShowGridlines(on);
            if (d.alive())
                c.UnderlineItems(!on);
            break;
        }
        case 2: {
            const bool on = d.flag();
            d.call();
            c.EnableWordWrapText(on);
            if (d.alive())
                c.IsEnableWordWrapText();
            break;
        }
        case 3: {
            const int height = d.length();
            d.call();
            c.SetItemsHeight(height);
            break;
        }
        case 4: {
            const int at = row(d, c);
            const unsigned int colour = d.colour();
            d.call();
            c.SetItemTextColor(at, colour);
            break;
        }
        case 5: {
            const bool on = d.flag();
            const int length = d.length();
            d.call();
            c.EnableItemsAutoTooltip(on, length);
            break;
        }
        default: {
            const std::wstring text = d.text();
            const int start = row(d, c);
            d.call();
            c.FindString(text, start);
            if (d.alive())
                c.GetItemIndex(text);
            break;
        }
        }
    });
    t.add<ListBox>(k, "Reads", Role::Read, [](ListBox &c, Draw &d) {
        const int at = row(d, c), col = column(d, c);
        d.call();
        c.Count();
        if (d.alive())
            c.GetItem(at, col);
        if (d.alive())
            c.GetItemEx(at);
        if (d.alive())
            c.GetItemData(at);
        if (d.alive())
            c.GetItemDataEx(at, col);
        if (d.alive())
            c.SelectedItems();
        if (d.alive())
            c.SelectedItemsIndexes();
        if (d.alive())
            c.CheckedItems();
        if (d.alive())
            c.CheckedItemsIndexes();
    });
    t.add<ListBox>(k, "HitTest", Role::Read, [](ListBox &c, Draw &d) {
        const Point point = d.point();
        const bool outputs = d.flag();
        unsigned int flags = 0;
        int col = 0;
        d.call();
        c.HitTest(point, outputs ? &flags : nullptr, outputs ? &col : nullptr);
    });
    t.add<ListBox>(k, "TreeItems", Role::Read, [](ListBox &c, Draw &d) {
        std::list<std::wstring> texts = cells(d);
        const int at = row(d, c);
        d.call();
        c.AddRootItem(texts, {});
        if (d.alive())
            c.InsertRootItem(at, texts, {});
        if (d.alive())
            c.AddSubitem(nullptr, texts, {});
        if (d.alive())
            c.GetTreeItem(at);
        if (d.alive())
            c.GetRootItems();
        if (d.alive())
            c.SetExpanded(nullptr, true);
        if (d.alive())
            c.GetTreeItemIndex(nullptr);
        if (d.alive())
            c.DeleteItem(static_cast<ListBoxTreeItem *>(nullptr));
    });
}

} // namespace

void addListBoxOperations(OperationTable &t)
{
    addRows(t);
    addSelection(t);
    addCells(t);
}
