#include "MultiLineEditImpl.h"

namespace AUILib {

MultiLineEdit::impl::impl(MultiLineEdit *owner)
    : BaseImplQt(owner)
{
    MakeWidget<MultiLineEditQt>();
}

MultiLineEdit::impl::~impl() = default;

} // namespace AUILib
