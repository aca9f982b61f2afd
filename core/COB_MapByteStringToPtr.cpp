#include "COB_MapByteStringToPtr.h"

#include <new>

COB_MapByteStringToPtr::COB_MapByteStringToPtr(int blockSize, _IOB_Allocator* allocator)
    : COB_HashMapBase(blockSize, allocator)
{
}

COB_MapByteStringToPtr::~COB_MapByteStringToPtr()
{
    RemoveAll();
}

uint32_t COB_MapByteStringToPtr::HashKey(const COB_ByteStringC& key) const
{
    uint32_t h = 0;
    const unsigned char* p = key.GetPtr();
    for (int i = 0, n = key.GetLength(); i < n; ++i)
        h = h * 31u + p[i];
    return h;
}

COB_MapByteStringToPtr::CAssoc* COB_MapByteStringToPtr::GetAssocAt(const COB_ByteStringC& key,
                                                                    uint32_t& bucket) const
{
    bucket = HashKey(key) % m_nHashTableSize;
    if (!m_pHashTable)
        return nullptr;
    for (CAssoc* assoc = Bucket(bucket); assoc; assoc = assoc->pNext)
        if (assoc->key.Equal(key))
            return assoc;
    return nullptr;
}

bool COB_MapByteStringToPtr::Lookup(const COB_ByteStringC& key, void*& value) const
{
    uint32_t bucket;
    CAssoc* assoc = GetAssocAt(key, bucket);
    if (!assoc)
        return false;
    value = assoc->value;
    return true;
}

void*& COB_MapByteStringToPtr::operator[](const COB_ByteStringC& key)
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
    new (&assoc->key) COB_ByteString(key);
    if (assoc->key.GetLength() != key.GetLength()) {
        // The key could not be copied: an entry under an empty key would answer for another one.
        assoc->key.~COB_ByteString();
        FreeLink(reinterpret_cast<Link*>(assoc));
        return LostSlot();
    }
    ++m_nCount;
    assoc->nHashValue = bucket;
    assoc->value = nullptr;
    assoc->pNext = Bucket(bucket);
    m_pHashTable[bucket] = reinterpret_cast<Link*>(assoc);
    ExpendHashTable();
    return assoc->value;
}

bool COB_MapByteStringToPtr::RemoveKey(const COB_ByteStringC& key)
{
    if (!m_pHashTable)
        return false;
    Link** link = &m_pHashTable[HashKey(key) % m_nHashTableSize];
    for (; *link; link = &(*link)->pNext) {
        CAssoc* assoc = reinterpret_cast<CAssoc*>(*link);
        if (!assoc->key.Equal(key))
            continue;
        *link = (*link)->pNext;
        assoc->key.~COB_ByteString();
        FreeLink(reinterpret_cast<Link*>(assoc));
        if (--m_nCount == 0)
            RemoveAll();
        return true;
    }
    return false;
}

void COB_MapByteStringToPtr::ReleaseKeys()
{
    if (!m_pHashTable)
        return;
    for (uint32_t i = 0; i < m_nHashTableSize; ++i)
        for (CAssoc* assoc = Bucket(i); assoc; assoc = assoc->pNext)
            assoc->key.~COB_ByteString();
}

void COB_MapByteStringToPtr::RemoveAll()
{
    ReleaseKeys();
    FreeAll();
}

COB_MapByteStringToPtr::CAssoc* COB_MapByteStringToPtr::Next(const CAssoc* assoc) const
{
    if (assoc->pNext)
        return assoc->pNext;
    return reinterpret_cast<CAssoc*>(FirstFrom(assoc->nHashValue + 1));
}

COB_MapByteStringToPtr::CAssoc* COB_MapByteStringToPtr::GetCurrentAssoc(POSITION& position) const
{
    CAssoc* assoc =
        position == kBeforeStart ? reinterpret_cast<CAssoc*>(FirstFrom(0)) : static_cast<CAssoc*>(position);
    position = assoc ? Next(assoc) : nullptr;
    return assoc;
}

void COB_MapByteStringToPtr::GetNextAssoc(POSITION& position, COB_ByteString& key, void*& value) const
{
    CAssoc* assoc = GetCurrentAssoc(position);
    if (!assoc)
        return;
    key = assoc->key;
    value = assoc->value;
}

void* COB_MapByteStringToPtr::GetNextValue(POSITION& position) const
{
    CAssoc* assoc = GetCurrentAssoc(position);
    return assoc ? assoc->value : nullptr;
}

void COB_MapByteStringToPtr::InitHashTable(uint32_t size, bool allocateNow)
{
    if (m_pHashTable) {
        // Keys of entries still in the table are released with it, so none is left owned by
        // a block nobody walks any more.
        ReleaseKeys();
        FreeTable(m_pHashTable);
        m_pHashTable = nullptr;
    }
    m_nHashTableSize = size ? size : 1;
    if (allocateNow)
        m_pHashTable = AllocTable(m_nHashTableSize);
}

bool COB_MapByteStringToPtr::ExpendHashTable()
{
    if (!WantsGrowth())
        return false;
    const uint32_t newSize = m_nHashTableSize * 2;
    Link** table = AllocTable(newSize);
    if (!table)
        return false;
    for (uint32_t i = 0; i < m_nHashTableSize; ++i) {
        CAssoc* assoc = Bucket(i);
        while (assoc) {
            CAssoc* next = assoc->pNext;
            assoc->nHashValue = HashKey(assoc->key) % newSize;
            assoc->pNext = reinterpret_cast<CAssoc*>(table[assoc->nHashValue]);
            table[assoc->nHashValue] = reinterpret_cast<Link*>(assoc);
            assoc = next;
        }
    }
    FreeTable(m_pHashTable);
    m_pHashTable = table;
    m_nHashTableSize = newSize;
    return true;
}
