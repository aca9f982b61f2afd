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
    if (auto *box = WidgetAs<QGroupBox>())
        box->setTitle(QString::fromStdWString(text));
}

std::wstring GroupBox::impl::GetText() const
{
    const auto *box = WidgetAs<QGroupBox>();
    return box ? box->title().toStdWString() : std::wstring();
}

} // namespace AUILib
