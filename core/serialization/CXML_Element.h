#ifndef CXML_ELEMENT_H
#define CXML_ELEMENT_H

#include "COB_BasicArray.h"
#include "COB_ByteString.h"
#include "COB_ByteStringL.h"
#include "COB_Object.h"
#include "COB_WideString.h"
#include "COB_WideStringL.h"
#include "CXML_AttrMap.h"

#include <cstddef>
#include <cstdint>

struct _IOB_Allocator;
struct CXML_Content;
class IOB_FileRead;
class IOB_BufferRead;
class IOB_FileWrite;

// Splits a qualified name at its first colon. Without a colon name = full and prefix is left as it
// was; an empty full leaves both as they were.
void OB_XML_SplitQualifiedName(const COB_ByteStringC& full, COB_ByteStringC& prefix, COB_ByteStringC& name);

// In-memory XML tree: an element with a prefix, a local tag, ordered attributes and ordered
// children (elements and text runs). Names are the document's UTF-8 bytes; values and text are wide.
//
// Every string, record and child the element allocates goes through the allocator given at
// construction (null: the default manager). Destroying an element frees its whole subtree. A root
// made with an allocator is destroyed by the caller: run the destructor, then free the block through
// that allocator; without one, plain delete.
//
// Lookups take qualified names split at the first colon; an empty prefix matches any stored prefix,
// names compare byte for byte, and the first match in stored order wins.
class CXML_Element : public COB_Object
{
public:
    enum ChildType { Invalid = 0, Element = 1, Content = 2 };

    explicit CXML_Element(_IOB_Allocator* pAllocator = nullptr);
    CXML_Element(const COB_ByteStringC& qSpace, const COB_ByteStringC& tagName, _IOB_Allocator* pAllocator = nullptr);
    CXML_Element(const COB_ByteStringC& qTagName, _IOB_Allocator* pAllocator = nullptr);
    ~CXML_Element();

    CXML_Element(const CXML_Element&) = delete;
    CXML_Element& operator=(const CXML_Element&) = delete;

    // Parses a document held in memory. The root belongs to the caller; null when the input holds
    // no element. *pParsedSize receives the input position after the root.
    static CXML_Element* Parse(const void* pBuffer, size_t size, bool bSaveSpaceChars = false,
                               int64_t* pParsedSize = nullptr, _IOB_Allocator* pAllocator = nullptr,
                               bool bIgnoreCharRef = false, bool bKeepCtrlWhiteSpace = false);
    // Parses a file, read in blocks of at most 32768 bytes; the file is not released.
    static CXML_Element* Parse(IOB_FileRead* pFile, bool bSaveSpaceChars = false, int64_t* pParsedSize = nullptr,
                               _IOB_Allocator* pAllocator = nullptr, bool bIgnoreCharRef = false,
                               bool bKeepCtrlWhiteSpace = false);
    // Parses the blocks of a caller's reader; the reader is neither owned nor released.
    static CXML_Element* Parse(IOB_BufferRead* pBuffer, bool bSaveSpaceChars = false,
                               int64_t* pParsedSize = nullptr, _IOB_Allocator* pAllocator = nullptr,
                               bool bIgnoreCharRef = false, bool bKeepCtrlWhiteSpace = false);

    // The subtree written back as UTF-8 XML (CXML_Composer): content text unescaped with bRawText,
    // no line breaks with bCompact. The file form streams into pFile and does nothing without one.
    COB_ByteString OutputStream(bool bRawText = false, bool bCompact = false);
    void OutputStream(COB_ByteStringL& out, bool bRawText = false, bool bCompact = false);
    void OutputStream(IOB_FileWrite* pFile, bool bRawText = false, bool bCompact = false);

    // Frees names, attributes and children; the element and its parent link stay usable.
    bool Empty();
    // Deep copy made through pAllocator; CDATA text becomes plain text. Null when the copy itself
    // cannot be allocated.
    CXML_Element* Clone(_IOB_Allocator* pAllocator) const;

    _IOB_Allocator* GetAllocator() const { return m_Children.GetAllocator(); }
    CXML_Element* GetParent() const { return m_pParent; }

    // Tag and namespace.
    void SetTag(const COB_ByteStringC& qSpace, const COB_ByteStringC& tagName);
    void SetTag(const COB_ByteStringC& qTagName);
    COB_ByteString GetTagName(bool bQualified = false) const;
    void GetTagName(COB_ByteStringL& out, bool bQualified) const;
    // With bQualified the prefix itself; otherwise the URI bound to the prefix.
    COB_ByteString GetNamespace(bool bQualified = false) const;
    void GetNamespace(COB_ByteStringL& out, bool bQualified) const;
    // The URI bound to a prefix (empty: the default namespace) here or on the nearest ancestor.
    COB_ByteString GetNamespaceURI(const COB_ByteStringC& qName) const;
    // Leaves out untouched when nothing binds the prefix.
    void GetNamespaceURI(const COB_ByteStringC& qName, COB_ByteStringL& out) const;

    // Attributes.
    int CountAttrs() const { return m_AttrMap.GetSize(); }
    // Outputs are left as they were for an index outside 0..CountAttrs()-1.
    void GetAttrByIndex(int index, COB_ByteString& space, COB_ByteString& name, COB_WideString& value) const;
    void GetAttrByIndex(int index, COB_ByteStringL& space, COB_ByteStringL& name, COB_WideStringL& value) const;
    bool HasAttr(const COB_ByteStringC& qName) const;
    bool GetAttrValue(const COB_ByteStringC& qName, COB_WideString& value) const;
    COB_WideString GetAttrValue(const COB_ByteStringC& qName) const
    {
        COB_WideString value;
        GetAttrValue(qName, value);
        return value;
    }
    bool GetAttrValue(const COB_ByteStringC& space, const COB_ByteStringC& name, COB_WideString& value) const;
    const COB_WideStringL* GetAttrValuePtr(const COB_ByteStringC& qName) const;
    const COB_WideStringL* GetAttrValuePtr(const COB_ByteStringC& space, const COB_ByteStringC& name) const;
    bool GetAttrInteger(const COB_ByteStringC& qName, int& value) const;
    bool GetAttrInteger(const COB_ByteStringC& space, const COB_ByteStringC& name, int& value) const;
    bool GetAttrFloat(const COB_ByteStringC& qName, float& value) const;
    bool GetAttrFloat(const COB_ByteStringC& space, const COB_ByteStringC& name, float& value) const;
    void SetAttrValue(const COB_ByteStringC& qName, const COB_WideStringC& value);
    void SetAttrValue(const COB_ByteStringC& qName, int value);
    void SetAttrValue(const COB_ByteStringC& qName, unsigned int value);
    void SetAttrValue(const COB_ByteStringC& qName, float value);
    void RemoveAttr(const COB_ByteStringC& qName);
    const CXML_AttrMap& GetAttrMap() const { return m_AttrMap; }
    CXML_AttrMap& GetAttrMap() { return m_AttrMap; }

    // Children: elements and text runs in document order.
    unsigned CountChildren() const { return static_cast<unsigned>(m_Children.GetSize()) / 2; }
    ChildType GetChildType(unsigned index) const;
    CXML_Element* GetElement(unsigned index) const;
    COB_WideString GetContent(unsigned index) const;
    const COB_WideStringL* GetContentPtr(unsigned index) const;
    unsigned CountElements(const COB_ByteStringC& space, const COB_ByteStringC& tag) const;
    CXML_Element* GetElement(const COB_ByteStringC& space, const COB_ByteStringC& tag, int index = 0) const;
    // Position among all children, or 0xFFFFFFFF.
    unsigned FindElement(CXML_Element* pChild) const;
    // Takes ownership; null is ignored.
    void AddChildElement(CXML_Element* pChild);
    void AddChildContent(const COB_WideStringC& content, bool bCDATA = false);
    // An index beyond the end leaves Invalid (absent) children in between.
    void InsertChildElement(unsigned index, CXML_Element* pChild);
    void InsertChildContent(unsigned index, const COB_WideStringC& content, bool bCDATA = false);
    void RemoveChild(unsigned index);
    bool RemoveChildren();

private:
    friend class CXML_Parser;
    friend class CXML_Composer; // reads the content records' CDATA flags

    void Init(_IOB_Allocator* pAllocator);
    // Gives an element without children its children at once, in one block of exactly their size:
    // units as the child array holds them. When that block cannot be had the children are freed.
    void AdoptChildren(const uint64_t* units, size_t unitCount);
    // The kind/pointer pair of child index; aborts on a broken pairing.
    uintptr_t UnitAt(int unit) const;
    // The record and its text come from blocks (null: the element's allocator).
    CXML_Content* NewContent(const COB_WideStringC& content, bool bCDATA, _IOB_Allocator* blocks = nullptr);
    void PutChild(unsigned index, ChildType type, void* pointer);
    void FreeChild(ChildType type, void* pointer);

    CXML_Element* m_pParent;
    COB_ByteStringL m_QSpace;
    COB_ByteStringL m_TagName;
    CXML_AttrMap m_AttrMap;
    COB_BasicArray m_Children; // two 8-byte units per child: its ChildType, then its pointer
};

#endif
