#include "CXML_Composer.h"

#include "COB_ByteString.h"
#include "COB_ByteStringL.h"
#include "CXML_Content.h"
#include "CXML_Element.h"
#include "IOB_FileWrite.h"
#include "OB_UnicodeText.h"

namespace {

// The characters an XML 1.0 document may hold at all.
bool IsXmlChar(wchar_t ch)
{
    return ch == 0x09 || ch == 0x0A || ch == 0x0D || (ch >= 0x20 && ch <= 0xD7FF) || (ch >= 0xE000 && ch <= 0xFFFD) ||
           (ch >= 0x10000 && ch <= 0x10FFFF);
}

const char* ControlReference(wchar_t ch)
{
    switch (ch) {
    case 0x09:
        return "&#x09;";
    case 0x0A:
        return "&#x0A;";
    case 0x0D:
        return "&#x0D;";
    default:
        return nullptr;
    }
}

} // namespace

void CXML_Composer::AppendCharacter(wchar_t ch)
{
    if (!IsXmlChar(ch))
        return;
    if (ch < 0x80) {
        AppendChar(static_cast<int>(ch));
        return;
    }
    char bytes[4];
    int srcLen = 1;
    int dstLen = sizeof bytes;
    OB_UTF8Encode(&ch, &srcLen, bytes, &dstLen);
    AppendBlock(bytes, dstLen);
}

void CXML_Composer::AppendName(const COB_ByteStringC& prefix, const COB_ByteStringC& name)
{
    if (!prefix.IsEmpty())
        *this << prefix << COB_ByteStringC(":");
    *this << name;
}

void CXML_Composer::AppendTagEnd(const char* close)
{
    if (!m_bCompact)
        *this << COB_ByteStringC("\r\n");
    *this << COB_ByteStringC(close);
}

void CXML_Composer::AppendAttrValue(const wchar_t* text, int length)
{
    for (int i = 0; i < length; ++i) {
        const wchar_t ch = text[i];
        if (ch == '<')
            *this << COB_ByteStringC("&lt;");
        else if (ch == '&')
            *this << COB_ByteStringC("&amp;");
        else if (ch == '"')
            *this << COB_ByteStringC("&quot;");
        else if (const char* reference = ControlReference(ch))
            *this << COB_ByteStringC(reference); // a reader would turn them into spaces
        else
            AppendCharacter(ch);
    }
}

void CXML_Composer::AppendContent(const wchar_t* text, int length)
{
    // The ends of the text as written: characters that are left out do not count.
    int first = 0;
    while (first < length && !IsXmlChar(text[first]))
        ++first;
    int last = length - 1;
    while (last > first && !IsXmlChar(text[last]))
        --last;
    for (int i = first; i <= last; ++i) {
        const wchar_t ch = text[i];
        if (m_bRawText) {
            AppendCharacter(ch);
            continue;
        }
        switch (ch) {
        case ' ':
            // Spaces at either end would be trimmed away by a reader.
            *this << COB_ByteStringC(i == first || i == last ? "&#x20;" : " ");
            break;
        case '"':
            *this << COB_ByteStringC("&quot;");
            break;
        case '&':
            *this << COB_ByteStringC("&amp;");
            break;
        case '\'':
            *this << COB_ByteStringC("&apos;");
            break;
        case '<':
            *this << COB_ByteStringC("&lt;");
            break;
        case '>':
            *this << COB_ByteStringC("&gt;");
            break;
        default:
            if (const char* reference = ControlReference(ch))
                *this << COB_ByteStringC(reference);
            else
                AppendCharacter(ch);
        }
    }
}

void CXML_Composer::AppendCDATA(const wchar_t* text, int length)
{
    *this << COB_ByteStringC("<![CDATA[");
    int brackets = 0; // "]" written just before, counting only characters that were written
    for (int i = 0; i < length; ++i) {
        const wchar_t ch = text[i];
        if (!IsXmlChar(ch))
            continue;
        // "]]>" would end the section early: the ">" goes into a second section.
        if (ch == '>' && brackets >= 2)
            *this << COB_ByteStringC("]]><![CDATA[");
        brackets = ch == ']' ? brackets + 1 : 0;
        AppendCharacter(ch);
    }
    *this << COB_ByteStringC("]]>");
}

void CXML_Composer::FlushTo(IOB_FileWrite* pFile)
{
    if (!pFile || GetSize() == 0)
        return;
    pFile->WriteBlock(GetBuffer(), static_cast<size_t>(GetSize()));
    Clear();
}

void CXML_Composer::ComposeElement(CXML_Element* pElement, IOB_FileWrite* pFile)
{
    FlushTo(pFile);
    const COB_ByteString prefix = pElement->GetNamespace(true);
    const COB_ByteString tag = pElement->GetTagName(false);
    *this << COB_ByteStringC("<");
    AppendName(prefix, tag);

    const CXML_AttrMap& attrs = pElement->GetAttrMap();
    for (int i = 0; i < attrs.GetSize(); ++i) {
        const CXML_AttrItem& item = attrs.GetAt(i);
        if (item.m_AttrName.IsEmpty())
            continue; // ' ="..."' would make the whole document unreadable
        *this << COB_ByteStringC(" ");
        AppendName(item.m_QSpaceName, item.m_AttrName);
        *this << COB_ByteStringC("=\"");
        AppendAttrValue(item.m_Value.GetPtr(), item.m_Value.GetLength());
        *this << COB_ByteStringC("\"");
    }

    const unsigned children = pElement->CountChildren();
    if (children == 0) {
        AppendTagEnd("/>");
        return;
    }
    AppendTagEnd(">");
    for (unsigned i = 0; i < children; ++i) {
        switch (pElement->GetChildType(i)) {
        case CXML_Element::Element:
            ComposeElement(pElement->GetElement(i), pFile);
            break;
        case CXML_Element::Content: {
            const auto* content =
                reinterpret_cast<const CXML_Content*>(pElement->UnitAt(static_cast<int>(i * 2 + 1)));
            const COB_WideStringL& text = content->m_Content;
            if (content->m_bCDATA)
                AppendCDATA(text.GetPtr(), text.GetLength());
            else
                AppendContent(text.GetPtr(), text.GetLength());
            break;
        }
        default:
            break; // positions left empty by an insertion beyond the end
        }
    }
    *this << COB_ByteStringC("</");
    AppendName(prefix, tag);
    AppendTagEnd(">");
}

void CXML_Composer::Compose(CXML_Element* pElement, IOB_FileWrite* pFile, COB_ByteStringL& out)
{
    if (!pElement)
        return;
    ComposeElement(pElement, pFile);
    if (pFile)
        FlushTo(pFile);
    else
        GetByteStringL(out);
}

COB_ByteString CXML_Element::OutputStream(bool bRawText, bool bCompact)
{
    CXML_Composer composer(GetAllocator(), bRawText, bCompact);
    composer.ComposeElement(this, nullptr);
    return COB_ByteString(composer.GetByteString());
}

void CXML_Element::OutputStream(COB_ByteStringL& out, bool bRawText, bool bCompact)
{
    CXML_Composer composer(GetAllocator(), bRawText, bCompact);
    composer.Compose(this, nullptr, out);
}

void CXML_Element::OutputStream(IOB_FileWrite* pFile, bool bRawText, bool bCompact)
{
    if (!pFile)
        return;
    COB_ByteStringL unused;
    CXML_Composer composer(GetAllocator(), bRawText, bCompact);
    composer.Compose(this, pFile, unused);
}
