#ifndef IOB_STREAMWRITE_H
#define IOB_STREAMWRITE_H

#include <cstddef>

#include "OB_FileSize.h"

// Sequential byte sink.
class IOB_StreamWrite
{
public:
    virtual void Release() = 0;
    virtual bool WriteBlock(const void* buffer, size_t size) = 0;
    virtual bool Flush() = 0;

protected:
    virtual ~IOB_StreamWrite() {}
};

#endif
