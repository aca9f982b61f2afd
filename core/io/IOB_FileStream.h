#ifndef IOB_FILESTREAM_H
#define IOB_FILESTREAM_H

#include "IOB_FileRead.h"
#include "IOB_FileWrite.h"

// A readable and writable file. Its IOB_FileWrite face shares the operations declared here, so a
// stream handed out as IOB_FileWrite* behaves exactly as the stream itself.
class IOB_FileStream : public IOB_FileRead, public IOB_FileWrite
{
public:
    using IOB_FileRead::ReadBlock;

    // Declared again so that calls through IOB_FileStream* are not ambiguous between the two faces.
    virtual void Release() override = 0;
    virtual OB_FILESIZE GetSize() override = 0;

    // One more reference; returns the stream (null for streams without a count).
    virtual IOB_FileStream* Retain() = 0;
    virtual bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) override = 0;
    // Appends: writes at GetSize().
    virtual bool WriteBlock(const void* buffer, size_t size) override { return WriteBlock(buffer, GetSize(), size); }
    virtual bool Flush() override = 0;

protected:
    virtual ~IOB_FileStream() {}
};

#endif
