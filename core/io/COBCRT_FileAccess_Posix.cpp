#include "COBCRT_FileAccess_Posix.h"

#include "COB_ByteString.h"
#include "COB_MemoryMgr.h"
#include "COB_UTF8Encoder.h"
#include "OB_PosixCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

static_assert(sizeof(off_t) == sizeof(OB_FILESIZE), "file offsets must be 64-bit");

int OBCRT_Posix_GetFileMode(uint32_t modes, int& flags, int& permissions)
{
    if (modes & OB_FILEMODE_READONLY) {
        flags = O_RDONLY;
        permissions = 0;
    } else {
        flags = O_RDWR | O_CREAT;
        if (modes & OB_FILEMODE_TRUNCATE)
            flags |= O_TRUNC;
        permissions = 0644;
    }
    return flags;
}

IOBCRT_FileAccess* OBCRT_FileAccess_Create(_IOB_Allocator* allocator)
{
    if (!allocator)
        return new COBCRT_FileAccess_Posix;
    void* block = allocator->Alloc(allocator, sizeof(COBCRT_FileAccess_Posix));
    return block ? ::new (block) COBCRT_FileAccess_Posix : nullptr;
}

COBCRT_FileAccess_Posix::~COBCRT_FileAccess_Posix()
{
    Close();
}

bool COBCRT_FileAccess_Posix::Open(const COB_ByteStringC& path, uint32_t modes)
{
    if (m_nFD != -1)
        return false;
    if (OB_HoldsNul(path))
        return false;
    COB_ByteString name(path);
    int flags = 0, permissions = 0;
    OBCRT_Posix_GetFileMode(modes, flags, permissions);
    int fd = OB_OpenRetry(name.c_str(), flags, permissions);
    if (fd < 0)
        return false;
    m_nFD = fd;
    return true;
}

bool COBCRT_FileAccess_Posix::Open(const COB_WideStringC& path, uint32_t modes)
{
    COB_ByteString utf8 = OB_UTF8Encode(path.GetPtr(), path.GetLength());
    return Open(COB_ByteStringC(utf8), modes);
}

void COBCRT_FileAccess_Posix::Close()
{
    if (m_nFD == -1)
        return;
    // Not retried on EINTR: the descriptor is released whatever close reports.
    ::close(m_nFD);
    m_nFD = -1;
}

void COBCRT_FileAccess_Posix::Release(_IOB_Allocator* allocator)
{
    if (!allocator) {
        delete this;
        return;
    }
    this->~COBCRT_FileAccess_Posix();
    allocator->Free(allocator, this);
}

OB_FILESIZE COBCRT_FileAccess_Posix::GetSize()
{
    if (m_nFD == -1)
        return 0;
    struct stat st;
    if (fstat(m_nFD, &st) != 0)
        return 0;
    return st.st_size;
}

OB_FILESIZE COBCRT_FileAccess_Posix::GetPosition()
{
    if (m_nFD == -1)
        return -1;
    return lseek(m_nFD, 0, SEEK_CUR);
}

OB_FILESIZE COBCRT_FileAccess_Posix::SetPosition(OB_FILESIZE offset)
{
    if (m_nFD == -1)
        return -1;
    return lseek(m_nFD, offset, SEEK_SET);
}

// Short counts are carried on until the whole size, the end of the file or a real error; an error
// before any byte moved gives 0.
size_t COBCRT_FileAccess_Posix::Read(void* buffer, size_t size)
{
    if (m_nFD == -1 || !buffer)
        return 0;
    return OB_TransferAll(static_cast<char*>(buffer), size,
                          [this](char* at, size_t count) { return ::read(m_nFD, at, count); });
}

size_t COBCRT_FileAccess_Posix::Write(const void* buffer, size_t size)
{
    if (m_nFD == -1 || !buffer)
        return 0;
    return OB_TransferAll(static_cast<const char*>(buffer), size,
                          [this](const char* at, size_t count) { return ::write(m_nFD, at, count); });
}

size_t COBCRT_FileAccess_Posix::ReadPos(void* buffer, size_t size, OB_FILESIZE offset)
{
    if (m_nFD == -1 || offset < 0 || offset >= GetSize())
        return 0;
    if (lseek(m_nFD, offset, SEEK_SET) != offset)
        return 0;
    return Read(buffer, size);
}

size_t COBCRT_FileAccess_Posix::WritePos(const void* buffer, size_t size, OB_FILESIZE offset)
{
    if (m_nFD == -1 || offset < 0)
        return 0;
    if (lseek(m_nFD, offset, SEEK_SET) != offset)
        return 0;
    return Write(buffer, size);
}

bool COBCRT_FileAccess_Posix::Flush()
{
    if (m_nFD == -1)
        return false;
    return fsync(m_nFD) == 0;
}

bool COBCRT_FileAccess_Posix::Truncate(OB_FILESIZE size)
{
    if (m_nFD == -1)
        return false;
    int r;
    do
        r = ftruncate(m_nFD, size);
    while (r != 0 && errno == EINTR);
    return r == 0;
}
