#include "COB_GrowOnlyPool.h"

#include <cstddef>

// The header is padded so that the data after it keeps the alignment of any type.
struct alignas(alignof(std::max_align_t)) COB_GrowOnlyPool::Chunk
{
    uint64_t capacity;
    uint64_t used;
    Chunk* next;
};

namespace {

const uint64_t kAlign = alignof(std::max_align_t);

COB_GrowOnlyPool* PoolOf(_IOB_Allocator* allocator)
{
    return reinterpret_cast<COB_GrowOnlyPool*>(allocator);
}

void* PoolAllocDebug(_IOB_Allocator* allocator, size_t size, const char*, int)
{
    return PoolOf(allocator)->Alloc(size);
}

void* PoolAlloc(_IOB_Allocator* allocator, size_t size)
{
    return PoolOf(allocator)->Alloc(size);
}

void* PoolReallocDebug(_IOB_Allocator*, void*, size_t, const char*, int)
{
    return nullptr;
}

void* PoolRealloc(_IOB_Allocator*, void*, size_t)
{
    return nullptr;
}

void PoolFree(_IOB_Allocator*, void*) {}

} // namespace

COB_GrowOnlyPool::COB_GrowOnlyPool(_IOB_Allocator* allocator, uint64_t chunkSize)
    : m_ChunkSize(chunkSize), m_pHead(nullptr), m_pChunkAllocator(allocator ? allocator : OBMEM_GetDefAllocator())
{
    m_Table.AllocDebug = PoolAllocDebug;
    m_Table.Alloc = PoolAlloc;
    m_Table.ReallocDebug = PoolReallocDebug;
    m_Table.Realloc = PoolRealloc;
    m_Table.Free = PoolFree;
    OB_Mutex_Initialize(&m_Mutex);
}

COB_GrowOnlyPool::~COB_GrowOnlyPool()
{
    FreeAll();
    OB_Mutex_Destroy(&m_Mutex);
}

void* COB_GrowOnlyPool::Alloc(size_t size)
{
    // Rounded to the alignment of any type (a multiple of 4, as sizes always were); sizes so large
    // that rounding would wrap are refused.
    if (size > UINT64_MAX - kAlign - sizeof(Chunk))
        return nullptr;
    uint64_t rounded = (static_cast<uint64_t>(size) + kAlign - 1) / kAlign * kAlign;

    COB_MutexLocker lock(&m_Mutex);
    for (Chunk* chunk = m_pHead; chunk; chunk = chunk->next) {
        if (chunk->capacity - chunk->used >= rounded) {
            void* block = reinterpret_cast<uint8_t*>(chunk + 1) + chunk->used;
            chunk->used += rounded;
            return block;
        }
    }
    uint64_t dataSize = rounded > m_ChunkSize ? rounded : m_ChunkSize;
    if (dataSize > SIZE_MAX - sizeof(Chunk))
        return nullptr;
    Chunk* chunk = static_cast<Chunk*>(m_pChunkAllocator->Alloc(m_pChunkAllocator, sizeof(Chunk) + dataSize));
    if (!chunk)
        return nullptr;
    chunk->capacity = dataSize;
    chunk->used = rounded;
    chunk->next = m_pHead;
    m_pHead = chunk;
    return chunk + 1;
}

bool COB_GrowOnlyPool::IsPool(const _IOB_Allocator* allocator)
{
    return allocator && allocator->Free == PoolFree;
}

void COB_GrowOnlyPool::FreeAll()
{
    COB_MutexLocker lock(&m_Mutex);
    while (m_pHead) {
        Chunk* next = m_pHead->next;
        m_pChunkAllocator->Free(m_pChunkAllocator, m_pHead);
        m_pHead = next;
    }
}

void COB_GrowOnlyPool::SetAllocator(_IOB_Allocator* allocator)
{
    COB_MutexLocker lock(&m_Mutex);
    m_pChunkAllocator = allocator ? allocator : OBMEM_GetDefAllocator();
}
