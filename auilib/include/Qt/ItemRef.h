#pragma once

#include "OwnerRef.h"

#include <QModelIndex>
#include <QPersistentModelIndex>

#include <type_traits>
#include <utility>

namespace AUILib {

// The one way to hold an item of a control's model across anything that may
// run a handler, and the one way an event names an item: by identity, never by
// a pointer compared after a handler ran or a row number kept from before. It
// follows its item through Qt's insertions, removals, moves and sorts (Qt's
// persistent index does the following), reads as gone once the item is gone,
// and then reads the item as it is now: its current row, or the model's
// object for it. `Read` turns the index into what an event hands out.
//
// Cheap while unheld: a plain index until Hold() is called (Fire holds the
// events it has to keep waiting), so an event delivered at once costs no
// persistent index.
template <class T>
class ItemRef
{
public:
    using Read = T (*)(const QModelIndex &);

    ItemRef() = default;
    ItemRef(const QModelIndex &index, Read read)
        : m_index(index)
        , m_read(read)
    {
    }
    // No item: always there, read as a null pointer (a drop on no item, say).
    static ItemRef None()
    {
        static_assert(std::is_pointer_v<T>, "only a pointer reads as no item");
        ItemRef none;
        none.m_none = true;
        return none;
    }

    // From here on the item is followed through changes of its model.
    ItemRef &Hold()
    {
        if (!m_held) {
            m_persistent = m_index;
            m_index = QModelIndex();
            m_held = true;
        }
        return *this;
    }
    // Whether the item is still there.
    bool IsThere() const { return m_none || Index().isValid(); }
    // The item as it is now; only while IsThere.
    T Get() const { return m_none ? T() : m_read(Index()); }
    // The item's index now; invalid once it is gone.
    QModelIndex Index() const { return m_held ? QModelIndex(m_persistent) : m_index; }
    int Row() const { return Index().row(); }

private:
    QModelIndex m_index;
    QPersistentModelIndex m_persistent;
    Read m_read = nullptr;
    bool m_held = false;
    bool m_none = false;
};

// A row, reported under its current number.
inline ItemRef<int> RowRef(const QModelIndex &index)
{
    return ItemRef<int>(index, [](const QModelIndex &at) { return at.row(); });
}

// A public control (an editor a view made, say) named by an event: there as
// long as the control lives; null stands for no control and is always there.
template <class T>
class ControlRef
{
public:
    explicit ControlRef(T *control)
        : m_control(control)
        , m_none(control == nullptr)
    {
    }
    ControlRef &Hold() { return *this; }
    bool IsThere() const { return m_none || m_control.get() != nullptr; }
    T *Get() const { return m_control.get(); }

private:
    OwnerRef<T> m_control;
    bool m_none;
};

namespace detail {

template <class V>
struct IsRef : std::false_type
{
};
template <class T>
struct IsRef<ItemRef<T>> : std::true_type
{
};
template <class T>
struct IsRef<ControlRef<T>> : std::true_type
{
};

// How an event's value is kept while the event waits, asked whether it is
// still there and handed to the handlers: plain values as they are, items and
// controls by identity.
template <class V>
struct EventValue
{
    template <class U>
    static U &&Hold(U &&value)
    {
        return std::forward<U>(value);
    }
    static bool IsThere(const V &) { return true; }
    template <class U>
    static U &&Get(U &&value)
    {
        return std::forward<U>(value);
    }
};
template <class T>
struct EventValue<ItemRef<T>>
{
    static ItemRef<T> Hold(ItemRef<T> value) { return std::move(value.Hold()); }
    static bool IsThere(const ItemRef<T> &value) { return value.IsThere(); }
    static T Get(const ItemRef<T> &value) { return value.Get(); }
};
template <class T>
struct EventValue<ControlRef<T>>
{
    static ControlRef<T> Hold(ControlRef<T> value) { return value; }
    static bool IsThere(const ControlRef<T> &value) { return value.IsThere(); }
    static T *Get(const ControlRef<T> &value) { return value.Get(); }
};

} // namespace detail

} // namespace AUILib
