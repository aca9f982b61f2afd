#include "COB_BaseSegmentedArray.h"

#include "COB_MemoryMgr.h"

#include <climits>
#include <cstring>

COB_BaseSegmentedArray::COB_BaseSegmentedArray(int unitSize, int segmentUnits, int indexSize, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_UnitSize(unitSize), m_SegmentUnits(static_cast<int16_t>(segmentUnits)),
      m_IndexSize(static_cast<uint8_t>(indexSize)), m_IndexDepth(0), m_DataSize(0), m_pIndex(nullptr)
{
}

COB_BaseSegmentedArray::~COB_BaseSegmentedArray()
{
    RemoveAll();
}

void COB_BaseSegmentedArray::SetUnitSize(int unitSize, int segmentUnits, int indexSize)
{
    m_UnitSize = unitSize;
    m_SegmentUnits = static_cast<int16_t>(segmentUnits);
    m_IndexSize = static_cast<uint8_t>(indexSize);
}

void* COB_BaseSegmentedArray::AllocBlock(size_t size)
{
    if (size == 0 || size > 0x7fffffffu)
        return nullptr;
    return OBMEM_AllocatorAlloc(m_pAllocator, size);
}

void COB_BaseSegmentedArray::FreeBlock(void* block)
{
    if (block)
        OBMEM_AllocatorFree(m_pAllocator, block);
}

void** COB_BaseSegmentedArray::NewNode()
{
    size_t bytes = static_cast<size_t>(m_IndexSize) * sizeof(void*);
    void** node = static_cast<void**>(AllocBlock(bytes));
    if (node)
        std::memset(node, 0, bytes);
    return node;
}

void** COB_BaseSegmentedArray::GetIndex(int segmentNumber) const
{
    void** node = static_cast<void**>(m_pIndex);
    if (m_IndexDepth <= 1)
        return node;
    long long span = 1;
    for (int level = 1; level < m_IndexDepth; ++level)
        span *= m_IndexSize;
    long long k = segmentNumber;
    for (int step = 1; step < m_IndexDepth; ++step) {
        node = static_cast<void**>(node[k / span]);
        k %= span;
        span /= m_IndexSize;
    }
    return node;
}

void* COB_BaseSegmentedArray::GetAt(int index) const
{
    if (index < 0 || index >= m_DataSize)
        return nullptr;
    size_t offset = static_cast<size_t>(index % m_SegmentUnits) * m_UnitSize;
    if (m_IndexDepth == 0)
        return static_cast<uint8_t*>(m_pIndex) + offset;
    int k = index / m_SegmentUnits;
    void** node = GetIndex(k);
    return static_cast<uint8_t*>(node[k % m_IndexSize]) + offset;
}

void* COB_BaseSegmentedArray::Add()
{
    int n = m_DataSize;
    if (n == INT_MAX)
        return nullptr;
    if (n % m_SegmentUnits != 0) {
        m_DataSize = n + 1;
        return GetAt(n);
    }
    void* segment = AllocBlock(static_cast<size_t>(m_UnitSize) * static_cast<size_t>(m_SegmentUnits));
    if (!segment)
        return nullptr;
    if (!m_pIndex) {
        m_pIndex = segment;
        m_IndexDepth = 0;
        m_DataSize = 1;
        return segment;
    }
    if (m_IndexDepth == 0) {
        void** node = NewNode();
        if (!node) {
            FreeBlock(segment);
            return nullptr;
        }
        node[0] = m_pIndex;
        node[1] = segment;
        m_pIndex = node;
        m_IndexDepth = 1;
        m_DataSize = n + 1;
        return segment;
    }
    long long k = n / m_SegmentUnits;
    if (k % m_IndexSize != 0) {
        GetIndex(static_cast<int>(k))[k % m_IndexSize] = segment;
        m_DataSize = n + 1;
        return segment;
    }
    long long span = 1;
    for (int level = 0; level < m_IndexDepth; ++level)
        span *= m_IndexSize;
    if (static_cast<long long>(n) == static_cast<long long>(m_SegmentUnits) * span) {
        void** root = NewNode();
        if (!root || m_IndexDepth == UINT8_MAX) {
            FreeBlock(root);
            FreeBlock(segment);
            return nullptr;
        }
        root[0] = m_pIndex;
        m_pIndex = root;
        ++m_IndexDepth;
    } else {
        span /= m_IndexSize;
    }
    void** node = static_cast<void**>(m_pIndex);
    for (int step = 1; step < m_IndexDepth; ++step) {
        long long slot = k / span;
        if (!node[slot]) {
            void** child = NewNode();
            if (!child) {
                // Nodes made so far stay in the tree (empty, reused later); every element is kept.
                FreeBlock(segment);
                return nullptr;
            }
            node[slot] = child;
        }
        node = static_cast<void**>(node[slot]);
        k %= span;
        span /= m_IndexSize;
    }
    node[k % m_IndexSize] = segment;
    m_DataSize = n + 1;
    return segment;
}

void COB_BaseSegmentedArray::Delete(int index, int count)
{
    if (index < 0 || count < 1 || static_cast<long long>(index) + count > m_DataSize)
        return;
    for (int j = index; j < m_DataSize - count; ++j)
        std::memcpy(GetAt(j), GetAt(j + count), static_cast<size_t>(m_UnitSize));
    int remaining = m_DataSize - count;
    int needed = (remaining + m_SegmentUnits - 1) / m_SegmentUnits;
    int inUse = static_cast<int>((static_cast<long long>(m_DataSize) + m_SegmentUnits - 1) / m_SegmentUnits);
    for (int k = needed; k < inUse; ++k) {
        if (m_IndexDepth == 0) {
            FreeBlock(m_pIndex);
            m_pIndex = nullptr;
            continue;
        }
        void** node = GetIndex(k);
        FreeBlock(node[k % m_IndexSize]);
        node[k % m_IndexSize] = nullptr;
    }
    m_DataSize = remaining;
}

void COB_BaseSegmentedArray::FreeTree(void* node, int level)
{
    if (level > 0 && m_IndexSize >= 1) {
        void** slots = static_cast<void**>(node);
        for (int i = 0; i < m_IndexSize; ++i)
            if (slots[i])
                FreeTree(slots[i], level - 1);
    }
    FreeBlock(node);
}

void COB_BaseSegmentedArray::RemoveAll()
{
    if (m_pIndex)
        FreeTree(m_pIndex, m_IndexDepth);
    m_pIndex = nullptr;
    m_IndexDepth = 0;
    m_DataSize = 0;
}

void* COB_BaseSegmentedArray::IterateSegment(uint8_t* segment, int count, IterateCallback callback, void* param) const
{
    for (int i = 0; i < count; ++i) {
        uint8_t* element = segment + static_cast<size_t>(i) * m_UnitSize;
        if (!callback(param, element))
            return element;
    }
    return nullptr;
}

void* COB_BaseSegmentedArray::IterateIndex(int level, int& start, void** node, IterateCallback callback,
                                           void* param) const
{
    for (int i = 0; i < m_IndexSize; ++i) {
        if (!node[i])
            continue;
        void* found = nullptr;
        if (level <= 1) {
            int count = m_DataSize - start;
            if (count > m_SegmentUnits)
                count = m_SegmentUnits;
            if (count < 1)
                continue;
            start += count;
            found = IterateSegment(static_cast<uint8_t*>(node[i]), count, callback, param);
        } else {
            found = IterateIndex(level - 1, start, static_cast<void**>(node[i]), callback, param);
        }
        if (found)
            return found;
    }
    return nullptr;
}

void* COB_BaseSegmentedArray::Iterate(IterateCallback callback, void* param) const
{
    if (!m_pIndex)
        return nullptr;
    int start = 0;
    if (m_IndexDepth == 0) {
        int count = m_DataSize < m_SegmentUnits ? m_DataSize : m_SegmentUnits;
        return IterateSegment(static_cast<uint8_t*>(m_pIndex), count, callback, param);
    }
    return IterateIndex(m_IndexDepth, start, static_cast<void**>(m_pIndex), callback, param);
}
