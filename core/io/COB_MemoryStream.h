#ifndef COB_MEMORYSTREAM_H
#define COB_MEMORYSTREAM_H

#include "COB_BasicArray.h"
#include "COB_Object.h"
#include "IOB_MemoryStream.h"
#include "OB_Lock.h"

struct _IOB_Allocator;

// Memory stream in one of two modes: contiguous (block 0 grows by reallocation in steps of the block
// size) or block mode (fixed-size blocks added as the data grows, never moved). Every operation runs
// under the stream's recursive mutex. Made by OB_CreateMemoryStream.
class COB_MemoryStream : public IOB_MemoryStream, public COB_Object
{
public:
    static constexpr uint32_t kContiguous = 1;
    static constexpr uint32_t kOwnsBlocks = 2;

    COB_MemoryStream(uint32_t flags, _IOB_Allocator* allocator);
    // Over a caller's buffer (size bytes of data), contiguous; owned when takeOver is true.
    COB_MemoryStream(void* buffer, size_t size, bool takeOver, _IOB_Allocator* allocator);

    void Release() override;
    IOB_FileStream* Retain() override;
    bool IsEOF() override;
    OB_FILESIZE GetPosition() override;
    OB_FILESIZE SetPosition(OB_FILESIZE position) override;
    size_t ReadBlock(void* buffer, size_t size) override;
    OB_FILESIZE GetSize() override;
    bool SetWindow(OB_FILESIZE offset, OB_FILESIZE size) override;
    void ClearWindow() override;
    bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, OB_FILESIZE offset, size_t size) override;
    bool WriteBlock(const void* buffer, size_t size) override;
    bool Flush() override;

    bool IsContiguous() override;
    void PresetSizes(size_t initialSize, size_t growSize) override;
    uint8_t* GetDataBuffer() override;
    void AttachData(void* buffer, size_t size, bool takeOver) override;
    void DetachData() override;

    uint64_t GetCapacity();
    uint64_t GetBlockSize();

protected:
    ~COB_MemoryStream() override;

private:
    uint8_t* Block(int index) const { return *static_cast<uint8_t**>(m_Blocks.GetDataPtr(index)); }
    bool AddBlock(uint8_t* block);
    void FreeBlocks();
    bool ReadAt(void* buffer, uint64_t offset, size_t size);
    bool GrowContiguous(uint64_t end);
    bool GrowBlocks(uint64_t end);
    void ZeroPieces(uint64_t offset, uint64_t size);
    void CopyPieces(uint8_t* buffer, const uint8_t* bytes, uint64_t offset, size_t size);

    OB_MUTEX m_Mutex;
    COB_BasicArray m_Blocks;
    uint32_t m_nRefCount;
    uint64_t m_Capacity;
    uint64_t m_DataSize;
    uint64_t m_Position; // absolute: includes the window offset
    uint64_t m_BlockSize;
    uint32_t m_Flags;
    bool m_bUseWindow;
    uint64_t m_WindowOffset;
    uint64_t m_WindowSize;
};

#endif
