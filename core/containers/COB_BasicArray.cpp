#include "COB_BasicArray.h"

#include "COB_MemoryMgr.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int kMaxBytes = 0x10000000;

// Copies count elements of the source into dest. Arrays of different unit sizes copy count x the
// destination's unit size bytes, as always, but never read past the source's own elements.
void CopyElements(uint8_t* dest, int destUnit, const uint8_t* source, int sourceUnit, int count)
{
    size_t bytes = static_cast<size_t>(count) * destUnit;
    size_t available = static_cast<size_t>(count) * sourceUnit;
    if (available < bytes) {
        std::memmove(dest, source, available);
        std::memset(dest + available, 0, bytes - available);
    } else {
        std::memmove(dest, source, bytes);
    }
}

} // namespace

void OB_ReportInvalidIndex(int index)
{
    std::fprintf(stderr, "Invalid index:\n%d\n", index);
    std::fflush(stderr);
    std::abort();
}

COB_BasicArray::COB_BasicArray(int unitSize, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0),
      m_nUnitSize(static_cast<unsigned>(unitSize) > static_cast<unsigned>(kMaxBytes) || unitSize == 0 ? 4 : unitSize)
{
}

COB_BasicArray::COB_BasicArray(const COB_BasicArray& source, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_pData(nullptr), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0),
      m_nUnitSize(source.m_nUnitSize)
{
    if (SetSize(source.m_nSize, -1) && m_nSize > 0)
        CopyElements(m_pData, m_nUnitSize, source.m_pData, source.m_nUnitSize, m_nSize);
}

COB_BasicArray::~COB_BasicArray()
{
    FreeBlock();
}

void COB_BasicArray::FreeBlock()
{
    OBMEM_AllocatorFree(m_pAllocator, m_pData);
    m_pData = nullptr;
    m_nSize = 0;
    m_nMaxSize = 0;
}

bool COB_BasicArray::SetSize(int newSize, int growBy)
{
    // An impossible size is refused and the array keeps what it holds.
    if (newSize < 0 || newSize > kMaxBytes / m_nUnitSize)
        return false;
    if (growBy >= 0)
        m_nGrowBy = growBy;
    if (newSize == 0) {
        FreeBlock();
        return true;
    }
    if (!m_pData) {
        size_t bytes = static_cast<size_t>(newSize) * m_nUnitSize;
        m_pData = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(m_pAllocator, bytes));
        if (!m_pData) {
            m_nSize = m_nMaxSize = 0;
            return false;
        }
        std::memset(m_pData, 0, bytes);
        m_nSize = m_nMaxSize = newSize;
        return true;
    }
    if (newSize <= m_nMaxSize) {
        if (newSize > m_nSize)
            std::memset(m_pData + static_cast<size_t>(m_nSize) * m_nUnitSize, 0,
                        static_cast<size_t>(newSize - m_nSize) * m_nUnitSize);
        m_nSize = newSize;
        return true;
    }
    long long step = m_nGrowBy;
    if (step == 0) {
        step = m_nSize / 2;
        if (step < 1)
            step = 1;
    }
    long long capacity = m_nMaxSize + step;
    if (capacity < newSize)
        capacity = newSize;
    // Computed wide: a large grow-by must not wrap the byte count.
    long long bytes = capacity * m_nUnitSize;
    if (bytes > 0x7fffffffLL)
        return false;
    uint8_t* data = static_cast<uint8_t*>(OBMEM_AllocatorRealloc(m_pAllocator, m_pData, static_cast<size_t>(bytes)));
    if (!data)
        return false;
    std::memset(data + static_cast<size_t>(m_nSize) * m_nUnitSize, 0,
                static_cast<size_t>(capacity - m_nSize) * m_nUnitSize);
    m_pData = data;
    m_nSize = newSize;
    m_nMaxSize = static_cast<int>(capacity);
    return true;
}

bool COB_BasicArray::Copy(const COB_BasicArray& source)
{
    if (this == &source)
        return true;
    if (!SetSize(source.m_nSize, -1))
        return false;
    if (m_nSize > 0)
        CopyElements(m_pData, m_nUnitSize, source.m_pData, source.m_nUnitSize, m_nSize);
    return true;
}

COB_BasicArray& COB_BasicArray::operator=(const COB_BasicArray& source)
{
    Copy(source);
    return *this;
}

bool COB_BasicArray::Append(const COB_BasicArray& source)
{
    int oldSize = m_nSize;
    int count = source.m_nSize;
    if (count == 0)
        return SetSize(oldSize, -1);
    if (static_cast<long long>(oldSize) + count > 0x7fffffffLL)
        return false;
    if (!SetSize(oldSize + count, -1))
        return false;
    // The source may be this array: its data pointer is read after growing.
    CopyElements(m_pData + static_cast<size_t>(oldSize) * m_nUnitSize, m_nUnitSize, source.m_pData,
                 source.m_nUnitSize, count);
    return true;
}

void* COB_BasicArray::InsertSpaceAt(int index, int count)
{
    if (index < 0 || count < 1)
        return nullptr;
    if (index >= m_nSize) {
        if (static_cast<long long>(index) + count > 0x7fffffffLL || !SetSize(index + count, -1))
            return nullptr;
        return m_pData + static_cast<size_t>(index) * m_nUnitSize;
    }
    int oldSize = m_nSize;
    if (static_cast<long long>(oldSize) + count > 0x7fffffffLL || !SetSize(oldSize + count, -1))
        return nullptr;
    uint8_t* at = m_pData + static_cast<size_t>(index) * m_nUnitSize;
    std::memmove(at + static_cast<size_t>(count) * m_nUnitSize, at, static_cast<size_t>(oldSize - index) * m_nUnitSize);
    std::memset(at, 0, static_cast<size_t>(count) * m_nUnitSize);
    return at;
}

bool COB_BasicArray::RemoveAt(int index, int count)
{
    if (index < 0 || count < 1 || static_cast<long long>(index) + count > m_nSize)
        return false;
    uint8_t* at = m_pData + static_cast<size_t>(index) * m_nUnitSize;
    std::memmove(at, at + static_cast<size_t>(count) * m_nUnitSize,
                 static_cast<size_t>(m_nSize - index - count) * m_nUnitSize);
    m_nSize -= count;
    return true;
}

bool COB_BasicArray::InsertAt(int index, const COB_BasicArray* source)
{
    if (!source)
        return false;
    int count = source->m_nSize;
    if (count == 0)
        return true;
    if (source == this) {
        // Inserting an array into itself: take a copy first, the gap moves the source.
        COB_BasicArray copy(*this, m_pAllocator);
        if (copy.m_nSize != count)
            return false;
        return InsertAt(index, &copy);
    }
    uint8_t* at = static_cast<uint8_t*>(InsertSpaceAt(index, count));
    if (!at)
        return false;
    CopyElements(at, m_nUnitSize, source->m_pData, source->m_nUnitSize, count);
    return true;
}

void* COB_BasicArray::GetDataPtr(int index) const
{
    if (index < 0 || index >= m_nSize || !m_pData)
        return nullptr;
    return m_pData + static_cast<size_t>(index) * m_nUnitSize;
}
