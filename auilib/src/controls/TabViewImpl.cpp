#include "TabViewImpl.h"

#include "EnablePageWidget.h"

#include <QString>

namespace AUILib {

namespace {

// Up to the first NUL, as a C string would end.
std::wstring untilNul(const std::wstring &text)
{
    return text.substr(0, text.find(L'\0'));
}

} // namespace

TabView::impl::impl(TabView *owner)
    : BaseImplQt(owner)
{
    TabViewQt *tabs = MakeWidget<TabViewQt>();
    Connect(tabs, &QTabWidget::currentChanged, [this](int index) { Fire(&TabView::OnCurrentChanged, index); });
}

TabView::impl::~impl() = default;

void TabView::impl::SetCurrentIndex(int index)
{
    auto *tabs = WidgetAs<QTabWidget>();
    if (!tabs)
        return;
    // Qt hides one page and shows the other, moving the focus between them.
    EventGate::Hold hold;
    tabs->setCurrentIndex(index);
}

void TabView::impl::SetTabText(int index, const std::wstring &text)
{
    if (auto *tabs = WidgetAs<QTabWidget>())
        tabs->setTabText(index, QString::fromStdWString(untilNul(text)));
}

std::wstring TabView::impl::GetTabText(int index) const
{
    const auto *tabs = WidgetAs<QTabWidget>();
    return tabs ? untilNul(tabs->tabText(index).toStdWString()) : std::wstring();
}

void TabView::impl::EnablePage(int index, bool enable, bool withChildren)
{
    widgetOrThrow();
    EnablePageWidget(WidgetAs<QTabWidget>()->widget(index), enable, withChildren);
}

int TabView::impl::GetCurrentIndex() const
{
    const auto *tabs = WidgetAs<QTabWidget>();
    return tabs ? tabs->currentIndex() : -1;
}

int TabView::impl::GetItemCount() const
{
    const auto *tabs = WidgetAs<QTabWidget>();
    return tabs ? tabs->count() : 0;
}

} // namespace AUILib
