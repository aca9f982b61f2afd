#include "COB_CharMap.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"
#include "OB_CodePage.h"
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

// The table-driven code pages: measure, then convert; any result but "done" gives an empty string.
COB_WideString TableBytesToWide(COB_CharMap* map, const COB_ByteString& bytes)
{
    const uint16_t codePage = static_cast<uint16_t>(map->m_GetCodePage());
    return ConvertAll<COB_WideString>(bytes, [codePage](const char* source, int length, wchar_t* out, int room) {
        return OB_DecodeString(codePage, source, &length, out, &room, false) == 1 ? room : 0;
    });
}

COB_ByteString TableWideToBytes(COB_CharMap* map, const COB_WideString& wide)
{
    const uint16_t codePage = static_cast<uint16_t>(map->m_GetCodePage());
    return ConvertAll<COB_ByteString>(wide, [codePage](const wchar_t* source, int length, char* out, int room) {
        return OB_EncodeString(codePage, source, &length, out, &room, false) == 1 ? room : 0;
    });
}

template <int CodePage>
int CodePageOf()
{
    return CodePage;
}

COB_CharMap g_TableMaps[] = {
    {TableBytesToWide, TableWideToBytes, CodePageOf<874>},  {TableBytesToWide, TableWideToBytes, CodePageOf<932>},
    {TableBytesToWide, TableWideToBytes, CodePageOf<936>},  {TableBytesToWide, TableWideToBytes, CodePageOf<949>},
    {TableBytesToWide, TableWideToBytes, CodePageOf<950>},  {TableBytesToWide, TableWideToBytes, CodePageOf<1250>},
    {TableBytesToWide, TableWideToBytes, CodePageOf<1251>}, {TableBytesToWide, TableWideToBytes, CodePageOf<1252>},
    {TableBytesToWide, TableWideToBytes, CodePageOf<1253>}, {TableBytesToWide, TableWideToBytes, CodePageOf<1254>},
    {TableBytesToWide, TableWideToBytes, CodePageOf<1255>}, {TableBytesToWide, TableWideToBytes, CodePageOf<1256>},
    {TableBytesToWide, TableWideToBytes, CodePageOf<1257>}, {TableBytesToWide, TableWideToBytes, CodePageOf<1258>},
};

} // namespace

COB_CharMap* COB_CharMap::GetDefaultMapper(int codePage)
{
    if (codePage == 0)
        return &g_SystemMap;
    for (COB_CharMap& map : g_TableMaps) {
        if (map.m_GetCodePage() == codePage)
            return &map;
    }
    return nullptr;
}
