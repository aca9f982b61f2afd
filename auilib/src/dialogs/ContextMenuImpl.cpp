#include "ContextMenuImpl.h"

#include "AUILibUtils.h"
#include "BaseImplQt.h"

#include <QAction>
#include <QPixmap>
#include <QVariant>

#include <algorithm>

namespace AUILib {

ContextMenu::impl::impl(QWidget *parent)
    : m_menu(new ContextMenuQt(AUILibUtils::GetWndPtrFromHandle(parent)))
{
}

ContextMenu::impl::~impl()
{
    // A submenu the caller still holds must not reach back into a freed parent.
    for (const ItemData &record : m_records)
        detach(record.submenu);
}

void ContextMenu::impl::detach(const std::shared_ptr<ContextMenu> &submenu)
{
    if (impl *sub = implOf(submenu))
        sub->m_parent = nullptr;
}

int ContextMenu::impl::actionId(const QAction *action)
{
    if (!action)
        return -1;
    const QVariant data = action->data();
    return data.type() == QVariant::Int ? data.toInt() : -1;
}

QAction *ContextMenu::impl::actionAt(int index) const
{
    if (!m_menu || index < 0)
        return nullptr;
    const QList<QAction *> actions = m_menu->actions();
    return index < actions.size() ? actions.at(index) : nullptr;
}

int ContextMenu::impl::GetNextID()
{
    impl *top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top->m_nextId++;
}

int ContextMenu::impl::InsertItem(int index, ItemData record)
{
    if (!m_menu || index < 0)
        return -1;
    const bool taken = std::any_of(m_records.begin(), m_records.end(),
                                   [&](const ItemData &other) { return other.text == record.text; });
    if (taken)
        return -1;
    QAction *before = actionAt(index);
    // Owned by the menu widget, so it goes with it whatever happens to us.
    auto *action = new QAction(QString::fromStdWString(record.text), m_menu.data());
    record.id = GetNextID();
    action->setData(record.id);
    if (record.flags & ContextMenu::ItemCheckable) {
        action->setCheckable(true);
        action->setChecked(record.flags & ContextMenu::ItemChecked);
    }
    m_menu->insertAction(before, action);
    if (record.handler) {
        QObject::connect(
            action, &QAction::triggered, action, [handler = record.handler](bool) { handler(); },
            Qt::DirectConnection);
    } else if (record.handlerWithId) {
        QObject::connect(
            action, &QAction::triggered, action,
            [handler = record.handlerWithId, id = record.id](bool) { handler(id); }, Qt::DirectConnection);
    }
    const int id = record.id;
    m_records.insert(m_records.begin() + std::min<std::size_t>(index, m_records.size()), std::move(record));
    return id;
}

int ContextMenu::impl::InsertSeparator(int index)
{
    if (!m_menu || index < 0)
        return -1;
    QAction *separator = m_menu->insertSeparator(actionAt(index));
    if (!separator)
        return -1;
    ItemData record;
    record.id = GetNextID();
    separator->setData(record.id);
    const int id = record.id;
    m_records.insert(m_records.begin() + std::min<std::size_t>(index, m_records.size()), std::move(record));
    return id;
}

std::shared_ptr<ContextMenu> ContextMenu::impl::CreateSubmenu()
{
    auto submenu = std::make_shared<ContextMenu>();
    submenu->Create(m_menu.data());
    impl *sub = implOf(submenu);
    if (!sub || !sub->m_menu)
        return nullptr;
    sub->m_parent = this;
    return submenu;
}

std::shared_ptr<ContextMenu> ContextMenu::impl::AddSubmenu(int index, const std::wstring &text,
                                                            const std::wstring &toolTip)
{
    if (!m_menu)
        return nullptr;
    // index -1 appends; any other index must name an entry.
    QAction *before = index < 0 ? nullptr : actionAt(index);
    if (index >= 0 && !before)
        return nullptr;
    std::shared_ptr<ContextMenu> submenu = CreateSubmenu();
    if (!submenu)
        return nullptr;
    ContextMenuQt *widget = implOf(submenu)->GetCtrl();
    QAction *action = before ? m_menu->insertMenu(before, widget) : m_menu->addMenu(widget);
    if (!action)
        return nullptr;
    action->setText(QString::fromStdWString(text));
    const int id = GetNextID();
    action->setData(id);
    m_menu->SetItemToolTip(id, toolTip);
    ItemData record;
    record.text = text;
    record.submenu = submenu;
    m_records.push_back(std::move(record));
    return submenu;
}

bool ContextMenu::impl::RemoveItem(int id)
{
    if (!m_menu || id < 0)
        return false;
    const QList<QAction *> actions = m_menu->actions();
    const auto found =
        std::find_if(actions.begin(), actions.end(), [&](const QAction *action) { return actionId(action) == id; });
    if (found != actions.end()) {
        QAction *action = *found;
        m_menu->removeAction(action);
        if (QMenu *widget = action->menu()) {
            // A submenu entry's record has no identifier; it is known by its
            // widget. Dropping it stops the removed submenu's entries from
            // being found, listed or blocking the entry's text.
            const auto record = std::find_if(m_records.begin(), m_records.end(), [&](const ItemData &r) {
                const impl *sub = implOf(r.submenu);
                return sub && sub->GetCtrl() == widget;
            });
            if (record != m_records.end()) {
                detach(record->submenu);
                m_records.erase(record);
            }
        } else {
            RemoveRecursiveFromInternalData(id);
            // Later, not now: the entry may be removed by its own handler
            // while its action is still being triggered.
            action->deleteLater();
        }
        return true;
    }
    return firstOfSubmenus([id](impl &sub) { return sub.RemoveItem(id); });
}

bool ContextMenu::impl::RemoveRecursiveFromInternalData(int id)
{
    const auto before = m_records.size();
    m_records.erase(std::remove_if(m_records.begin(), m_records.end(), [&](const ItemData &r) { return r.id == id; }),
                    m_records.end());
    if (m_records.size() != before)
        return true;
    return firstOfSubmenus([id](impl &sub) { return sub.RemoveRecursiveFromInternalData(id); });
}

QAction *ContextMenu::impl::GetMenuItemAction(int id) const
{
    if (!m_menu || id < 0)
        return nullptr;
    for (QAction *action : m_menu->actions()) {
        if (actionId(action) == id)
            return action;
    }
    return firstOfSubmenus([id](impl &sub) { return sub.GetMenuItemAction(id); });
}

int ContextMenu::impl::FindMenuItem(int id) const
{
    if (!m_menu || id < 0)
        return -1;
    const QList<QAction *> actions = m_menu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        if (actionId(actions.at(i)) == id)
            return i;
    }
    return -1;
}

ItemData *ContextMenu::impl::GetItemDataByID(int id)
{
    if (id < 0)
        return nullptr;
    for (ItemData &record : m_records) {
        if (record.id == id)
            return &record;
    }
    return firstOfSubmenus([id](impl &sub) { return sub.GetItemDataByID(id); });
}

std::list<int> ContextMenu::impl::IdsWithFlag(int flag) const
{
    std::list<int> ids;
    for (const ItemData &record : m_records) {
        if (const impl *sub = implOf(record.submenu))
            ids.splice(ids.end(), sub->IdsWithFlag(flag));
        else if (record.flags & flag)
            ids.push_back(record.id);
    }
    return ids;
}

int ContextMenu::impl::GetItemFlags(int id) const
{
    if (id < 0)
        return 0;
    for (const ItemData &record : m_records) {
        if (record.id == id)
            return record.flags;
    }
    return 0;
}

void ContextMenu::impl::SetPictureData(int id, const QImage &image, bool forChecked)
{
    QAction *action = GetMenuItemAction(id);
    ItemData *record = GetItemDataByID(id);
    if (!action || !record)
        return;
    std::shared_ptr<QImage> &kept = forChecked ? record->checkedPicture : record->uncheckedPicture;
    if (!kept)
        kept = std::make_shared<QImage>(image);
    if (!forChecked)
        action->setIcon(QPixmap::fromImage(*kept));
    else if (action->isCheckable() && action->isChecked())
        action->setIcon(QPixmap::fromImage(*kept));
    if (m_menu)
        m_menu->update();
}

void ContextMenu::impl::RefreshActionImage(QAction *action)
{
    const ItemData *record = GetItemDataByID(actionId(action));
    if (!record)
        return;
    const std::shared_ptr<QImage> &picture = action->isChecked() ? record->checkedPicture : record->uncheckedPicture;
    if (picture)
        action->setIcon(QPixmap::fromImage(*picture));
}

void ContextMenu::impl::ShowPopup(const QPoint &at)
{
    // A menu of a window being destroyed (shown by a handler of a destruction
    // notice) would run its event loop inside Qt's destructor.
    if (!m_menu || BaseImplQt::BeingDestroyed(m_menu))
        return;
    const std::weak_ptr<char> alive = m_alive;
    const QPointer<QAction> chosen = m_menu->exec(at);
    if (alive.expired() || !chosen)
        return;
    RefreshActionImage(chosen.data());
}

void ContextMenu::impl::HidePopup()
{
    if (m_menu)
        m_menu->close();
}

} // namespace AUILib
