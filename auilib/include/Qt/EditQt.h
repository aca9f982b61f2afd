#pragma once

#include "AUITypes.h"
#include "OwnerRef.h"

#include <QIcon>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include <string>

namespace AUILib {

class Edit;

// The edit's line edit: the trailing extended button with its hover icon, the
// paste path that reports what it pastes, and the context menu (the standard
// one with its paste entry on that path, or the edit's inserted menu). It
// fires the edit's events while the edit lives; it may outlive it under its Qt parent.
class EditQt : public QLineEdit
{
    Q_OBJECT

public:
    explicit EditQt(Edit *owner, QWidget *parent = nullptr);

    // Once: a second call does nothing.
    void EnableExtendedButton(const QString &normalIconPath, const QString &hoverIconPath);
    // Only while the button is on.
    void ExtendedButtonSetImage(const QString &normalIconPath, const QString &hoverIconPath);
    // Null data does nothing; bytes that do not load leave the icons as they were.
    void ExtendedButtonSetImage(const unsigned char *data, int length, ImageTypes type, bool hover);
    // Inserts the clipboard text at the cursor after reporting it; nothing for
    // an empty clipboard or a read-only field.
    void Paste();

    // The tool button the line edit made for the extended button's action; null until it is on.
    QToolButton *ExtendedButton() const { return m_extendedButton.data(); }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void showInsertedMenu(Edit &owner);
    void showStandardMenu(const QPoint &globalPos);
    void showIcon(const QIcon &icon);

    OwnerRef<Edit> m_owner;
    QPointer<QToolButton> m_extendedButton;
    QIcon m_normalIcon;
    QIcon m_hoverIcon;
    bool m_extendedButtonOn = false;
    bool m_hoverIconShowing = false;
};

} // namespace AUILib
