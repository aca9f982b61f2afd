#include "COB_CRTFileAccess.h"

#include "COB_MemoryMgr.h"
#include "OB_FileStream.h"

bool COB_CRTFileAccess::Init(const COB_WideStringC& path, _IOB_Allocator* allocator)
{
    m_Path = path;
    m_pAllocator = allocator;
    m_nRefCount = 1;
    return true;
}

void COB_CRTFileAccess::Release()
{
    if (--m_nRefCount != 0)
        return;
    _IOB_Allocator* allocator = m_pAllocator;
    if (!allocator) {
        delete this;
        return;
    }
    this->~COB_CRTFileAccess();
    allocator->Free(allocator, this);
}

IOB_FileAccess* COB_CRTFileAccess::Retain()
{
    ++m_nRefCount;
    return this;
}

void COB_CRTFileAccess::GetPath(COB_WideString& path)
{
    path = m_Path;
}

IOB_FileStream* COB_CRTFileAccess::CreateFileStream(uint32_t modes)
{
    return OB_CreateFileStream(m_Path.c_str(), modes, m_pAllocator);
}
