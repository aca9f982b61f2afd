#include "COB_ContinuousBytesCache.h"

#include "COB_MemoryMgr.h"
#include "IOB_FileRead.h"

#include <algorithm>
#include <cstring>

COB_ContinuousBytesCache::COB_ContinuousBytesCache(uint64_t capacity)
    : m_pBuffer(nullptr), m_Start(0), m_Length(0), m_Capacity(0)
{
    m_pBuffer = static_cast<uint8_t*>(OBMEM_DefaultAlloc2(static_cast<size_t>(capacity), 1, 0));
    if (m_pBuffer) {
        m_Capacity = capacity;
        std::memset(m_pBuffer, 0, static_cast<size_t>(capacity));
    }
}

COB_ContinuousBytesCache::~COB_ContinuousBytesCache()
{
    OBMEM_DefaultFree(m_pBuffer, 0);
}

void COB_ContinuousBytesCache::Clear()
{
    if (m_pBuffer)
        std::memset(m_pBuffer, 0, static_cast<size_t>(m_Capacity));
    m_Start = 0;
    m_Length = 0;
}

void COB_ContinuousBytesCache::Load(IOB_FileRead* file, OB_FILESIZE offset, uint64_t size)
{
    if (!file)
        return;
    Clear();
    OB_FILESIZE fileSize = file->GetSize();
    if (offset < 0 || offset >= fileSize)
        return;
    // Only what the file holds is cached; a range that claimed bytes the read did not deliver would hand
    // out zeros as file contents.
    uint64_t length = std::min<uint64_t>({m_Capacity, size, static_cast<uint64_t>(fileSize - offset)});
    if (length == 0 || !file->ReadBlock(m_pBuffer, offset, static_cast<size_t>(length))) {
        Clear();
        return;
    }
    m_Start = offset;
    m_Length = length;
}

OB_BytesRange COB_ContinuousBytesCache::ReadRange(void* destination, const OB_BytesRange& range)
{
    OB_FILESIZE start = std::max(range.offset, m_Start);
    OB_FILESIZE end = std::min(range.offset + static_cast<OB_FILESIZE>(range.length),
                               m_Start + static_cast<OB_FILESIZE>(m_Length));
    if (end <= start)
        return {start, 0};
    uint64_t length = static_cast<uint64_t>(end - start);
    if (destination && m_pBuffer)
        std::memcpy(static_cast<uint8_t*>(destination) + (start - range.offset), m_pBuffer + (start - m_Start),
                    static_cast<size_t>(length));
    return {start, length};
}

void COB_ContinuousBytesCache::AddRange(const void* bytes, OB_FILESIZE offset, uint64_t size)
{
    if (!bytes || size == 0 || !m_pBuffer)
        return;
    const uint8_t* in = static_cast<const uint8_t*>(bytes);
    OB_FILESIZE end = offset + static_cast<OB_FILESIZE>(size);
    OB_FILESIZE cachedEnd = m_Start + static_cast<OB_FILESIZE>(m_Length);
    if (size < m_Capacity && end == m_Start) {
        uint64_t keep = std::min(m_Length, m_Capacity - size);
        std::memmove(m_pBuffer + size, m_pBuffer, static_cast<size_t>(keep));
        std::memcpy(m_pBuffer, in, static_cast<size_t>(size));
        m_Start = offset;
        m_Length = keep + size;
        return;
    }
    if (size < m_Capacity && offset == cachedEnd) {
        uint64_t drop = m_Length + size > m_Capacity ? m_Length + size - m_Capacity : 0;
        std::memmove(m_pBuffer, m_pBuffer + drop, static_cast<size_t>(m_Length - drop));
        m_Start += static_cast<OB_FILESIZE>(drop);
        m_Length -= drop;
        std::memset(m_pBuffer + m_Length, 0, static_cast<size_t>(m_Capacity - m_Length));
        std::memcpy(m_pBuffer + m_Length, in, static_cast<size_t>(size));
        m_Length += size;
        return;
    }
    std::memset(m_pBuffer, 0, static_cast<size_t>(m_Capacity));
    uint64_t length = std::min(m_Capacity, size);
    std::memcpy(m_pBuffer, in + (size - length), static_cast<size_t>(length));
    m_Start = end - static_cast<OB_FILESIZE>(length);
    m_Length = length;
}

IOB_BytesCache* OB_CreateContinuousBytesCache(uint64_t capacity)
{
    COB_ContinuousBytesCache* cache = new COB_ContinuousBytesCache(capacity);
    if (cache && !cache->HasBuffer()) {
        delete cache;
        return nullptr;
    }
    return cache;
}
