#include "SplitterImpl.h"

namespace AUILib {

Splitter::impl::impl(Splitter *owner)
    : BaseImplQt(owner)
{
    MakeWidget<SplitterQt>();
}

Splitter::impl::~impl() = default;

} // namespace AUILib
