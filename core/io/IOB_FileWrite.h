#ifndef IOB_FILEWRITE_H
#define IOB_FILEWRITE_H

#include "IOB_StreamWrite.h"

// A byte sink of known size that can be written at any offset.
class IOB_FileWrite : public IOB_StreamWrite
{
public:
    using IOB_StreamWrite::WriteBlock;

    virtual OB_FILESIZE GetSize() = 0;
    virtual bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) = 0;
};

#endif
