#include "COB_Plex.h"

#include "COB_MemoryMgr.h"

COB_Plex* COB_Plex::Create(_IOB_Allocator* allocator, COB_Plex*& head, uint32_t count, uint32_t elementSize)
{
    // A block past 32-bit sizes is refused rather than allocated short of its records.
    const uint64_t bytes = sizeof(COB_Plex) + static_cast<uint64_t>(count) * elementSize;
    if (count == 0 || elementSize == 0 || bytes > 0xFFFFFFFFu)
        return nullptr;
    COB_Plex* block = static_cast<COB_Plex*>(OBMEM_AllocatorAlloc(allocator, static_cast<size_t>(bytes)));
    if (!block)
        return nullptr;
    block->pNext = head;
    head = block;
    return block;
}

void COB_Plex::FreeDataChain(_IOB_Allocator* allocator)
{
    COB_Plex* block = this;
    while (block) {
        COB_Plex* next = block->pNext;
        OBMEM_AllocatorFree(allocator, block);
        block = next;
    }
}
