#include "COB_FileBufferArchive.h"

#include "IOB_StreamWrite.h"
#include "OB_FileStream.h"

COB_FileBufferArchive::COB_FileBufferArchive(int bufferSize, _IOB_Allocator* allocator)
    : IOB_BufferArchive(bufferSize, allocator), m_pFile(nullptr), m_bTakeover(false)
{
}

COB_FileBufferArchive::~COB_FileBufferArchive()
{
    ReleaseStream();
}

void COB_FileBufferArchive::ReleaseStream()
{
    if (m_pFile && m_bTakeover)
        m_pFile->Release();
    m_pFile = nullptr;
    m_bTakeover = false;
}

bool COB_FileBufferArchive::AttachFile(IOB_StreamWrite* stream, bool takeOver)
{
    if (!stream)
        return false;
    // Attaching the stream we already own again must not release it under our own feet.
    if (stream != m_pFile)
        ReleaseStream();
    m_pFile = stream;
    m_bTakeover = takeOver;
    return true;
}

template <typename Char>
bool COB_FileBufferArchive::OpenFile(const Char* path)
{
    if (!path)
        return false;
    ReleaseStream();
    m_pFile = OB_CreateFileWrite(path, nullptr);
    m_bTakeover = m_pFile != nullptr;
    return m_pFile != nullptr;
}

bool COB_FileBufferArchive::AttachFile(const wchar_t* path)
{
    return OpenFile(path);
}

bool COB_FileBufferArchive::AttachFile(const char* path)
{
    return OpenFile(path);
}

void COB_FileBufferArchive::Clear()
{
    ReleaseStream();
    IOB_BufferArchive::Clear();
}

bool COB_FileBufferArchive::DoWork(const void* data, size_t size)
{
    if (!m_pFile)
        return false;
    if (!data || size == 0)
        return true;
    return m_pFile->WriteBlock(data, size);
}

bool COB_FileBufferArchive::Flush()
{
    int pending = m_Length;
    m_Length = 0;
    if (!DoWork(m_pBuffer, static_cast<size_t>(pending)))
        return false;
    return m_pFile ? m_pFile->Flush() : true;
}
