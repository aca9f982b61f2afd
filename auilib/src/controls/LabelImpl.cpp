#include "LabelImpl.h"

#include <QString>

namespace AUILib {

Label::impl::impl(Label *owner)
    : BaseImplQt(owner)
{
    MakeWidget<LabelQt>();
}

Label::impl::~impl() = default;

void Label::impl::SetText(const std::wstring &text)
{
    m_text = text;
    LabelQt *label = WidgetAs<LabelQt>();
    if (!label)
        return;
    // Up to the first NUL, as a C string would end.
    label->setText(QString::fromStdWString(std::wstring(text.c_str())));
}

} // namespace AUILib
