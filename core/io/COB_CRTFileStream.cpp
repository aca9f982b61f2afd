#include "COB_CRTFileStream.h"

#include "COB_MemoryMgr.h"
#include "IOBCRT_FileAccess.h"

COB_CRTFileStream::COB_CRTFileStream(IOBCRT_FileAccess* file, _IOB_Allocator* allocator)
    : m_pAllocator(allocator), m_pFile(file), m_nRefCount(1), m_bUseWindow(false), m_WindowOffset(0),
      m_WindowSize(0)
{
    OB_Mutex_Initialize(&m_Mutex);
}

COB_CRTFileStream::~COB_CRTFileStream()
{
    if (m_pFile)
        m_pFile->Release(m_pAllocator);
    OB_Mutex_Destroy(&m_Mutex);
}

void COB_CRTFileStream::Release()
{
    OB_Mutex_Lock(&m_Mutex);
    uint32_t left = --m_nRefCount;
    OB_Mutex_Unlock(&m_Mutex);
    if (left != 0)
        return;
    _IOB_Allocator* allocator = m_pAllocator;
    if (!allocator) {
        delete this;
        return;
    }
    this->~COB_CRTFileStream();
    allocator->Free(allocator, this);
}

IOB_FileStream* COB_CRTFileStream::Retain()
{
    COB_MutexLocker lock(&m_Mutex);
    ++m_nRefCount;
    return this;
}

OB_FILESIZE COB_CRTFileStream::GetSize()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_bUseWindow ? m_WindowSize : m_pFile->GetSize();
}

OB_FILESIZE COB_CRTFileStream::GetPosition()
{
    COB_MutexLocker lock(&m_Mutex);
    OB_FILESIZE position = m_pFile->GetPosition();
    if (position < 0)
        return position;
    return m_bUseWindow ? position - m_WindowOffset : position;
}

bool COB_CRTFileStream::IsEOF()
{
    COB_MutexLocker lock(&m_Mutex);
    return GetPosition() >= GetSize();
}

OB_FILESIZE COB_CRTFileStream::SetPosition(OB_FILESIZE position)
{
    COB_MutexLocker lock(&m_Mutex);
    // Nothing lies before the start (of the file or of the window).
    if (position < 0 || position > GetSize())
        return -1;
    OB_FILESIZE absolute = m_bUseWindow ? position + m_WindowOffset : position;
    if (m_pFile->SetPosition(absolute) != absolute)
        return -1;
    return position;
}

size_t COB_CRTFileStream::ReadBlock(void* buffer, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (m_bUseWindow) {
        OB_FILESIZE current = m_pFile->GetPosition();
        OB_FILESIZE left = m_WindowOffset + m_WindowSize - current;
        // A write may have left the offset past the window's end: nothing of the window is left.
        if (current < 0 || left <= 0)
            return 0;
        if (static_cast<uint64_t>(left) < size)
            size = static_cast<size_t>(left);
    }
    return m_pFile->Read(buffer, size);
}

bool COB_CRTFileStream::ReadBlock(void* buffer, OB_FILESIZE offset, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (offset < 0)
        return false;
    if (m_bUseWindow) {
        if (size > static_cast<uint64_t>(m_WindowSize) || offset > m_WindowSize - static_cast<OB_FILESIZE>(size))
            return false;
        offset += m_WindowOffset;
    }
    // A read that cannot deliver every byte asked for (the end of the file, an error) fails rather than
    // leaving the tail of the buffer unset behind a success.
    return size != 0 && m_pFile->ReadPos(buffer, size, offset) == size;
}

bool COB_CRTFileStream::WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    if (offset < 0)
        return false;
    if (m_bUseWindow)
        offset += m_WindowOffset;
    return size != 0 && m_pFile->WritePos(buffer, size, offset) == size;
}

bool COB_CRTFileStream::WriteBlock(const void* buffer, size_t size)
{
    COB_MutexLocker lock(&m_Mutex);
    return WriteBlock(buffer, GetSize(), size);
}

bool COB_CRTFileStream::Flush()
{
    COB_MutexLocker lock(&m_Mutex);
    return m_pFile->Flush();
}

bool COB_CRTFileStream::SetWindow(OB_FILESIZE offset, OB_FILESIZE size)
{
    COB_MutexLocker lock(&m_Mutex);
    OB_FILESIZE fileSize = m_pFile->GetSize();
    if (offset < 0 || size < 0 || offset > fileSize || size > fileSize - offset)
        return false;
    m_bUseWindow = true;
    m_WindowOffset = offset;
    m_WindowSize = size;
    m_pFile->SetPosition(offset);
    return true;
}

void COB_CRTFileStream::ClearWindow()
{
    COB_MutexLocker lock(&m_Mutex);
    m_bUseWindow = false;
}
