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
    Link** link = FindLink(bucket, [key](Link* l) { return reinterpret_cast<CAssoc*>(l)->key == key; });
    return link ? reinterpret_cast<CAssoc*>(*link) : nullptr;
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
    CAssoc* assoc = reinterpret_cast<CAssoc*>(InsertLink(bucket, sizeof(CAssoc)));
    if (!assoc)
        return LostSlot();
    assoc->key = key;
    assoc->value = nullptr;
    ExpandHashTable();
    return assoc->value;
}

bool COB_MapPtrToPtr::RemoveKey(void* key)
{
    Link** link = FindLink(HashKey(key) % m_nHashTableSize,
                           [key](Link* l) { return reinterpret_cast<CAssoc*>(l)->key == key; });
    if (!link)
        return false;
    UnlinkAt(link);
    if (m_nCount == 0)
        RemoveAll();
    return true;
}

void COB_MapPtrToPtr::RemoveAll()
{
    FreeAll();
}

COB_MapPtrToPtr::CAssoc* COB_MapPtrToPtr::GetCurrentAssoc(POSITION& position) const
{
    // The next bucket is found from the key's own hash.
    return reinterpret_cast<CAssoc*>(Step(position, [this](Link* link) {
        const CAssoc* assoc = reinterpret_cast<CAssoc*>(link);
        return assoc->pNext ? reinterpret_cast<Link*>(assoc->pNext) : FirstFrom(HashKey(assoc->key) % m_nHashTableSize + 1);
    }));
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
    if (m_pHashTable)
        m_nCount = 0;
    ResetTable(size, allocateNow);
}

bool COB_MapPtrToPtr::ExpandHashTable()
{
    return GrowTable([this](Link* link, uint32_t newSize) {
        return HashKey(reinterpret_cast<CAssoc*>(link)->key) % newSize;
    });
}
