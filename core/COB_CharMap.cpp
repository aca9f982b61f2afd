#include "COB_CharMap.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"
#include "OB_SysShims.h"

namespace {

// Code page 0: the platform's current locale. Each direction measures first, then converts
// into a buffer of exactly that size; a failure or a zero length gives an empty string.
template <typename Result, typename Source, typename Convert>
Result ConvertAll(const Source& text, Convert convert)
{
    Result result;
    int length = text.GetLength();
    if (length == 0)
        return result;
    int needed = convert(text.c_str(), length, nullptr, 0);
    if (needed <= 0)
        return result;
    auto* buffer = result.GetBuffer(needed);
    if (!buffer)
        return Result();
    int written = convert(text.c_str(), length, buffer, needed);
    result.ReleaseBuffer(written > 0 && written <= needed ? written : 0);
    return result;
}

COB_WideString SystemBytesToWide(COB_CharMap*, const COB_ByteString& bytes)
{
    return ConvertAll<COB_WideString>(bytes, [](const char* source, int length, wchar_t* out, int room) {
        return OBSYS_MultiByteToWideChar(0, 0, source, length, out, room);
    });
}

COB_ByteString SystemWideToBytes(COB_CharMap*, const COB_WideString& wide)
{
    return ConvertAll<COB_ByteString>(wide, [](const wchar_t* source, int length, char* out, int room) {
        return OBSYS_WideCharToMultiByte(0, 0, source, length, out, room);
    });
}

COB_CharMap g_SystemMap = {SystemBytesToWide, SystemWideToBytes, nullptr};

} // namespace

COB_CharMap* COB_CharMap::GetDefaultMapper(int codePage)
{
    if (codePage == 0)
        return &g_SystemMap;
    return nullptr;
}
