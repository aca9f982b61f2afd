#ifndef COB_CRTFILESTREAM_H
#define COB_CRTFILESTREAM_H

#include "COB_Object.h"
#include "IOB_FileStream.h"
#include "OB_Lock.h"

class IOBCRT_FileAccess;
struct _IOB_Allocator;

// File stream over a platform file handle, which it owns. Every operation runs under the stream's
// recursive mutex, so one stream may be shared between threads. Made by OB_CreateFileStream.
class COB_CRTFileStream : public IOB_FileStream, public COB_Object
{
public:
    // Takes over file (open); allocator is the one that made both the stream and the handle.
    COB_CRTFileStream(IOBCRT_FileAccess* file, _IOB_Allocator* allocator);

    void Release() override;
    IOB_FileStream* Retain() override;
    bool IsEOF() override;
    OB_FILESIZE GetPosition() override;
    OB_FILESIZE SetPosition(OB_FILESIZE position) override;
    size_t ReadBlock(void* buffer, size_t size) override;
    OB_FILESIZE GetSize() override;
    bool SetWindow(OB_FILESIZE offset, OB_FILESIZE size) override;
    void ClearWindow() override;
    bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, size_t size) override;
    bool Flush() override;

protected:
    ~COB_CRTFileStream() override;

private:
    OB_MUTEX m_Mutex;
    _IOB_Allocator* m_pAllocator;
    IOBCRT_FileAccess* m_pFile;
    uint32_t m_nRefCount;
    bool m_bUseWindow;
    OB_FILESIZE m_WindowOffset;
    OB_FILESIZE m_WindowSize;
};

#endif
