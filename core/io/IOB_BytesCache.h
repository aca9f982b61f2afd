#ifndef IOB_BYTESCACHE_H
#define IOB_BYTESCACHE_H

#include <cstdint>

#include "OB_FileSize.h"

class IOB_FileRead;

// A range of bytes of a file: offset and length.
struct OB_BytesRange
{
    OB_FILESIZE offset;
    uint64_t length;
};

// One cached range of a file's bytes, of bounded size.
class IOB_BytesCache
{
public:
    // Caches up to size bytes of file at offset (as far as the file reaches); a failed read leaves the
    // cache empty.
    virtual void Load(IOB_FileRead* file, OB_FILESIZE offset, uint64_t size) = 0;
    // Copies the part of range that is cached to destination + (its start - range.offset); returns that
    // part (length 0 when nothing of the range is cached).
    virtual OB_BytesRange ReadRange(void* destination, const OB_BytesRange& range) = 0;
    // Adds bytes that continue the cached range at either end, or else replaces it with them.
    virtual void AddRange(const void* bytes, OB_FILESIZE offset, uint64_t size) = 0;
    virtual void Clear() = 0;
    virtual ~IOB_BytesCache() {}
};

// Null when the buffer of capacity bytes cannot be had.
IOB_BytesCache* OB_CreateContinuousBytesCache(uint64_t capacity);

#endif
