#include "COB_MMapedFile.h"

#include "COB_ByteString.h"
#include "COB_UTF8Encoder.h"
#include "OB_PosixCalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

OB_FILESIZE OB_DEFAULT_MMAP_SIZE = getpagesize();

namespace {

// Windows start and grow in steps of this size (a multiple of every page size in use).
const OB_FILESIZE kMapUnit = 65536;

OB_FILESIZE RoundUp(OB_FILESIZE value)
{
    return (value + kMapUnit - 1) / kMapUnit * kMapUnit;
}

} // namespace

COB_MMapedFile* COB_MMapedFile::Create(const COB_WideStringC& path, OB_FILESIZE offset, uint64_t length)
{
    return new COB_MMapedFile(path, offset, length);
}

COB_MMapedFile::COB_MMapedFile(const COB_WideStringC& path, OB_FILESIZE offset, uint64_t length)
    : m_Path(path), m_pMemory(nullptr), m_FileSize(0), m_nFD(-1), m_WindowOffset(0), m_Position(0),
      m_FillByte(0), m_WindowLength(0)
{
    COB_ByteString name = OB_UTF8Encode(path.GetPtr(), path.GetLength());
    // A file made here starts as one page of fill bytes; a file that was already there keeps its size.
    m_nFD = OB_OpenRetry(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    bool created = m_nFD >= 0;
    if (!created && errno == EEXIST)
        m_nFD = OB_OpenRetry(name.c_str(), O_RDWR | O_CREAT, 0644);
    if (m_nFD < 0 || !RefreshSize())
        return;
    if (created && m_FileSize == 0 && !Grow(OB_DEFAULT_MMAP_SIZE))
        return;
    // Only what the file holds is mapped: a page wholly past the end would fault when touched.
    if (offset < 0 || offset >= m_FileSize || length == 0)
        return;
    uint64_t available = static_cast<uint64_t>(m_FileSize - offset);
    uint64_t mapped = length < available ? length : available;
    void* memory = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_SHARED, m_nFD, offset);
    if (memory == MAP_FAILED)
        return;
    m_pMemory = static_cast<uint8_t*>(memory);
    m_WindowOffset = offset;
    m_WindowLength = mapped;
}

COB_MMapedFile::~COB_MMapedFile()
{
    Unmap();
    if (m_nFD >= 0)
        ::close(m_nFD);
}

void COB_MMapedFile::Release()
{
    delete this;
}

void COB_MMapedFile::Unmap()
{
    if (m_pMemory)
        munmap(m_pMemory, m_WindowLength);
    m_pMemory = nullptr;
    m_WindowOffset = 0;
    m_WindowLength = 0;
}

// The size is read again before each access: the file may have been changed by someone else.
bool COB_MMapedFile::RefreshSize()
{
    struct stat st;
    if (m_nFD < 0 || fstat(m_nFD, &st) != 0)
        return false;
    m_FileSize = st.st_size;
    // Bytes that another writer cut off may no longer be touched through the window.
    if (m_pMemory && static_cast<uint64_t>(m_WindowOffset) + m_WindowLength > static_cast<uint64_t>(m_FileSize))
        Unmap();
    return true;
}

OB_FILESIZE COB_MMapedFile::GetSize()
{
    RefreshSize();
    return m_FileSize;
}

bool COB_MMapedFile::IsEOF()
{
    return m_Position >= GetSize();
}

bool COB_MMapedFile::Grow(OB_FILESIZE newSize)
{
    int r;
    do
        r = ftruncate(m_nFD, newSize);
    while (r != 0 && errno == EINTR);
    if (r != 0)
        return false;
    OB_FILESIZE oldSize = m_FileSize;
    m_FileSize = newSize;
    // ftruncate adds zeros; another fill byte is written over them.
    if (m_FillByte != 0) {
        char fill[4096];
        memset(fill, m_FillByte, sizeof fill);
        for (OB_FILESIZE at = oldSize; at < newSize;) {
            size_t n = static_cast<size_t>(newSize - at < OB_FILESIZE(sizeof fill) ? newSize - at : sizeof fill);
            ssize_t w = pwrite(m_nFD, fill, n, at);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            at += w;
        }
    }
    return true;
}

bool COB_MMapedFile::ReMap(OB_FILESIZE offset, OB_FILESIZE size)
{
    if (m_nFD < 0 || offset < 0 || size <= 0 || size > std::numeric_limits<OB_FILESIZE>::max() - kMapUnit - offset)
        return false;
    if (!RefreshSize())
        return false;
    OB_FILESIZE end = offset + size;
    if (m_pMemory && offset >= m_WindowOffset && static_cast<uint64_t>(end - m_WindowOffset) <= m_WindowLength)
        return true;
    Unmap();
    if (end > m_FileSize && !Grow(RoundUp(end)))
        return false;
    OB_FILESIZE start = offset / kMapUnit * kMapUnit;
    OB_FILESIZE length = RoundUp(size);
    if (length > m_FileSize - start)
        length = m_FileSize - start;
    void* memory = mmap(nullptr, static_cast<size_t>(length), PROT_READ | PROT_WRITE, MAP_SHARED, m_nFD, start);
    if (memory == MAP_FAILED)
        return false;
    m_pMemory = static_cast<uint8_t*>(memory);
    m_WindowOffset = start;
    m_WindowLength = static_cast<uint64_t>(length);
    return true;
}

// Copies between the caller and the file through the window, moving the window as the range requires.
// Exactly one of buffer (read) and bytes (write) is set.
bool COB_MMapedFile::Transfer(void* buffer, const void* bytes, OB_FILESIZE offset, size_t size)
{
    if (m_nFD < 0 || offset < 0 || size == 0 || size > static_cast<uint64_t>(std::numeric_limits<OB_FILESIZE>::max()))
        return false;
    if (!RefreshSize())
        return false;
    OB_FILESIZE end = offset + static_cast<OB_FILESIZE>(size);
    if (end < offset)
        return false;
    // A read never grows the file and never reaches past its end.
    if (buffer && end > m_FileSize)
        return false;
    size_t done = 0;
    while (done < size) {
        OB_FILESIZE at = offset + static_cast<OB_FILESIZE>(done);
        bool inside = m_pMemory && at >= m_WindowOffset && static_cast<uint64_t>(at - m_WindowOffset) < m_WindowLength;
        if (!inside && !ReMap(at, static_cast<OB_FILESIZE>(size - done)))
            return false;
        uint64_t from = static_cast<uint64_t>(at - m_WindowOffset);
        size_t n = static_cast<size_t>(m_WindowLength - from < size - done ? m_WindowLength - from : size - done);
        if (buffer)
            memcpy(static_cast<uint8_t*>(buffer) + done, m_pMemory + from, n);
        else
            memcpy(m_pMemory + from, static_cast<const uint8_t*>(bytes) + done, n);
        done += n;
    }
    m_Position = end;
    return true;
}

bool COB_MMapedFile::ReadBlock(void* buffer, OB_FILESIZE offset, size_t size)
{
    return buffer && Transfer(buffer, nullptr, offset, size);
}

bool COB_MMapedFile::WriteBlock(const void* bytes, OB_FILESIZE offset, size_t size)
{
    return bytes && Transfer(nullptr, bytes, offset, size);
}

size_t COB_MMapedFile::ReadBlock(void* buffer, size_t size)
{
    OB_FILESIZE left = GetSize() - m_Position;
    if (left <= 0)
        return 0;
    if (static_cast<uint64_t>(left) < size)
        size = static_cast<size_t>(left);
    return ReadBlock(buffer, m_Position, size) ? size : 0;
}

bool COB_MMapedFile::WriteBlock(const void* bytes, size_t size)
{
    return WriteBlock(bytes, m_Position, size);
}

bool COB_MMapedFile::Flush()
{
    if (m_nFD < 0)
        return false;
    if (m_pMemory && msync(m_pMemory, m_WindowLength, MS_SYNC) != 0)
        return false;
    return fsync(m_nFD) == 0;
}
