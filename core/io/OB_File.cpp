#include "OB_File.h"

#include "COB_ByteString.h"
#include "COB_MemoryMgr.h"
#include "COB_UTF8Encoder.h"
#include "OB_PosixCalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const size_t kCopyBufferSize = 32768;

// A NUL-terminated copy of path; false when the text holds a NUL (it would name another file).
bool ToName(const COB_ByteStringC& path, COB_ByteString& name)
{
    if (OB_HoldsNul(path))
        return false;
    name = path;
    return true;
}

COB_ByteString ToUTF8(const COB_WideStringC& path)
{
    return OB_UTF8Encode(path.GetPtr(), path.GetLength());
}

bool WriteAll(int fd, const char* data, size_t size)
{
    return OB_TransferAll(data, size, [fd](const char* at, size_t count) { return ::write(fd, at, count); }) == size;
}

} // namespace

_OB_HFILE OB_File_Open(const COB_ByteStringC& path, uint32_t modes, _IOB_Allocator* allocator)
{
    IOBCRT_FileAccess* file = OBCRT_FileAccess_Create(allocator);
    if (!file)
        return nullptr;
    if (!file->Open(path, modes)) {
        file->Release(allocator);
        return nullptr;
    }
    return file;
}

_OB_HFILE OB_File_Open(const COB_WideStringC& path, uint32_t modes, _IOB_Allocator* allocator)
{
    return OB_File_Open(COB_ByteStringC(ToUTF8(path)), modes, allocator);
}

void OB_File_Close(_OB_HFILE file, _IOB_Allocator* allocator)
{
    if (!file)
        return;
    file->Close();
    file->Release(allocator);
}

OB_FILESIZE OB_File_GetSize(_OB_HFILE file)
{
    return file ? file->GetSize() : 0;
}

OB_FILESIZE OB_File_GetPosition(_OB_HFILE file)
{
    return file ? file->GetPosition() : -1;
}

OB_FILESIZE OB_File_SetPosition(_OB_HFILE file, OB_FILESIZE offset)
{
    return file ? file->SetPosition(offset) : -1;
}

size_t OB_File_Read(_OB_HFILE file, void* buffer, size_t size)
{
    return file ? file->Read(buffer, size) : 0;
}

size_t OB_File_ReadPos(_OB_HFILE file, void* buffer, size_t size, OB_FILESIZE offset)
{
    return file ? file->ReadPos(buffer, size, offset) : 0;
}

size_t OB_File_Write(_OB_HFILE file, const void* buffer, size_t size)
{
    return file ? file->Write(buffer, size) : 0;
}

size_t OB_File_WritePos(_OB_HFILE file, const void* buffer, size_t size, OB_FILESIZE offset)
{
    return file ? file->WritePos(buffer, size, offset) : 0;
}

bool OB_File_Flush(_OB_HFILE file)
{
    return file && file->Flush();
}

bool OB_File_Truncate(_OB_HFILE file, OB_FILESIZE size)
{
    return file && file->Truncate(size);
}

bool OB_File_Exist(const COB_ByteStringC& path)
{
    COB_ByteString name;
    return ToName(path, name) && access(name.c_str(), F_OK) == 0;
}

bool OB_File_Exist(const COB_WideStringC& path)
{
    return OB_File_Exist(COB_ByteStringC(ToUTF8(path)));
}

bool OB_File_Delete(const COB_ByteStringC& path)
{
    COB_ByteString name;
    return ToName(path, name) && remove(name.c_str()) == 0;
}

bool OB_File_Delete(const COB_WideStringC& path)
{
    return OB_File_Delete(COB_ByteStringC(ToUTF8(path)));
}

bool OB_File_Copy(const COB_ByteStringC& source, const COB_ByteStringC& destination)
{
    COB_ByteString from, to;
    if (!ToName(source, from) || !ToName(destination, to))
        return false;
    int in = OB_OpenRetry(from.c_str(), O_RDONLY, 0);
    if (in < 0)
        return false;
    struct stat inStat;
    if (fstat(in, &inStat) != 0 || inStat.st_size == 0) {
        close(in);
        return false;
    }
    // Opening the source itself as the destination would empty it before a byte was read.
    struct stat outStat;
    if (stat(to.c_str(), &outStat) == 0 && outStat.st_dev == inStat.st_dev && outStat.st_ino == inStat.st_ino) {
        close(in);
        return false;
    }
    int out = OB_OpenRetry(to.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
        close(in);
        return false;
    }
    char* buffer = static_cast<char*>(OBMEM_DefaultAlloc(kCopyBufferSize, OBMEM_MAYFAIL));
    bool complete = false;
    if (buffer) {
        // Complete only when the source's end was reached and every byte read was written.
        for (;;) {
            ssize_t n = ::read(in, buffer, kCopyBufferSize);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;
            if (n == 0) {
                complete = true;
                break;
            }
            if (!WriteAll(out, buffer, static_cast<size_t>(n)))
                break;
        }
        OBMEM_DefaultFree(buffer, 0);
    }
    close(in);
    if (close(out) != 0)
        complete = false;
    return complete;
}

bool OB_File_Copy(const COB_WideStringC& source, const COB_WideStringC& destination)
{
    return OB_File_Copy(COB_ByteStringC(ToUTF8(source)), COB_ByteStringC(ToUTF8(destination)));
}

bool OB_File_Move(const COB_ByteStringC& source, const COB_ByteStringC& destination)
{
    COB_ByteString from, to;
    return ToName(source, from) && ToName(destination, to) && rename(from.c_str(), to.c_str()) == 0;
}

bool OB_File_Move(const COB_WideStringC& source, const COB_WideStringC& destination)
{
    return OB_File_Move(COB_ByteStringC(ToUTF8(source)), COB_ByteStringC(ToUTF8(destination)));
}
