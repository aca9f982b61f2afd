#ifndef OB_PYOBJECTALLOC_H
#define OB_PYOBJECTALLOC_H

#include <cstddef>
#include <cstdint>

#include "OB_Lock.h"

// The pooled small-block allocator: requests of 1 to 1024 bytes are served from 4 KB pools of one size
// class (16-byte steps), carved from 256 KB arenas; everything else goes to the fallbacks. The state is
// not synchronised (COBMEM_PyMgr makes the serialised calls below), and the lists of partly used pools per
// size class are process-wide, so only one state may be in use at a time.

enum : uint32_t
{
    OBMEM_PY_ALIGNMENT = 16,
    OBMEM_PY_MAX_REQUEST = 1024,
    OBMEM_PY_CLASSES = OBMEM_PY_MAX_REQUEST / OBMEM_PY_ALIGNMENT,
    OBMEM_PY_POOL_SIZE = 4096,
    OBMEM_PY_ARENA_SIZE = 256 * 1024,
    OBMEM_PY_POOLS_PER_ARENA = OBMEM_PY_ARENA_SIZE / OBMEM_PY_POOL_SIZE,
};

// At the start of every pool.
struct OBMEM_PoolHeader
{
    union {
        uint8_t* padding;
        uint32_t count; // blocks handed out
    } ref;
    uint8_t* freeblock; // each free block holds the next one's address in its first word
    OBMEM_PoolHeader* nextpool;
    OBMEM_PoolHeader* prevpool;
    uint32_t arenaindex;
    uint32_t szidx;       // 0xffff: never used
    uint32_t nextoffset;  // first never-used block
    uint32_t maxnextoffset;
};

struct OBMEM_ArenaObject
{
    uintptr_t address; // 0: the slot holds no arena
    uint8_t* pool_address; // first never-used pool
    uint32_t nfreepools;
    uint32_t ntotalpools;
    OBMEM_PoolHeader* freepools; // emptied pools
    OBMEM_ArenaObject* nextarena;
    OBMEM_ArenaObject* prevarena;
};

struct OBMEM_PyState
{
    OBMEM_ArenaObject* arenas;
    uint32_t maxarenas;
    OBMEM_ArenaObject* unused_arena_objects;
    // Arenas with a free pool, fewest free pools first, so that allocation fills the fullest arenas and the
    // emptiest can be released whole.
    OBMEM_ArenaObject* usable_arenas;
    // Entry k: the last arena of the usable list with exactly k free pools.
    OBMEM_ArenaObject* nfp2lasta[OBMEM_PY_POOLS_PER_ARENA + 1];
    size_t narenas_currently_allocated;
    void* (*fallbackAlloc)(size_t size);
    void (*fallbackFree)(void* block);
    void* (*fallbackRealloc)(void* block, size_t size);
    // 0: pools in use; 1: retiring (pooled blocks still come back); -1: retired, everything to the fallbacks.
    int32_t mode;
};

// Zeroes the state (forgetting any pools it had) and empties the size-class lists.
void OBMEM_PyState_Init(OBMEM_PyState* state, void* (*fallbackAlloc)(size_t), void (*fallbackFree)(void*),
                        void* (*fallbackRealloc)(void*, size_t));

void* _PyObject_Malloc(OBMEM_PyState* state, size_t size);
// 0 for a null block, else 1.
int _PyObject_Free(OBMEM_PyState* state, void* block);
void* _PyObject_Realloc(OBMEM_PyState* state, void* block, size_t size);
void _PyObject_Discard(OBMEM_PyState* state);
void _PyObject_TryPurge(OBMEM_PyState* state);

// The calls above serialised by mutex, as the pooled manager makes them. While the process has a single
// thread, what the pools serve alone (nothing that reaches a fallback) runs without taking the mutex.
void* OBMEM_PyState_MallocSerialised(OBMEM_PyState* state, OB_MUTEX* mutex, size_t size);
void OBMEM_PyState_FreeSerialised(OBMEM_PyState* state, OB_MUTEX* mutex, void* block);
void* OBMEM_PyState_ReallocSerialised(OBMEM_PyState* state, OB_MUTEX* mutex, void* block, size_t size);

// Whether block lies in one of the state's arenas (its own record, never the block's memory).
bool OBMEM_PyState_IsPooled(const OBMEM_PyState* state, const void* block);

#endif
