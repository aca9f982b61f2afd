#include "COB_CodePage.h"

#include "OB_CodePage.h"

IOB_CodePage* IOB_CodePage::Create(uint16_t codePage)
{
    const _OB_CODEPAGE* page = OB_GetCodePage(codePage);
    return page ? new COB_CodePage(page) : nullptr;
}

void COB_CodePage::Release()
{
    delete this;
}

uint16_t COB_CodePage::GetCodePageNumber() const
{
    return m_pCodePage->pHeader->wCodePage;
}

uint32_t COB_CodePage::GetCodePageKind() const
{
    return m_pCodePage->pHeader->dwKind;
}

bool COB_CodePage::HasLeadBytes() const
{
    return m_pCodePage->pHeader->bHasLeadBytes;
}

bool COB_CodePage::IsLeadByte(uint8_t byte) const
{
    return (m_pCodePage->pDecodeMap->pFirstBytes[byte] & 0xFFFF) != 0;
}

uint8_t COB_CodePage::GetMinCharBytes() const
{
    return m_pCodePage->pHeader->uMinCharBytes;
}

uint8_t COB_CodePage::GetMaxCharBytes() const
{
    return m_pCodePage->pHeader->uMaxCharBytes;
}

uint32_t COB_CodePage::GetMinCharcode() const
{
    return m_pCodePage->pHeader->dwMinCharcode;
}

uint32_t COB_CodePage::GetMaxCharcode() const
{
    return m_pCodePage->pHeader->dwMaxCharcode;
}

uint32_t COB_CodePage::GetDefaultCharcode() const
{
    return m_pCodePage->pHeader->dwDefaultCharcode;
}

uint32_t COB_CodePage::GetMinUnicode() const
{
    return m_pCodePage->pHeader->dwMinUnicode;
}

uint32_t COB_CodePage::GetMaxUnicode() const
{
    return m_pCodePage->pHeader->dwMaxUnicode;
}

uint32_t COB_CodePage::GetDefaultUnicode() const
{
    return m_pCodePage->pHeader->dwDefaultUnicode;
}

bool COB_CodePage::IsValidCharcode(uint16_t code) const
{
    return OB_CodePage_GetUnicode(m_pCodePage, code) != OB_CODEPAGE_NOMAPPING;
}

wchar_t COB_CodePage::GetUnicode(uint16_t code) const
{
    return OB_CodePage_GetUnicode(m_pCodePage, code);
}

// Neither a character without mapping nor one outside every range has a code.
bool COB_CodePage::IsValidUnicode(wchar_t unicode) const
{
    const uint16_t code = OB_CodePage_GetCharcode(m_pCodePage, unicode);
    return code != OB_CODEPAGE_NOMAPPING && code != OB_CODEPAGE_NOTFOUND;
}

uint16_t COB_CodePage::GetCharcode(wchar_t unicode) const
{
    return OB_CodePage_GetCharcode(m_pCodePage, unicode);
}
