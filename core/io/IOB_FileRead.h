#ifndef IOB_FILEREAD_H
#define IOB_FILEREAD_H

#include "IOB_StreamRead.h"

// A byte source of known size that can be read at any offset. While a window (offset, size) is set,
// every position, size and offset is relative to the window's start and the size is the window's.
class IOB_FileRead : public IOB_StreamRead
{
public:
    using IOB_StreamRead::ReadBlock;

    virtual OB_FILESIZE GetSize() = 0;
    virtual bool SetWindow(OB_FILESIZE /*offset*/, OB_FILESIZE /*size*/) { return false; }
    virtual void ClearWindow() {}
    // Reads exactly at offset; false when nothing could be read.
    virtual bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) = 0;
};

#endif
