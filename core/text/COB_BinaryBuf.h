#ifndef COB_BINARYBUF_H
#define COB_BINARYBUF_H

#include <cstdint>

struct _IOB_Allocator;
class COB_ByteStringC;
class COB_ByteStringL;

// Growable byte buffer. Not NUL-terminated; bytes past the data size are undefined.
// Memory comes from the allocator given at construction (null: the default manager).
class COB_BinaryBuf
{
public:
    explicit COB_BinaryBuf(_IOB_Allocator* allocator = nullptr);
    // Data size and allocated size are both size; the contents are undefined. When the block
    // cannot be had the buffer stays empty (no block, sizes 0).
    COB_BinaryBuf(int size, _IOB_Allocator* allocator);
    ~COB_BinaryBuf();

    COB_BinaryBuf(const COB_BinaryBuf&) = delete;
    COB_BinaryBuf& operator=(const COB_BinaryBuf&) = delete;

    void Clear() { m_DataSize = 0; }
    // Sets the growth step (0: automatic) and makes room for size bytes in all.
    bool EstimateSize(int size, int step = 0);
    // Makes room for additional bytes behind the data; false when that cannot be had,
    // including totals beyond the 32-bit size limit.
    bool ExpandBuf(int additional);
    bool CopyData(const void* data, int size);
    // A null data pointer only reserves size bytes (left undefined).
    bool AppendBlock(const void* data, int size);
    bool InsertBlock(int position, const void* data, int size);
    bool AppendFill(unsigned char byte, int count);
    void Delete(int start, int count);
    // Forgets the block without freeing it; the caller took the pointer and now owns it.
    void DetachBuffer();
    // Adopts a block that came from this buffer's allocator.
    void AttachData(void* block, int size);
    // Takes the other buffer's block; the allocated size becomes the other's data size.
    void TakeOver(COB_BinaryBuf& other);

    COB_ByteStringC GetByteString() const;
    void GetByteStringL(COB_ByteStringL& out) const;

    uint8_t* GetBuffer() const { return m_pBuffer; }
    int GetSize() const { return m_DataSize; }
    int GetAllocSize() const { return m_AllocSize; }
    _IOB_Allocator* GetAllocator() const { return m_pAllocator; }

protected:
    void FreeBlock();

    _IOB_Allocator* m_pAllocator;
    int m_AllocStep;
    uint8_t* m_pBuffer;
    int m_DataSize;
    int m_AllocSize;
};

#endif
