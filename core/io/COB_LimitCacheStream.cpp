#include "COB_LimitCacheStream.h"

#include "COB_MemoryMgr.h"

#include <algorithm>
#include <cstring>

COB_LimitCacheStream::COB_LimitCacheStream(uint64_t size, uint64_t limit, uint64_t extra)
    : m_pBuffer(nullptr), m_DataSize(0), m_Position(0), m_Capacity(0), m_Stored(0), m_nRefCount(1)
{
    if (size != 0 && extra <= limit && size <= limit - extra) {
        m_pBuffer = static_cast<uint8_t*>(OBMEM_DefaultAlloc2(static_cast<size_t>(size + extra), 1, 0));
        if (m_pBuffer)
            m_Capacity = size + extra;
    }
}

COB_LimitCacheStream::~COB_LimitCacheStream()
{
    OBMEM_DefaultFree(m_pBuffer, 0);
}

void COB_LimitCacheStream::Release()
{
    if (--m_nRefCount == 0)
        delete this;
}

// Holders share the stream as with every other file stream: each Retain needs its own Release.
IOB_FileStream* COB_LimitCacheStream::Retain()
{
    ++m_nRefCount;
    return this;
}

OB_FILESIZE COB_LimitCacheStream::GetSize()
{
    return static_cast<OB_FILESIZE>(m_DataSize);
}

bool COB_LimitCacheStream::Flush()
{
    return true;
}

bool COB_LimitCacheStream::IsEOF()
{
    return !m_pBuffer || m_Position >= m_DataSize;
}

OB_FILESIZE COB_LimitCacheStream::GetPosition()
{
    return static_cast<OB_FILESIZE>(m_pBuffer ? m_Position : m_DataSize);
}

OB_FILESIZE COB_LimitCacheStream::SetPosition(OB_FILESIZE position)
{
    if (!m_pBuffer)
        return static_cast<OB_FILESIZE>(m_DataSize);
    m_Position = static_cast<uint64_t>(position);
    return position;
}

bool COB_LimitCacheStream::WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size)
{
    if (offset < 0 || static_cast<uint64_t>(offset) > m_DataSize)
        return false;
    if (size == 0)
        return true;
    if (m_pBuffer && size <= m_Capacity && m_DataSize <= m_Capacity - size) {
        std::memmove(m_pBuffer + offset + size, m_pBuffer + offset, static_cast<size_t>(m_DataSize - offset));
        if (buffer)
            std::memcpy(m_pBuffer + offset, buffer, size);
        // The kept bytes grow only when the insertion lies inside them and fills its gap with data: bytes
        // counted but never kept (a null append) must not turn readable by being moved up.
        const uint64_t at = static_cast<uint64_t>(offset);
        if (at <= m_Stored && (buffer || at + size <= m_Stored))
            m_Stored += size;
    } else if (static_cast<uint64_t>(offset) < m_Stored) {
        // What followed the offset now belongs further on: the bytes kept there are no longer the data.
        m_Stored = static_cast<uint64_t>(offset);
    }
    m_DataSize += size;
    return true;
}

bool COB_LimitCacheStream::WriteBlock(const void* buffer, size_t size)
{
    if (size == 0)
        return true;
    if (m_pBuffer && buffer && size <= m_Capacity && m_DataSize <= m_Capacity - size) {
        std::memcpy(m_pBuffer + m_DataSize, buffer, size);
        if (m_Stored == m_DataSize)
            m_Stored += size;
    }
    m_DataSize += size;
    return true;
}

// Bytes that were counted but not kept, or moved out of the buffer by an insertion, are never read:
// the buffer holds no data of the stream there.
bool COB_LimitCacheStream::ReadBlock(void* buffer, OB_FILESIZE offset, size_t size)
{
    uint64_t stored = m_Stored;
    if (offset < 0 || !m_pBuffer || static_cast<uint64_t>(offset) > stored || size > stored - offset)
        return false;
    if (buffer && size != 0)
        std::memcpy(buffer, m_pBuffer + offset, size);
    return true;
}

size_t COB_LimitCacheStream::ReadBlock(void* buffer, size_t size)
{
    uint64_t stored = m_Stored;
    if (!m_pBuffer || m_Position >= stored)
        return 0;
    size_t count = static_cast<size_t>(std::min<uint64_t>(size, stored - m_Position));
    if (buffer)
        std::memcpy(buffer, m_pBuffer + m_Position, count);
    m_Position += count;
    return count;
}
