#include "CXML_AttrMap.h"

#include "COB_BasicArray.h"
#include "COB_MemoryMgr.h"

#include <new>

int CXML_AttrMap::GetSize() const
{
    return m_pMap ? m_pMap->GetSize() : 0;
}

CXML_AttrItem& CXML_AttrMap::GetAt(int index) const
{
    if (!m_pMap || index < 0 || index >= m_pMap->GetSize())
        OB_ReportInvalidIndex(index);
    return static_cast<CXML_AttrItem*>(m_pMap->GetData())[index];
}

int CXML_AttrMap::Find(const COB_ByteStringC& space, const COB_ByteStringC& name) const
{
    if (!m_pMap)
        return -1;
    const CXML_AttrItem* items = static_cast<const CXML_AttrItem*>(m_pMap->GetData());
    const int count = m_pMap->GetSize();
    for (int i = 0; i < count; ++i) {
        if (items[i].Matches(space, name))
            return i;
    }
    return -1;
}

const COB_WideStringL* CXML_AttrMap::Lookup(const COB_ByteStringC& space, const COB_ByteStringC& name) const
{
    const int index = Find(space, name);
    return index < 0 ? nullptr : &GetAt(index).m_Value;
}

bool CXML_AttrMap::EnsureArray(_IOB_Allocator* allocator)
{
    if (m_pMap)
        return true;
    void* block = OBMEM_AllocatorAlloc(allocator, sizeof(COB_BasicArray));
    if (!block)
        return false;
    m_pMap = new (block) COB_BasicArray(static_cast<int>(sizeof(CXML_AttrItem)), allocator);
    return true;
}

void CXML_AttrMap::SetAt(const COB_ByteStringC& space, const COB_ByteStringC& name, const COB_WideStringC& value,
                         _IOB_Allocator* allocator)
{
    const int index = Find(space, name);
    if (index >= 0)
        SetValueAt(index, value, allocator);
    else
        Append(space, name, value, allocator);
}

int CXML_AttrMap::Append(const COB_ByteStringC& space, const COB_ByteStringC& name, const COB_WideStringC& value,
                         _IOB_Allocator* allocator)
{
    if (!EnsureArray(allocator))
        return -1;
    const int index = m_pMap->GetSize();
    // Growth by half the size keeps a long run of appends linear; a first step of eight spares the
    // many small reallocations of a typical element.
    if (!m_pMap->SetSize(index + 1, index / 2 > 8 ? index / 2 : 8))
        return -1;
    CXML_AttrItem& item = static_cast<CXML_AttrItem*>(m_pMap->GetData())[index];
    item.m_QSpaceName.Set(space, allocator);
    item.m_AttrName.Set(name, allocator);
    item.m_Value.Set(value, allocator);
    return index;
}

CXML_AttrItem* CXML_AttrMap::AppendEmpty(int count, _IOB_Allocator* allocator)
{
    if (count <= 0 || !EnsureArray(allocator))
        return nullptr;
    const int index = m_pMap->GetSize();
    if (count > 0x7fffffff - index || !m_pMap->SetSize(index + count, -1))
        return nullptr;
    return static_cast<CXML_AttrItem*>(m_pMap->GetData()) + index;
}

void CXML_AttrMap::SetValueAt(int index, const COB_WideStringC& value, _IOB_Allocator* allocator)
{
    GetAt(index).m_Value.Set(value, allocator);
}

void CXML_AttrMap::RemoveAt(const COB_ByteStringC& space, const COB_ByteStringC& name, _IOB_Allocator* allocator)
{
    const int index = Find(space, name);
    if (index < 0)
        return;
    GetAt(index).Empty(allocator);
    m_pMap->RemoveAt(index, 1);
}

void CXML_AttrMap::RemoveFrom(int index, _IOB_Allocator* allocator)
{
    if (index <= 0) {
        RemoveAll(allocator);
        return;
    }
    const int count = GetSize();
    if (index >= count)
        return;
    CXML_AttrItem* items = static_cast<CXML_AttrItem*>(m_pMap->GetData());
    for (int i = index; i < count; ++i)
        items[i].Empty(allocator);
    m_pMap->SetSize(index, -1);
}

void CXML_AttrMap::RemoveAll(_IOB_Allocator* allocator)
{
    if (!m_pMap)
        return;
    const int count = m_pMap->GetSize();
    CXML_AttrItem* items = static_cast<CXML_AttrItem*>(m_pMap->GetData());
    for (int i = 0; i < count; ++i)
        items[i].Empty(allocator);
    m_pMap->~COB_BasicArray();
    OBMEM_AllocatorFree(allocator, m_pMap);
    m_pMap = nullptr;
}
