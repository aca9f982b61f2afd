#include "ProgressBarImpl.h"

namespace AUILib {

ProgressBar::impl::impl(ProgressBar *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ProgressBarQt>();
}

ProgressBar::impl::~impl() = default;

} // namespace AUILib
