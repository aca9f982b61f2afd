#include "AUILibObjectFactory.h"

namespace AUILib {

AUILibObjectFactory &AUILibObjectFactory::Instance()
{
    static AUILibObjectFactory factory;
    return factory;
}

void AUILibObjectFactory::Register(std::string name, std::shared_ptr<ICreator> creator)
{
    m_creators.emplace(std::move(name), std::move(creator));
}

std::shared_ptr<BaseGUIObject> AUILibObjectFactory::Create(std::string name)
{
    const auto found = m_creators.find(name);
    if (found == m_creators.end())
        return nullptr;
    return found->second->Create();
}

} // namespace AUILib
