#include "COB_MapByteStringToPtr.h"

#include <new>

namespace {

COB_MapByteStringToPtr::CAssoc* AssocOf(void* link)
{
    return static_cast<COB_MapByteStringToPtr::CAssoc*>(link);
}

} // namespace

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
    Link** link = FindLink(bucket, [&key](Link* l) { return AssocOf(l)->key.Equal(key); });
    return link ? AssocOf(*link) : nullptr;
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
    CAssoc* assoc = AssocOf(InsertLink(bucket, sizeof(CAssoc)));
    if (!assoc)
        return LostSlot();
    new (&assoc->key) COB_ByteString(key);
    if (assoc->key.GetLength() != key.GetLength()) {
        // The key could not be copied: an entry under an empty key would answer for another one.
        assoc->key.~COB_ByteString();
        UnlinkAt(&m_pHashTable[bucket]);
        return LostSlot();
    }
    assoc->nHashValue = bucket;
    assoc->value = nullptr;
    ExpendHashTable();
    return assoc->value;
}

bool COB_MapByteStringToPtr::RemoveKey(const COB_ByteStringC& key)
{
    Link** link = FindLink(HashKey(key) % m_nHashTableSize, [&key](Link* l) { return AssocOf(l)->key.Equal(key); });
    if (!link)
        return false;
    AssocOf(*link)->key.~COB_ByteString();
    UnlinkAt(link);
    if (m_nCount == 0)
        RemoveAll();
    return true;
}

void COB_MapByteStringToPtr::ReleaseKeys()
{
    if (!m_pHashTable)
        return;
    for (uint32_t i = 0; i < m_nHashTableSize; ++i)
        for (Link* link = m_pHashTable[i]; link; link = link->pNext)
            AssocOf(link)->key.~COB_ByteString();
}

void COB_MapByteStringToPtr::RemoveAll()
{
    ReleaseKeys();
    FreeAll();
}

COB_MapByteStringToPtr::CAssoc* COB_MapByteStringToPtr::GetCurrentAssoc(POSITION& position) const
{
    // The next bucket is found from the bucket index the entry keeps.
    return AssocOf(Step(position, [this](Link* link) {
        return link->pNext ? link->pNext : FirstFrom(AssocOf(link)->nHashValue + 1);
    }));
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
    // Keys of entries still in the table are released with it, so none is left owned by a block
    // nobody walks any more.
    ReleaseKeys();
    ResetTable(size, allocateNow);
}

bool COB_MapByteStringToPtr::ExpendHashTable()
{
    return GrowTable([this](Link* link, uint32_t newSize) {
        CAssoc* assoc = AssocOf(link);
        assoc->nHashValue = HashKey(assoc->key) % newSize;
        return assoc->nHashValue;
    });
}
