#ifndef IOB_CODEPAGEMGR_H
#define IOB_CODEPAGEMGR_H

#include <cstdint>

class IOB_CodePage;

// Hands out code page objects for the table-driven code pages.
class IOB_CodePageMgr
{
public:
    static IOB_CodePageMgr* Create();

    virtual void Release() = 0;
    virtual uint16_t GetDefaultCodePage() const = 0; // always 1252
    virtual bool IsValidCodePage(uint16_t codePage) const = 0;
    // A new code page object for the caller to release, or null.
    virtual IOB_CodePage* CreateCodePage(uint16_t codePage) const = 0;

protected:
    virtual ~IOB_CodePageMgr() {}
};

#endif
