#ifndef COBCRT_FILEACCESS_POSIX_H
#define COBCRT_FILEACCESS_POSIX_H

#include "COB_Object.h"
#include "IOBCRT_FileAccess.h"

// open(2) flags and permissions for OB_FILEMODE_* modes; returns the flags.
int OBCRT_Posix_GetFileMode(uint32_t modes, int& flags, int& permissions);

// Platform file handle over a POSIX file descriptor.
class COBCRT_FileAccess_Posix : public IOBCRT_FileAccess, public COB_Object
{
public:
    COBCRT_FileAccess_Posix() : m_nFD(-1) {}
    ~COBCRT_FileAccess_Posix() override;

    bool Open(const COB_ByteStringC& path, uint32_t modes) override;
    bool Open(const COB_WideStringC& path, uint32_t modes) override;
    void Close() override;
    void Release(_IOB_Allocator* allocator) override;
    OB_FILESIZE GetSize() override;
    OB_FILESIZE GetPosition() override;
    OB_FILESIZE SetPosition(OB_FILESIZE offset) override;
    size_t Read(void* buffer, size_t size) override;
    size_t Write(const void* buffer, size_t size) override;
    size_t ReadPos(void* buffer, size_t size, OB_FILESIZE offset) override;
    size_t WritePos(const void* buffer, size_t size, OB_FILESIZE offset) override;
    bool Flush() override;
    bool Truncate(OB_FILESIZE size) override;

    int GetDescriptor() const { return m_nFD; }

private:
    int m_nFD;
};

#endif
