#include "GroupBoxImpl.h"

#include <QString>

namespace AUILib {

GroupBox::impl::impl(GroupBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<GroupBoxQt>();
}

GroupBox::impl::~impl() = default;

void GroupBox::impl::Show(bool show, bool)
{
    QWidget *box = widgetOrThrow();
    box->setVisible(show);
    QWidget *target = box->parentWidget() ? box->parentWidget() : box;
    target->repaint(0, 0, box->width(), box->height());
}

void GroupBox::impl::SetText(const std::wstring &text)
{
    auto *box = WidgetAs<QGroupBox>();
    if (!box)
        return;
    const std::size_t longest = kLongestShownTitle;
    m_longTitle = text.size() > longest ? text : std::wstring();
    box->setTitle(QString::fromStdWString(text.substr(0, longest)));
}

std::wstring GroupBox::impl::GetText() const
{
    const auto *box = WidgetAs<QGroupBox>();
    if (!box)
        return std::wstring();
    const std::wstring shown = box->title().toStdWString();
    if (!m_longTitle.empty() && m_longTitle.compare(0, kLongestShownTitle, shown) == 0)
        return m_longTitle;
    return shown;
}

} // namespace AUILib
