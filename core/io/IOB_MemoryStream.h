#ifndef IOB_MEMORYSTREAM_H
#define IOB_MEMORYSTREAM_H

#include "IOB_FileStream.h"

// A file stream whose bytes live in memory: one contiguous block, or a list of fixed-size blocks.
class IOB_MemoryStream : public IOB_FileStream
{
public:
    virtual bool IsContiguous() = 0;
    // Sets the growth unit (at least 4096) and, for an empty contiguous stream, makes its first block
    // of at least 4096 bytes. A block-mode stream that already holds blocks is left as it is.
    virtual void PresetSizes(size_t initialSize, size_t growSize) = 0;
    // Block 0, or null when there is none.
    virtual uint8_t* GetDataBuffer() = 0;
    // Contiguous streams only: the stream now reads and writes buffer (size bytes of data), and frees
    // it at the end when takeOver is true. The previous block is forgotten, not freed.
    virtual void AttachData(void* buffer, size_t size, bool takeOver) = 0;
    // Contiguous streams only: forgets its block (the caller took it with GetDataBuffer and owns it now)
    // and carries on empty, in block mode.
    virtual void DetachData() = 0;

protected:
    ~IOB_MemoryStream() override {}
};

#endif
