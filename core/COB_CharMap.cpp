#include "COB_CharMap.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"
#include "OB_SysShims.h"

namespace {

// Code page 0: the platform's current locale. Each direction measures first, then converts
// into a buffer of exactly that size; a failure or a zero length gives an empty string.
COB_WideString SystemBytesToWide(COB_CharMap*, const COB_ByteString& bytes)
{
    COB_WideString result;
    int length = bytes.GetLength();
    if (length == 0)
        return result;
    int needed = OBSYS_MultiByteToWideChar(0, 0, bytes.c_str(), length, nullptr, 0);
    if (needed <= 0)
        return result;
    wchar_t* buffer = result.GetBuffer(needed);
    if (!buffer)
        return COB_WideString();
    int written = OBSYS_MultiByteToWideChar(0, 0, bytes.c_str(), length, buffer, needed);
    result.ReleaseBuffer(written > 0 && written <= needed ? written : 0);
    return result;
}

COB_ByteString SystemWideToBytes(COB_CharMap*, const COB_WideString& wide)
{
    COB_ByteString result;
    int length = wide.GetLength();
    if (length == 0)
        return result;
    int needed = OBSYS_WideCharToMultiByte(0, 0, wide.c_str(), length, nullptr, 0);
    if (needed <= 0)
        return result;
    char* buffer = result.GetBuffer(needed);
    if (!buffer)
        return COB_ByteString();
    int written = OBSYS_WideCharToMultiByte(0, 0, wide.c_str(), length, buffer, needed);
    result.ReleaseBuffer(written > 0 && written <= needed ? written : 0);
    return result;
}

COB_CharMap g_SystemMap = {SystemBytesToWide, SystemWideToBytes, nullptr};

} // namespace

COB_CharMap* COB_CharMap::GetDefaultMapper(int codePage)
{
    if (codePage == 0)
        return &g_SystemMap;
    return nullptr;
}
