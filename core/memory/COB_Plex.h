#ifndef COB_PLEX_H
#define COB_PLEX_H

#include <cstdint>

struct _IOB_Allocator;

// Header of one block of a pool: element records follow it directly. Blocks are chained newest
// first and freed only all at once, so records handed out never move.
struct COB_Plex
{
    COB_Plex* pNext;

    void* data() { return this + 1; }

    // Null when the block cannot be had (the chain is then unchanged).
    static COB_Plex* Create(_IOB_Allocator* allocator, COB_Plex*& head, uint32_t count, uint32_t elementSize);
    void FreeDataChain(_IOB_Allocator* allocator);
};

#endif
