// Context menus: made with entries whose handlers react like the run's other
// handlers, and operated while their control lives (and pops them up).
#include "BaseGUIObject.h"
#include "ContextMenu.h"
#include "Draw.h"
#include "OperationTable.h"
#include "Reactions.h"
#include "World.h"

#include <QWidget>

#include <functional>

using namespace AUILib;

namespace {

int indexOf(Draw &d, BaseGUIObject &control)
{
    World::Control *entry = d.world().find(&control);
    return entry ? entry->id : -1;
}

using MenuOperation = void (*)(Draw &, ContextMenu &, const std::function<void()> &);

// Menu entry ids are small numbers handed out from 0: an index among 8 reaches
// the ones that exist and some that do not.
const MenuOperation kMenuOperations[] = {
    [](Draw &d, ContextMenu &menu, const std::function<void()> &handler) {
        d.note("AddItem");
        const std::wstring text = d.text();
        const int flags = d.between(0, 15);
        d.call();
        menu.AddItem(text, handler, flags);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &handler) {
        d.note("InsertItem");
        const int index = d.index(menu.Count());
        const std::wstring text = d.text();
        d.call();
        menu.InsertItem(index, text, handler, 0);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("RemoveItem");
        const int id = d.index(8);
        d.call();
        menu.RemoveItem(id);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("EnableItem");
        const int id = d.index(8);
        const bool enable = d.flag();
        d.call();
        menu.EnableItem(id, enable);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("CheckItem");
        const int id = d.index(8);
        const bool check = d.flag();
        d.call();
        menu.CheckItem(id, check);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &handler) {
        d.note("AddSubmenu");
        const std::wstring text = d.text();
        const std::wstring tip = d.text();
        d.call();
        if (std::shared_ptr<ContextMenu> sub = menu.AddSubmenu(text, tip))
            sub->AddItem(L"Inner", handler, 0);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("InsertSubmenu");
        const int index = d.index(menu.Count());
        d.call();
        menu.InsertSubmenu(index, L"Sub", L"");
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("AddPictureToItem(path)");
        const int id = d.index(8);
        const std::wstring path = d.path();
        const bool checked = d.flag();
        const int size = d.length();
        d.call();
        menu.AddPictureToItem(id, path, checked, size, BitmapTypeDefault);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("AddPictureToItem(bytes)");
        const int id = d.index(8);
        const PictureArgument picture = d.picture();
        const int size = d.length();
        const bool checked = d.flag();
        d.call();
        menu.AddPictureToItem(id, picture.bytes, picture.length, picture.type, size, BitmapTypeDefault, checked);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("SetItemToolTip");
        const int id = d.index(8);
        const std::wstring text = d.text();
        const int width = d.length();
        d.call();
        menu.SetItemToolTip(id, text);
        menu.SetToolTipMaxWidth(width);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("Show(x, y)");
        const int x = d.number();
        const int y = d.number();
        d.call();
        menu.Show(x, y);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("Show");
        const bool show = d.flag();
        d.call();
        menu.Show(show);
    },
    [](Draw &d, ContextMenu &menu, const std::function<void()> &) {
        d.note("queries");
        const int id = d.index(8);
        d.call();
        menu.GetMenuItemIndex(id);
        menu.GetMenuItemID(id);
        menu.IsEnabledItem(id);
        menu.IsCheckedItem(id);
        menu.GetItemFlags(id);
        menu.ItemsChecked();
        menu.ItemsCheckable();
        menu.ItemsDisabledIfReadOnly();
        menu.ItemsDisabledIfEmptyClipBoard();
    },
};

} // namespace

std::shared_ptr<ContextMenu> makeMenu(Draw &d, BaseGUIObject &owner)
{
    auto menu = std::make_shared<ContextMenu>();
    QWidget *parent = d.random().percent(85) ? owner.GetPlatformHandle() : d.parent(owner);
    menu->Create(parent);
    const unsigned serial = d.world().serial();
    const int control = indexOf(d, owner);
    const int entries = d.random().below(5);
    for (int i = 0; i < entries; ++i) {
        if (d.random().percent(20)) {
            menu->AddSeparator();
            continue;
        }
        menu->AddItem(
            L"Entry " + std::to_wstring(i),
            [serial, control](int id) { Reactions::react(serial, control, "menu entry " + std::to_string(id), Hint()); },
            d.random().below(16));
    }
    return menu;
}

void operateMenu(Draw &d, ContextMenu &menu, BaseGUIObject &owner)
{
    const unsigned serial = d.world().serial();
    const int control = indexOf(d, owner);
    const std::function<void()> handler = [serial, control] {
        Reactions::react(serial, control, "menu entry", Hint());
    };
    const int count = static_cast<int>(sizeof(kMenuOperations) / sizeof(kMenuOperations[0]));
    kMenuOperations[d.random().below(count)](d, menu, handler);
}
