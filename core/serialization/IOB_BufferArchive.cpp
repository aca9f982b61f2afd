#include "IOB_BufferArchive.h"

#include "COB_ByteStringC.h"
#include "COB_MemoryMgr.h"
#include "OB_SysShims.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

IOB_BufferArchive::IOB_BufferArchive(int bufferSize, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_BufSize(bufferSize), m_pBuffer(nullptr), m_Length(0)
{
}

IOB_BufferArchive::~IOB_BufferArchive()
{
    FreeBuffer();
}

void IOB_BufferArchive::FreeBuffer()
{
    OBMEM_AllocatorFree(m_pAllocator, m_pBuffer);
    m_pBuffer = nullptr;
}

void IOB_BufferArchive::Clear()
{
    m_Length = 0;
    FreeBuffer();
}

int IOB_BufferArchive::AppendBlock(const void* data, size_t size)
{
    if (!data || size == 0)
        return 0;
    // A buffer without room would never fill, and the copy below would never end.
    if (m_BufSize < 1)
        return -1;
    if (!m_pBuffer) {
        m_pBuffer = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(m_pAllocator, static_cast<size_t>(m_BufSize)));
        if (!m_pBuffer)
            return -1;
    }
    if (static_cast<int>(size) < 1)
        return static_cast<int>(size);
    const uint8_t* in = static_cast<const uint8_t*>(data);
    size_t left = size;
    while (left > 0) {
        size_t piece = std::min(left, static_cast<size_t>(m_BufSize - m_Length));
        std::memcpy(m_pBuffer + m_Length, in, piece);
        m_Length += static_cast<int>(piece);
        in += piece;
        left -= piece;
        if (m_Length == m_BufSize) {
            m_Length = 0;
            if (!DoWork(m_pBuffer, static_cast<size_t>(m_BufSize)))
                return -1;
        }
    }
    return static_cast<int>(size);
}

int IOB_BufferArchive::AppendByte(unsigned char byte)
{
    return AppendBlock(&byte, 1);
}

// Unsigned decimal: a value of 2^31 and above is a count, never a negative number.
int IOB_BufferArchive::AppendDWord(unsigned int value)
{
    char text[16];
    int length = std::snprintf(text, sizeof(text), "%u", value);
    return AppendBlock(text, static_cast<size_t>(length));
}

int IOB_BufferArchive::AppendInt64(long long value)
{
    char text[32];
    OBSYS_i64toa(value, text, 10);
    return AppendBlock(text, std::strlen(text));
}

int IOB_BufferArchive::AppendString(const COB_ByteStringC& text)
{
    if (text.GetLength() <= 0)
        return 0;
    return AppendBlock(text.GetPtr(), static_cast<size_t>(text.GetLength()));
}

bool IOB_BufferArchive::Flush()
{
    int pending = m_Length;
    m_Length = 0;
    return DoWork(m_pBuffer, static_cast<size_t>(pending));
}
