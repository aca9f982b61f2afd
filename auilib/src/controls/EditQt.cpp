#include "EditQt.h"

#include "BaseImplQt.h"

#include "ContextMenu.h"
#include "Edit.h"
#include "Pictures.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

#include <set>

namespace AUILib {

namespace {

QString clipboardText()
{
    return QApplication::clipboard()->text(QClipboard::Clipboard);
}

} // namespace

EditQt::EditQt(Edit *owner, QWidget *parent)
    : QLineEdit(parent)
    , m_owner(owner)
{
}

void EditQt::EnableExtendedButton(const QString &normalIconPath, const QString &hoverIconPath)
{
    if (m_extendedButtonOn)
        return;
    // The button is a new child of the field, laid out at once.
    EventGate::Hold hold;
    m_normalIcon = QIcon(normalIconPath);
    m_hoverIcon = QIcon(hoverIconPath);
    QAction *action = addAction(m_normalIcon, QLineEdit::TrailingPosition);
    connect(action, &QAction::triggered, this, [this] {
        if (const std::shared_ptr<BaseImplQt> impl = BaseImplQt::Of(m_owner.get()))
            impl->Fire(&Edit::OnExtendedButtonClicked);
    });
    connect(action, &QAction::hovered, this, [this] {
        showIcon(m_hoverIcon);
        m_hoverIconShowing = true;
    });
    // The action's own button: the clear button, when shown, is a tool button too.
    for (QWidget *widget : action->associatedWidgets()) {
        if (auto *button = qobject_cast<QToolButton *>(widget)) {
            m_extendedButton = button;
            break;
        }
    }
    if (!m_extendedButton)
        m_extendedButton = findChild<QToolButton *>();
    m_extendedButtonOn = true;
}

void EditQt::ExtendedButtonSetImage(const QString &normalIconPath, const QString &hoverIconPath)
{
    if (!m_extendedButtonOn || !m_extendedButton)
        return;
    m_normalIcon = QIcon(normalIconPath);
    m_hoverIcon = QIcon(hoverIconPath);
    showIcon(m_normalIcon);
}

void EditQt::ExtendedButtonSetImage(const unsigned char *data, int length, ImageTypes type, bool hover)
{
    if (!data)
        return;
    QIcon &target = hover ? m_hoverIcon : m_normalIcon;
    if (type == ImageTypeICO) {
        // Every size the icon holds, so the button picks the one it shows.
        target = IconFromBytes(data, length);
    } else {
        QPixmap picture = PictureFromBytes(data, length, type, 0);
        picture.setDevicePixelRatio(devicePixelRatio());
        if (!picture.isNull())
            target = QIcon(picture);
    }
    showIcon(m_normalIcon);
}

void EditQt::Paste()
{
    if (isReadOnly())
        return;
    const QString text = clipboardText();
    if (text.isEmpty())
        return;
    // An edit its handler released pastes nothing.
    const std::shared_ptr<BaseImplQt> impl = BaseImplQt::Of(m_owner.get());
    if (!impl || !impl->Fire(&Edit::OnPaste, text.toStdWString()))
        return;
    insert(text);
}

void EditQt::showIcon(const QIcon &icon)
{
    if (m_extendedButton)
        m_extendedButton->setIcon(icon);
}

void EditQt::mouseMoveEvent(QMouseEvent *event)
{
    // Back over the text: the button loses its hover look.
    if (m_extendedButtonOn && m_hoverIconShowing) {
        showIcon(m_normalIcon);
        m_hoverIconShowing = false;
    }
    QLineEdit::mouseMoveEvent(event);
}

void EditQt::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EditQt::contextMenuEvent(QContextMenuEvent *event)
{
    const std::shared_ptr<BaseImplQt> impl = BaseImplQt::Of(m_owner.get());
    if (!impl || !impl->Fire(&Edit::OnContextMenu))
        return;
    Edit *owner = m_owner.get();
    if (owner && owner->GetContextMenu())
        showInsertedMenu(*owner);
    else
        showStandardMenu(event->globalPos());
}

void EditQt::showInsertedMenu(Edit &owner)
{
    const std::shared_ptr<ContextMenu> menu = owner.GetContextMenu();
    if (menu->Count() < 1)
        return;
    const std::list<int> readOnlyItems = menu->ItemsDisabledIfReadOnly();
    const std::list<int> clipboardItems = menu->ItemsDisabledIfEmptyClipBoard();
    std::set<int> all(readOnlyItems.begin(), readOnlyItems.end());
    all.insert(clipboardItems.begin(), clipboardItems.end());
    for (const int id : all)
        menu->EnableItem(id, true);
    if (isReadOnly()) {
        for (const int id : readOnlyItems)
            menu->EnableItem(id, false);
    }
    if (clipboardText().isEmpty()) {
        for (const int id : clipboardItems)
            menu->EnableItem(id, false);
    }
    menu->Show(true);
}

void EditQt::showStandardMenu(const QPoint &globalPos)
{
    QMenu *menu = createStandardContextMenu();
    if (!menu)
        return;
    // The paste entry goes through the paste path, so that callers hear of it.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction *action : menu->actions()) {
        if (!action->text().startsWith(pasteText))
            continue;
        action->disconnect();
        action->setShortcut(QKeySequence::Paste);
        connect(action, &QAction::triggered, this, &EditQt::Paste);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

} // namespace AUILib
