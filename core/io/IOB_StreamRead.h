#ifndef IOB_STREAMREAD_H
#define IOB_STREAMREAD_H

#include <cstddef>

#include "OB_FileSize.h"

// Sequential byte source. Objects free themselves in Release (at the last reference for counted ones).
class IOB_StreamRead
{
public:
    virtual void Release() = 0;
    virtual bool IsEOF() = 0;
    virtual OB_FILESIZE GetPosition() = 0;
    // Reads up to size bytes at the current position, which advances; the bytes read.
    virtual size_t ReadBlock(void* buffer, size_t size) = 0;
    // The position set, or -1 when the source cannot move.
    virtual OB_FILESIZE SetPosition(OB_FILESIZE /*position*/) { return -1; }

protected:
    virtual ~IOB_StreamRead() {}
};

#endif
