#ifndef COB_ARRAYTEMPLATE_H
#define COB_ARRAYTEMPLATE_H

#include "COB_BasicArray.h"

#include <cstring>
#include <type_traits>

// Typed array of plain elements: no constructor, destructor or copy of T is ever run.
template <class T>
class COB_ArrayTemplate : public COB_BasicArray
{
    static_assert(std::is_trivially_copyable<T>::value, "elements are moved as raw bytes");

public:
    explicit COB_ArrayTemplate(_IOB_Allocator* allocator = nullptr) : COB_BasicArray(sizeof(T), allocator) {}
    COB_ArrayTemplate(const COB_ArrayTemplate& source, _IOB_Allocator* allocator = nullptr)
        : COB_BasicArray(source, allocator) {}
    COB_ArrayTemplate& operator=(const COB_ArrayTemplate& source)
    {
        COB_BasicArray::operator=(source);
        return *this;
    }

    T* GetData() const { return reinterpret_cast<T*>(m_pData); }

    T GetAt(int index) const { return *Checked(index); }
    bool SetAt(int index, const T& value)
    {
        *Checked(index) = value;
        return true;
    }
    T& ElementAt(int index) { return *Checked(index); }
    const T& ElementAt(int index) const { return *Checked(index); }
    T& operator[](int index) { return *Checked(index); }
    const T& operator[](int index) const { return *Checked(index); }

    // Index of the new element, or -1 when the array could not grow.
    int Add(const T& value)
    {
        T copy = value; // value may live inside the block that grows
        if (m_nSize < m_nMaxSize)
            ++m_nSize;
        else if (!SetSize(m_nSize + 1, -1))
            return -1;
        std::memcpy(m_pData + static_cast<size_t>(m_nSize - 1) * sizeof(T), &copy, sizeof(T));
        return m_nSize - 1;
    }

    bool InsertAt(int index, const T& value, int count = 1)
    {
        T copy = value;
        if (!InsertSpaceAt(index, count))
            return false;
        for (int i = 0; i < count; ++i)
            std::memcpy(m_pData + static_cast<size_t>(index + i) * sizeof(T), &copy, sizeof(T));
        return true;
    }

    int Find(const T& value, int start = 0) const
    {
        for (int i = start < 0 ? 0 : start; i < m_nSize; ++i)
            if (std::memcmp(m_pData + static_cast<size_t>(i) * sizeof(T), &value, sizeof(T)) == 0)
                return i;
        return -1;
    }

    void RemoveAll() { SetSize(0, -1); }

private:
    T* Checked(int index) const
    {
        if (index < 0 || index >= m_nSize)
            OB_ReportInvalidIndex(index);
        return reinterpret_cast<T*>(m_pData) + index;
    }
};

#endif
