#include "COB_ByteStringL.h"

#include "COB_MemoryMgr.h"

void COB_ByteStringL::Empty(_IOB_Allocator* allocator)
{
    if (m_Ptr)
        OBMEM_AllocatorFree(allocator, m_Ptr);
    m_Ptr = nullptr;
    m_Length = 0;
}

char* COB_ByteStringL::AllocBuffer(int len, _IOB_Allocator* allocator)
{
    Empty(allocator);
    if (len < 0)
        return nullptr;
    const size_t bytes = static_cast<size_t>(len) + 1;
    char* p = static_cast<char*>(OBMEM_AllocatorAlloc(allocator, bytes));
    if (!p)
        return nullptr;
    m_Ptr = p;
    m_Length = len;
    return p;
}

void COB_ByteStringL::Set(const COB_ByteStringC& s, _IOB_Allocator* allocator)
{
    Empty(allocator);
    if (!s.GetPtr() || s.GetLength() <= 0)
        return;
    char* p = AllocBuffer(s.GetLength(), allocator);
    if (!p)
        return;
    memcpy(p, s.GetPtr(), static_cast<size_t>(s.GetLength()));
    p[s.GetLength()] = 0;
}
