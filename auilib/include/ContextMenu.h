#pragma once

#include "AUITypes.h"

#include <functional>
#include <list>
#include <memory>
#include <string>

class QWidget;

namespace AUILib {

class SkinManager;

// A popup menu whose entries callers address by identifiers it hands out.
// Identifiers start at 0 and are unique across the menu and all its submenus;
// none is ever used twice. Before the first successful Create every operation
// fails (-1, false, 0, empty) and does nothing. GUI thread only.
class ContextMenu
{
public:
    // Entry flags.
    enum ItemFlags : int {
        ItemDisabledIfReadOnly = 0x1,
        ItemDisabledIfEmptyClipBoard = 0x2,
        ItemCheckable = 0x4,
        ItemChecked = 0x8, // only with ItemCheckable
    };

    ContextMenu();
    virtual ~ContextMenu();
    ContextMenu(const ContextMenu &) = delete;
    ContextMenu &operator=(const ContextMenu &) = delete;

    // False without a parent; again starts afresh with a new, empty menu
    // (the earlier widget stays with its parent).
    virtual bool Create(QWidget *parent);
    // True pops the menu up at the mouse pointer and returns when it closes,
    // after the chosen entry's handler ran; false closes it.
    virtual void Show(bool show);
    // Pops the menu up at a global screen point and returns when it closes.
    virtual void Show(int x, int y);

    // -1 when the handler is empty or an entry of this level has the same text.
    virtual int AddItem(const std::wstring &text, const std::function<void()> &handler, int flags = 0);
    // The handler receives the entry's identifier.
    virtual int AddItem(const std::wstring &text, const std::function<void(int)> &handler, int flags = 0);
    // Before the entry at index; at or past the end appends; -1 for a negative index.
    virtual int InsertItem(int index, const std::wstring &text, const std::function<void()> &handler,
                           int flags = 0);
    virtual int InsertItem(int index, const std::wstring &text, const std::function<void(int)> &handler,
                           int flags = 0);
    virtual int AddSeparator();
    virtual int InsertSeparator(int index);
    // Searches the submenus too.
    virtual bool RemoveItem(int id);
    virtual bool EnableItem(int id, bool enable);
    virtual bool IsEnabledItem(int id);
    // Entries of this level (items, separators, submenu entries).
    virtual int Count();
    // Position on this level; -1 elsewhere.
    virtual int GetMenuItemIndex(int id);
    virtual int GetMenuItemID(int index);
    // False for an entry that is not checkable.
    virtual bool CheckItem(int id, bool check);
    virtual bool IsCheckedItem(int id);
    // The picture shown while the entry is checked (forChecked) or not. The first
    // picture given for a state is kept; the format comes from the file itself.
    virtual void AddPictureToItem(int id, const std::wstring &path, bool forChecked, int size, BitmapType type);
    virtual void AddPictureToItem(int id, const unsigned char *data, int length, ImageTypes imageType, int size,
                                  BitmapType type, bool forChecked);

    // Empty when there is no entry at index (so never at the end).
    std::shared_ptr<ContextMenu> AddSubmenu(const std::wstring &text, const std::wstring &toolTip);
    std::shared_ptr<ContextMenu> InsertSubmenu(int index, const std::wstring &text, const std::wstring &toolTip);

    // Identifiers whose flags hold the bit, submenus included, in menu order.
    std::list<int> ItemsDisabledIfReadOnly();
    std::list<int> ItemsDisabledIfEmptyClipBoard();
    std::list<int> ItemsCheckable();
    std::list<int> ItemsChecked();
    // Of an entry of this level only; 0 otherwise.
    int GetItemFlags(int id);

    // An empty text leaves an earlier tip in place.
    void SetItemToolTip(int id, const std::wstring &text);
    // Tips wrap at this width; only 51..32766 is taken.
    void SetToolTipMaxWidth(int width);
    SkinManager *GetSkinManager();

    class impl;

private:
    std::unique_ptr<impl> m_impl;
};

} // namespace AUILib
