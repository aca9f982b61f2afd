#include "CXML_DataBufAcc.h"

#include "COB_MemoryMgr.h"

#include <new>

CXML_DataBufAcc* CXML_DataBufAcc::Create(const uint8_t* buffer, size_t size, _IOB_Allocator* allocator)
{
    if (!allocator)
        return new CXML_DataBufAcc(buffer, size, nullptr);
    void* block = allocator->Alloc(allocator, sizeof(CXML_DataBufAcc));
    return block ? ::new (block) CXML_DataBufAcc(buffer, size, allocator) : nullptr;
}

void CXML_DataBufAcc::Release()
{
    _IOB_Allocator* allocator = m_pAllocator;
    if (!allocator) {
        delete this;
        return;
    }
    this->~CXML_DataBufAcc();
    allocator->Free(allocator, this);
}

OB_FILESIZE CXML_DataBufAcc::SetPosition(OB_FILESIZE position)
{
    if (position < 0 || static_cast<uint64_t>(position) > m_dwSize)
        return -1;
    m_dwCurPos = static_cast<size_t>(position);
    return position;
}

bool CXML_DataBufAcc::ReadNextBlock(bool restart)
{
    if (restart)
        m_dwCurPos = 0;
    if (m_dwCurPos >= m_dwSize)
        return false;
    m_dwCurPos = m_dwSize;
    return true;
}
