#include "OB_PyObjectAlloc.h"

#include <cstdlib>
#include <cstring>

#include <sys/single_threaded.h>

namespace {

static_assert(sizeof(OBMEM_PoolHeader) == 48, "the first block of a pool starts right behind its header");

const uint32_t kPoolHeaderSize = sizeof(OBMEM_PoolHeader);
const uintptr_t kPoolMask = OBMEM_PY_POOL_SIZE - 1;
const uint32_t kUnusedClass = 0xffff;

inline uint32_t ClassSize(uint32_t index)
{
    return (index + 1) * OBMEM_PY_ALIGNMENT;
}

inline OBMEM_PoolHeader* PoolOf(const void* block)
{
    return reinterpret_cast<OBMEM_PoolHeader*>(reinterpret_cast<uintptr_t>(block) & ~kPoolMask);
}

// The partly used pools of each size class: circular lists around a sentinel header.
OBMEM_PoolHeader g_UsedPools[OBMEM_PY_CLASSES];

// Which addresses belong to arenas, kept apart from the arenas' memory so that telling a pooled block
// from a platform block never reads memory the allocator does not own (a header guessed from a platform
// block's address could lie in another object, or in no mapped page at all). A two-level radix map over
// the 256 KB-aligned chunks of a 48-bit address space (two dependent loads per look-up: every free asks
// it): an arena starting inside chunk c covers c from its start offset on and chunk c + 1 below that
// offset. Leaves are 256 KB of zeroes until touched, so only the pages around the arenas take memory.
const int kChunkBits = 18; // log2 of the arena size
const int kRootBits = 15;
const int kLeafBits = 15;
const int kAddressBits = 48;
const uintptr_t kChunkMask = (uintptr_t(1) << kChunkBits) - 1;
const size_t kLeafSize = size_t(1) << kLeafBits;
static_assert(kChunkBits + kRootBits + kLeafBits == kAddressBits, "two levels cover the address space");
static_assert(OBMEM_PY_ARENA_SIZE == (1u << kChunkBits), "one arena spans at most two chunks");

struct ChunkEntry
{
    int32_t tailHi; // an arena starting in this chunk covers offsets >= tailHi (-1: the whole chunk; 0: none)
    int32_t tailLo; // the arena from the chunk before covers offsets < tailLo
};
struct LeafNode
{
    ChunkEntry chunks[kLeafSize];
};
LeafNode* g_ArenaMap[size_t(1) << kRootBits];

ChunkEntry* ChunkOf(uintptr_t address, bool create)
{
    uintptr_t chunk = address >> kChunkBits;
    if (chunk >> (kRootBits + kLeafBits))
        return nullptr;
    LeafNode*& leaf = g_ArenaMap[chunk >> kLeafBits];
    if (!leaf) {
        // Leaves are never freed: they stay reachable from the root, and arenas come back to the same ranges.
        if (!create || !(leaf = static_cast<LeafNode*>(std::calloc(1, sizeof(LeafNode)))))
            return nullptr;
    }
    return &leaf->chunks[chunk & (kLeafSize - 1)];
}

// Records (or forgets) the range of the arena at address; false when a node of the map cannot be had,
// and then nothing is recorded.
bool MarkArena(uintptr_t address, bool used)
{
    int32_t tail = static_cast<int32_t>(address & kChunkMask);
    ChunkEntry* first = ChunkOf(address, used);
    ChunkEntry* second = tail != 0 ? ChunkOf(address + OBMEM_PY_ARENA_SIZE, used) : nullptr;
    if (used && (!first || (tail != 0 && !second)))
        return false;
    if (first)
        first->tailHi = used ? (tail == 0 ? -1 : tail) : 0;
    if (second)
        second->tailLo = used ? tail : 0;
    return true;
}

inline bool InArena(const void* block)
{
    uintptr_t address = reinterpret_cast<uintptr_t>(block);
    uintptr_t chunk = address >> kChunkBits;
    if (chunk >> (kRootBits + kLeafBits))
        return false;
    const LeafNode* leaf = g_ArenaMap[chunk >> kLeafBits];
    if (!leaf)
        return false;
    const ChunkEntry& entry = leaf->chunks[chunk & (kLeafSize - 1)];
    int32_t tail = static_cast<int32_t>(address & kChunkMask);
    return tail < entry.tailLo || (entry.tailHi != 0 && tail >= entry.tailHi);
}

void ReleaseArenaMemory(OBMEM_PyState* state, OBMEM_ArenaObject* arena)
{
    MarkArena(arena->address, false);
    std::free(reinterpret_cast<void*>(arena->address));
    arena->address = 0;
    --state->narenas_currently_allocated;
}

OBMEM_ArenaObject* NewArena(OBMEM_PyState* state)
{
    if (!state->unused_arena_objects) {
        // Only called with no usable arena, so nothing points into the table while it moves.
        uint32_t count = state->maxarenas ? state->maxarenas << 1 : 16;
        if (count <= state->maxarenas || count > SIZE_MAX / sizeof(OBMEM_ArenaObject))
            return nullptr;
        void* table = std::realloc(state->arenas, count * sizeof(OBMEM_ArenaObject));
        if (!table)
            return nullptr;
        state->arenas = static_cast<OBMEM_ArenaObject*>(table);
        for (uint32_t i = state->maxarenas; i < count; ++i) {
            state->arenas[i].address = 0;
            state->arenas[i].nextarena = i + 1 < count ? &state->arenas[i + 1] : nullptr;
        }
        state->unused_arena_objects = &state->arenas[state->maxarenas];
        state->maxarenas = count;
    }
    OBMEM_ArenaObject* arena = state->unused_arena_objects;
    void* memory = std::malloc(OBMEM_PY_ARENA_SIZE);
    if (!memory)
        return nullptr;
    uintptr_t address = reinterpret_cast<uintptr_t>(memory);
    if (!MarkArena(address, true)) {
        std::free(memory);
        return nullptr;
    }
    state->unused_arena_objects = arena->nextarena;
    arena->address = address;
    ++state->narenas_currently_allocated;
    arena->freepools = nullptr;
    arena->pool_address = reinterpret_cast<uint8_t*>((address + kPoolMask) & ~kPoolMask);
    arena->nfreepools = OBMEM_PY_POOLS_PER_ARENA - ((address & kPoolMask) != 0 ? 1 : 0);
    arena->ntotalpools = arena->nfreepools;
    return arena;
}

void* PooledMallocFromNewPool(OBMEM_PyState* state, uint32_t index);

// A block of class index from the class's first partly used pool (the common case, kept short and free
// of calls), or null when the class has none.
inline __attribute__((always_inline)) void* PooledMallocFromUsedPool(uint32_t index)
{
    OBMEM_PoolHeader* head = &g_UsedPools[index];
    OBMEM_PoolHeader* pool = head->nextpool;
    if (__builtin_expect(pool != head, 1)) {
        ++pool->ref.count;
        uint8_t* block = pool->freeblock;
        if ((pool->freeblock = *reinterpret_cast<uint8_t**>(block)) != nullptr)
            return block;
        if (pool->nextoffset <= pool->maxnextoffset) {
            pool->freeblock = reinterpret_cast<uint8_t*>(pool) + pool->nextoffset;
            pool->nextoffset += ClassSize(index);
            *reinterpret_cast<uint8_t**>(pool->freeblock) = nullptr;
            return block;
        }
        // Full: it leaves the class list until a block comes back.
        OBMEM_PoolHeader* next = pool->nextpool;
        pool = pool->prevpool;
        next->prevpool = pool;
        pool->nextpool = next;
        return block;
    }
    return nullptr;
}

// A block of class index from the pools, or null when no pool memory can be had.
inline __attribute__((always_inline)) void* PooledMalloc(OBMEM_PyState* state, uint32_t index)
{
    void* block = PooledMallocFromUsedPool(index);
    return block ? block : PooledMallocFromNewPool(state, index);
}

// The class has no partly used pool: one comes from the fullest usable arena, or from a new arena.
__attribute__((noinline)) void* PooledMallocFromNewPool(OBMEM_PyState* state, uint32_t index)
{
    OBMEM_PoolHeader* head = &g_UsedPools[index];
    OBMEM_PoolHeader* pool;
    if (!state->usable_arenas) {
        OBMEM_ArenaObject* arena = NewArena(state);
        if (!arena)
            return nullptr;
        arena->nextarena = arena->prevarena = nullptr;
        state->usable_arenas = arena;
        state->nfp2lasta[arena->nfreepools] = arena;
    }
    OBMEM_ArenaObject* arena = state->usable_arenas;
    pool = arena->freepools;
    if (pool) {
        arena->freepools = pool->nextpool;
    } else {
        pool = reinterpret_cast<OBMEM_PoolHeader*>(arena->pool_address);
        pool->arenaindex = static_cast<uint32_t>(arena - state->arenas);
        pool->szidx = kUnusedClass;
        arena->pool_address += OBMEM_PY_POOL_SIZE;
    }
    // The head arena has the fewest free pools, so taking one keeps the list in order.
    if (state->nfp2lasta[arena->nfreepools] == arena)
        state->nfp2lasta[arena->nfreepools] = nullptr;
    if (arena->nfreepools > 1)
        state->nfp2lasta[arena->nfreepools - 1] = arena;
    if (--arena->nfreepools == 0) {
        state->usable_arenas = arena->nextarena;
        if (state->usable_arenas)
            state->usable_arenas->prevarena = nullptr;
    }

    pool->nextpool = head;
    pool->prevpool = head;
    head->nextpool = pool;
    head->prevpool = pool;
    pool->ref.count = 1;
    if (pool->szidx == index) {
        // It served this class before: its free list is still good.
        uint8_t* block = pool->freeblock;
        pool->freeblock = *reinterpret_cast<uint8_t**>(block);
        return block;
    }
    uint32_t size = ClassSize(index);
    pool->szidx = index;
    uint8_t* block = reinterpret_cast<uint8_t*>(pool) + kPoolHeaderSize;
    pool->nextoffset = kPoolHeaderSize + 2 * size;
    pool->maxnextoffset = OBMEM_PY_POOL_SIZE - size;
    pool->freeblock = block + size;
    *reinterpret_cast<uint8_t**>(pool->freeblock) = nullptr;
    return block;
}

void PooledFreeRelink(OBMEM_PyState* state, OBMEM_PoolHeader* pool, uint8_t* lastfree);

// Gives a block known to be pooled back to its pool; only a pool that was full or is now empty changes
// lists, out of line (a tail call, so that the common case needs no frame).
inline __attribute__((always_inline)) void PooledFree(OBMEM_PyState* state, void* p)
{
    OBMEM_PoolHeader* pool = PoolOf(p);
    uint8_t* block = static_cast<uint8_t*>(p);
    uint8_t* lastfree = pool->freeblock;
    *reinterpret_cast<uint8_t**>(block) = lastfree;
    pool->freeblock = block;
    if (__builtin_expect(--pool->ref.count != 0 && lastfree, 1))
        return;
    PooledFreeRelink(state, pool, lastfree);
}

__attribute__((noinline)) void PooledFreeRelink(OBMEM_PyState* state, OBMEM_PoolHeader* pool, uint8_t* lastfree)
{
    if (!lastfree) {
        // It was full: back at the head of its class list.
        OBMEM_PoolHeader* head = &g_UsedPools[pool->szidx];
        OBMEM_PoolHeader* next = head->nextpool;
        pool->nextpool = next;
        pool->prevpool = head;
        next->prevpool = pool;
        head->nextpool = pool;
        return;
    }

    // Empty: out of its class list, onto its arena's list of free pools.
    OBMEM_PoolHeader* next = pool->nextpool;
    OBMEM_PoolHeader* prev = pool->prevpool;
    next->prevpool = prev;
    prev->nextpool = next;
    OBMEM_ArenaObject* arena = &state->arenas[pool->arenaindex];
    pool->nextpool = arena->freepools;
    arena->freepools = pool;

    uint32_t nf = arena->nfreepools;
    OBMEM_ArenaObject* lastnf = state->nfp2lasta[nf];
    if (lastnf == arena) {
        OBMEM_ArenaObject* before = arena->prevarena;
        state->nfp2lasta[nf] = before && before->nfreepools == nf ? before : nullptr;
    }
    arena->nfreepools = ++nf;

    if (nf == arena->ntotalpools && arena->nextarena) {
        // Wholly free and not the last usable arena: its memory goes back to the platform.
        if (arena->prevarena)
            arena->prevarena->nextarena = arena->nextarena;
        else
            state->usable_arenas = arena->nextarena;
        arena->nextarena->prevarena = arena->prevarena;
        arena->nextarena = state->unused_arena_objects;
        state->unused_arena_objects = arena;
        ReleaseArenaMemory(state, arena);
        return;
    }
    if (nf == 1) {
        // Its first free pool: it joins the usable list, where the fullest arenas come first.
        arena->nextarena = state->usable_arenas;
        arena->prevarena = nullptr;
        if (state->usable_arenas)
            state->usable_arenas->prevarena = arena;
        state->usable_arenas = arena;
        if (!state->nfp2lasta[1])
            state->nfp2lasta[1] = arena;
        return;
    }
    if (!state->nfp2lasta[nf])
        state->nfp2lasta[nf] = arena;
    if (arena == lastnf)
        return; // still in order
    // Move it behind the last arena that has as many free pools as it had.
    if (arena->prevarena)
        arena->prevarena->nextarena = arena->nextarena;
    else
        state->usable_arenas = arena->nextarena;
    arena->nextarena->prevarena = arena->prevarena;
    arena->prevarena = lastnf;
    arena->nextarena = lastnf->nextarena;
    if (arena->nextarena)
        arena->nextarena->prevarena = arena;
    lastnf->nextarena = arena;
}

// What the pools serve alone, calling nothing but the C library: each answers null or false, having
// changed nothing, when the call needs a fallback. A null block is freed (as nothing) and reallocated as
// a malloc.
inline __attribute__((always_inline)) void* TryMalloc(OBMEM_PyState* state, size_t size)
{
    if (state->mode != 0 || size - 1 >= OBMEM_PY_MAX_REQUEST)
        return nullptr;
    return PooledMalloc(state, static_cast<uint32_t>((size - 1) >> 4));
}

inline __attribute__((always_inline)) bool TryFree(OBMEM_PyState* state, void* block)
{
    if (block && (state->mode == -1 || !InArena(block)))
        return false;
    if (block)
        PooledFree(state, block);
    return true;
}

bool TryRealloc(OBMEM_PyState* state, void* block, size_t size, void** moved)
{
    if (!block)
        return (*moved = TryMalloc(state, size)) != nullptr;
    if (state->mode != 0 || !InArena(block))
        return false;
    size_t classSize = ClassSize(PoolOf(block)->szidx);
    // Shrinking by up to a quarter stays in place; anything else changes class.
    if (size <= classSize && 4 * size > 3 * classSize) {
        *moved = block;
        return true;
    }
    if (size - 1 >= OBMEM_PY_MAX_REQUEST || !(*moved = PooledMalloc(state, static_cast<uint32_t>((size - 1) >> 4))))
        return false;
    std::memcpy(*moved, block, size < classSize ? size : classSize);
    PooledFree(state, block);
    return true;
}

void Retire(OBMEM_PyState* state)
{
    OBMEM_ArenaObject* arena = state->usable_arenas;
    if (state->narenas_currently_allocated != 1 || !arena || arena->nfreepools != arena->ntotalpools)
        return;
    ReleaseArenaMemory(state, arena);
    std::free(state->arenas);
    state->arenas = nullptr;
    state->maxarenas = 0;
    state->unused_arena_objects = nullptr;
    state->usable_arenas = nullptr;
    std::memset(state->nfp2lasta, 0, sizeof(state->nfp2lasta));
    state->mode = -1;
}

} // namespace

void OBMEM_PyState_Init(OBMEM_PyState* state, void* (*fallbackAlloc)(size_t), void (*fallbackFree)(void*),
                        void* (*fallbackRealloc)(void*, size_t))
{
    // Arenas of a state being forgotten are no longer ours: their blocks must not be taken for pooled ones.
    for (uint32_t i = 0; state->arenas && i < state->maxarenas; ++i)
        if (state->arenas[i].address)
            MarkArena(state->arenas[i].address, false);
    std::memset(state, 0, sizeof(*state));
    state->fallbackAlloc = fallbackAlloc;
    state->fallbackFree = fallbackFree;
    state->fallbackRealloc = fallbackRealloc;
    for (OBMEM_PoolHeader& head : g_UsedPools)
        head.nextpool = head.prevpool = &head;
}

bool OBMEM_PyState_IsPooled(const OBMEM_PyState* state, const void* block)
{
    return state->mode != -1 && block && InArena(block);
}

void* _PyObject_Malloc(OBMEM_PyState* state, size_t size)
{
    void* block = TryMalloc(state, size);
    return block ? block : state->fallbackAlloc(size);
}

int _PyObject_Free(OBMEM_PyState* state, void* block)
{
    if (!block)
        return 0;
    if (!TryFree(state, block))
        state->fallbackFree(block);
    return 1;
}

void* _PyObject_Realloc(OBMEM_PyState* state, void* block, size_t size)
{
    void* moved;
    if (TryRealloc(state, block, size, &moved))
        return moved;
    if (!block)
        return state->fallbackAlloc(size);
    if (state->mode == -1 || !InArena(block))
        return state->fallbackRealloc(block, size);
    // Retiring, a size the pools do not serve, or no pool memory: the block leaves its pool.
    if (!(moved = state->fallbackAlloc(size)))
        return nullptr; // the old block stays valid
    size_t classSize = ClassSize(PoolOf(block)->szidx);
    std::memcpy(moved, block, size < classSize ? size : classSize);
    PooledFree(state, block);
    return moved;
}

void _PyObject_Discard(OBMEM_PyState* state)
{
    if (state->mode != 0)
        return;
    state->mode = 1;
    Retire(state);
}

void _PyObject_TryPurge(OBMEM_PyState* state)
{
    if (state->mode == 1)
        Retire(state);
}

namespace {

// While the process has a single thread nothing can race with a call, and the mutex's two atomic
// operations would cost more than the pool work itself (glibc's malloc skips its own locks the same
// way). Only calls the pools serve alone run so; whatever reaches the fallbacks, and with them the
// platform manager's hooks and handler, holds the mutex, so code run from there that starts a thread
// finds the state consistent and locked.
inline bool SingleThreaded()
{
    return __libc_single_threaded;
}

// The locked halves stay out of line and every call on the unlocked paths is a tail call, so that these
// need no stack frame.
__attribute__((noinline)) void* MallocUnderMutex(OBMEM_PyState* state, OB_MUTEX* mutex, size_t size)
{
    COB_MutexLocker lock(mutex);
    return _PyObject_Malloc(state, size);
}

__attribute__((noinline)) void FreeUnderMutex(OBMEM_PyState* state, OB_MUTEX* mutex, void* block)
{
    COB_MutexLocker lock(mutex);
    _PyObject_Free(state, block);
}

__attribute__((noinline)) void* ReallocUnderMutex(OBMEM_PyState* state, OB_MUTEX* mutex, void* block, size_t size)
{
    COB_MutexLocker lock(mutex);
    return _PyObject_Realloc(state, block, size);
}

__attribute__((noinline)) void* MallocFromNewPoolAlone(OBMEM_PyState* state, OB_MUTEX* mutex, size_t size)
{
    void* block = PooledMallocFromNewPool(state, static_cast<uint32_t>((size - 1) >> 4));
    return block ? block : MallocUnderMutex(state, mutex, size);
}

} // namespace

void* OBMEM_PyState_MallocSerialised(OBMEM_PyState* state, OB_MUTEX* mutex, size_t size)
{
    if (!SingleThreaded() || state->mode != 0 || size - 1 >= OBMEM_PY_MAX_REQUEST)
        return MallocUnderMutex(state, mutex, size);
    void* block = PooledMallocFromUsedPool(static_cast<uint32_t>((size - 1) >> 4));
    return block ? block : MallocFromNewPoolAlone(state, mutex, size);
}

void OBMEM_PyState_FreeSerialised(OBMEM_PyState* state, OB_MUTEX* mutex, void* block)
{
    if (!SingleThreaded() || !block || state->mode == -1 || !InArena(block))
        return FreeUnderMutex(state, mutex, block);
    PooledFree(state, block);
}

void* OBMEM_PyState_ReallocSerialised(OBMEM_PyState* state, OB_MUTEX* mutex, void* block, size_t size)
{
    void* moved;
    if (SingleThreaded() && TryRealloc(state, block, size, &moved))
        return moved;
    return ReallocUnderMutex(state, mutex, block, size);
}
