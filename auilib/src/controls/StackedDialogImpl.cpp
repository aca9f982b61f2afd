#include "StackedDialogImpl.h"

#include "EnablePageWidget.h"

namespace AUILib {

StackedDialog::impl::impl(StackedDialog *owner)
    : BaseImplQt(owner)
{
    MakeWidget<StackedDialogQt>();
}

StackedDialog::impl::~impl() = default;

void StackedDialog::impl::SetCurrentIndex(int index)
{
    auto *stack = WidgetAs<QStackedWidget>();
    if (!stack)
        return;
    // Qt hides one page and shows the other, moving the focus between them.
    EventGate::Hold hold;
    stack->setCurrentIndex(index);
}

int StackedDialog::impl::GetCurrentIndex() const
{
    const auto *stack = WidgetAs<QStackedWidget>();
    return stack ? stack->currentIndex() : 0;
}

QWidget *StackedDialog::impl::GetPage(int index)
{
    widgetOrThrow();
    return WidgetAs<QStackedWidget>()->widget(index);
}

int StackedDialog::impl::InsertChildDialog(int index, QWidget *page)
{
    auto *stack = WidgetAs<QStackedWidget>();
    if (!stack)
        return 0;
    // Qt's layout would dereference a null page, and a page that holds the
    // stack would make the stack its own parent: Qt then loops for good.
    if (!page || WouldOwnItself(page, stack))
        return -1;
    EventGate::Hold hold;
    return stack->insertWidget(index, page);
}

void StackedDialog::impl::EnablePage(int index, bool enable, bool withChildren)
{
    widgetOrThrow();
    EnablePageWidget(WidgetAs<QStackedWidget>()->widget(index), enable, withChildren);
}

} // namespace AUILib
