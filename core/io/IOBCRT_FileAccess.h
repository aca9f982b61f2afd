#ifndef IOBCRT_FILEACCESS_H
#define IOBCRT_FILEACCESS_H

#include <cstddef>
#include <cstdint>

#include "COB_ByteStringC.h"
#include "COB_WideStringC.h"
#include "OB_FileSize.h"

struct _IOB_Allocator;

// Platform file handle: one open file and its current offset.
class IOBCRT_FileAccess
{
public:
    virtual ~IOBCRT_FileAccess() {}

    // modes: OB_FILEMODE_* bits. False when already open or the platform refuses.
    virtual bool Open(const COB_ByteStringC& path, uint32_t modes) = 0;
    // The path is encoded as UTF-8 first.
    virtual bool Open(const COB_WideStringC& path, uint32_t modes) = 0;
    virtual void Close() = 0;
    // Destroys the object; its memory goes back to allocator (null: it was made as a COB_Object).
    virtual void Release(_IOB_Allocator* allocator) = 0;
    // 0 when not open.
    virtual OB_FILESIZE GetSize() = 0;
    // -1 when not open.
    virtual OB_FILESIZE GetPosition() = 0;
    virtual OB_FILESIZE SetPosition(OB_FILESIZE offset) = 0;
    // Bytes transferred at the current offset; 0 when not open or on an error before any byte moved.
    virtual size_t Read(void* buffer, size_t size) = 0;
    virtual size_t Write(const void* buffer, size_t size) = 0;
    // The same at an absolute offset; a read at or past the end gives 0.
    virtual size_t ReadPos(void* buffer, size_t size, OB_FILESIZE offset) = 0;
    virtual size_t WritePos(const void* buffer, size_t size, OB_FILESIZE offset) = 0;
    // Sync to disk.
    virtual bool Flush() = 0;
    virtual bool Truncate(OB_FILESIZE size) = 0;
};

// Makes a platform file handle (not open) through allocator, or as a COB_Object when it is null.
IOBCRT_FileAccess* OBCRT_FileAccess_Create(_IOB_Allocator* allocator);

#endif
