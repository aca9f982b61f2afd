#include "AUIObject.h"

namespace AUILib {

AUIObjectImpl::AUIObjectImpl(AUIObject *owner_)
    : owner(owner_)
{
}

AUIObjectImpl::~AUIObjectImpl() = default;

AUIObject::AUIObject() = default;

AUIObject::~AUIObject() = default;

} // namespace AUILib
