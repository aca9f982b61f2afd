#include "RichEditImpl.h"

namespace AUILib {

RichEdit::impl::impl(RichEdit *owner)
    : BaseImplQt(owner)
{
    MakeWidget<RichEditQt>();
}

RichEdit::impl::~impl() = default;

} // namespace AUILib
