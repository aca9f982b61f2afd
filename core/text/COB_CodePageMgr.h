#ifndef COB_CODEPAGEMGR_H
#define COB_CODEPAGEMGR_H

#include "COB_Object.h"
#include "IOB_CodePageMgr.h"

class COB_CodePageMgr : public IOB_CodePageMgr, public COB_Object
{
public:
    void Release() override;
    uint16_t GetDefaultCodePage() const override;
    bool IsValidCodePage(uint16_t codePage) const override;
    IOB_CodePage* CreateCodePage(uint16_t codePage) const override;
};

#endif
