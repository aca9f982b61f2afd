#include "BaseImpl.h"

namespace AUILib {

// Out of line, so the class's type information lives in this library.
BaseImpl::~BaseImpl() = default;

} // namespace AUILib
