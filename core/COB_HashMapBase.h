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
