#include "SliderImpl.h"

namespace AUILib {

Slider::impl::impl(Slider *owner)
    : BaseImplQt(owner)
{
    MakeWidget<SliderQt>();
}

Slider::impl::~impl() = default;

} // namespace AUILib
