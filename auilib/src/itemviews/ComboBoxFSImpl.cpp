#include "ComboBoxFSImpl.h"

namespace AUILib {

ComboBoxFS::impl::impl(ComboBoxFS *owner)
    : BaseImplQt(owner)
{
    MakeWidget<ComboBoxFSQt>();
}

ComboBoxFS::impl::~impl() = default;

} // namespace AUILib
