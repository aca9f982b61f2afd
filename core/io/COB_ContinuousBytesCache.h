#ifndef COB_CONTINUOUSBYTESCACHE_H
#define COB_CONTINUOUSBYTESCACHE_H

#include "COB_Object.h"
#include "IOB_BytesCache.h"

// One contiguous byte range of at most capacity bytes; bytes that extend it at its end push the oldest
// ones out at the front. Not synchronised. Made by OB_CreateContinuousBytesCache; deleted by its owner.
class COB_ContinuousBytesCache : public IOB_BytesCache, public COB_Object
{
public:
    explicit COB_ContinuousBytesCache(uint64_t capacity);
    ~COB_ContinuousBytesCache() override;

    void Load(IOB_FileRead* file, OB_FILESIZE offset, uint64_t size) override;
    OB_BytesRange ReadRange(void* destination, const OB_BytesRange& range) override;
    void AddRange(const void* bytes, OB_FILESIZE offset, uint64_t size) override;
    void Clear() override;

    bool HasBuffer() const { return m_pBuffer != nullptr; }
    OB_BytesRange GetRange() const { return {m_Start, m_Length}; }

private:
    uint8_t* m_pBuffer;
    OB_FILESIZE m_Start;
    uint64_t m_Length;
    uint64_t m_Capacity;
};

#endif
