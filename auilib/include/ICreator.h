#pragma once

#include <memory>

namespace AUILib {

class BaseGUIObject;

// Makes one kind of control for the control factory.
class ICreator
{
public:
    virtual ~ICreator() = default;
    // A new control whose widget exists but has no parent yet.
    virtual std::shared_ptr<BaseGUIObject> Create() = 0;
};

} // namespace AUILib
