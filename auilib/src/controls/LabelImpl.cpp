#include "LabelImpl.h"

#include <QString>

namespace AUILib {

Label::impl::impl()
    : m_widget(new LabelQt)
{
}

Label::impl::~impl() = default;

QWidget *Label::impl::GetWidget() { return m_widget.data(); }

void Label::impl::SetText(const std::wstring &text)
{
    m_text = text;
    if (!m_widget)
        return;
    // Up to the first NUL, as a C string would end.
    m_widget->setText(QString::fromStdWString(std::wstring(text.c_str())));
}

} // namespace AUILib
