#include "COB_WideStringL.h"

#include "COB_MemoryMgr.h"
#include "OB_NumberText.h"

void COB_WideStringL::Empty(_IOB_Allocator* allocator)
{
    if (m_Ptr)
        OBMEM_AllocatorFree(allocator, m_Ptr);
    m_Ptr = nullptr;
    m_Length = 0;
}

wchar_t* COB_WideStringL::AllocBuffer(int len, _IOB_Allocator* allocator)
{
    Empty(allocator);
    if (len < 0)
        return nullptr;
    const size_t count = static_cast<size_t>(len) + 1;
    void* block = allocator ? allocator->Alloc(allocator, count * sizeof(wchar_t))
                            : OBMEM_DefaultAlloc2(count, sizeof(wchar_t), 0);
    if (!block)
        return nullptr;
    m_Ptr = static_cast<wchar_t*>(block);
    m_Length = len;
    return m_Ptr;
}

void COB_WideStringL::Set(const COB_WideStringC& s, _IOB_Allocator* allocator)
{
    Empty(allocator);
    const int len = s.GetLength();
    if (!s.GetPtr() || len <= 0)
        return;
    wchar_t* p = AllocBuffer(len, allocator);
    if (!p)
        return;
    wmemcpy(p, s.GetPtr(), static_cast<size_t>(len));
    p[len] = 0;
}

int COB_WideStringL::GetInteger() const
{
    return m_Ptr ? OB_wtoi(m_Ptr) : 0;
}

float COB_WideStringL::GetFloat() const
{
    return (!m_Ptr || m_Length <= 0) ? 0.0f : OB_wtof(m_Ptr, m_Length);
}

void COB_WideStringL::TrimRight(const wchar_t* set)
{
    if (!set || !*set || !m_Ptr)
        return;
    int keep = m_Length;
    while (keep > 0 && wcschr(set, m_Ptr[keep - 1]))
        --keep;
    m_Ptr[keep] = 0;
    m_Length = keep;
}
