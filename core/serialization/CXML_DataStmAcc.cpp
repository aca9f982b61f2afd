#include "CXML_DataStmAcc.h"

#include "COB_MemoryMgr.h"
#include "IOB_FileRead.h"

#include <new>

CXML_DataStmAcc* CXML_DataStmAcc::Create(IOB_FileRead* file, _IOB_Allocator* allocator)
{
    if (!allocator)
        return new CXML_DataStmAcc(file, nullptr);
    void* block = allocator->Alloc(allocator, sizeof(CXML_DataStmAcc));
    return block ? ::new (block) CXML_DataStmAcc(file, allocator) : nullptr;
}

CXML_DataStmAcc::~CXML_DataStmAcc()
{
    if (m_pBuffer)
        OBMEM_AllocatorFree(m_pAllocator, m_pBuffer);
}

void CXML_DataStmAcc::Release()
{
    _IOB_Allocator* allocator = m_pAllocator;
    if (!allocator) {
        delete this;
        return;
    }
    this->~CXML_DataStmAcc();
    allocator->Free(allocator, this);
}

bool CXML_DataStmAcc::IsEOF()
{
    return m_nBufOffset + static_cast<OB_FILESIZE>(m_dwBufSize) >= m_pFileRead->GetSize();
}

bool CXML_DataStmAcc::ReadNextBlock(bool restart)
{
    const OB_FILESIZE start = restart ? 0 : m_nBufOffset + static_cast<OB_FILESIZE>(m_dwBufSize);
    const OB_FILESIZE fileSize = m_pFileRead->GetSize();
    if (fileSize <= start)
        return false;
    if (!m_pBuffer) {
        m_pBuffer = static_cast<uint8_t*>(OBMEM_AllocatorAlloc(m_pAllocator, kBlockSize));
        if (!m_pBuffer)
            return false;
    }
    const OB_FILESIZE remaining = fileSize - start;
    const size_t size = remaining < kBlockSize ? static_cast<size_t>(remaining) : static_cast<size_t>(kBlockSize);
    m_nBufOffset = start;
    m_dwBufSize = size;
    return m_pFileRead->ReadBlock(m_pBuffer, start, size);
}
