#ifndef COB_CODEPAGE_H
#define COB_CODEPAGE_H

#include "COB_Object.h"
#include "IOB_CodePage.h"

struct _OB_CODEPAGE;

// A code page object over one static table record; Release deletes it.
class COB_CodePage : public IOB_CodePage, public COB_Object
{
public:
    explicit COB_CodePage(const _OB_CODEPAGE* page) : m_pCodePage(page) {}

    void Release() override;
    uint16_t GetCodePageNumber() const override;
    uint32_t GetCodePageKind() const override;
    bool HasLeadBytes() const override;
    bool IsLeadByte(uint8_t byte) const override;
    uint8_t GetMinCharBytes() const override;
    uint8_t GetMaxCharBytes() const override;
    uint32_t GetMinCharcode() const override;
    uint32_t GetMaxCharcode() const override;
    uint32_t GetDefaultCharcode() const override;
    uint32_t GetMinUnicode() const override;
    uint32_t GetMaxUnicode() const override;
    uint32_t GetDefaultUnicode() const override;
    bool IsValidCharcode(uint16_t code) const override;
    wchar_t GetUnicode(uint16_t code) const override;
    bool IsValidUnicode(wchar_t unicode) const override;
    uint16_t GetCharcode(wchar_t unicode) const override;

private:
    const _OB_CODEPAGE* m_pCodePage;
};

#endif
