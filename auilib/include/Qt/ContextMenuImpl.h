#pragma once

#include "ContextMenu.h"
#include "ContextMenuQt.h"

#include <QImage>
#include <QPointer>

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QPoint;

namespace AUILib {

// What the menu keeps of one entry besides its action.
struct ItemData
{
    std::function<void()> handler;
    std::function<void(int)> handlerWithId;
    std::wstring text;
    int flags = 0;
    std::shared_ptr<ContextMenu> submenu; // submenu entries only
    int id = -1;                          // stays -1 for a submenu entry
    std::shared_ptr<QImage> checkedPicture;
    std::shared_ptr<QImage> uncheckedPicture;
};

class ContextMenu::impl
{
public:
    explicit impl(QWidget *parent);
    ~impl();
    impl(const impl &) = delete;
    impl &operator=(const impl &) = delete;

    // Drawn from the top of the submenu chain, so unique across the tree.
    int GetNextID();
    int InsertItem(int index, ItemData record);
    int InsertSeparator(int index);
    std::shared_ptr<ContextMenu> CreateSubmenu();
    // Index -1 appends; any other index must name an entry to stand before.
    std::shared_ptr<ContextMenu> AddSubmenu(int index, const std::wstring &text, const std::wstring &toolTip);
    bool RemoveItem(int id);
    ContextMenuQt *GetCtrl() const { return m_menu.data(); }
    QAction *GetMenuItemAction(int id) const;
    int FindMenuItem(int id) const;
    ItemData *GetItemDataByID(int id);
    bool RemoveRecursiveFromInternalData(int id);
    void SetPictureData(int id, const QImage &image, bool forChecked);
    void RefreshActionImage(QAction *action);
    void ShowPopup(const QPoint &at);
    void HidePopup();

    // Identifiers whose flags hold the bit; a submenu's list stands in for its entry.
    std::list<int> IdsWithFlag(int flag) const;
    int GetItemFlags(int id) const;

private:
    static int actionId(const QAction *action);
    static impl *implOf(const std::shared_ptr<ContextMenu> &menu) { return menu ? menu->m_impl.get() : nullptr; }
    QAction *actionAt(int index) const;
    void detach(const std::shared_ptr<ContextMenu> &submenu);
    // The first answer a submenu gives (true or non-null), in record order.
    template <class Ask>
    auto firstOfSubmenus(Ask ask) const -> decltype(ask(std::declval<impl &>()))
    {
        for (const ItemData &record : m_records) {
            if (impl *sub = implOf(record.submenu)) {
                if (auto answer = ask(*sub))
                    return answer;
            }
        }
        return {};
    }

    QPointer<ContextMenuQt> m_menu;
    std::vector<ItemData> m_records;
    impl *m_parent = nullptr;
    int m_nextId = 0;
    // A handler may start the menu afresh while it is shown; the popup checks
    // this before it touches the records again.
    std::shared_ptr<char> m_alive = std::make_shared<char>();
};

} // namespace AUILib
