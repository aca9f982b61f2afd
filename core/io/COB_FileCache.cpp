#include "COB_FileCache.h"

#include "COB_MemoryMgr.h"
#include "IOB_FileRead.h"

#include <algorithm>
#include <cstring>

COB_FileCache::COB_FileCache(_IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_nChunkSize(0), m_nChunkCapacity(0), m_nChunksInUse(0), m_nCurrent(0),
      m_nUseCounter(0), m_pChunks(nullptr)
{
}

COB_FileCache::~COB_FileCache()
{
    Empty();
}

void COB_FileCache::Empty()
{
    OBMEM_AllocatorFree(m_pAllocator, m_pChunks);
    m_pChunks = nullptr;
    m_nChunkSize = m_nChunkCapacity = m_nChunksInUse = m_nCurrent = 0;
    m_nUseCounter = 0;
}

bool COB_FileCache::InitChunk(int chunkSize, int chunkCount, uint8_t* area)
{
    if (!area)
        return true;
    if (chunkSize <= 0 || chunkCount <= 0)
        return false;
    Empty();
    size_t bytes = static_cast<size_t>(chunkCount) * sizeof(Chunk);
    m_pChunks = static_cast<Chunk*>(OBMEM_AllocatorAlloc(m_pAllocator, bytes));
    if (!m_pChunks)
        return false;
    std::memset(m_pChunks, 0, bytes);
    for (int i = 0; i < chunkCount; ++i)
        m_pChunks[i].data = area + static_cast<size_t>(i) * chunkSize;
    m_nChunkSize = chunkSize;
    m_nChunkCapacity = chunkCount;
    return true;
}

void COB_FileCache::Clear()
{
    m_nCurrent = 0;
    for (int i = 0; i < m_nChunksInUse; ++i) {
        m_pChunks[i].offset = 0;
        m_pChunks[i].stamp = 0;
    }
    m_nChunksInUse = 0;
    m_nUseCounter = 0;
}

COB_FileCache::Chunk* COB_FileCache::SearchChunk(int* index, OB_FILESIZE offset)
{
    if (m_nChunksInUse == 0) {
        *index = 0;
        return nullptr;
    }
    int current = std::min(m_nCurrent, m_nChunksInUse - 1);
    if (m_pChunks[current].offset == offset) {
        *index = current;
        return &m_pChunks[current];
    }
    // Only the side of the current record where the offset can lie is searched.
    int low = 0, high = m_nChunksInUse;
    if (m_pChunks[current].offset < offset)
        low = current + 1;
    else
        high = current;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (m_pChunks[middle].offset < offset)
            low = middle + 1;
        else
            high = middle;
    }
    *index = low;
    if (low < m_nChunksInUse && m_pChunks[low].offset == offset)
        return &m_pChunks[low];
    return nullptr;
}

int COB_FileCache::FindMiniRefChunk() const
{
    int found = 0;
    for (int i = 1; i < m_nChunkCapacity; ++i)
        if (m_pChunks[i].stamp < m_pChunks[found].stamp)
            found = i;
    return found;
}

// Moves the record at from to position to, shifting the records between by one place.
void COB_FileCache::MoveChunk(int from, int to)
{
    if (from == to)
        return;
    Chunk moving = m_pChunks[from];
    if (from > to)
        std::memmove(&m_pChunks[to + 1], &m_pChunks[to], static_cast<size_t>(from - to) * sizeof(Chunk));
    else
        std::memmove(&m_pChunks[from], &m_pChunks[from + 1], static_cast<size_t>(to - from) * sizeof(Chunk));
    m_pChunks[to] = moving;
}

COB_FileCache::Chunk* COB_FileCache::CacheChunk(int* index, OB_FILESIZE offset, IOB_FileRead* file)
{
    bool fresh = m_nChunksInUse < m_nChunkCapacity;
    int slot = fresh ? m_nChunksInUse : FindMiniRefChunk();
    OB_FILESIZE fileSize = file->GetSize();
    size_t length = static_cast<size_t>(std::min<OB_FILESIZE>(fileSize - offset, m_nChunkSize));
    if (fileSize <= offset || !file->ReadBlock(m_pChunks[slot].data, offset, length)) {
        if (!fresh) {
            // The evicted record's bytes are gone: it leaves the sorted part instead of keeping a
            // chunk it no longer holds.
            MoveChunk(slot, m_nChunksInUse - 1);
            --m_nChunksInUse;
            m_pChunks[m_nChunksInUse].offset = 0;
            m_pChunks[m_nChunksInUse].stamp = 0;
            m_nCurrent = 0;
        }
        return nullptr;
    }
    m_pChunks[slot].offset = offset;
    int target = *index;
    if (fresh) {
        ++m_nChunksInUse;
    } else if (slot < target) {
        --target; // the records between shift down into the evicted record's place
    }
    MoveChunk(slot, target);
    *index = target;
    return &m_pChunks[target];
}

COB_FileCache::Chunk* COB_FileCache::Touch(int index)
{
    m_pChunks[index].stamp = ++m_nUseCounter;
    m_nCurrent = index;
    return &m_pChunks[index];
}

bool COB_FileCache::ReadBlock(IOB_FileRead* file, void* buffer, OB_FILESIZE offset, size_t size)
{
    if (!m_pChunks)
        return file->ReadBlock(buffer, offset, size);
    if (offset < 0 || size > static_cast<uint64_t>(INT64_MAX - offset) ||
        offset + static_cast<OB_FILESIZE>(size) > file->GetSize())
        return false;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    int index = -1;
    while (size > 0) {
        OB_FILESIZE chunkStart = offset - offset % m_nChunkSize;
        Chunk* chunk = nullptr;
        if (index >= 0 && index + 1 < m_nChunksInUse && m_pChunks[index + 1].offset == chunkStart) {
            ++index;
            chunk = &m_pChunks[index];
        } else {
            chunk = SearchChunk(&index, chunkStart);
            if (!chunk)
                chunk = CacheChunk(&index, chunkStart, file);
            if (!chunk)
                return false;
        }
        size_t inside = static_cast<size_t>(offset - chunkStart);
        size_t piece = std::min(size, static_cast<size_t>(m_nChunkSize) - inside);
        if (out && chunk->data) {
            std::memcpy(out, chunk->data + inside, piece);
            out += piece;
        }
        Touch(index);
        offset += static_cast<OB_FILESIZE>(piece);
        size -= piece;
    }
    return true;
}

bool COB_FileCache::PreCache(IOB_FileRead* file, OB_FILESIZE offset, int count)
{
    if (!m_pChunks || offset < 0 || count < 1)
        return false;
    OB_FILESIZE fileSize = file->GetSize();
    if (offset >= fileSize)
        return false;
    OB_FILESIZE chunkStart = offset - offset % m_nChunkSize;
    for (int i = 0; i < count && chunkStart < fileSize; ++i, chunkStart += m_nChunkSize) {
        int index = 0;
        if (!SearchChunk(&index, chunkStart) && !CacheChunk(&index, chunkStart, file))
            return false;
        Touch(index);
    }
    return true;
}
