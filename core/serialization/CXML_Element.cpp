#include "CXML_Element.h"

#include "COB_GrowOnlyPool.h"
#include "COB_MemoryMgr.h"
#include "COB_UTF8Encoder.h"
#include "CXML_Content.h"
#include "OB_SysShims.h"

#include <new>

void OB_XML_SplitQualifiedName(const COB_ByteStringC& full, COB_ByteStringC& prefix, COB_ByteStringC& name)
{
    const int len = full.GetLength();
    if (len <= 0)
        return;
    const char* text = full.GetCStr();
    const void* colon = memchr(text, ':', static_cast<size_t>(len));
    if (!colon) {
        name = full;
        return;
    }
    const int at = static_cast<int>(static_cast<const char*>(colon) - text);
    prefix = COB_ByteStringC(text, at);
    name = COB_ByteStringC(text + at + 1, len - at - 1);
}

namespace {

// The child array's limit (2^28 bytes of 8-byte units), in whole children.
const size_t kMaxChildUnits = 0x10000000 / 8;

// A qualified name split for matching: no colon gives an empty prefix.
struct QName
{
    explicit QName(const COB_ByteStringC& qName) { OB_XML_SplitQualifiedName(qName, space, name); }
    COB_ByteStringC space;
    COB_ByteStringC name;
};

COB_WideString WidenAscii(const char* text)
{
    COB_WideString wide;
    for (; *text; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

// The light-string form of a byte string, built through allocator.
void CopyToLight(const COB_ByteStringC& text, COB_ByteStringL& out, _IOB_Allocator* allocator)
{
    out.Set(text, allocator);
}

} // namespace

CXML_Element::CXML_Element(_IOB_Allocator* pAllocator) : m_pParent(nullptr), m_Children(8, pAllocator) {}

CXML_Element::CXML_Element(const COB_ByteStringC& qSpace, const COB_ByteStringC& tagName, _IOB_Allocator* pAllocator)
    : m_pParent(nullptr), m_Children(8, pAllocator)
{
    m_QSpace.Set(qSpace, pAllocator);
    m_TagName.Set(tagName, pAllocator);
}

CXML_Element::CXML_Element(const COB_ByteStringC& qTagName, _IOB_Allocator* pAllocator)
    : m_pParent(nullptr), m_Children(8, pAllocator)
{
    SetTag(qTagName);
}

CXML_Element::~CXML_Element()
{
    _IOB_Allocator* allocator = GetAllocator();
    // A grow-only pool takes its blocks back all at once: visiting the subtree would free nothing.
    if (COB_GrowOnlyPool::IsPool(allocator))
        return;
    m_QSpace.Empty(allocator);
    m_TagName.Empty(allocator);
    m_AttrMap.RemoveAll(allocator);
    RemoveChildren();
}

bool CXML_Element::Empty()
{
    _IOB_Allocator* allocator = GetAllocator();
    m_QSpace.Empty(allocator);
    m_TagName.Empty(allocator);
    m_AttrMap.RemoveAll(allocator);
    RemoveChildren();
    return true;
}

// ---- tag and namespace -------------------------------------------------------------------------

void CXML_Element::SetTag(const COB_ByteStringC& qSpace, const COB_ByteStringC& tagName)
{
    m_QSpace.Set(qSpace, GetAllocator());
    m_TagName.Set(tagName, GetAllocator());
}

void CXML_Element::SetTag(const COB_ByteStringC& qTagName)
{
    QName q(qTagName);
    SetTag(q.space, q.name);
}

COB_ByteString CXML_Element::GetTagName(bool bQualified) const
{
    if (bQualified && !m_QSpace.IsEmpty())
        return COB_ByteString(COB_ByteString(COB_ByteStringC(m_QSpace), ":"), COB_ByteStringC(m_TagName));
    return COB_ByteString(COB_ByteStringC(m_TagName));
}

void CXML_Element::GetTagName(COB_ByteStringL& out, bool bQualified) const
{
    if (!bQualified || m_QSpace.IsEmpty()) {
        CopyToLight(m_TagName, out, GetAllocator());
        return;
    }
    const int prefixLen = m_QSpace.GetLength();
    const int tagLen = m_TagName.GetLength();
    char* p = out.AllocBuffer(prefixLen + 1 + tagLen, GetAllocator());
    if (!p)
        return;
    memcpy(p, m_QSpace.GetPtr(), static_cast<size_t>(prefixLen));
    p[prefixLen] = ':';
    if (tagLen > 0)
        memcpy(p + prefixLen + 1, m_TagName.GetPtr(), static_cast<size_t>(tagLen));
    p[prefixLen + 1 + tagLen] = 0;
}

COB_ByteString CXML_Element::GetNamespace(bool bQualified) const
{
    if (bQualified)
        return COB_ByteString(COB_ByteStringC(m_QSpace));
    return GetNamespaceURI(m_QSpace);
}

void CXML_Element::GetNamespace(COB_ByteStringL& out, bool bQualified) const
{
    if (bQualified)
        CopyToLight(m_QSpace, out, GetAllocator());
    else
        GetNamespaceURI(m_QSpace, out);
}

namespace {

// The value of the attribute that binds qName on the nearest element from pElement upwards.
const COB_WideStringL* FindNamespaceBinding(const CXML_Element* pElement, const COB_ByteStringC& qName)
{
    static const COB_ByteStringC kXmlns("xmlns");
    for (; pElement; pElement = pElement->GetParent()) {
        const CXML_AttrMap& attrs = pElement->GetAttrMap();
        const int count = attrs.GetSize();
        for (int i = 0; i < count; ++i) {
            const CXML_AttrItem& item = attrs.GetAt(i);
            if (qName.IsEmpty() ? COB_ByteStringC(item.m_AttrName) == kXmlns
                                : COB_ByteStringC(item.m_QSpaceName) == kXmlns &&
                                      COB_ByteStringC(item.m_AttrName) == qName)
                return &item.m_Value;
        }
    }
    return nullptr;
}

} // namespace

COB_ByteString CXML_Element::GetNamespaceURI(const COB_ByteStringC& qName) const
{
    const COB_WideStringL* uri = FindNamespaceBinding(this, qName);
    if (!uri)
        return COB_ByteString();
    return OB_UTF8Encode(uri->GetPtr(), uri->GetLength());
}

void CXML_Element::GetNamespaceURI(const COB_ByteStringC& qName, COB_ByteStringL& out) const
{
    const COB_WideStringL* uri = FindNamespaceBinding(this, qName);
    if (uri)
        OB_UTF8Encode(uri->GetPtr(), uri->GetLength(), out, GetAllocator());
}

// ---- attributes --------------------------------------------------------------------------------

void CXML_Element::GetAttrByIndex(int index, COB_ByteString& space, COB_ByteString& name,
                                  COB_WideString& value) const
{
    if (index < 0 || index >= m_AttrMap.GetSize())
        return;
    const CXML_AttrItem& item = m_AttrMap.GetAt(index);
    space = COB_ByteStringC(item.m_QSpaceName);
    name = COB_ByteStringC(item.m_AttrName);
    value = COB_WideStringC(item.m_Value);
}

void CXML_Element::GetAttrByIndex(int index, COB_ByteStringL& space, COB_ByteStringL& name,
                                  COB_WideStringL& value) const
{
    if (index < 0 || index >= m_AttrMap.GetSize())
        return;
    const CXML_AttrItem& item = m_AttrMap.GetAt(index);
    space.Set(item.m_QSpaceName, GetAllocator());
    name.Set(item.m_AttrName, GetAllocator());
    value.Set(item.m_Value, GetAllocator());
}

bool CXML_Element::HasAttr(const COB_ByteStringC& qName) const
{
    return GetAttrValuePtr(qName) != nullptr;
}

bool CXML_Element::GetAttrValue(const COB_ByteStringC& qName, COB_WideString& value) const
{
    QName q(qName);
    return GetAttrValue(q.space, q.name, value);
}

bool CXML_Element::GetAttrValue(const COB_ByteStringC& space, const COB_ByteStringC& name,
                                COB_WideString& value) const
{
    const COB_WideStringL* stored = m_AttrMap.Lookup(space, name);
    if (!stored)
        return false;
    value = COB_WideStringC(*stored);
    return true;
}

const COB_WideStringL* CXML_Element::GetAttrValuePtr(const COB_ByteStringC& qName) const
{
    QName q(qName);
    return m_AttrMap.Lookup(q.space, q.name);
}

const COB_WideStringL* CXML_Element::GetAttrValuePtr(const COB_ByteStringC& space, const COB_ByteStringC& name) const
{
    return m_AttrMap.Lookup(space, name);
}

bool CXML_Element::GetAttrInteger(const COB_ByteStringC& qName, int& value) const
{
    QName q(qName);
    return GetAttrInteger(q.space, q.name, value);
}

bool CXML_Element::GetAttrInteger(const COB_ByteStringC& space, const COB_ByteStringC& name, int& value) const
{
    const COB_WideStringL* stored = m_AttrMap.Lookup(space, name);
    if (!stored)
        return false;
    value = stored->GetInteger();
    return true;
}

bool CXML_Element::GetAttrFloat(const COB_ByteStringC& qName, float& value) const
{
    QName q(qName);
    return GetAttrFloat(q.space, q.name, value);
}

bool CXML_Element::GetAttrFloat(const COB_ByteStringC& space, const COB_ByteStringC& name, float& value) const
{
    const COB_WideStringL* stored = m_AttrMap.Lookup(space, name);
    if (!stored)
        return false;
    value = stored->GetFloat();
    return true;
}

void CXML_Element::SetAttrValue(const COB_ByteStringC& qName, const COB_WideStringC& value)
{
    QName q(qName);
    m_AttrMap.SetAt(q.space, q.name, value, GetAllocator());
}

void CXML_Element::SetAttrValue(const COB_ByteStringC& qName, int value)
{
    char text[12];
    OBSYS_itoa(value, text, 10);
    SetAttrValue(qName, COB_WideStringC(WidenAscii(text)));
}

void CXML_Element::SetAttrValue(const COB_ByteStringC& qName, unsigned int value)
{
    char text[24];
    OBSYS_i64toa(static_cast<long long>(value), text, 10);
    SetAttrValue(qName, COB_WideStringC(WidenAscii(text)));
}

void CXML_Element::SetAttrValue(const COB_ByteStringC& qName, float value)
{
    COB_ByteString text = COB_ByteString::FormatFloat(value);
    SetAttrValue(qName, COB_WideStringC(WidenAscii(text.c_str())));
}

void CXML_Element::RemoveAttr(const COB_ByteStringC& qName)
{
    QName q(qName);
    m_AttrMap.RemoveAt(q.space, q.name, GetAllocator());
}

// ---- children ----------------------------------------------------------------------------------

uintptr_t CXML_Element::UnitAt(int unit) const
{
    if (unit < 0 || unit >= m_Children.GetSize())
        OB_ReportInvalidIndex(unit);
    return static_cast<const uint64_t*>(m_Children.GetData())[unit];
}

CXML_Element::ChildType CXML_Element::GetChildType(unsigned index) const
{
    if (index >= CountChildren())
        return Invalid;
    const uintptr_t type = UnitAt(static_cast<int>(index * 2));
    return type == Element || type == Content ? static_cast<ChildType>(type) : Invalid;
}

CXML_Element* CXML_Element::GetElement(unsigned index) const
{
    if (GetChildType(index) != Element)
        return nullptr;
    return reinterpret_cast<CXML_Element*>(UnitAt(static_cast<int>(index * 2 + 1)));
}

const COB_WideStringL* CXML_Element::GetContentPtr(unsigned index) const
{
    if (GetChildType(index) != Content)
        return nullptr;
    CXML_Content* content = reinterpret_cast<CXML_Content*>(UnitAt(static_cast<int>(index * 2 + 1)));
    return content ? &content->m_Content : nullptr;
}

COB_WideString CXML_Element::GetContent(unsigned index) const
{
    const COB_WideStringL* text = GetContentPtr(index);
    return text ? COB_WideString(COB_WideStringC(*text)) : COB_WideString();
}

unsigned CXML_Element::CountElements(const COB_ByteStringC& space, const COB_ByteStringC& tag) const
{
    unsigned count = 0;
    const unsigned children = CountChildren();
    for (unsigned i = 0; i < children; ++i) {
        const CXML_Element* child = GetElement(i);
        if (child && (space.IsEmpty() || space == COB_ByteStringC(child->m_QSpace)) &&
            tag == COB_ByteStringC(child->m_TagName))
            ++count;
    }
    return count;
}

CXML_Element* CXML_Element::GetElement(const COB_ByteStringC& space, const COB_ByteStringC& tag, int index) const
{
    if (index < 0)
        return nullptr;
    const unsigned children = CountChildren();
    for (unsigned i = 0; i < children; ++i) {
        CXML_Element* child = GetElement(i);
        if (child && (space.IsEmpty() || space == COB_ByteStringC(child->m_QSpace)) &&
            tag == COB_ByteStringC(child->m_TagName)) {
            if (index-- == 0)
                return child;
        }
    }
    return nullptr;
}

unsigned CXML_Element::FindElement(CXML_Element* pChild) const
{
    const unsigned children = CountChildren();
    for (unsigned i = 0; i < children; ++i) {
        if (GetChildType(i) == Element && reinterpret_cast<CXML_Element*>(UnitAt(static_cast<int>(i * 2 + 1))) == pChild)
            return i;
    }
    return 0xFFFFFFFFu;
}

CXML_Content* CXML_Element::NewContent(const COB_WideStringC& content, bool bCDATA, _IOB_Allocator* blocks)
{
    if (!blocks)
        blocks = GetAllocator();
    void* block = OBMEM_AllocatorAlloc(blocks, sizeof(CXML_Content));
    if (!block)
        return nullptr;
    CXML_Content* record = new (block) CXML_Content();
    record->m_bCDATA = bCDATA ? 1 : 0;
    record->m_Content.Set(content, blocks);
    return record;
}

void CXML_Element::PutChild(unsigned index, ChildType type, void* pointer)
{
    const unsigned count = CountChildren();
    bool placed;
    if (index >= count) {
        // Growth by half the size keeps a long run of appends linear; the gap stays zero (Invalid).
        placed = index < 0x3FFFFFFFu && m_Children.SetSize(static_cast<int>(index + 1) * 2, 0);
    } else {
        placed = m_Children.InsertSpaceAt(static_cast<int>(index * 2), 2) != nullptr;
    }
    if (!placed) {
        FreeChild(type, pointer);
        return;
    }
    uint64_t* units = static_cast<uint64_t*>(m_Children.GetData());
    units[index * 2] = static_cast<uint64_t>(type);
    units[index * 2 + 1] = reinterpret_cast<uintptr_t>(pointer);
}

void CXML_Element::AdoptChildren(const uint64_t* units, size_t unitCount)
{
    // The most children the array can hold are kept, as adding them one by one would.
    const int kept = static_cast<int>(unitCount < kMaxChildUnits ? unitCount : kMaxChildUnits);
    if (kept <= 0)
        return;
    const bool stored = m_Children.GetSize() == 0 && m_Children.SetSize(kept, -1);
    for (size_t i = stored ? static_cast<size_t>(kept) : 0; i + 1 < unitCount; i += 2) {
        FreeChild(static_cast<ChildType>(units[i]),
                  reinterpret_cast<void*>(static_cast<uintptr_t>(units[i + 1])));
    }
    if (!stored)
        return;
    memcpy(m_Children.GetData(), units, static_cast<size_t>(kept) * sizeof(uint64_t));
    for (int i = 0; i + 1 < kept; i += 2) {
        if (units[i] == Element)
            reinterpret_cast<CXML_Element*>(static_cast<uintptr_t>(units[i + 1]))->m_pParent = this;
    }
}

void CXML_Element::AddChildElement(CXML_Element* pChild)
{
    InsertChildElement(CountChildren(), pChild);
}

void CXML_Element::InsertChildElement(unsigned index, CXML_Element* pChild)
{
    if (!pChild)
        return;
    pChild->m_pParent = this;
    PutChild(index, Element, pChild);
}

void CXML_Element::AddChildContent(const COB_WideStringC& content, bool bCDATA)
{
    InsertChildContent(CountChildren(), content, bCDATA);
}

void CXML_Element::InsertChildContent(unsigned index, const COB_WideStringC& content, bool bCDATA)
{
    CXML_Content* record = NewContent(content, bCDATA);
    if (record)
        PutChild(index, Content, record);
}

void CXML_Element::FreeChild(ChildType type, void* pointer)
{
    if (!pointer)
        return;
    _IOB_Allocator* allocator = GetAllocator();
    if (type == Element) {
        CXML_Element* child = static_cast<CXML_Element*>(pointer);
        if (allocator) {
            child->~CXML_Element();
            allocator->Free(allocator, child);
        } else {
            delete child;
        }
    } else if (type == Content) {
        CXML_Content* content = static_cast<CXML_Content*>(pointer);
        content->m_Content.Empty(allocator);
        OBMEM_AllocatorFree(allocator, content);
    }
}

void CXML_Element::RemoveChild(unsigned index)
{
    if (index >= CountChildren())
        return;
    const uintptr_t type = UnitAt(static_cast<int>(index * 2));
    void* pointer = reinterpret_cast<void*>(UnitAt(static_cast<int>(index * 2 + 1)));
    m_Children.RemoveAt(static_cast<int>(index * 2), 2);
    FreeChild(static_cast<ChildType>(type), pointer);
}

bool CXML_Element::RemoveChildren()
{
    const int units = m_Children.GetSize();
    const uint64_t* data = static_cast<const uint64_t*>(m_Children.GetData());
    for (int i = 0; i + 1 < units; i += 2)
        FreeChild(static_cast<ChildType>(data[i]), reinterpret_cast<void*>(static_cast<uintptr_t>(data[i + 1])));
    m_Children.SetSize(0, -1);
    return true;
}

// ---- copy --------------------------------------------------------------------------------------

CXML_Element* CXML_Element::Clone(_IOB_Allocator* pAllocator) const
{
    CXML_Element* copy;
    if (pAllocator) {
        void* block = pAllocator->Alloc(pAllocator, sizeof(CXML_Element));
        copy = block ? ::new (block) CXML_Element(pAllocator) : nullptr;
    } else {
        copy = new CXML_Element(nullptr);
    }
    if (!copy)
        return nullptr;
    copy->SetTag(m_QSpace, m_TagName);
    // Both lists are made at their final size: an allocator may refuse to resize a block (a grow-only
    // pool does), and a list grown one entry at a time would then keep only its first.
    const int attrs = m_AttrMap.GetSize();
    CXML_AttrItem* items = attrs > 0 ? copy->m_AttrMap.AppendEmpty(attrs, pAllocator) : nullptr;
    int stored = 0;
    for (int i = 0; items && i < attrs; ++i) {
        // The name goes through its qualified form, so a stored local name that holds a colon
        // comes back split at that colon, as a name set by hand would be; it may then repeat one.
        const CXML_AttrItem& item = m_AttrMap.GetAt(i);
        COB_ByteString qName = item.m_QSpaceName.IsEmpty()
                                   ? COB_ByteString(COB_ByteStringC(item.m_AttrName))
                                   : COB_ByteString(COB_ByteString(COB_ByteStringC(item.m_QSpaceName), ":"),
                                                    COB_ByteStringC(item.m_AttrName));
        QName q(qName);
        int at = 0;
        while (at < stored && !items[at].Matches(q.space, q.name))
            ++at;
        if (at == stored) {
            items[at].m_QSpaceName.Set(q.space, pAllocator);
            items[at].m_AttrName.Set(q.name, pAllocator);
            ++stored;
        }
        items[at].m_Value.Set(item.m_Value, pAllocator);
    }
    if (items && stored < attrs)
        copy->m_AttrMap.RemoveFrom(stored, pAllocator);

    const unsigned children = CountChildren();
    if (children > 0 && children < 0x3FFFFFFFu && copy->m_Children.SetSize(static_cast<int>(children * 2), -1)) {
        uint64_t* units = static_cast<uint64_t*>(copy->m_Children.GetData());
        unsigned kept = 0;
        for (unsigned i = 0; i < children; ++i) {
            const ChildType type = GetChildType(i);
            void* child = nullptr;
            if (type == Content) {
                if (const COB_WideStringL* text = GetContentPtr(i))
                    child = copy->NewContent(*text, false);
            } else if (type == Element) {
                CXML_Element* element = GetElement(i)->Clone(pAllocator);
                if (element)
                    element->m_pParent = copy;
                child = element;
            }
            if (!child)
                continue;
            units[kept * 2] = static_cast<uint64_t>(type);
            units[kept * 2 + 1] = reinterpret_cast<uintptr_t>(child);
            ++kept;
        }
        copy->m_Children.SetSize(static_cast<int>(kept * 2), -1);
    }
    return copy;
}
