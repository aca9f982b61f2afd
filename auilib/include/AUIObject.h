#pragma once

#include <memory>

namespace AUILib {

class AUIObject;

// Private companion of every toolkit object. It carries nothing anyone reads
// yet; it exists so the root class can grow without changing its layout.
class AUIObjectImpl
{
public:
    explicit AUIObjectImpl(AUIObject *owner);
    virtual ~AUIObjectImpl();

    AUIObject *owner = nullptr;
    void *reserved = nullptr;
};

// Root of every toolkit object.
class AUIObject
{
public:
    virtual ~AUIObject();

    AUIObject(const AUIObject &) = delete;
    AUIObject &operator=(const AUIObject &) = delete;

protected:
    AUIObject();

    std::unique_ptr<AUIObjectImpl> m_objectImpl;
};

} // namespace AUILib
