#ifndef OB_CODEPAGE_H
#define OB_CODEPAGE_H

#include "OB_CodePageData.h"

#include <cstdint>

// Code pages by their Windows numbers: 874, 932, 936, 949, 950 and 1250-1258 are table-driven;
// 65001 is UTF-8, 1200 UTF-16LE and 1201 UTF-16BE.
constexpr uint16_t OB_CODEPAGE_NOTFOUND = 65535;  // result of every failed lookup
constexpr uint16_t OB_CODEPAGE_NOMAPPING = 0xFEFF; // a character or code without a counterpart
constexpr uint16_t OB_CODEPAGE_UTF8 = 65001;
constexpr uint16_t OB_CODEPAGE_UTF16LE = 1200;
constexpr uint16_t OB_CODEPAGE_UTF16BE = 1201;

uint16_t OB_GetCodePageFromCharset(uint8_t charset);
uint16_t OB_GetCharsetFromCodePage(uint16_t codePage);

// Code page of a charset name or alias, case-insensitive (A-Z only); a negative length means
// NUL-terminated. Unknown or empty names give OB_CODEPAGE_NOTFOUND.
uint16_t OB_GetCodePageFromStringA(const char* name, int length);
// "Form" is the interface's spelling; callers use it as it stands.
uint16_t OB_GetCodePageFormStringW(const wchar_t* name, int length);
// The table behind the name lookup: lower-case names and aliases sorted by strcmp.
struct _OB_CODEPAGE_NAME
{
    const char* name;
    uint16_t codePage;
};
extern const _OB_CODEPAGE_NAME g_OB_CodePageNames[];
extern const int g_OB_CodePageNameCount;

// The record of a table-driven code page, or null.
const _OB_CODEPAGE* OB_GetCodePage(uint16_t codePage);
// Unicode of a character code of the record (one byte, or lead byte << 8 | trail byte);
// OB_CODEPAGE_NOMAPPING when it has none.
uint16_t OB_CodePage_GetUnicode(const _OB_CODEPAGE* page, uint16_t code);
// Character code of a Unicode value: OB_CODEPAGE_NOTFOUND outside every range,
// OB_CODEPAGE_NOMAPPING inside a range without mapping.
uint16_t OB_CodePage_GetCharcode(const _OB_CODEPAGE* page, wchar_t unicode);

// Converts between the bytes of a code page and wide characters. On entry *srcLen is the input length
// (bytes, or characters when encoding) and *dstLen the output capacity; on return they hold the input
// consumed and the output produced. A null output or a capacity below 1 only counts. Returns 1 when
// done (also when the output is full), 0 when stopped at a character without mapping (errBreak
// only; otherwise the default character '?' stands in), -1 for bad arguments or an unknown code page.
// The UTF-16 code pages take and give bytes in 2-byte units and pair surrogates.
int OB_DecodeString(uint16_t codePage, const char* src, int* srcLen, wchar_t* dst, int* dstLen, bool errBreak);
int OB_EncodeString(uint16_t codePage, const wchar_t* src, int* srcLen, char* dst, int* dstLen, bool errBreak);

#endif
