#include "ButtonImpl.h"

#include "ButtonQt.h"

namespace AUILib {

Button::impl::impl(Button *owner, QPushButton *existing)
    : BaseImplQt(owner)
{
    QPushButton *button = existing ? WrapWidget(existing) : MakeWidget<ButtonQt>();
    Connect(button, &QPushButton::clicked, [this] { Fire(&Button::OnClicked); });
}

Button::impl::~impl() = default;

bool Button::impl::TakesMouseEventsWhenDisabled() const
{
    return false;
}

} // namespace AUILib
