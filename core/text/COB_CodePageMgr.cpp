#include "COB_CodePageMgr.h"

#include "IOB_CodePage.h"
#include "OB_CodePage.h"

IOB_CodePageMgr* IOB_CodePageMgr::Create()
{
    return new COB_CodePageMgr;
}

void COB_CodePageMgr::Release()
{
    delete this;
}

uint16_t COB_CodePageMgr::GetDefaultCodePage() const
{
    return 1252;
}

bool COB_CodePageMgr::IsValidCodePage(uint16_t codePage) const
{
    return OB_GetCodePage(codePage) != nullptr;
}

IOB_CodePage* COB_CodePageMgr::CreateCodePage(uint16_t codePage) const
{
    return IOB_CodePage::Create(codePage);
}
