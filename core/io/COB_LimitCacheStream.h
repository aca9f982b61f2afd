#ifndef COB_LIMITCACHESTREAM_H
#define COB_LIMITCACHESTREAM_H

#include "COB_Object.h"
#include "IOB_FileStream.h"

// In-memory stream of bounded capacity: what fits is stored, and once the capacity is exhausted writes
// are only counted, so a caller can learn the full size of output it did not keep. Reads return only
// bytes that hold the stream's data. Not synchronised.
class COB_LimitCacheStream : public IOB_FileStream, public COB_Object
{
public:
    // Capacity size + extra when size is not 0 and size + extra <= limit; otherwise no buffer at all.
    COB_LimitCacheStream(uint64_t size, uint64_t limit, uint64_t extra);

    void Release() override;
    IOB_FileStream* Retain() override;
    bool IsEOF() override;
    OB_FILESIZE GetPosition() override;
    // Moves without any check (a position past the data reads nothing).
    OB_FILESIZE SetPosition(OB_FILESIZE position) override;
    size_t ReadBlock(void* buffer, size_t size) override;
    OB_FILESIZE GetSize() override;
    bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) override;
    // Inserts at offset, moving what follows up.
    bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) override;
    // Appends at the data size (not at the position).
    bool WriteBlock(const void* buffer, size_t size) override;
    bool Flush() override;

    uint64_t GetCapacity() const { return m_Capacity; }
    const uint8_t* GetBuffer() const { return m_pBuffer; }

protected:
    ~COB_LimitCacheStream() override;

private:
    uint8_t* m_pBuffer;
    uint64_t m_DataSize;
    uint64_t m_Position;
    uint64_t m_Capacity;
    uint64_t m_Stored; // bytes from the start that hold the stream's data (never above the capacity)
    uint32_t m_nRefCount;
};

#endif
