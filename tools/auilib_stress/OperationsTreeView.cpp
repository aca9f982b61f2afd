// The tree view, standard and virtual mode.
#include "Draw.h"
#include "Edit.h"
#include "OperationTable.h"
#include "TreeView.h"
#include "VirtTreeItem.h"

#include <QStandardItem>

using namespace AUILib;

namespace {

using Role = OperationRole;

any data(Draw &d)
{
    if (d.random().percent(30)) {
        d.note("no data");
        return any();
    }
    return any(d.number());
}

TreeView::ItemList itemList(Draw &d)
{
    TreeView::ItemList items;
    const int count = d.between(0, 4);
    for (int i = 0; i < count; ++i) {
        const std::wstring text = d.text();
        const any value = data(d);
        const int picture = d.random().percent(70) ? d.between(-2, 3) : d.number();
        items.emplace_back(text, value, picture);
    }
    return items;
}

void addStandardItems(OperationTable &t)
{
    const ControlKind k = ControlKindTreeView;
    t.add<TreeView>(k, "AddItem", Role::Add, [](TreeView &c, Draw &d) {
        const std::wstring text = d.text();
        const any value = data(d);
        d.call();
        c.AddItem(text, value);
    });
    t.add<TreeView>(k, "AddItems", Role::Add, [](TreeView &c, Draw &d) {
        TreeView::ItemList items = itemList(d);
        d.call();
        c.AddItems(items);
    });
    t.add<TreeView>(k, "InsertItem", Role::Add, [](TreeView &c, Draw &d) {
        const std::wstring text = d.text();
        QStandardItem *parent = d.item(c);
        QStandardItem *after = d.item(c);
        const any value = data(d);
        d.call();
        c.InsertItem(text, parent, after, value);
    });
    t.add<TreeView>(k, "InsertItems", Role::Add, [](TreeView &c, Draw &d) {
        TreeView::ItemList items = itemList(d);
        QStandardItem *parent = d.item(c);
        QStandardItem *after = d.item(c);
        d.call();
        c.InsertItems(items, parent, after);
    });
    t.add<TreeView>(k, "AddSubItem", Role::Add, [](TreeView &c, Draw &d) {
        const std::wstring text = d.text();
        const any value = data(d);
        QStandardItem *parent = d.item(c);
        d.call();
        c.AddSubItem(text, value, parent);
    });
    t.add<TreeView>(k, "AddSubItems", Role::Add, [](TreeView &c, Draw &d) {
        TreeView::ItemList items = itemList(d);
        QStandardItem *parent = d.item(c);
        d.call();
        c.AddSubItems(items, parent);
    });
    t.add<TreeView>(k, "RemoveItem", Role::Remove, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        d.call();
        c.RemoveItem(item);
    });
    t.add<TreeView>(k, "RemoveAllItems", Role::Clear, [](TreeView &c, Draw &d) {
        const bool pictures = d.flag();
        d.call();
        c.RemoveAllItems(pictures);
    });
    t.add<TreeView>(k, "SetCurrentItem", Role::Select, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        d.call();
        c.SetCurrentItem(item);
    });
    t.add<TreeView>(k, "SelectItem", Role::Select, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const bool select = d.flag();
        d.call();
        c.SelectItem(item, select);
        if (d.alive())
            c.IsSelectedItem(item);
    });
    t.add<TreeView>(k, "SetCheck", Role::Select, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const bool check = d.flag();
        d.call();
        c.SetCheck(item, check);
        if (d.alive())
            c.GetCheck(item);
    });
    t.add<TreeView>(k, "SetExpanded", Role::Select, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const bool expanded = d.flag();
        d.call();
        c.SetExpanded(item, expanded);
        if (d.alive())
            c.IsExpanded(item);
    });
    t.add<TreeView>(k, "SetItemText", Role::Change, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const std::wstring text = d.text();
        d.call();
        c.SetItemText(item, text);
    });
    t.add<TreeView>(k, "SetItemData", Role::Change, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const any value = data(d);
        const bool remove = d.flag();
        d.call();
        remove ? c.RemoveItemData(item) : c.SetItemData(item, value);
    });
    t.add<TreeView>(k, "AddPicture", Role::Change, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const int size = d.length();
        if (d.flag()) {
            const std::wstring path = d.path();
            d.call();
            c.AddPicture(item, path, size, BitmapTypeDefault);
        } else {
            const PictureArgument p = d.picture();
            d.call();
            c.AddPicture(item, p.bytes, p.length, p.type, size, BitmapTypeDefault);
        }
    });
    t.add<TreeView>(k, "SetPicture", Role::Change, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const int index = d.random().percent(70) ? d.between(-2, 4) : d.number();
        d.call();
        c.SetPicture(item, index);
        if (d.alive())
            c.GetItemPicturePath(item);
    });
    t.add<TreeView>(k, "ItemLooks", Role::Change, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        switch (d.between(0, 4)) {
        case 0: {
            const bool bold = d.flag();
            d.call();
            c.SetItemBold(item, bold);
            if (d.alive())
                c.IsItemBold(item);
            break;
        }
        case 1: {
            FontData font = d.font();
            d.call();
            c.SetItemFont(item, font);
            if (d.alive())
                c.GetItemFont(item);
            break;
        }
        case 2: {
            const unsigned int colour = d.colour();
            d.call();
            c.SetItemTextColor(item, static_cast<int>(colour));
            if (d.alive())
                c.GetItemTextColor(item);
            break;
        }
        case 3: {
            const std::wstring text = d.text();
            d.call();
            c.SetItemTooltip(item, text);
            if (d.alive())
                c.GetItemToolTip(item);
            break;
        }
        default: {
            const bool disable = d.flag();
            d.call();
            c.DisableEditLabel(item, disable);
            if (d.alive())
                c.IsDisabledEditLabel(item);
            break;
        }
        }
    });
    t.add<TreeView>(k, "EditLabel", Role::Change, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        d.call();
        if (Edit *editor = c.EditLabel(item)) {
            if (d.alive() && d.random().percent(50)) {
                d.answer("SetText on the editor");
                editor->SetText(L"edited");
            }
        }
    });
    t.add<TreeView>(k, "EndEditLabel", Role::Change, [](TreeView &c, Draw &d) {
        const bool commit = d.flag();
        d.call();
        c.EndEditLabel(commit);
    });
    t.add<TreeView>(k, "Reads", Role::Read, [](TreeView &c, Draw &d) {
        QStandardItem *item = d.item(c);
        const Point point = d.point();
        unsigned int flags = 0;
        const bool withFlags = d.flag();
        const bool contentOnly = d.flag();
        d.call();
        c.CurrentItem();
        if (d.alive())
            c.Count();
        if (d.alive())
            c.GetItemText(item);
        if (d.alive())
            c.GetItemTextRaw(item);
        if (d.alive())
            c.GetItemData(item);
        if (d.alive())
            c.VisibleTopLevelItem(item);
        if (d.alive())
            c.GetTopLevelItem(item);
        if (d.alive())
            c.GetParentItem(item);
        if (d.alive())
            c.PrevSibling(item);
        if (d.alive())
            c.CheckedItems();
        if (d.alive())
            c.SelectedItems();
        if (d.alive())
            c.HitTest(point, withFlags ? &flags : nullptr);
        if (d.alive())
            c.GetItemRect(item, contentOnly);
        if (d.alive())
            c.ItemHasChildren(item);
        if (d.alive())
            c.ChildCount(item, contentOnly);
        if (d.alive())
            c.IsHeaderVisible();
        if (d.alive())
            c.IsEnabledEditItems();
    });
}

void addModes(OperationTable &t)
{
    const ControlKind k = ControlKindTreeView;
    t.add<TreeView>(k, "SetMultiSelection", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetMultiSelection(on);
        if (d.alive())
            c.IsSetMultiSelection();
    });
    t.add<TreeView>(k, "SetSingleRoot", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetSingleRoot(on);
        if (d.alive())
            c.IsSingleRoot();
    });
    t.add<TreeView>(k, "SetVirtualMode", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.SetVirtualMode(on);
        if (d.alive())
            c.IsVirtualModeEnabled();
    });
    t.add<TreeView>(k, "SetCheckMode", Role::Mode, [](TreeView &c, Draw &d) {
        const auto mode = d.choice({TreeView::CheckModeNone, TreeView::CheckModeCheckBoxes});
        d.call();
        c.SetCheckMode(mode);
        if (d.alive())
            c.GetCheckMode();
    });
    t.add<TreeView>(k, "EnableEditItems", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.EnableEditItems(on);
    });
    t.add<TreeView>(k, "EnableRowsDragAndDrop", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.flag();
        const bool refuse = d.flag();
        d.call();
        c.EnableRowsDragAndDrop(on);
        if (d.alive())
            c.IsEnableRowsDragAndDrop();
        if (d.alive())
            c.SetDragAndDropCanMove([refuse](QStandardItem *, std::vector<QStandardItem *> &items, bool) {
            return !refuse || items.size() < 2;
        });
    });
    t.add<TreeView>(k, "SetStyle", Role::Mode, [](TreeView &c, Draw &d) {
        const int remove = d.random().percent(80) ? d.between(0, 127) : d.number();
        const int add = d.random().percent(80) ? d.between(0, 127) : d.number();
        d.call();
        c.SetStyle(static_cast<TreeView::StyleFlag>(remove), static_cast<TreeView::StyleFlag>(add));
    });
    t.add<TreeView>(k, "SetUpdatesEnabled", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.random().percent(70);
        d.note(on ? "true" : "false");
        d.call();
        c.SetUpdatesEnabled(on);
    });
    t.add<TreeView>(k, "Looks", Role::Change, [](TreeView &c, Draw &d) {
        switch (d.between(0, 7)) {
        case 0: {
            FontData font = d.font();
            const bool items = d.flag();
            d.call();
            c.SetFont(font, items);
            if (d.alive())
                c.GetFont();
            break;
        }
        case 1: {
            const unsigned int colour = d.colour();
            d.call();
            c.SetBackgroundColor(colour);
            break;
        }
        case 2: {
            const unsigned int colour = d.colour();
            const bool items = d.flag();
            d.call();
            c.SetTextColor(static_cast<int>(colour), items);
            if (d.alive())
                c.GetTextColor();
            break;
        }
        case 3: {
            const unsigned int a = d.colour(), b = d.colour();
            d.call();
            c.SetSelectionColors(static_cast<int>(a), static_cast<int>(b));
            break;
        }
        case 4: {
            const int height = d.length();
            d.call();
            c.SetItemHeight(height);
            if (d.alive())
                c.GetItemHeight();
            break;
        }
        case 5: {
            const int width = d.length();
            const bool wrap = d.flag();
            d.call();
            c.SetItemToolTipMaxWidth(width);
            if (d.alive())
                c.EnableWordWrapText(wrap);
            if (d.alive())
                c.IsEnabledWordWrapText();
            if (d.alive())
                c.DisableAutomaticTooltips(wrap);
            break;
        }
        case 6: {
            const std::wstring text = d.text();
            d.call();
            c.SetHeaderLabel(text);
            break;
        }
        default: {
            const bool visible = d.flag();
            d.call();
            c.SetHeaderVisible(visible);
            break;
        }
        }
    });
    t.add<TreeView>(k, "SortChildren", Role::Mode, [](TreeView &c, Draw &d) {
        const bool recursive = d.flag();
        const bool descending = d.flag();
        if (d.flag()) {
            QStandardItem *parent = d.item(c);
            d.call();
            c.SetSortFunc(TreeView::SortFunc([descending](std::wstring a, any, std::wstring b, any) {
                return descending ? b < a : a < b;
            }));
            if (d.alive())
                c.SortChildren(parent, recursive);
        } else {
            VirtTreeItem *parent = d.virtualItem(c);
            d.call();
            c.SetSortFunc(TreeView::VirtSortFunc([descending](VirtTreeItem *a, VirtTreeItem *b) {
                return descending ? b->GetText() < a->GetText() : a->GetText() < b->GetText();
            }));
            if (d.alive())
                c.SortVirtChildren(parent, recursive);
        }
    });
}

void addVirtualItems(OperationTable &t)
{
    const ControlKind k = ControlKindTreeView;
    t.add<TreeView>(k, "AddVirtualTreeItem", Role::Add, [](TreeView &c, Draw &d) {
        std::wstring text = d.text();
        VirtTreeItem *parent = d.virtualItem(c);
        const any value = data(d);
        const bool update = d.random().percent(70);
        d.note(update ? "then UpdateVirtualView" : "no update");
        d.call();
        c.AddVirtualTreeItem(text, parent, value);
        if (update)
            if (d.alive())
                c.UpdateVirtualView();
    });
    t.add<TreeView>(k, "UpdateVirtualView", Role::Change, [](TreeView &c, Draw &d) {
        d.call();
        c.UpdateVirtualView();
    });
    t.add<TreeView>(k, "RemoveAllVirtualItems", Role::Clear, [](TreeView &c, Draw &d) {
        d.call();
        c.RemoveAllVirtualItems();
    });
    t.add<TreeView>(k, "RebuildVirtualItems", Role::Clear, [](TreeView &c, Draw &d) {
        // What a handler that fills the tree anew does.
        const int count = d.between(0, 4);
        d.call();
        c.RemoveAllVirtualItems();
        for (int i = 0; i < count; ++i) {
            std::wstring text = L"n" + std::to_wstring(i);
            if (d.alive())
                c.AddVirtualTreeItem(text, c.RootItem(), any(i));
        }
        if (d.alive())
            c.UpdateVirtualView();
    });
    t.add<TreeView>(k, "SetCurrentVirtualItem", Role::Select, [](TreeView &c, Draw &d) {
        VirtTreeItem *item = d.virtualItem(c);
        d.call();
        c.SetCurrentVirtualItem(item);
    });
    t.add<TreeView>(k, "SetCheckVirtual", Role::Select, [](TreeView &c, Draw &d) {
        VirtTreeItem *item = d.virtualItem(c);
        const bool check = d.flag(), children = d.flag();
        const bool all = d.random().percent(20);
        d.note(all ? "all items" : "one item");
        d.call();
        if (all)
            c.SetCheckAllVirtualItems(check);
        else
            if (d.alive())
                c.SetCheck(item, check, children);
        if (d.alive())
            c.IsCheckedAllVirtualItems();
        if (d.alive())
            c.GetCheck(item);
    });
    t.add<TreeView>(k, "SetExpandedVirtual", Role::Select, [](TreeView &c, Draw &d) {
        VirtTreeItem *item = d.virtualItem(c);
        const bool expanded = d.flag();
        d.call();
        c.SetExpanded(item, expanded);
        if (d.alive())
            c.IsExpanded(item);
    });
    t.add<TreeView>(k, "EnableVirtualItemCheckboxes", Role::Mode, [](TreeView &c, Draw &d) {
        const bool on = d.flag();
        d.call();
        c.EnableVirtualItemCheckboxes(on);
    });
    t.add<TreeView>(k, "VirtualItemValues", Role::Change, [](TreeView &c, Draw &d) {
        VirtTreeItem *item = d.virtualItem(c);
        switch (d.between(0, 5)) {
        case 0: {
            const std::wstring text = d.text();
            d.call();
            c.SetItemText(item, text);
            break;
        }
        case 1: {
            const std::wstring text = d.text();
            d.call();
            c.SetItemTooltip(item, text);
            break;
        }
        case 2: {
            const any value = data(d);
            d.call();
            c.SetItemData(item, value);
            break;
        }
        case 3: {
            const int size = d.length();
            if (d.flag()) {
                const std::wstring path = d.path();
                d.call();
                c.AddPicture(item, path, size, BitmapTypeDefault);
            } else {
                const PictureArgument p = d.picture();
                d.call();
                c.AddPicture(item, p.bytes, p.length, p.type, size, BitmapTypeDefault);
            }
            break;
        }
        case 4: {
            const int index = d.random().percent(70) ? d.between(-2, 4) : d.number();
            d.call();
            c.SetPicture(item, index);
            if (d.alive())
                c.GetItemPicturePath(item);
            break;
        }
        default: {
            const int start = d.number(), length = d.number();
            d.call();
            c.SetBoldTextPosition(item, start, length);
            break;
        }
        }
    });
    t.add<TreeView>(k, "VirtualReads", Role::Read, [](TreeView &c, Draw &d) {
        VirtTreeItem *item = d.virtualItem(c);
        const int index = d.index(c.ChildCount(item));
        d.call();
        c.GetItemText(item);
        if (d.alive())
            c.GetItemData(item);
        if (d.alive())
            c.CurrentVirtualItem();
        if (d.alive())
            c.GetParentItem(item);
        if (d.alive())
            c.GetChildItem(item, index);
        if (d.alive())
            c.GetLevel(item);
    });
}

} // namespace

void addTreeViewOperations(OperationTable &t)
{
    addStandardItems(t);
    addModes(t);
    addVirtualItems(t);
}
