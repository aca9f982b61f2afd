#pragma once

#include <type_traits>
#include <typeinfo>
#include <utility>

namespace AUILib {

// A type-erased holder of one copyable value: the application's data of a
// combo box, list box or tree item. Copies are deep (the held value is cloned).
class any
{
public:
    class placeholder
    {
    public:
        virtual ~placeholder() = default;
        virtual const std::type_info &type() const = 0;
        virtual placeholder *clone() const = 0;
    };

    template <typename T>
    class holder : public placeholder
    {
    public:
        explicit holder(const T &value) : held(value) {}
        const std::type_info &type() const override { return typeid(T); }
        placeholder *clone() const override { return new holder(held); }

        T held;
    };

    any() = default;

    template <typename T, typename = std::enable_if_t<!std::is_same<std::decay_t<T>, any>::value>>
    any(const T &value) // NOLINT(google-explicit-constructor): values convert as the item views take them
        : m_content(new holder<std::decay_t<const T>>(value))
    {
    }

    any(const any &other) : m_content(other.m_content ? other.m_content->clone() : nullptr) {}
    any(any &&other) noexcept : m_content(other.m_content) { other.m_content = nullptr; }

    any &operator=(const any &other)
    {
        any(other).swap(*this);
        return *this;
    }
    any &operator=(any &&other) noexcept
    {
        any(std::move(other)).swap(*this);
        return *this;
    }

    ~any() { delete m_content; }

    void swap(any &other) noexcept { std::swap(m_content, other.m_content); }

    bool empty() const { return m_content == nullptr; }
    // typeid(void) for an empty any.
    const std::type_info &type() const { return m_content ? m_content->type() : typeid(void); }

    // The held value when it is a T; null otherwise (also when empty).
    template <typename T>
    const T *cast() const
    {
        if (!m_content || m_content->type() != typeid(T))
            return nullptr;
        return &static_cast<const holder<T> *>(m_content)->held;
    }
    template <typename T>
    T *cast()
    {
        return const_cast<T *>(static_cast<const any *>(this)->cast<T>());
    }

private:
    placeholder *m_content = nullptr;
};

// The held value when `value` holds a T; null otherwise.
template <typename T>
const T *any_cast(const any *value)
{
    return value ? value->cast<T>() : nullptr;
}

template <typename T>
T *any_cast(any *value)
{
    return value ? value->cast<T>() : nullptr;
}

} // namespace AUILib
