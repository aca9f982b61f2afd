#include "COB_MemoryStream.h"

#include "COB_MemoryMgr.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const uint64_t kDefaultBlockSize = 65536;
const uint64_t kMinimumPreset = 4096;

// Sums a position and a byte count; false when the end cannot be represented as a stream size.
bool EndOf(uint64_t offset, size_t size, uint64_t* end)
{
    if (size > static_cast<uint64_t>(INT64_MAX) - offset)
        return false;
    *end = offset + size;
    return true;
}

} // namespace

COB_MemoryStream::COB_MemoryStream(uint32_t flags, _IOB_Allocator* allocator)
    : m_Blocks(sizeof(uint8_t*), allocator), m_nRefCount(1), m_Capacity(0), m_DataSize(0), m_Position(0),
      m_BlockSize(kDefaultBlockSize), m_Flags(flags), m_bUseWindow(false), m_WindowOffset(0), m_WindowSize(0)
{
    OB_Mutex_Initialize(&m_Mutex);
}

COB_MemoryStream::COB_MemoryStream(void* buffer, size_t size, bool takeOver, _IOB_Allocator* allocator)
    : COB_MemoryStream(kContiguous | (takeOver ? kOwnsBlocks : 0), allocator)
{
    AttachData(buffer, size, takeOver);
}

COB_MemoryStream::~COB_MemoryStream()
{
    if (m_Flags & kOwnsBlocks)
        FreeBlocks();
    m_Blocks.SetSize(0, -1);
    OB_Mutex_Destroy(&m_Mutex);
}

void COB_MemoryStream::FreeBlocks()
{
    for (int i = 0; i < m_Blocks.GetSize(); ++i)
        OBMEM_AllocatorFree(m_Blocks.GetAllocator(), Block(i));
}

bool COB_MemoryStream::AddBlock(uint8_t* block)
{
    void* slot = m_Blocks.InsertSpaceAt(m_Blocks.GetSize(), 1);
    if (!slot)
        return false;
    *static_cast<uint8_t**>(slot) = block;
    return true;
}

void COB_MemoryStream::Release()
{
    OB_Mutex_Lock(&m_Mutex);
    uint32_t left = --m_nRefCount;
    OB_Mutex_Unlock(&m_Mutex);
    if (left != 0)
        return;
    _IOB_Allocator* allocator = m_Blocks.GetAllocator();
    if (!allocator) {
        delete this;
        return;
    }
    this->~COB_MemoryStream();
    allocator->Free(allocator, this);
}

IOB_FileStream* COB_MemoryStream::Retain()
{
    COB_MutexLocker lock(&m_Mutex);
    ++m_nRefCount;
    return this;
}

OB_FILESIZE COB_MemoryStream::GetSize()
{
    COB_MutexLocker lock(&m_Mutex);
    return static_cast<OB_FILESIZE>(m_bUseWindow ? m_WindowSize : m_DataSize);
}

OB_FILESIZE COB_MemoryStream::GetPosition()
{
    COB_MutexLocker lock(&m_Mutex);
    return static_cast<OB_FILESIZE>(m_bUseWindow ? m_Position - m_WindowOffset : m_Position);
}

bool COB_MemoryStream::IsEOF()
{
    COB_MutexLocker lock(&m_Mutex);
    return GetPosition() >= GetSize();
}

OB_FILESIZE COB_MemoryStream::SetPosition(OB_FILESIZE position)
{
    COB_MutexLocker lock(&m_Mutex);
    // Nothing lies before the start (of the data or of the window).
    if (position < 0 || position > GetSize())
        return -1;
    m_Position = static_cast<uint64_t>(position) + (m_bUseWindow ? m_WindowOffset : 0);
    return position;
}

size_t COB_MemoryStream::ReadBlock(void* buffer, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (m_Position >= m_DataSize)
        return 0;
    uint64_t count = std::min<uint64_t>(size, m_DataSize - m_Position);
    if (m_bUseWindow) {
        uint64_t windowEnd = m_WindowOffset + m_WindowSize;
        if (m_Position >= windowEnd)
            return 0;
        count = std::min(count, windowEnd - m_Position);
    }
    if (count == 0 || !buffer)
        return 0;
    return ReadAt(buffer, m_Position, static_cast<size_t>(count)) ? static_cast<size_t>(count) : 0;
}

bool COB_MemoryStream::ReadBlock(void* buffer, OB_FILESIZE offset, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (offset < 0 || !buffer || size == 0)
        return false;
    uint64_t absolute = static_cast<uint64_t>(offset) + (m_bUseWindow ? m_WindowOffset : 0);
    return ReadAt(buffer, absolute, size);
}

// Reads at an absolute offset; the position moves to the end of the range.
bool COB_MemoryStream::ReadAt(void* buffer, uint64_t offset, size_t size)
{
    uint64_t end;
    if (!EndOf(offset, size, &end) || end > m_DataSize)
        return false;
    m_Position = end;
    if (m_Flags & kContiguous) {
        if (m_Blocks.GetSize() > 0 && Block(0))
            std::memcpy(buffer, Block(0) + offset, size);
        return true;
    }
    CopyPieces(static_cast<uint8_t*>(buffer), nullptr, offset, size);
    return true;
}

// Block mode: copies between buffer and the blocks piece by piece, into buffer when bytes is null,
// else from bytes into the blocks. A missing block leaves its piece alone.
void COB_MemoryStream::CopyPieces(uint8_t* buffer, const uint8_t* bytes, uint64_t offset, size_t size)
{
    uint64_t index = offset / m_BlockSize;
    uint64_t inside = offset % m_BlockSize;
    size_t done = 0;
    while (done < size) {
        size_t piece = static_cast<size_t>(std::min<uint64_t>(m_BlockSize - inside, size - done));
        uint8_t* block = index < static_cast<uint64_t>(m_Blocks.GetSize()) ? Block(static_cast<int>(index)) : nullptr;
        if (block) {
            if (bytes)
                std::memcpy(block + inside, bytes + done, piece);
            else
                std::memcpy(buffer + done, block + inside, piece);
        }
        done += piece;
        ++index;
        inside = 0;
    }
}

void COB_MemoryStream::ZeroPieces(uint64_t offset, uint64_t size)
{
    for (uint64_t end = offset + size; offset < end;) {
        uint64_t inside = offset % m_BlockSize;
        uint64_t piece = std::min(m_BlockSize - inside, end - offset);
        std::memset(Block(static_cast<int>(offset / m_BlockSize)) + inside, 0, static_cast<size_t>(piece));
        offset += piece;
    }
}

bool COB_MemoryStream::WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    // Nothing lies before the start: a negative offset would write in front of the data.
    if (!buffer || size == 0 || offset < 0)
        return false;
    uint64_t start = static_cast<uint64_t>(offset) + (m_bUseWindow ? m_WindowOffset : 0);
    uint64_t end;
    if (!EndOf(start, size, &end))
        return false;
    if (m_Flags & kContiguous) {
        if (end > m_Capacity && !GrowContiguous(end))
            return false;
        // A gap left by writing past the end reads as zeros, as in a file, never as stale memory.
        if (start > m_DataSize)
            std::memset(Block(0) + m_DataSize, 0, static_cast<size_t>(start - m_DataSize));
        std::memcpy(Block(0) + start, buffer, size);
    } else {
        if (end > m_Capacity && !GrowBlocks(end))
            return false;
        if (start > m_DataSize)
            ZeroPieces(m_DataSize, start - m_DataSize);
        CopyPieces(nullptr, static_cast<const uint8_t*>(buffer), start, size);
    }
    m_Position = end;
    m_DataSize = std::max(m_DataSize, end);
    return true;
}

// Grows block 0 to end rounded up to the block size. A failed growth changes nothing, so the stream keeps
// its data. A caller's buffer the stream does not own is never resized (it may not come from our
// allocator, and the caller still holds it): its bytes move to a block of our own, which we then own.
bool COB_MemoryStream::GrowContiguous(uint64_t end)
{
    uint64_t units = end / m_BlockSize + (end % m_BlockSize ? 1 : 0);
    if (units > static_cast<uint64_t>(INT64_MAX) / m_BlockSize)
        return false;
    uint64_t capacity = units * m_BlockSize;
    if (capacity > SIZE_MAX)
        return false;
    _IOB_Allocator* allocator = m_Blocks.GetAllocator();
    uint8_t* old = m_Blocks.GetSize() > 0 ? Block(0) : nullptr;
    uint8_t* block;
    if (old && (m_Flags & kOwnsBlocks)) {
        block = static_cast<uint8_t*>(OBMEM_AllocatorRealloc(allocator, old, static_cast<size_t>(capacity)));
    } else {
        block = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(allocator, static_cast<size_t>(capacity)));
        if (block && old)
            std::memcpy(block, old, static_cast<size_t>(std::min(m_DataSize, m_Capacity)));
    }
    if (!block)
        return false;
    if (m_Blocks.GetSize() == 0 && !AddBlock(block)) {
        OBMEM_AllocatorFree(allocator, block);
        return false;
    }
    *static_cast<uint8_t**>(m_Blocks.GetDataPtr(0)) = block;
    m_Capacity = capacity;
    m_Flags |= kOwnsBlocks;
    return true;
}

// Adds blocks until the capacity reaches end; on failure the blocks added by this call are given back.
bool COB_MemoryStream::GrowBlocks(uint64_t end)
{
    _IOB_Allocator* allocator = m_Blocks.GetAllocator();
    int before = m_Blocks.GetSize();
    uint64_t capacity = m_Capacity;
    bool ok = m_BlockSize <= SIZE_MAX;
    while (ok && capacity < end) {
        uint8_t* block = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(allocator, static_cast<size_t>(m_BlockSize)));
        ok = block && AddBlock(block);
        if (!ok)
            OBMEM_AllocatorFree(allocator, block);
        else
            capacity += m_BlockSize;
    }
    if (!ok) {
        for (int i = before; i < m_Blocks.GetSize(); ++i)
            OBMEM_AllocatorFree(allocator, Block(i));
        m_Blocks.SetSize(before, -1);
        return false;
    }
    m_Capacity = capacity;
    return true;
}

bool COB_MemoryStream::WriteBlock(const void* buffer, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    return WriteBlock(buffer, GetSize(), size);
}

bool COB_MemoryStream::Flush()
{
    return true;
}

bool COB_MemoryStream::SetWindow(OB_FILESIZE offset, OB_FILESIZE size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (offset < 0 || size < 0 || static_cast<uint64_t>(offset) > m_DataSize ||
        static_cast<uint64_t>(size) > m_DataSize - static_cast<uint64_t>(offset))
        return false;
    m_bUseWindow = true;
    m_WindowOffset = static_cast<uint64_t>(offset);
    m_WindowSize = static_cast<uint64_t>(size);
    m_Position = m_WindowOffset;
    return true;
}

void COB_MemoryStream::ClearWindow()
{
    COB_MutexLocker lock(&m_Mutex);
    m_bUseWindow = false;
}

bool COB_MemoryStream::IsContiguous()
{
    COB_MutexLocker lock(&m_Mutex);
    return (m_Flags & kContiguous) != 0;
}

void COB_MemoryStream::PresetSizes(size_t initialSize, size_t growSize)
{
    COB_MutexLocker lock(&m_Mutex);
    if (!(m_Flags & kContiguous) && m_Blocks.GetSize() > 0)
        return;
    m_BlockSize = std::max<uint64_t>(growSize, kMinimumPreset);
    if ((m_Flags & kContiguous) && m_Blocks.GetSize() == 0) {
        size_t bytes = std::max<size_t>(initialSize, kMinimumPreset);
        uint8_t* block = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(m_Blocks.GetAllocator(), bytes));
        if (block && AddBlock(block)) {
            m_Capacity = bytes;
            m_Flags |= kOwnsBlocks;
        } else {
            OBMEM_AllocatorFree(m_Blocks.GetAllocator(), block);
        }
    }
}

uint8_t* COB_MemoryStream::GetDataBuffer()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_Blocks.GetSize() > 0 ? Block(0) : nullptr;
}

void COB_MemoryStream::AttachData(void* buffer, size_t size, bool takeOver)
{
    COB_MutexLocker lock(&m_Mutex);
    if (!(m_Flags & kContiguous))
        return;
    m_Blocks.SetSize(0, -1);
    if (buffer)
        AddBlock(static_cast<uint8_t*>(buffer));
    m_Capacity = m_DataSize = m_Blocks.GetSize() > 0 ? size : 0;
    m_Position = 0;
    m_Flags = kContiguous | (takeOver ? kOwnsBlocks : 0);
    m_bUseWindow = false;
}

void COB_MemoryStream::DetachData()
{
    COB_MutexLocker lock(&m_Mutex);
    if (!(m_Flags & kContiguous))
        return;
    m_Blocks.SetSize(0, -1);
    m_Capacity = m_DataSize = m_Position = 0;
    m_Flags = kOwnsBlocks;
    m_bUseWindow = false;
}

uint64_t COB_MemoryStream::GetCapacity()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_Capacity;
}

uint64_t COB_MemoryStream::GetBlockSize()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_BlockSize;
}

namespace {

template <typename... Args>
COB_MemoryStream* MakeStream(_IOB_Allocator* allocator, Args... args)
{
    if (!allocator)
        return new COB_MemoryStream(args..., nullptr);
    void* block = allocator->Alloc(allocator, sizeof(COB_MemoryStream));
    return block ? ::new (block) COB_MemoryStream(args..., allocator) : nullptr;
}

} // namespace

IOB_MemoryStream* OB_CreateMemoryStream(void* buffer, size_t size, bool takeOver, _IOB_Allocator* allocator)
{
    return MakeStream(allocator, buffer, size, takeOver);
}

IOB_MemoryStream* OB_CreateMemoryStream(bool contiguous, _IOB_Allocator* allocator)
{
    uint32_t flags = COB_MemoryStream::kOwnsBlocks | (contiguous ? COB_MemoryStream::kContiguous : 0);
    return MakeStream(allocator, flags);
}
