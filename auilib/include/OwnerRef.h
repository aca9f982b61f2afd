#pragma once

#include <memory>

namespace AUILib {

// A weak reference to a public control (any BaseGUIObject): null once the
// control is destroyed. Whatever can outlive its control keeps one of these
// and never a plain pointer: an implementation that someone still holds
// through GetBaseImpl, a Qt widget that stays with its Qt parent, a delegate or
// a model parented to that widget.
template <class T>
class OwnerRef
{
public:
    OwnerRef() = default;
    explicit OwnerRef(T *owner)
        : m_owner(owner)
    {
        if (owner)
            m_alive = owner->LifeToken();
    }

    // Null once the control is gone. GUI thread only: the answer holds until
    // control returns to the event loop.
    T *get() const { return m_alive.expired() ? nullptr : m_owner; }
    explicit operator bool() const { return get() != nullptr; }

private:
    T *m_owner = nullptr;
    std::weak_ptr<const void> m_alive;
};

} // namespace AUILib
