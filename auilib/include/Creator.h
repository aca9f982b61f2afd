#pragma once

#include "ICreator.h"

#include <memory>

namespace AUILib {

// Makes a T through its public default constructor.
template <class T>
class Creator : public ICreator
{
public:
    std::shared_ptr<BaseGUIObject> Create() override { return std::make_shared<T>(); }
};

} // namespace AUILib
