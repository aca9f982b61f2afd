#include "HyperLinkElementImpl.h"

namespace AUILib {

HyperLinkElement::impl::impl(HyperLinkElement *owner)
    : BaseImplQt(owner)
{
    MakeWidget<HyperLinkElementQt>();
}

HyperLinkElement::impl::~impl() = default;

} // namespace AUILib
