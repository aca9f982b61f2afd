#ifndef IOB_FILEACCESS_H
#define IOB_FILEACCESS_H

#include <cstdint>

class COB_WideString;
class IOB_FileStream;

// A file by path: opens an independent stream on each CreateFileStream.
class IOB_FileAccess
{
public:
    virtual void Release() = 0;
    virtual IOB_FileAccess* Retain() = 0;
    virtual void GetPath(COB_WideString& path) = 0;
    // modes: OB_FILEMODE_* bits (OB_FileSize.h); null when the file cannot be opened.
    virtual IOB_FileStream* CreateFileStream(uint32_t modes) = 0;

protected:
    virtual ~IOB_FileAccess() {}
};

#endif
