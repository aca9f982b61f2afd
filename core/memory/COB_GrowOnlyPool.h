#ifndef COB_GROWONLYPOOL_H
#define COB_GROWONLYPOOL_H

#include "COB_MemoryMgr.h"
#include "OB_Lock.h"

#include <cstdint>

// An allocator that only grows: blocks are carved from chunks and all freed at once.
// Usable wherever an _IOB_Allocator* is taken (its table comes first).
class COB_GrowOnlyPool
{
public:
    COB_GrowOnlyPool(_IOB_Allocator* allocator, uint64_t chunkSize);
    ~COB_GrowOnlyPool();
    COB_GrowOnlyPool(const COB_GrowOnlyPool&) = delete;
    COB_GrowOnlyPool& operator=(const COB_GrowOnlyPool&) = delete;

    // A block aligned for any type, or null when no chunk could be had.
    void* Alloc(size_t size);
    void FreeAll();
    void SetAllocator(_IOB_Allocator* allocator);

    // True for a grow-only pool's allocator table: its Free does nothing, so a structure built through
    // it can be dropped without visiting its blocks.
    static bool IsPool(const _IOB_Allocator* allocator);

    _IOB_Allocator* GetAllocator() { return &m_Table; }
    operator _IOB_Allocator*() { return &m_Table; }

private:
    struct Chunk;

    _IOB_Allocator m_Table;
    uint64_t m_ChunkSize;
    Chunk* m_pHead;
    _IOB_Allocator* m_pChunkAllocator;
    OB_MUTEX m_Mutex;
};

#endif
