#include "ButtonImpl.h"

#include "ButtonQt.h"

namespace AUILib {

Button::impl::impl(Button *owner, QPushButton *existing)
    : m_owner(owner)
    , m_widget(existing ? existing : new ButtonQt)
{
    m_clickConnection =
        QObject::connect(m_widget.data(), &QPushButton::clicked, m_widget.data(), [this](bool) { clicked(); });
}

Button::impl::~impl()
{
    // A wrapped form button outlives its control and must not call it back.
    QObject::disconnect(m_clickConnection);
}

QWidget *Button::impl::GetWidget() { return m_widget.data(); }

void Button::impl::clicked()
{
    // Keeps this implementation alive while the subscribers run, even if one
    // of them drops the control.
    const std::shared_ptr<BaseImpl> self = m_owner->GetBaseImpl();
    m_owner->OnClicked.Emit();
}

} // namespace AUILib
