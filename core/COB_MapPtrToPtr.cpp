#include "COB_MapPtrToPtr.h"

COB_MapPtrToPtr::COB_MapPtrToPtr(int blockSize, _IOB_Allocator* allocator) : COB_HashMapBase(blockSize, allocator)
{
}

COB_MapPtrToPtr::~COB_MapPtrToPtr()
{
    RemoveAll();
}

uint32_t COB_MapPtrToPtr::HashKey(void* key) const
{
    const uint64_t k = reinterpret_cast<uintptr_t>(key);
    uint32_t h = static_cast<uint32_t>(k & 0xFFFF) * 1313u + static_cast<uint32_t>((k >> 16) & 0xFFFF);
    h = h * 1313u + static_cast<uint32_t>((k >> 32) & 0xFFFF);
    h = h * 1313u + static_cast<uint32_t>(k >> 48);
    // Heap pointers are 16-byte aligned, which leaves the low bits of the sum above nearly
    // constant and piles them into a few buckets of a power-of-two table; a final mix
    // spreads them.
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

COB_MapPtrToPtr::CAssoc* COB_MapPtrToPtr::GetAssocAt(void* key, uint32_t& bucket) const
{
    bucket = HashKey(key) % m_nHashTableSize;
    if (!m_pHashTable)
        return nullptr;
    for (CAssoc* assoc = Bucket(bucket); assoc; assoc = assoc->pNext)
        if (assoc->key == key)
            return assoc;
    return nullptr;
}

bool COB_MapPtrToPtr::Lookup(void* key, void*& value) const
{
    uint32_t bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    if (!assoc)
        return false;
    value = assoc->value;
    return true;
}

void* COB_MapPtrToPtr::GetValueAt(void* key) const
{
    uint32_t bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    return assoc ? assoc->value : nullptr;
}

void*& COB_MapPtrToPtr::operator[](void* key)
{
    uint32_t bucket;
    if (CAssoc* assoc = GetAssocAt(key, bucket))
        return assoc->value;
    if (!m_pHashTable) {
        m_pHashTable = AllocTable(m_nHashTableSize);
        if (!m_pHashTable)
            return LostSlot();
    }
    CAssoc* assoc = reinterpret_cast<CAssoc*>(NewLink(sizeof(CAssoc)));
    if (!assoc)
        return LostSlot();
    ++m_nCount;
    assoc->key = key;
    assoc->value = nullptr;
    assoc->pNext = Bucket(bucket);
    m_pHashTable[bucket] = reinterpret_cast<Link*>(assoc);
    ExpandHashTable();
    return assoc->value;
}

bool COB_MapPtrToPtr::RemoveKey(void* key)
{
    if (!m_pHashTable)
        return false;
    Link** link = &m_pHashTable[HashKey(key) % m_nHashTableSize];
    for (; *link; link = &(*link)->pNext) {
        CAssoc* assoc = reinterpret_cast<CAssoc*>(*link);
        if (assoc->key != key)
            continue;
        *link = (*link)->pNext;
        FreeLink(reinterpret_cast<Link*>(assoc));
        if (--m_nCount == 0)
            RemoveAll();
        return true;
    }
    return false;
}

void COB_MapPtrToPtr::RemoveAll()
{
    FreeAll();
}

COB_MapPtrToPtr::CAssoc* COB_MapPtrToPtr::Next(const CAssoc* assoc) const
{
    if (assoc->pNext)
        return assoc->pNext;
    return reinterpret_cast<CAssoc*>(FirstFrom(HashKey(assoc->key) % m_nHashTableSize + 1));
}

COB_MapPtrToPtr::CAssoc* COB_MapPtrToPtr::GetCurrentAssoc(POSITION& position) const
{
    CAssoc* assoc =
        position == kBeforeStart ? reinterpret_cast<CAssoc*>(FirstFrom(0)) : static_cast<CAssoc*>(position);
    position = assoc ? Next(assoc) : nullptr;
    return assoc;
}

void COB_MapPtrToPtr::GetNextAssoc(POSITION& position, void*& key, void*& value) const
{
    CAssoc* assoc = GetCurrentAssoc(position);
    if (!assoc)
        return;
    key = assoc->key;
    value = assoc->value;
}

void COB_MapPtrToPtr::InitHashTable(uint32_t size, bool allocateNow)
{
    if (m_pHashTable) {
        FreeTable(m_pHashTable);
        m_pHashTable = nullptr;
        m_nCount = 0;
    }
    // A size of 0 would leave no bucket to hash into.
    m_nHashTableSize = size ? size : 1;
    if (allocateNow)
        m_pHashTable = AllocTable(m_nHashTableSize);
}

bool COB_MapPtrToPtr::ExpandHashTable()
{
    if (!WantsGrowth())
        return false;
    const uint32_t newSize = m_nHashTableSize * 2;
    Link** table = AllocTable(newSize);
    if (!table)
        return false;
    for (uint32_t i = 0; i < m_nHashTableSize; ++i) {
        Link* link = m_pHashTable[i];
        while (link) {
            Link* next = link->pNext;
            const uint32_t bucket = HashKey(reinterpret_cast<CAssoc*>(link)->key) % newSize;
            link->pNext = table[bucket];
            table[bucket] = link;
            link = next;
        }
    }
    FreeTable(m_pHashTable);
    m_pHashTable = table;
    m_nHashTableSize = newSize;
    return true;
}
