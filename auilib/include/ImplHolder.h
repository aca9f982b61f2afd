#pragma once

#include <memory>
#include <utility>

namespace AUILib {

// A public control's hold on its implementation. A call made through `->`
// keeps the implementation alive until that call returns: a handler the call
// fires may release the control itself, and the call must then end in a live
// object (which sees its control gone and stops) rather than run on in freed
// memory. Otherwise it reads as the shared pointer it wraps.
template <class T>
class ImplHolder
{
public:
    // One call's hold; lives until the end of the full expression.
    class Call
    {
    public:
        explicit Call(std::shared_ptr<T> impl)
            : m_impl(std::move(impl))
        {
        }
        T *operator->() const { return m_impl.get(); }

    private:
        std::shared_ptr<T> m_impl;
    };

    ImplHolder() = default;
    ImplHolder(std::shared_ptr<T> impl) // NOLINT: reads as the shared pointer
        : m_impl(std::move(impl))
    {
    }
    ImplHolder(const ImplHolder &) = default;
    ImplHolder &operator=(const ImplHolder &) = default;
    // The implementation's last reference may go here, and what its
    // destructors do (hiding a shown widget, closing a balloon) can reach
    // the control's widget, whose handlers ask the control for its
    // implementation: it answers null from the start, never a copy of the
    // reference being dropped.
    ~ImplHolder() { reset(); }

    Call operator->() const { return Call(m_impl); }
    T *get() const { return m_impl.get(); }
    explicit operator bool() const { return m_impl != nullptr; }
    void reset()
    {
        std::shared_ptr<T> dropped;
        dropped.swap(m_impl);
    }

    // A copy of the shared pointer, as GetBaseImpl hands it out.
    template <class U>
    operator std::shared_ptr<U>() const // NOLINT: reads as the shared pointer
    {
        return m_impl;
    }

private:
    std::shared_ptr<T> m_impl;
};

} // namespace AUILib
