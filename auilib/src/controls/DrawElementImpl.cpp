#include "DrawElementImpl.h"

namespace AUILib {

DrawElement::impl::impl(DrawElement *owner)
    : BaseImplQt(owner)
{
    MakeWidget<DrawElementQt>(owner);
}

DrawElement::impl::~impl() = default;

} // namespace AUILib
