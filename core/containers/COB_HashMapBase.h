#ifndef COB_HASHMAPBASE_H
#define COB_HASHMAPBASE_H

#include <cstddef>
#include <cstdint>

#include "OB_Position.h"

struct _IOB_Allocator;
struct COB_Plex;

// What the two chained hash maps share: the bucket table, the entry pool and its free list.
// An entry is any record whose first field is the link to the next entry.
class COB_HashMapBase
{
public:
    int GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    uint32_t GetHashTableSize() const { return m_nHashTableSize; }
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : kBeforeStart; }

protected:
    struct Link
    {
        Link* pNext;
    };

    // The position before the first entry: all bits set.
    static POSITION const kBeforeStart;

    COB_HashMapBase(int blockSize, _IOB_Allocator* allocator);
    ~COB_HashMapBase() = default;
    COB_HashMapBase(const COB_HashMapBase&) = delete;
    COB_HashMapBase& operator=(const COB_HashMapBase&) = delete;

    // A zeroed table of size buckets, or null.
    Link** AllocTable(uint32_t size) const;
    void FreeTable(Link** table) const;
    // A record of assocSize bytes from the free list, refilled a block at a time; null when no
    // block can be had.
    Link* NewLink(size_t assocSize);
    void FreeLink(Link* link);
    // Frees the table and every block; the table size stays.
    void FreeAll();
    // Whether the table should double now (count has reached its size).
    bool WantsGrowth() const;
    // First entry in a bucket at or after index, or null.
    Link* FirstFrom(uint32_t index) const;

    // The link that points at the first entry of bucket for which match(entry) holds, or null.
    template <typename Match>
    Link** FindLink(uint32_t bucket, Match match) const
    {
        if (!m_pHashTable)
            return nullptr;
        for (Link** link = &m_pHashTable[bucket]; *link; link = &(*link)->pNext)
            if (match(*link))
                return link;
        return nullptr;
    }
    // A fresh entry of assocSize bytes linked at the head of bucket and counted; null, with the
    // map unchanged, when no table or entry can be had.
    Link* InsertLink(uint32_t bucket, size_t assocSize);
    // Takes the entry *at out of its chain, back to the free list, and uncounts it.
    void UnlinkAt(Link** at);
    // The entry at position (the first one for the start position); position moves on to
    // next(entry), or null.
    template <typename Next>
    Link* Step(POSITION& position, Next next) const
    {
        Link* link = position == kBeforeStart ? FirstFrom(0) : static_cast<Link*>(position);
        position = link ? static_cast<POSITION>(next(link)) : nullptr;
        return link;
    }
    // Doubles the table once the count has reached its size, moving each entry to the bucket
    // rebucket(entry, new size) names; false when the table stays.
    template <typename Rebucket>
    bool GrowTable(Rebucket rebucket)
    {
        if (!WantsGrowth())
            return false;
        const uint32_t newSize = m_nHashTableSize * 2;
        Link** table = AllocTable(newSize);
        if (!table)
            return false;
        for (uint32_t i = 0; i < m_nHashTableSize; ++i) {
            for (Link* link = m_pHashTable[i]; link;) {
                Link* next = link->pNext;
                const uint32_t bucket = rebucket(link, newSize);
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
    // Drops the table (the entries stay in their blocks) and sets the new size.
    void ResetTable(uint32_t size, bool allocateNow);

    // Stands in for a value slot when an entry cannot be made: writes through it go nowhere.
    static void*& LostSlot();

    _IOB_Allocator* m_pAllocator;
    Link** m_pHashTable;
    uint32_t m_nHashTableSize;
    int m_nCount;
    Link* m_pFreeList;
    COB_Plex* m_pBlocks;
    int m_nBlockSize;
};

#endif
