#include "COB_BinaryBuf.h"

#include "COB_ByteStringL.h"
#include "COB_MemoryMgr.h"

#include <climits>
#include <cstring>

namespace {

void* ReallocBlock(_IOB_Allocator* allocator, void* block, size_t bytes)
{
    if (allocator)
        return block ? allocator->Realloc(allocator, block, bytes) : allocator->Alloc(allocator, bytes);
    return OBMEM_DefaultRealloc2(block, bytes, 1, 0);
}

// A source inside our own block must be found again after the block moves.
bool Inside(const uint8_t* buffer, int allocSize, const void* data)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    return buffer && p >= buffer && p < buffer + allocSize;
}

} // namespace

COB_BinaryBuf::COB_BinaryBuf(_IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_AllocStep(0), m_pBuffer(nullptr), m_DataSize(0), m_AllocSize(0)
{
}

COB_BinaryBuf::COB_BinaryBuf(int size, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_AllocStep(0), m_pBuffer(nullptr), m_DataSize(0), m_AllocSize(0)
{
    if (size <= 0)
        return;
    m_pBuffer = static_cast<uint8_t*>(ReallocBlock(m_pAllocator, nullptr, static_cast<size_t>(size)));
    if (m_pBuffer)
        m_DataSize = m_AllocSize = size;
}

COB_BinaryBuf::~COB_BinaryBuf()
{
    FreeBlock();
}

void COB_BinaryBuf::FreeBlock()
{
    if (!m_pBuffer)
        return;
    OBMEM_AllocatorFree(m_pAllocator, m_pBuffer);
    m_pBuffer = nullptr;
}

bool COB_BinaryBuf::EstimateSize(int size, int step)
{
    m_AllocStep = step;
    if (m_AllocSize >= size)
        return true;
    return ExpandBuf(size - m_DataSize);
}

bool COB_BinaryBuf::ExpandBuf(int additional)
{
    // Sizes are computed wide: a total past the 32-bit limit fails instead of wrapping.
    int64_t needed = static_cast<int64_t>(m_DataSize) + additional;
    if (m_AllocSize >= needed)
        return true;
    if (needed > INT_MAX)
        return false;
    int64_t step = m_AllocStep;
    if (step <= 0)
        step = m_AllocSize / 4 > 127 ? m_AllocSize / 4 : 128;
    int64_t newSize = (needed + step - 1) / step * step;
    if (newSize > INT_MAX)
        newSize = INT_MAX;
    void* block = ReallocBlock(m_pAllocator, m_pBuffer, static_cast<size_t>(newSize));
    if (!block)
        return false;
    m_pBuffer = static_cast<uint8_t*>(block);
    m_AllocSize = static_cast<int>(newSize);
    return true;
}

bool COB_BinaryBuf::CopyData(const void* data, int size)
{
    if (size == 0) {
        m_DataSize = 0;
        return true;
    }
    if (size < 0)
        return false;
    ptrdiff_t offset = Inside(m_pBuffer, m_AllocSize, data) ? static_cast<const uint8_t*>(data) - m_pBuffer : -1;
    if (m_AllocSize < size && !ExpandBuf(size - m_DataSize))
        return false;
    if (!m_pBuffer)
        return false;
    if (data)
        memmove(m_pBuffer, offset >= 0 ? m_pBuffer + offset : data, static_cast<size_t>(size));
    m_DataSize = size;
    return true;
}

bool COB_BinaryBuf::AppendBlock(const void* data, int size)
{
    if (size < 0)
        return false;
    ptrdiff_t offset = Inside(m_pBuffer, m_AllocSize, data) ? static_cast<const uint8_t*>(data) - m_pBuffer : -1;
    if (!ExpandBuf(size) || !m_pBuffer)
        return false;
    if (data && size)
        memmove(m_pBuffer + m_DataSize, offset >= 0 ? m_pBuffer + offset : data, static_cast<size_t>(size));
    m_DataSize += size;
    return true;
}

bool COB_BinaryBuf::InsertBlock(int position, const void* data, int size)
{
    if (size < 0 || position < 0 || position > m_DataSize)
        return false;
    ptrdiff_t offset = Inside(m_pBuffer, m_AllocSize, data) ? static_cast<const uint8_t*>(data) - m_pBuffer : -1;
    if (!ExpandBuf(size) || !m_pBuffer)
        return false;
    memmove(m_pBuffer + position + size, m_pBuffer + position, static_cast<size_t>(m_DataSize - position));
    if (data && size) {
        if (offset >= 0) {
            // The source moved with the tail when it lay behind the insertion point.
            if (offset >= position)
                offset += size;
            memmove(m_pBuffer + position, m_pBuffer + offset, static_cast<size_t>(size));
        } else {
            memcpy(m_pBuffer + position, data, static_cast<size_t>(size));
        }
    }
    m_DataSize += size;
    return true;
}

bool COB_BinaryBuf::AppendFill(unsigned char byte, int count)
{
    if (count < 0)
        return false;
    if (!ExpandBuf(count) || !m_pBuffer)
        return false;
    memset(m_pBuffer + m_DataSize, byte, static_cast<size_t>(count));
    m_DataSize += count;
    return true;
}

void COB_BinaryBuf::Delete(int start, int count)
{
    if (start < 0 || count < 0 || !m_pBuffer || static_cast<int64_t>(start) + count > m_DataSize)
        return;
    memmove(m_pBuffer + start, m_pBuffer + start + count, static_cast<size_t>(m_DataSize - start - count));
    m_DataSize -= count;
}

void COB_BinaryBuf::DetachBuffer()
{
    m_pBuffer = nullptr;
    m_DataSize = m_AllocSize = 0;
}

void COB_BinaryBuf::AttachData(void* block, int size)
{
    if (block == m_pBuffer) {
        m_DataSize = m_AllocSize = block ? size : 0;
        return;
    }
    FreeBlock();
    m_pBuffer = static_cast<uint8_t*>(block);
    m_DataSize = m_AllocSize = block ? size : 0;
}

void COB_BinaryBuf::TakeOver(COB_BinaryBuf& other)
{
    if (&other == this)
        return;
    FreeBlock();
    m_pBuffer = other.m_pBuffer;
    m_DataSize = m_AllocSize = other.m_DataSize;
    other.m_pBuffer = nullptr;
    other.m_DataSize = other.m_AllocSize = 0;
}

COB_ByteStringC COB_BinaryBuf::GetByteString() const
{
    return COB_ByteStringC(m_pBuffer, m_DataSize);
}

void COB_BinaryBuf::GetByteStringL(COB_ByteStringL& out) const
{
    out.Set(GetByteString(), m_pAllocator);
}
