#include "OB_CodePage.h"

#include "OB_UnicodeText.h"

namespace {

const uint32_t kReplacement = 0xFFFD;

// The value of position index in a range of kind kind whose data start at data.
uint16_t RangeValue(const uint16_t* data, uint32_t kind, uint32_t index)
{
    switch (kind) {
    case OB_CPRANGE_TABLE:
        return data[index];
    case OB_CPRANGE_BASE:
        return static_cast<uint16_t>(data[0] + index);
    case OB_CPRANGE_BYTES:
        return static_cast<uint16_t>(data[0] + ((data[1 + index / 2] >> (8 * (index % 2))) & 0xFF));
    default:
        return OB_CODEPAGE_NOMAPPING;
    }
}

uint16_t TrailValue(const _OB_CODEPAGE_DECODEMAP* map, uint32_t entry, uint8_t trail)
{
    const uint32_t count = entry & 0xFFFF;
    if (count == 0)
        return OB_CODEPAGE_NOMAPPING; // not a lead byte: no two-byte code starts with it
    const uint32_t* ranges = map->pTrailRanges + (entry >> 16);
    // The range with the greatest first trail byte not above trail.
    uint32_t low = 0;
    uint32_t high = count;
    while (low < high) {
        const uint32_t mid = (low + high) / 2;
        if ((ranges[mid] & 0xFF) <= trail)
            low = mid + 1;
        else
            high = mid;
    }
    if (low == 0)
        return OB_CODEPAGE_NOMAPPING;
    const uint32_t range = ranges[low - 1];
    return RangeValue(map->pData + (range >> 16), (range >> 8) & 0xFF, trail - (range & 0xFF));
}

// ---- UTF-16 ----------------------------------------------------------------------------------

uint32_t ReadUnit(const char* src, int unit, bool bigEndian)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(src) + 2 * unit;
    return bigEndian ? (bytes[0] << 8 | bytes[1]) : (bytes[1] << 8 | bytes[0]);
}

void WriteUnit(char* dst, uint32_t unit, bool bigEndian)
{
    dst[bigEndian ? 1 : 0] = static_cast<char>(unit & 0xFF);
    dst[bigEndian ? 0 : 1] = static_cast<char>(unit >> 8);
}

int DecodeUTF16(bool bigEndian, const char* src, int* srcLen, wchar_t* dst, int* dstLen, bool errBreak, int room)
{
    const int units = *srcLen / 2;
    int unit = 0;
    int produced = 0;
    int result = 1;
    while (unit < units) {
        if (room >= 1 && produced >= room)
            break;
        uint32_t value = ReadUnit(src, unit, bigEndian);
        int width = 1;
        bool lone = value >= 0xDC00 && value <= 0xDFFF;
        if (value >= 0xD800 && value <= 0xDBFF) {
            if (unit + 1 == units)
                break; // the pair's second half has not arrived yet
            const uint32_t low = ReadUnit(src, unit + 1, bigEndian);
            lone = low < 0xDC00 || low > 0xDFFF;
            if (!lone) {
                value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
                width = 2;
            }
        }
        if (lone) {
            if (errBreak) {
                result = 0;
                break;
            }
            value = kReplacement;
        }
        if (room >= 1)
            dst[produced] = static_cast<wchar_t>(value);
        ++produced;
        unit += width;
    }
    *srcLen = unit * 2;
    *dstLen = produced;
    return result;
}

int EncodeUTF16(bool bigEndian, const wchar_t* src, int* srcLen, char* dst, int* dstLen, bool errBreak, int room)
{
    const int length = *srcLen;
    int consumed = 0;
    int produced = 0;
    int result = 1;
    for (; consumed < length; ++consumed) {
        uint32_t value = static_cast<uint32_t>(src[consumed]);
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            if (errBreak) {
                result = 0;
                break;
            }
            value = kReplacement;
        }
        const int bytes = value >= 0x10000 ? 4 : 2;
        if (room >= 1) {
            if (bytes > room - produced)
                break;
            if (bytes == 4) {
                WriteUnit(dst + produced, 0xD800 + ((value - 0x10000) >> 10), bigEndian);
                WriteUnit(dst + produced + 2, 0xDC00 + ((value - 0x10000) & 0x3FF), bigEndian);
            } else {
                WriteUnit(dst + produced, value, bigEndian);
            }
        }
        produced += bytes;
    }
    *srcLen = consumed;
    *dstLen = produced;
    return result;
}

enum class Route { Done, Utf8, Utf16, Table };

// The checks both directions make before converting; with Route::Done, result is the call's answer.
Route ChooseRoute(uint16_t codePage, const void* src, int* srcLen, int* dstLen, const _OB_CODEPAGE*& page, int& result)
{
    if (!srcLen || !dstLen) {
        result = -1;
        return Route::Done;
    }
    if (*srcLen < 1) {
        *srcLen = 0;
        *dstLen = 0;
        result = 1;
        return Route::Done;
    }
    if (codePage == OB_CODEPAGE_UTF8)
        return Route::Utf8;
    page = OB_GetCodePage(codePage);
    const bool utf16 = codePage == OB_CODEPAGE_UTF16LE || codePage == OB_CODEPAGE_UTF16BE;
    if (!src || (!page && !utf16)) {
        *srcLen = 0;
        *dstLen = 0;
        result = -1;
        return Route::Done;
    }
    return utf16 ? Route::Utf16 : Route::Table;
}

} // namespace

const _OB_CODEPAGE* OB_GetCodePage(uint16_t codePage)
{
    int low = 0;
    int high = OB_CODEPAGE_COUNT - 1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const uint16_t found = g_OB_CodePages[mid].pHeader->wCodePage;
        if (found == codePage)
            return &g_OB_CodePages[mid];
        if (found < codePage)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return nullptr;
}

uint16_t OB_CodePage_GetUnicode(const _OB_CODEPAGE* page, uint16_t code)
{
    if (!page)
        return OB_CODEPAGE_NOMAPPING;
    const _OB_CODEPAGE_HEADER* header = page->pHeader;
    if (code < header->dwMinCharcode || code > header->dwMaxCharcode)
        return OB_CODEPAGE_NOMAPPING;
    const _OB_CODEPAGE_DECODEMAP* map = page->pDecodeMap;
    if (code < 256) {
        const uint32_t entry = map->pFirstBytes[code];
        return (entry & 0xFFFF) != 0 ? OB_CODEPAGE_NOMAPPING : static_cast<uint16_t>(entry >> 16);
    }
    return TrailValue(map, map->pFirstBytes[code >> 8], static_cast<uint8_t>(code & 0xFF));
}

uint16_t OB_CodePage_GetCharcode(const _OB_CODEPAGE* page, wchar_t unicode)
{
    if (!page || unicode < 0 || unicode > 0xFFFF)
        return OB_CODEPAGE_NOTFOUND;
    const _OB_CODEPAGE_ENCODEMAP* map = page->pEncodeMap;
    const uint32_t w = static_cast<uint32_t>(unicode);
    uint32_t low = 0;
    uint32_t high = map->nRanges;
    while (low < high) {
        const uint32_t mid = (low + high) / 2;
        const uint16_t* range = map->pRanges + 4 * mid;
        if (w < range[0]) {
            high = mid;
        } else if (w > range[1]) {
            low = mid + 1;
        } else {
            const uint32_t kind = range[2];
            if (kind == OB_CPRANGE_NONE)
                return OB_CODEPAGE_NOMAPPING;
            if (kind != OB_CPRANGE_TABLE && kind != OB_CPRANGE_BASE && kind != OB_CPRANGE_BYTES)
                return OB_CODEPAGE_NOTFOUND;
            return RangeValue(map->pData + range[3], kind, w - range[0]);
        }
    }
    return OB_CODEPAGE_NOTFOUND;
}

int OB_DecodeString(uint16_t codePage, const char* src, int* srcLen, wchar_t* dst, int* dstLen, bool errBreak)
{
    const _OB_CODEPAGE* page = nullptr;
    int result = 1;
    const Route route = ChooseRoute(codePage, src, srcLen, dstLen, page, result);
    if (route == Route::Done)
        return result;
    const int room = dst ? *dstLen : 0;
    if (route == Route::Utf8)
        return OB_UTF8Decode(src, srcLen, room >= 1 ? dst : nullptr, dstLen);
    if (route == Route::Utf16)
        return DecodeUTF16(codePage == OB_CODEPAGE_UTF16BE, src, srcLen, dst, dstLen, errBreak, room);

    const _OB_CODEPAGE_DECODEMAP* map = page->pDecodeMap;
    const auto* bytes = reinterpret_cast<const uint8_t*>(src);
    const int length = *srcLen;
    int consumed = 0;
    int produced = 0;
    while (consumed < length) {
        if (room >= 1 && produced >= room)
            break;
        const uint32_t entry = map->pFirstBytes[bytes[consumed]];
        uint16_t unicode;
        int width = 1;
        if ((entry & 0xFFFF) == 0) {
            unicode = static_cast<uint16_t>(entry >> 16);
        } else {
            if (consumed + 1 == length)
                break; // a lead byte whose trail byte has not arrived yet
            unicode = TrailValue(map, entry, bytes[consumed + 1]);
            width = 2;
        }
        if (unicode == OB_CODEPAGE_NOMAPPING) {
            if (errBreak) {
                result = 0;
                break;
            }
            unicode = static_cast<uint16_t>(page->pHeader->dwDefaultUnicode);
        }
        if (room >= 1)
            dst[produced] = static_cast<wchar_t>(unicode);
        ++produced;
        consumed += width;
    }
    *srcLen = consumed;
    *dstLen = produced;
    return result;
}

int OB_EncodeString(uint16_t codePage, const wchar_t* src, int* srcLen, char* dst, int* dstLen, bool errBreak)
{
    const _OB_CODEPAGE* page = nullptr;
    int result = 1;
    const Route route = ChooseRoute(codePage, src, srcLen, dstLen, page, result);
    if (route == Route::Done)
        return result;
    const int room = dst ? *dstLen : 0;
    if (route == Route::Utf8)
        return OB_UTF8Encode(src, srcLen, room >= 1 ? dst : nullptr, dstLen);
    if (route == Route::Utf16)
        return EncodeUTF16(codePage == OB_CODEPAGE_UTF16BE, src, srcLen, dst, dstLen, errBreak, room);

    const int length = *srcLen;
    int consumed = 0;
    int produced = 0;
    for (; consumed < length; ++consumed) {
        uint32_t code = OB_CodePage_GetCharcode(page, src[consumed]);
        // Both answers without a code stop here; neither may reach the output as bytes.
        if (code == OB_CODEPAGE_NOMAPPING || code == OB_CODEPAGE_NOTFOUND) {
            if (errBreak) {
                result = 0;
                break;
            }
            code = page->pHeader->dwDefaultCharcode;
        }
        const int bytes = code > 0xFF ? 2 : 1;
        if (room >= 1) {
            if (bytes > room - produced)
                break;
            if (bytes == 2)
                dst[produced] = static_cast<char>(code >> 8);
            dst[produced + bytes - 1] = static_cast<char>(code & 0xFF);
        }
        produced += bytes;
    }
    *srcLen = consumed;
    *dstLen = produced;
    return result;
}
