#include "COB_HashMapBase.h"

#include "COB_MemoryMgr.h"
#include "COB_Plex.h"

#include <cstring>

POSITION const COB_HashMapBase::kBeforeStart = reinterpret_cast<POSITION>(~static_cast<uintptr_t>(0));

COB_HashMapBase::COB_HashMapBase(int blockSize, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_pHashTable(nullptr), m_nHashTableSize(16), m_nCount(0), m_pFreeList(nullptr),
      m_pBlocks(nullptr), m_nBlockSize(blockSize)
{
}

COB_HashMapBase::Link** COB_HashMapBase::AllocTable(uint32_t size) const
{
    if (size == 0 || size > 0x7FFFFFFFu / sizeof(Link*))
        return nullptr;
    const size_t bytes = static_cast<size_t>(size) * sizeof(Link*);
    Link** table = static_cast<Link**>(OBMEM_AllocatorAlloc(m_pAllocator, bytes));
    if (table)
        std::memset(table, 0, bytes);
    return table;
}

void COB_HashMapBase::FreeTable(Link** table) const
{
    if (table)
        OBMEM_AllocatorFree(m_pAllocator, table);
}

COB_HashMapBase::Link* COB_HashMapBase::NewLink(size_t assocSize)
{
    if (!m_pFreeList) {
        if (m_nBlockSize < 1)
            return nullptr;
        COB_Plex* block =
            COB_Plex::Create(m_pAllocator, m_pBlocks, static_cast<uint32_t>(m_nBlockSize), static_cast<uint32_t>(assocSize));
        if (!block)
            return nullptr;
        // Threaded from the last record back, so the block's first record is handed out first.
        uint8_t* records = static_cast<uint8_t*>(block->data());
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            Link* link = reinterpret_cast<Link*>(records + static_cast<size_t>(i) * assocSize);
            link->pNext = m_pFreeList;
            m_pFreeList = link;
        }
    }
    Link* link = m_pFreeList;
    m_pFreeList = link->pNext;
    return link;
}

void COB_HashMapBase::FreeLink(Link* link)
{
    link->pNext = m_pFreeList;
    m_pFreeList = link;
}

COB_HashMapBase::Link* COB_HashMapBase::InsertLink(uint32_t bucket, size_t assocSize)
{
    if (!m_pHashTable) {
        m_pHashTable = AllocTable(m_nHashTableSize);
        if (!m_pHashTable)
            return nullptr;
    }
    Link* link = NewLink(assocSize);
    if (!link)
        return nullptr;
    ++m_nCount;
    link->pNext = m_pHashTable[bucket];
    m_pHashTable[bucket] = link;
    return link;
}

void COB_HashMapBase::UnlinkAt(Link** at)
{
    Link* link = *at;
    *at = link->pNext;
    FreeLink(link);
    --m_nCount;
}

void COB_HashMapBase::ResetTable(uint32_t size, bool allocateNow)
{
    FreeTable(m_pHashTable);
    m_pHashTable = nullptr;
    // A size of 0 would leave no bucket to hash into.
    m_nHashTableSize = size ? size : 1;
    if (allocateNow)
        m_pHashTable = AllocTable(m_nHashTableSize);
}

void COB_HashMapBase::FreeAll()
{
    FreeTable(m_pHashTable);
    m_pHashTable = nullptr;
    m_nCount = 0;
    m_pFreeList = nullptr;
    if (m_pBlocks)
        m_pBlocks->FreeDataChain(m_pAllocator);
    m_pBlocks = nullptr;
}

bool COB_HashMapBase::WantsGrowth() const
{
    // Load factor 1, with no upper bound short of what a 32-bit size can double to.
    return m_pHashTable && static_cast<uint32_t>(m_nCount) >= m_nHashTableSize && m_nHashTableSize <= 0x40000000u;
}

COB_HashMapBase::Link* COB_HashMapBase::FirstFrom(uint32_t index) const
{
    if (!m_pHashTable)
        return nullptr;
    for (; index < m_nHashTableSize; ++index)
        if (m_pHashTable[index])
            return m_pHashTable[index];
    return nullptr;
}

void*& COB_HashMapBase::LostSlot()
{
    thread_local void* slot = nullptr;
    slot = nullptr;
    return slot;
}
