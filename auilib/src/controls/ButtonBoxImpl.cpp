#include "ButtonBoxImpl.h"

#include "Button.h"

namespace AUILib {

ButtonBox::impl::impl()
    : m_widget(new ButtonBoxQt)
{
}

ButtonBox::impl::~impl()
{
    // Newest first, the reverse of how the dialog added them.
    while (!m_buttons.empty())
        m_buttons.pop_back();
}

QWidget *ButtonBox::impl::GetWidget() { return m_widget.data(); }

} // namespace AUILib
