#ifndef COB_STRINGMATCHLIST_H
#define COB_STRINGMATCHLIST_H

#include <cstring>

#include "COB_MemoryMgr.h"

// Positions of the matches a string replacement found, so that the text is scanned once.
// The first few live inline; more grow through the default manager.
class COB_StringMatchList
{
public:
    COB_StringMatchList() : m_pItems(m_Inline), m_Size(0), m_Capacity(kInline) {}
    ~COB_StringMatchList()
    {
        if (m_pItems != m_Inline)
            OBMEM_DefaultFree(m_pItems, 0);
    }
    COB_StringMatchList(const COB_StringMatchList&) = delete;
    COB_StringMatchList& operator=(const COB_StringMatchList&) = delete;

    // False when no room can be had; the caller then gives up unchanged.
    bool Add(int position)
    {
        if (m_Size == m_Capacity && !Grow())
            return false;
        m_pItems[m_Size++] = position;
        return true;
    }
    int GetSize() const { return m_Size; }
    int operator[](int index) const { return m_pItems[index]; }

private:
    enum { kInline = 64 };

    bool Grow()
    {
        if (m_Capacity > 0x3fffffff / 2)
            return false;
        const int capacity = m_Capacity * 2;
        int* items = static_cast<int*>(OBMEM_DefaultAlloc2(static_cast<size_t>(capacity), sizeof(int), 0));
        if (!items)
            return false;
        memcpy(items, m_pItems, sizeof(int) * static_cast<size_t>(m_Size));
        if (m_pItems != m_Inline)
            OBMEM_DefaultFree(m_pItems, 0);
        m_pItems = items;
        m_Capacity = capacity;
        return true;
    }

    int* m_pItems;
    int m_Size;
    int m_Capacity;
    int m_Inline[kInline];
};

#endif
