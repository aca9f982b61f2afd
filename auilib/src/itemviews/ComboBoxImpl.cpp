#include "ComboBoxImpl.h"

namespace AUILib {

ComboBox::impl::impl(ComboBox *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ComboBoxQt>();
}

ComboBox::impl::~impl() = default;

} // namespace AUILib
