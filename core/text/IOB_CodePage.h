#ifndef IOB_CODEPAGE_H
#define IOB_CODEPAGE_H

#include <cstdint>

// One table-driven code page: its header facts and single-character lookups.
// Codes are one byte, or lead byte << 8 | trail byte; 0xFEFF means no mapping.
class IOB_CodePage
{
public:
    // A new code page object, or null when the code page has no table.
    static IOB_CodePage* Create(uint16_t codePage);

    virtual void Release() = 0;
    virtual uint16_t GetCodePageNumber() const = 0;
    virtual uint32_t GetCodePageKind() const = 0; // 1 single-byte, 2 double-byte
    virtual bool HasLeadBytes() const = 0;
    virtual bool IsLeadByte(uint8_t byte) const = 0;
    virtual uint8_t GetMinCharBytes() const = 0;
    virtual uint8_t GetMaxCharBytes() const = 0;
    virtual uint32_t GetMinCharcode() const = 0;
    virtual uint32_t GetMaxCharcode() const = 0;
    virtual uint32_t GetDefaultCharcode() const = 0;
    virtual uint32_t GetMinUnicode() const = 0;
    virtual uint32_t GetMaxUnicode() const = 0;
    virtual uint32_t GetDefaultUnicode() const = 0;
    virtual bool IsValidCharcode(uint16_t code) const = 0;
    virtual wchar_t GetUnicode(uint16_t code) const = 0;
    virtual bool IsValidUnicode(wchar_t unicode) const = 0;
    // 0xFEFF for a character inside a table range without mapping, 65535 outside every range.
    virtual uint16_t GetCharcode(wchar_t unicode) const = 0;

protected:
    virtual ~IOB_CodePage() {}
};

#endif
