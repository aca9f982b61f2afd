#ifndef IOB_BUFFERARCHIVE_H
#define IOB_BUFFERARCHIVE_H

#include <cstddef>
#include <cstdint>

struct _IOB_Allocator;
class COB_ByteStringC;

// Collects output in a fixed-size buffer and hands each full buffer to the sink (DoWork). What is
// still pending reaches the sink only through Flush: clearing or destroying discards it.
class IOB_BufferArchive
{
public:
    IOB_BufferArchive(int bufferSize, _IOB_Allocator* allocator);
    virtual ~IOB_BufferArchive();
    IOB_BufferArchive(const IOB_BufferArchive&) = delete;
    IOB_BufferArchive& operator=(const IOB_BufferArchive&) = delete;

    virtual void Clear();
    // The sink: true when it took the bytes.
    virtual bool DoWork(const void* data, size_t size) = 0;

    // Size on success, 0 for null data or size 0, -1 when the buffer cannot be had or the sink fails
    // (the rest of the block is then not appended).
    int AppendBlock(const void* data, size_t size);
    int AppendByte(unsigned char byte);
    // Decimal text, no terminator.
    int AppendDWord(unsigned int value);
    int AppendInt64(long long value);
    int AppendString(const COB_ByteStringC& text);
    // Hands the pending bytes to the sink; they are gone from the buffer whatever it answers.
    bool Flush();

    int GetPendingLength() const { return m_Length; }

protected:
    void FreeBuffer();

    _IOB_Allocator* m_pAllocator;
    int m_BufSize;
    uint8_t* m_pBuffer;
    int m_Length;
};

#endif
