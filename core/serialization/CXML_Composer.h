#ifndef CXML_COMPOSER_H
#define CXML_COMPOSER_H

#include "COB_ByteTextBuf.h"

class CXML_Element;
class COB_ByteStringL;
class IOB_FileWrite;

// Writes an element subtree back as UTF-8 XML: no declaration, no indentation. Unless compact, a CR LF
// goes inside each tag just before its ">" or "/>", so that no text is added to the tree.
//
// Whatever text and values the tree holds, a reader gets them back (names are written as they are, an
// attribute without a name is left out, and raw text is the caller's markup): characters XML cannot carry (U+0000 and the other C0 controls but
// TAB, LF and CR, surrogates, U+FFFE, U+FFFF, negative values) are left out, TAB, LF and CR in attribute
// values are written as character references so that a reader keeps them, and a "]]>" inside CDATA
// text is split across two sections.
class CXML_Composer : public COB_ByteTextBuf
{
public:
    CXML_Composer(_IOB_Allocator* allocator, bool bRawText, bool bCompact)
        : COB_ByteTextBuf(allocator), m_bRawText(bRawText), m_bCompact(bCompact)
    {
    }

    // Without pFile every byte goes to out; with pFile they are streamed into it and out stays as it was.
    void Compose(CXML_Element* pElement, IOB_FileWrite* pFile, COB_ByteStringL& out);
    // Appends one subtree; with pFile the bytes pending before each element are written out first.
    void ComposeElement(CXML_Element* pElement, IOB_FileWrite* pFile);

private:
    void FlushTo(IOB_FileWrite* pFile);
    void AppendName(const COB_ByteStringC& prefix, const COB_ByteStringC& name);
    void AppendTagEnd(const char* close);
    void AppendAttrValue(const wchar_t* text, int length);
    void AppendContent(const wchar_t* text, int length);
    void AppendCDATA(const wchar_t* text, int length);
    void AppendCharacter(wchar_t ch);

    bool m_bRawText; // content text written as it is, unescaped
    bool m_bCompact; // no line breaks
};

#endif
