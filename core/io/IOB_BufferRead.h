#ifndef IOB_BUFFERREAD_H
#define IOB_BUFFERREAD_H

#include <cstdint>

#include "IOB_StreamRead.h"

// A byte source delivered block by block; the current block stays readable until the next one is made
// current.
class IOB_BufferRead : public IOB_StreamRead
{
public:
    // Makes the next block current (the first one when restart is true); false when there is none.
    virtual bool ReadNextBlock(bool restart = false) = 0;
    virtual const uint8_t* GetBlockBuffer() = 0;
    virtual size_t GetBlockSize() = 0;
    // Input position of the current block's first byte.
    virtual OB_FILESIZE GetBlockOffset() = 0;
};

#endif
