#pragma once

#include "ICreator.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace AUILib {

class BaseGUIObject;

// The process-wide registry from the class names of Designer forms
// ("QPushButton") to the creators of the toolkit's controls. The toolkit
// configuration fills it when it is made; until then it makes nothing.
class AUILibObjectFactory
{
public:
    static AUILibObjectFactory &Instance();

    // A name already registered keeps its first creator.
    void Register(std::string name, std::shared_ptr<ICreator> creator);
    // Empty for a name not registered; names are compared exactly, letter case
    // included.
    std::shared_ptr<BaseGUIObject> Create(std::string name);

    AUILibObjectFactory(const AUILibObjectFactory &) = delete;
    AUILibObjectFactory &operator=(const AUILibObjectFactory &) = delete;

private:
    AUILibObjectFactory() = default;

    std::unordered_map<std::string, std::shared_ptr<ICreator>> m_creators;
};

} // namespace AUILib
