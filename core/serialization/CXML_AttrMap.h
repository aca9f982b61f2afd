#ifndef CXML_ATTRMAP_H
#define CXML_ATTRMAP_H

#include "COB_ByteStringL.h"
#include "COB_WideStringL.h"

struct _IOB_Allocator;
class COB_BasicArray;

// One attribute of an element; its strings belong to the element's allocator.
struct CXML_AttrItem
{
    COB_ByteStringL m_QSpaceName; // prefix, empty when the name had no colon
    COB_ByteStringL m_AttrName;   // local name
    COB_WideStringL m_Value;

    // An empty space matches any stored prefix.
    bool Matches(const COB_ByteStringC& space, const COB_ByteStringC& name) const
    {
        return (space.IsEmpty() || space == COB_ByteStringC(m_QSpaceName)) && name == COB_ByteStringC(m_AttrName);
    }
    void Empty(_IOB_Allocator* allocator)
    {
        m_QSpaceName.Empty(allocator);
        m_AttrName.Empty(allocator);
        m_Value.Empty(allocator);
    }
};

// Attributes in insertion order. The list is created on the first store and destroyed by
// RemoveAll; every operation is given the allocator of the owning element.
class CXML_AttrMap
{
public:
    CXML_AttrMap() : m_pMap(nullptr) {}
    CXML_AttrMap(const CXML_AttrMap&) = delete;
    CXML_AttrMap& operator=(const CXML_AttrMap&) = delete;

    const COB_WideStringL* Lookup(const COB_ByteStringC& space, const COB_ByteStringC& name) const;
    // Replaces the value of the first match, or appends a new item; nothing when the list cannot grow.
    void SetAt(const COB_ByteStringC& space, const COB_ByteStringC& name, const COB_WideStringC& value,
               _IOB_Allocator* allocator);
    // Appends without looking for an earlier item: for callers that have done that lookup themselves.
    // Returns the new item's index, or -1 when the list cannot grow.
    int Append(const COB_ByteStringC& space, const COB_ByteStringC& name, const COB_WideStringC& value,
               _IOB_Allocator* allocator);
    // Appends count empty items for the caller to fill, with room for exactly that many when the list is
    // new; the first of them, or null when the list cannot grow (nothing is then added).
    CXML_AttrItem* AppendEmpty(int count, _IOB_Allocator* allocator);
    // Replaces the value of the item at index (as SetAt does on a match).
    void SetValueAt(int index, const COB_WideStringC& value, _IOB_Allocator* allocator);
    void RemoveAt(const COB_ByteStringC& space, const COB_ByteStringC& name, _IOB_Allocator* allocator);
    // Removes the items from index on; the list keeps its block for those before.
    void RemoveFrom(int index, _IOB_Allocator* allocator);
    void RemoveAll(_IOB_Allocator* allocator);

    int GetSize() const;
    // index must lie in 0..GetSize()-1.
    CXML_AttrItem& GetAt(int index) const;
    // Index of the first match, or -1.
    int Find(const COB_ByteStringC& space, const COB_ByteStringC& name) const;

private:
    bool EnsureArray(_IOB_Allocator* allocator);

    COB_BasicArray* m_pMap;
};

#endif
