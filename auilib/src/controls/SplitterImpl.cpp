#include "SplitterImpl.h"

#include <QList>

namespace AUILib {

Splitter::impl::impl(Splitter *owner)
    : BaseImplQt(owner)
{
    MakeWidget<SplitterQt>();
}

Splitter::impl::~impl() = default;

bool Splitter::impl::DynamicResizing() const
{
    const auto *splitter = WidgetAs<QSplitter>();
    return splitter && splitter->opaqueResize();
}

void Splitter::impl::SetDynamicResizing(bool dynamic)
{
    if (auto *splitter = WidgetAs<QSplitter>())
        splitter->setOpaqueResize(dynamic);
}

void Splitter::impl::SetSizes(const std::list<int> &sizes)
{
    auto *splitter = WidgetAs<QSplitter>();
    if (!splitter)
        return;
    // Every view is moved and resized at once.
    EventGate::Hold hold;
    splitter->setSizes(QList<int>(sizes.begin(), sizes.end()));
}

void Splitter::impl::SetHandleWidth(int width)
{
    auto *splitter = WidgetAs<QSplitter>();
    if (!splitter)
        return;
    EventGate::Hold hold;
    splitter->setHandleWidth(width);
}

} // namespace AUILib
