#include "SplitterImpl.h"

#include "SizeBound.h"

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
    // Qt adds the sizes up in int and lays them out by their share of the
    // sum: sizes near INT_MAX overflow it and its layout never settles.
    // Each is held to what a window may be along the splitter.
    const bool across = splitter->orientation() == Qt::Horizontal;
    QList<int> bounded;
    for (const int size : sizes)
        bounded.append(across ? SizeBound::Width(size) : SizeBound::Height(size));
    // Every view is moved and resized at once.
    EventGate::Hold hold;
    splitter->setSizes(bounded);
}

void Splitter::impl::SetHandleWidth(int width)
{
    auto *splitter = WidgetAs<QSplitter>();
    if (!splitter)
        return;
    // A handle wider than any window would overflow Qt's sums as above; a
    // negative width stays, Qt's word for the style's own.
    const bool across = splitter->orientation() == Qt::Horizontal;
    const int bounded = width < 0 ? width : across ? SizeBound::Width(width) : SizeBound::Height(width);
    EventGate::Hold hold;
    splitter->setHandleWidth(bounded);
}

} // namespace AUILib
