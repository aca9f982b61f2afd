#include "ButtonBoxImpl.h"

#include "Button.h"
#include "FormElement.h"
#include "StandardButtons.h"

#include <QPushButton>

namespace AUILib {

ButtonBox::impl::impl(ButtonBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ButtonBoxQt>();
}

ButtonBox::impl::~impl()
{
    // Newest first, the reverse of how they were added.
    while (!m_buttons.empty())
        m_buttons.pop_back();
}

void ButtonBox::impl::OnFormLoaded(const FormElement &element)
{
    auto *box = WidgetAs<QDialogButtonBox>();
    if (!box)
        return;
    // Every connection from the box to the form's objects: the form's own. The
    // box's connections to this implementation stay.
    QWidget *window = element.Window();
    if (window) {
        QObject::disconnect(box, nullptr, window, nullptr);
        for (QObject *object : window->findChildren<QObject *>())
            QObject::disconnect(box, nullptr, object, nullptr);
    }
    for (const StandardButtonRow &row : StandardButtonTable()) {
        QPushButton *push = box->button(row.button);
        if (!push)
            continue;
        auto button = std::make_shared<Button>(push);
        push->setText(StandardButtonCaption(row));
        m_buttons.push_back(button);
    }
}

void ButtonBox::impl::SetOrientation(bool vertical)
{
    auto *box = WidgetAs<QDialogButtonBox>();
    if (!box)
        return;
    // Qt makes the box's layout anew and moves every button into it.
    EventGate::Hold hold;
    box->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
}

std::shared_ptr<Button> ButtonBox::impl::GetButton(QDialogButtonBox::StandardButton which)
{
    auto *box = WidgetAs<QDialogButtonBox>();
    QPushButton *push = box ? box->button(which) : nullptr;
    if (!push)
        return nullptr;
    for (const std::shared_ptr<Button> &button : m_buttons) {
        if (button && button->GetPlatformHandle() == push)
            return button;
    }
    return nullptr;
}

} // namespace AUILib
