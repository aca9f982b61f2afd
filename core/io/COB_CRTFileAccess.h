#ifndef COB_CRTFILEACCESS_H
#define COB_CRTFILEACCESS_H

#include "COB_Object.h"
#include "COB_WideString.h"
#include "IOB_FileAccess.h"

struct _IOB_Allocator;

// Path holder: each CreateFileStream opens a new, independent file stream on the path.
// Made by OB_CreateDefaultFileAccess; reference-counted (not thread-safe).
class COB_CRTFileAccess : public IOB_FileAccess, public COB_Object
{
public:
    COB_CRTFileAccess() : m_pAllocator(nullptr), m_nRefCount(1) {}

    void Release() override;
    IOB_FileAccess* Retain() override;
    void GetPath(COB_WideString& path) override;
    IOB_FileStream* CreateFileStream(uint32_t modes) override;
    // Copies path, keeps allocator for the streams and for freeing this object; count back to 1.
    virtual bool Init(const COB_WideStringC& path, _IOB_Allocator* allocator);

protected:
    ~COB_CRTFileAccess() override {}

private:
    COB_WideString m_Path;
    _IOB_Allocator* m_pAllocator;
    uint32_t m_nRefCount;
};

#endif
