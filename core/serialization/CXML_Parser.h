#ifndef CXML_PARSER_H
#define CXML_PARSER_H

#include "COB_ByteStringC.h"
#include "COB_WideStringC.h"
#include "COB_WideStringL.h"
#include "OB_FileSize.h"

#include <cstddef>
#include <cstdint>

struct _IOB_Allocator;
class CXML_Element;
class IOB_BufferRead;
class IOB_FileRead;
struct CXML_ParserScratch;
struct CXML_WideRun;

// Byte classes of the parser, one class byte per input byte.
extern const uint8_t g_OBCRT_XML_ByteTypes[256];
inline bool g_OBCRT_XML_IsWhiteSpace(uint8_t c) { return (g_OBCRT_XML_ByteTypes[c] & 0x01) != 0; }
inline bool g_OBCRT_XML_IsLetter(uint8_t c) { return (g_OBCRT_XML_ByteTypes[c] & 0x02) != 0; }
inline bool g_OBCRT_XML_IsDigital(uint8_t c) { return (g_OBCRT_XML_ByteTypes[c] & 0x04) != 0; }
inline bool g_OBCRT_XML_IsNameIntro(uint8_t c) { return (g_OBCRT_XML_ByteTypes[c] & 0x08) != 0; }
inline bool g_OBCRT_XML_IsNameChar(uint8_t c) { return (g_OBCRT_XML_ByteTypes[c] & 0x10) != 0; }
inline bool g_OBCRT_XML_IsHexChar(uint8_t c) { return (g_OBCRT_XML_ByteTypes[c] & 0x60) != 0; }

// True when the first byte that is not ASCII white space is "<", or a UTF-8, UTF-16LE or UTF-16BE
// byte-order mark followed by "<", all within size bytes.
bool CheckFirstNonEmptyChar(const uint8_t* data, size_t size);

// Tolerant recursive-descent reader that turns UTF-8 bytes into a CXML_Element tree. It skips what it
// does not understand and never reports a position; see CXML_Element::Parse for the entry points.
class CXML_Parser
{
public:
    // Every element, string and buffer of the parse comes from allocator (null: the default manager).
    explicit CXML_Parser(_IOB_Allocator* allocator);
    ~CXML_Parser();
    CXML_Parser(const CXML_Parser&) = delete;
    CXML_Parser& operator=(const CXML_Parser&) = delete;

    // Each form checks that the input starts with a tag (after white space or a byte-order mark).
    bool Init(const uint8_t* buffer, size_t size);
    bool Init(IOB_FileRead* file);
    // The reader is neither owned nor released.
    bool Init(IOB_BufferRead* reader);

    // Parses the root with the given options; null when there is none.
    CXML_Element* ParseRoot(bool bSaveSpaceChars, bool bIgnoreCharRef, bool bKeepCtrlWhiteSpace);
    // Input position after the last byte read.
    OB_FILESIZE GetOffset() const { return m_nBufferOffset + static_cast<OB_FILESIZE>(m_dwIndex); }

private:
    bool Init(bool bOwnedStream);
    bool ReadNextBlock();
    bool IsEOF();
    // A byte is available at m_dwIndex; false at end of input.
    bool HaveByte() { return m_dwIndex < m_dwBufferSize || ReadNextBlock(); }
    bool CheckFirstBytes();
    void SkipWhiteSpaces(bool bRecord)
    {
        // Most calls stand on a byte that is not white space, or on a short run of it that ends in the
        // block at hand: answered here without the loop.
        size_t i = m_dwIndex;
        if (i < m_dwBufferSize && !g_OBCRT_XML_IsWhiteSpace(m_pBuffer[i]))
            return;
        if (!bRecord || !m_bKeepCtrlWhiteSpace) {
            while (i < m_dwBufferSize && g_OBCRT_XML_IsWhiteSpace(m_pBuffer[i]))
                ++i;
            m_dwIndex = i;
            if (i < m_dwBufferSize)
                return;
        }
        SkipWhiteSpacesLoop(bRecord);
    }
    void SkipWhiteSpacesLoop(bool bRecord);
    void GetName(COB_ByteStringC& prefix, COB_ByteStringC& name);
    void SkipLiterals(const char* literal);
    void SkipDeclaration();
    void GetCharRef(CXML_WideRun& out);
    void ReadAttrValue(uint8_t quote, COB_WideStringL& out);
    void GetAttrValue(uint8_t quote);
    void GetTagName(COB_ByteStringC& prefix, COB_ByteStringC& name, bool& bEndTag, bool bStartTag);
    CXML_Element* ParseElement(CXML_Element* parent, bool bStartTag);
    void ParseAttributes(CXML_Element* element);
    // The content of element through its end tag; its children are stored at the end.
    void ParseContent(CXML_Element* element);
    void ReadContent(CXML_Element* element);
    void ParseCDATA(CXML_Element* element);
    void FlushText(CXML_Element* element);
    CXML_WideRun& JoinRecordedWhiteSpace();
    void InsertContentSegment(bool bCDATA, const COB_WideStringC& text, CXML_Element* element);
    CXML_Element* NewElement(const COB_ByteStringC& prefix, const COB_ByteStringC& name);
    void DeleteElement(CXML_Element* element);

    _IOB_Allocator* m_pAllocator;
    // Where the tree's strings and records come from: the allocator itself, or for a grow-only pool
    // the scratch's carver over it. Never stored in the tree.
    _IOB_Allocator* m_pBlocks;
    IOB_BufferRead* m_pDataAcc;
    bool m_bOwnedStream;
    OB_FILESIZE m_nBufferOffset;
    bool m_bSaveSpaceChars;
    const uint8_t* m_pBuffer;
    size_t m_dwBufferSize;
    size_t m_dwIndex;
    bool m_bIgnoreCharRef;
    bool m_bKeepCtrlWhiteSpace;
    int m_nDepth;
    CXML_ParserScratch* m_pScratch;
};

#endif
