#include "COB_CachedFileRead.h"

#include "COB_FileCache.h"
#include "COB_MemoryMgr.h"

#include <algorithm>
#include <new>

struct COB_CachedFileRead::Private
{
    explicit Private(_IOB_Allocator* allocator) : cache(allocator), allocator(allocator) {}

    COB_FileCache cache;
    IOB_FileRead* file = nullptr;
    OB_FILESIZE position = 0;
    bool ownsFile = false;
    _IOB_Allocator* allocator;
};

COB_CachedFileRead::COB_CachedFileRead() : m_pData(nullptr), m_nRefCount(1)
{
    OB_Mutex_Initialize(&m_Mutex);
}

COB_CachedFileRead::~COB_CachedFileRead()
{
    if (m_pData) {
        if (m_pData->ownsFile && m_pData->file)
            m_pData->file->Release();
        _IOB_Allocator* allocator = m_pData->allocator;
        m_pData->~Private();
        OBMEM_AllocatorFree(allocator, m_pData);
    }
    OB_Mutex_Destroy(&m_Mutex);
}

bool COB_CachedFileRead::Init(int chunkSize, int chunkCount, uint8_t* area, _IOB_Allocator* allocator)
{
    COB_MutexLocker lock(&m_Mutex);
    if (m_pData)
        return false;
    if (area && chunkSize < 4096)
        return false;
    void* block = OBMEM_AllocatorAlloc(allocator, sizeof(Private));
    if (!block)
        return false;
    Private* data = ::new (block) Private(allocator);
    if (area && !data->cache.InitChunk(chunkSize, chunkCount, area)) {
        data->~Private();
        OBMEM_AllocatorFree(allocator, block);
        return false;
    }
    m_pData = data;
    return true;
}

bool COB_CachedFileRead::AttachFile(IOB_FileRead* file, bool takeOver)
{
    COB_MutexLocker lock(&m_Mutex);
    if (!m_pData)
        return false;
    if (m_pData->ownsFile && m_pData->file && m_pData->file != file)
        m_pData->file->Release();
    m_pData->file = file;
    m_pData->ownsFile = takeOver;
    m_pData->cache.Clear();
    return true;
}

bool COB_CachedFileRead::PreCache(OB_FILESIZE offset, int count)
{
    COB_MutexLocker lock(&m_Mutex);
    return m_pData && m_pData->file && m_pData->cache.PreCache(m_pData->file, offset, count);
}

void COB_CachedFileRead::Release()
{
    OB_Mutex_Lock(&m_Mutex);
    uint32_t left = --m_nRefCount;
    OB_Mutex_Unlock(&m_Mutex);
    if (left == 0)
        delete this;
}

IOB_FileStream* COB_CachedFileRead::Retain()
{
    COB_MutexLocker lock(&m_Mutex);
    ++m_nRefCount;
    return this;
}

OB_FILESIZE COB_CachedFileRead::GetSize()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_pData && m_pData->file ? m_pData->file->GetSize() : 0;
}

OB_FILESIZE COB_CachedFileRead::GetPosition()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_pData ? m_pData->position : 0;
}

bool COB_CachedFileRead::IsEOF()
{
    COB_MutexLocker lock(&m_Mutex);
    if (!m_pData || !m_pData->file)
        return true;
    return m_pData->position >= m_pData->file->GetSize();
}

bool COB_CachedFileRead::ReadBlock(void* buffer, OB_FILESIZE offset, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (!m_pData || !m_pData->file || offset < 0 || size == 0)
        return false;
    OB_FILESIZE fileSize = m_pData->file->GetSize();
    if (offset > fileSize || size > static_cast<uint64_t>(fileSize - offset))
        return false;
    if (!m_pData->cache.ReadBlock(m_pData->file, buffer, offset, size))
        return false;
    m_pData->position = offset + static_cast<OB_FILESIZE>(size);
    return true;
}

size_t COB_CachedFileRead::ReadBlock(void* buffer, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (!m_pData || !m_pData->file)
        return 0;
    OB_FILESIZE fileSize = m_pData->file->GetSize();
    if (m_pData->position >= fileSize)
        return 0;
    size_t count = static_cast<size_t>(std::min<uint64_t>(fileSize - m_pData->position, size));
    return ReadBlock(buffer, m_pData->position, count) ? count : 0;
}

bool COB_CachedFileRead::WriteBlock(const void*, OB_FILESIZE, size_t)
{
    return false;
}

bool COB_CachedFileRead::WriteBlock(const void*, size_t)
{
    return false;
}

bool COB_CachedFileRead::Flush()
{
    return false;
}
