#ifndef CXML_DATASTMACC_H
#define CXML_DATASTMACC_H

#include "COB_Object.h"
#include "IOB_BufferRead.h"

class IOB_FileRead;
struct _IOB_Allocator;

// Reads a file in blocks of at most 32768 bytes through one reused buffer. The file is not owned.
class CXML_DataStmAcc : public IOB_BufferRead, public COB_Object
{
public:
    enum { kBlockSize = 32768 };

    // Made through allocator (null: the default manager); Release returns it there.
    static CXML_DataStmAcc* Create(IOB_FileRead* file, _IOB_Allocator* allocator);

    void Release() override;
    bool IsEOF() override;
    OB_FILESIZE GetPosition() override { return m_nBufOffset + static_cast<OB_FILESIZE>(m_dwBufSize); }
    size_t ReadBlock(void*, size_t) override { return 0; }
    OB_FILESIZE SetPosition(OB_FILESIZE) override { return -1; }
    bool ReadNextBlock(bool restart = false) override;
    const uint8_t* GetBlockBuffer() override { return m_pBuffer; }
    size_t GetBlockSize() override { return m_dwBufSize; }
    OB_FILESIZE GetBlockOffset() override { return m_nBufOffset; }

protected:
    CXML_DataStmAcc(IOB_FileRead* file, _IOB_Allocator* allocator)
        : m_pAllocator(allocator), m_pFileRead(file), m_pBuffer(nullptr), m_nBufOffset(0), m_dwBufSize(0)
    {
    }
    ~CXML_DataStmAcc() override;

private:
    _IOB_Allocator* m_pAllocator;
    IOB_FileRead* m_pFileRead;
    uint8_t* m_pBuffer;
    OB_FILESIZE m_nBufOffset;
    size_t m_dwBufSize;
};

#endif
