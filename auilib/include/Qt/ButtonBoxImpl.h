#pragma once

#include "BaseImplQt.h"
#include "ButtonBox.h"
#include "ButtonBoxQt.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace AUILib {

class Button;

// Watches the box it makes; the widget belongs to its Qt parent.
class ButtonBox::impl : public BaseImplQt
{
public:
    impl();
    ~impl() override;

    QWidget *GetWidget() override;

    // The controls over the box's standard push buttons, in the order the
    // dialog wrapped them; empty until a dialog built from a form fills it.
    std::vector<std::shared_ptr<Button>> &Buttons() { return m_buttons; }

private:
    QPointer<ButtonBoxQt> m_widget;
    std::vector<std::shared_ptr<Button>> m_buttons;
};

} // namespace AUILib
