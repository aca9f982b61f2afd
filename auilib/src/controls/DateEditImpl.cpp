#include "DateEditImpl.h"

namespace AUILib {

DateEdit::impl::impl(DateEdit *owner)
    : BaseImplQt(owner)
{
    MakeWidget<DateEditQt>();
}

DateEdit::impl::~impl() = default;

} // namespace AUILib
