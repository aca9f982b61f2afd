#pragma once

#include "BaseImplQt.h"
#include "Button.h"

#include <QPointer>
#include <QPushButton>

namespace AUILib {

// Watches its push button, made here (a ButtonQt) or handed in; the widget
// belongs to its Qt parent.
class Button::impl : public BaseImplQt
{
public:
    // A null `existing` makes a new button.
    impl(Button *owner, QPushButton *existing);
    ~impl() override;

    QWidget *GetWidget() override;

private:
    void clicked();

    Button *m_owner;
    QPointer<QPushButton> m_widget;
    QMetaObject::Connection m_clickConnection;
};

} // namespace AUILib
