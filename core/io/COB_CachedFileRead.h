#ifndef COB_CACHEDFILEREAD_H
#define COB_CACHEDFILEREAD_H

#include "COB_Object.h"
#include "IOB_FileStream.h"
#include "OB_Lock.h"

struct _IOB_Allocator;

// Read-only stream over another IOB_FileRead through a chunk cache (COB_FileCache). Every operation runs
// under the stream's recursive mutex. Made with new; Release destroys it at the last reference.
class COB_CachedFileRead : public IOB_FileStream, public COB_Object
{
public:
    COB_CachedFileRead();

    // Once only. With an area (chunkCount x chunkSize bytes, the caller's, chunkSize at least 4096)
    // reads go through the cache; without one straight to the file. The private record and the
    // chunk table come from allocator (null = the default manager).
    bool Init(int chunkSize, int chunkCount, uint8_t* area, _IOB_Allocator* allocator = nullptr);
    // Attaches file (released at the end when takeOver is true) and empties the cache; false before Init.
    bool AttachFile(IOB_FileRead* file, bool takeOver);
    bool PreCache(OB_FILESIZE offset, int count);

    void Release() override;
    IOB_FileStream* Retain() override;
    bool IsEOF() override;
    OB_FILESIZE GetPosition() override;
    size_t ReadBlock(void* buffer, size_t size) override;
    OB_FILESIZE GetSize() override;
    bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, size_t size) override;
    bool Flush() override;

protected:
    ~COB_CachedFileRead() override;

private:
    struct Private;

    OB_MUTEX m_Mutex;
    Private* m_pData;
    uint32_t m_nRefCount;
};

#endif
