#include "ContextMenu.h"

#include "AUILibConfig.h"
#include "BaseImplQt.h"
#include "ContextMenuImpl.h"

#include <QAction>
#include <QCursor>
#include <QImage>
#include <QString>

namespace AUILib {

namespace {

ItemData itemRecord(const std::wstring &text, int flags)
{
    ItemData record;
    record.text = text;
    record.flags = flags;
    return record;
}

} // namespace

ContextMenu::ContextMenu() = default;
ContextMenu::~ContextMenu() = default;

bool ContextMenu::Create(QWidget *parent)
{
    if (!parent)
        return false;
    m_impl = std::make_unique<impl>(parent);
    return true;
}

void ContextMenu::Show(bool show)
{
    if (!m_impl)
        return;
    if (show)
        m_impl->ShowPopup(QCursor::pos());
    else
        m_impl->HidePopup();
}

void ContextMenu::Show(int x, int y)
{
    // Qt places the menu from the point with int arithmetic of its own.
    if (m_impl)
        m_impl->ShowPopup(BaseImplQt::BoundedPoint(Point{x, y}));
}

int ContextMenu::AddItem(const std::wstring &text, const std::function<void()> &handler, int flags)
{
    return InsertItem(Count(), text, handler, flags);
}

int ContextMenu::AddItem(const std::wstring &text, const std::function<void(int)> &handler, int flags)
{
    return InsertItem(Count(), text, handler, flags);
}

int ContextMenu::InsertItem(int index, const std::wstring &text, const std::function<void()> &handler, int flags)
{
    if (!m_impl || !handler)
        return -1;
    ItemData record = itemRecord(text, flags);
    record.handler = handler;
    return m_impl->InsertItem(index, std::move(record));
}

int ContextMenu::InsertItem(int index, const std::wstring &text, const std::function<void(int)> &handler,
                            int flags)
{
    if (!m_impl || !handler)
        return -1;
    ItemData record = itemRecord(text, flags);
    record.handlerWithId = handler;
    return m_impl->InsertItem(index, std::move(record));
}

int ContextMenu::AddSeparator() { return InsertSeparator(Count()); }

int ContextMenu::InsertSeparator(int index) { return m_impl ? m_impl->InsertSeparator(index) : -1; }

std::shared_ptr<ContextMenu> ContextMenu::AddSubmenu(const std::wstring &text, const std::wstring &toolTip)
{
    return m_impl ? m_impl->AddSubmenu(-1, text, toolTip) : nullptr;
}

std::shared_ptr<ContextMenu> ContextMenu::InsertSubmenu(int index, const std::wstring &text,
                                                        const std::wstring &toolTip)
{
    if (!m_impl || index < 0)
        return nullptr;
    return m_impl->AddSubmenu(index, text, toolTip);
}

bool ContextMenu::RemoveItem(int id) { return m_impl && m_impl->RemoveItem(id); }

bool ContextMenu::EnableItem(int id, bool enable)
{
    QAction *action = m_impl ? m_impl->GetMenuItemAction(id) : nullptr;
    if (!action)
        return false;
    action->setEnabled(enable);
    return true;
}

bool ContextMenu::IsEnabledItem(int id)
{
    const QAction *action = m_impl ? m_impl->GetMenuItemAction(id) : nullptr;
    return action && action->isEnabled();
}

int ContextMenu::Count()
{
    const ContextMenuQt *menu = m_impl ? m_impl->GetCtrl() : nullptr;
    return menu ? menu->actions().size() : -1;
}

int ContextMenu::GetMenuItemIndex(int id) { return m_impl ? m_impl->FindMenuItem(id) : -1; }

int ContextMenu::GetMenuItemID(int index)
{
    ContextMenuQt *menu = m_impl ? m_impl->GetCtrl() : nullptr;
    if (!menu || index < 0 || index >= menu->actions().size())
        return -1;
    const QVariant data = menu->actions().at(index)->data();
    return data.type() == QVariant::Int ? data.toInt() : -1;
}

bool ContextMenu::CheckItem(int id, bool check)
{
    QAction *action = m_impl ? m_impl->GetMenuItemAction(id) : nullptr;
    if (!action || !action->isCheckable())
        return false;
    action->setChecked(check);
    m_impl->RefreshActionImage(action);
    return true;
}

bool ContextMenu::IsCheckedItem(int id)
{
    const QAction *action = m_impl ? m_impl->GetMenuItemAction(id) : nullptr;
    return action && action->isChecked();
}

void ContextMenu::AddPictureToItem(int id, const std::wstring &path, bool forChecked, int, BitmapType)
{
    if (!m_impl || !m_impl->GetMenuItemAction(id) || !m_impl->GetItemDataByID(id))
        return;
    QImage image;
    if (image.load(QString::fromStdWString(path)))
        m_impl->SetPictureData(id, image, forChecked);
}

void ContextMenu::AddPictureToItem(int id, const unsigned char *data, int length, ImageTypes, int, BitmapType,
                                   bool forChecked)
{
    if (!m_impl || !data || length <= 0 || !m_impl->GetMenuItemAction(id) || !m_impl->GetItemDataByID(id))
        return;
    QImage image;
    if (image.loadFromData(data, length))
        m_impl->SetPictureData(id, image, forChecked);
}

std::list<int> ContextMenu::ItemsDisabledIfReadOnly() { return m_impl ? m_impl->IdsWithFlag(ItemDisabledIfReadOnly) : std::list<int>(); }

std::list<int> ContextMenu::ItemsDisabledIfEmptyClipBoard() { return m_impl ? m_impl->IdsWithFlag(ItemDisabledIfEmptyClipBoard) : std::list<int>(); }

std::list<int> ContextMenu::ItemsCheckable() { return m_impl ? m_impl->IdsWithFlag(ItemCheckable) : std::list<int>(); }

std::list<int> ContextMenu::ItemsChecked()
{
    std::list<int> ids = ItemsCheckable();
    ids.remove_if([this](int id) { return !IsCheckedItem(id); });
    return ids;
}

int ContextMenu::GetItemFlags(int id) { return m_impl ? m_impl->GetItemFlags(id) : 0; }

void ContextMenu::SetItemToolTip(int id, const std::wstring &text)
{
    if (ContextMenuQt *menu = m_impl ? m_impl->GetCtrl() : nullptr)
        menu->SetItemToolTip(id, text);
}

void ContextMenu::SetToolTipMaxWidth(int width)
{
    if (ContextMenuQt *menu = m_impl ? m_impl->GetCtrl() : nullptr)
        menu->SetToolTipMaxWidth(width);
}

SkinManager *ContextMenu::GetSkinManager() { return GetGlobalSkinManager(); }

} // namespace AUILib
