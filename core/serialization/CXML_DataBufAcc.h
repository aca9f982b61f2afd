#ifndef CXML_DATABUFACC_H
#define CXML_DATABUFACC_H

#include "COB_Object.h"
#include "IOB_BufferRead.h"

struct _IOB_Allocator;

// A caller's buffer presented as one block. The buffer is not owned and must outlive the reader.
class CXML_DataBufAcc : public IOB_BufferRead, public COB_Object
{
public:
    // Made through allocator (null: the default manager); Release returns it there.
    static CXML_DataBufAcc* Create(const uint8_t* buffer, size_t size, _IOB_Allocator* allocator);

    void Release() override;
    bool IsEOF() override { return m_dwCurPos >= m_dwSize; }
    OB_FILESIZE GetPosition() override { return static_cast<OB_FILESIZE>(m_dwCurPos); }
    size_t ReadBlock(void*, size_t) override { return 0; }
    OB_FILESIZE SetPosition(OB_FILESIZE position) override;
    bool ReadNextBlock(bool restart = false) override;
    const uint8_t* GetBlockBuffer() override { return m_pBuffer; }
    size_t GetBlockSize() override { return m_dwSize; }
    OB_FILESIZE GetBlockOffset() override { return 0; }

protected:
    CXML_DataBufAcc(const uint8_t* buffer, size_t size, _IOB_Allocator* allocator)
        : m_pAllocator(allocator), m_pBuffer(buffer), m_dwSize(size), m_dwCurPos(0)
    {
    }
    ~CXML_DataBufAcc() override {}

private:
    _IOB_Allocator* m_pAllocator;
    const uint8_t* m_pBuffer;
    size_t m_dwSize;
    size_t m_dwCurPos;
};

#endif
