#include "OB_CodePage.h"

#include <cstring>
#include <cwchar>

namespace {

// Windows character-set numbers and their code pages; both columns are unique.
struct CharsetPair
{
    uint8_t charset;
    uint16_t codePage;
};

const CharsetPair kCharsets[] = {
    {0, 1252},    {1, 0},       {2, 42},      {77, 10000},  {78, 10001},  {79, 10003},  {80, 10008},  {81, 10002},
    {83, 10005},  {84, 10004},  {85, 10006},  {86, 10081},  {87, 10021},  {88, 10029},  {89, 10007},  {128, 932},
    {129, 949},   {130, 1361},  {134, 936},   {136, 950},   {161, 1253},  {162, 1254},  {163, 1258},  {177, 1255},
    {178, 1256},  {186, 1257},  {204, 1251},  {222, 874},   {238, 1250},  {254, 437},   {255, 850},
};

const int kNameLongest = 24;

} // namespace

const _OB_CODEPAGE_NAME g_OB_CodePageNames[] = {
    {"437", 437}, {"850", 850}, {"ansi_x3.4-1968", 1252}, {"ansi_x3.4-1986", 1252}, {"arabic", 28596}, {"ascii", 1252},
    {"asmo-708", 708}, {"big5", 950}, {"chinese", 936}, {"cn-big5", 950}, {"cp1250", 1250}, {"cp1251", 1251},
    {"cp1252", 1252}, {"cp1253", 1253}, {"cp1254", 1254}, {"cp1255", 1255}, {"cp1256", 1256}, {"cp1257", 1257},
    {"cp1258", 1258}, {"cp437", 437}, {"cp819", 1252}, {"cp850", 850}, {"cp852", 852}, {"cp855", 855}, {"cp857", 857},
    {"cp860", 860}, {"cp861", 861}, {"cp862", 862}, {"cp863", 863}, {"cp864", 864}, {"cp865", 865}, {"cp866", 866},
    {"cp869", 869}, {"cp874", 874}, {"cp875", 875}, {"cp932", 932}, {"cp936", 936}, {"cp949", 949}, {"cp950", 950},
    {"csascii", 1252}, {"csbig5", 950}, {"cseuckr", 949}, {"cseucpkdfmtjapanese", 51932}, {"csgb2312", 936},
    {"csiso2022jp", 50220}, {"csiso2022kr", 50225}, {"csiso58gb231280", 936}, {"csisolatin1", 1252},
    {"csisolatin2", 28592}, {"csisolatin3", 28593}, {"csisolatin4", 28594}, {"csisolatin5", 28599},
    {"csisolatin9", 28605}, {"csisolatinarabic", 28596}, {"csisolatincyrillic", 28595}, {"csisolatingreek", 28597},
    {"csisolatinhebrew", 28598}, {"cskoi8r", 20866}, {"csksc56011987", 949}, {"cspc850multilingual", 850},
    {"cspc8codepage437", 437}, {"csshiftjis", 932}, {"csunicode", 1200}, {"csunicode11utf7", 65000},
    {"cyrillic", 28595}, {"dos-862", 862}, {"dos-874", 874}, {"ecma-114", 28596}, {"ecma-118", 28597},
    {"elot_928", 28597}, {"euc-jp", 51932}, {"euc-kr", 949}, {"gb18030", 54936}, {"gb2312", 936}, {"gb231280", 936},
    {"gb_2312", 936}, {"gb_2312-80", 936}, {"gbk", 936}, {"greek", 28597}, {"greek8", 28597}, {"hebrew", 28598},
    {"hz-gb-2312", 52936}, {"ibm00924", 20924}, {"ibm01047", 1047}, {"ibm01145", 1145}, {"ibm01149", 1149},
    {"ibm037", 37}, {"ibm1026", 1026}, {"ibm273", 20273}, {"ibm277", 20277}, {"ibm278", 20278}, {"ibm280", 20280},
    {"ibm284", 20284}, {"ibm285", 20285}, {"ibm290", 20290}, {"ibm297", 20297}, {"ibm420", 20420}, {"ibm423", 20423},
    {"ibm424", 20424}, {"ibm437", 437}, {"ibm500", 500}, {"ibm819", 1252}, {"ibm850", 850}, {"ibm852", 852},
    {"ibm855", 855}, {"ibm857", 857}, {"ibm860", 860}, {"ibm861", 861}, {"ibm863", 863}, {"ibm864", 864},
    {"ibm865", 865}, {"ibm866", 866}, {"ibm869", 869}, {"ibm870", 870}, {"ibm871", 20871}, {"ibm880", 20880},
    {"ibm905", 20905}, {"iso-10646-ucs-2", 1200}, {"iso-2022-jp", 50220}, {"iso-2022-kr", 50225}, {"iso-8859-1", 1252},
    {"iso-8859-11", 874}, {"iso-8859-13", 28603}, {"iso-8859-15", 28605}, {"iso-8859-2", 28592}, {"iso-8859-3", 28593},
    {"iso-8859-4", 28594}, {"iso-8859-5", 28595}, {"iso-8859-6", 28596}, {"iso-8859-7", 28597}, {"iso-8859-8", 28598},
    {"iso-8859-8-i", 38598}, {"iso-8859-9", 28599}, {"iso-ir-100", 1252}, {"iso-ir-101", 28592}, {"iso-ir-109", 28593},
    {"iso-ir-110", 28594}, {"iso-ir-126", 28597}, {"iso-ir-127", 28596}, {"iso-ir-138", 28598}, {"iso-ir-144", 28595},
    {"iso-ir-148", 28599}, {"iso-ir-149", 949}, {"iso-ir-58", 936}, {"iso-ir-6", 1252}, {"iso646-us", 1252},
    {"iso8859-1", 1252}, {"iso_8859-1", 1252}, {"iso_8859-15", 28605}, {"iso_8859-1:1987", 1252},
    {"iso_8859-2", 28592}, {"iso_8859-2:1987", 28592}, {"iso_8859-3", 28593}, {"iso_8859-3:1988", 28593},
    {"iso_8859-4", 28594}, {"iso_8859-4:1988", 28594}, {"iso_8859-5", 28595}, {"iso_8859-5:1988", 28595},
    {"iso_8859-6", 28596}, {"iso_8859-6:1987", 28596}, {"iso_8859-7", 28597}, {"iso_8859-7:1987", 28597},
    {"iso_8859-8", 28598}, {"iso_8859-8:1988", 28598}, {"iso_8859-9", 28599}, {"iso_8859-9:1989", 28599},
    {"johab", 1361}, {"koi", 20866}, {"koi8", 20866}, {"koi8-r", 20866}, {"koi8-ru", 21866}, {"koi8-u", 21866},
    {"koi8r", 20866}, {"korean", 949}, {"ks_c_5601", 949}, {"ks_c_5601-1987", 949}, {"ks_c_5601-1989", 949},
    {"ksc5601", 949}, {"l1", 28591}, {"l2", 28592}, {"l3", 28593}, {"l4", 28594}, {"l5", 28599}, {"l9", 28605},
    {"latin-9", 28605}, {"latin1", 1252}, {"latin2", 28592}, {"latin3", 28593}, {"latin4", 28594}, {"latin5", 28599},
    {"latin9", 28605}, {"logical", 38598}, {"macintosh", 10000}, {"ms-ansi", 1252}, {"ms932", 932}, {"ms936", 936},
    {"ms950", 950}, {"ms_kanji", 932}, {"shift-jis", 932}, {"shift_jis", 932}, {"sjis", 932}, {"tis-620", 874},
    {"ucs-2", 1200}, {"uhc", 949}, {"unicode", 1200}, {"unicode-1-1-utf-7", 65000}, {"unicode-1-1-utf-8", 65001},
    {"unicode-2-0-utf-7", 65000}, {"unicode-2-0-utf-8", 65001}, {"unicodefffe", 1201}, {"us", 1252},
    {"us-ascii", 1252}, {"utf-16", 1200}, {"utf-16be", 1201}, {"utf-16le", 1200}, {"utf-32", 12000},
    {"utf-32be", 12001}, {"utf-32le", 12000}, {"utf-7", 65000}, {"utf-8", 65001}, {"utf8", 65001},
    {"windows-1250", 1250}, {"windows-1251", 1251}, {"windows-1252", 1252}, {"windows-1253", 1253},
    {"windows-1254", 1254}, {"windows-1255", 1255}, {"windows-1256", 1256}, {"windows-1257", 1257},
    {"windows-1258", 1258}, {"windows-31j", 932}, {"windows-874", 874}, {"windows-936", 936}, {"windows-949", 949},
    {"windows-950", 950}, {"x-ansi", 1252}, {"x-cp1250", 1250}, {"x-cp1251", 1251}, {"x-euc-jp", 51932},
    {"x-mac-arabic", 10004}, {"x-mac-ce", 10029}, {"x-mac-chinesesimp", 10008}, {"x-mac-chinesetrad", 10002},
    {"x-mac-cyrillic", 10007}, {"x-mac-greek", 10006}, {"x-mac-hebrew", 10005}, {"x-mac-japanese", 10001},
    {"x-mac-korean", 10003}, {"x-mac-thai", 10021}, {"x-mac-turkish", 10081}, {"x-ms-cp932", 932}, {"x-sjis", 932},
    {"x-unicode20utf7", 65000}, {"x-unicode20utf8", 65001}, {"x-x-big5", 950},
};

const int g_OB_CodePageNameCount = static_cast<int>(sizeof(g_OB_CodePageNames) / sizeof(g_OB_CodePageNames[0]));

uint16_t OB_GetCodePageFromCharset(uint8_t charset)
{
    for (const CharsetPair& pair : kCharsets) {
        if (pair.charset == charset)
            return pair.codePage;
    }
    return OB_CODEPAGE_NOTFOUND;
}

uint16_t OB_GetCharsetFromCodePage(uint16_t codePage)
{
    for (const CharsetPair& pair : kCharsets) {
        if (pair.codePage == codePage)
            return pair.charset;
    }
    return OB_CODEPAGE_NOTFOUND;
}

// Names are matched whole, never by a digest of them: two names must not find each other's code page.
uint16_t OB_GetCodePageFromStringA(const char* name, int length)
{
    if (!name)
        return OB_CODEPAGE_NOTFOUND;
    const size_t n = length < 0 ? strlen(name) : static_cast<size_t>(length);
    if (n == 0 || n > static_cast<size_t>(kNameLongest))
        return OB_CODEPAGE_NOTFOUND;
    char folded[kNameLongest + 1];
    for (size_t i = 0; i < n; ++i) {
        const char c = name[i];
        if (c == '\0')
            return OB_CODEPAGE_NOTFOUND;
        folded[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    folded[n] = '\0';
    int low = 0;
    int high = g_OB_CodePageNameCount - 1;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        const int order = strcmp(folded, g_OB_CodePageNames[mid].name);
        if (order == 0)
            return g_OB_CodePageNames[mid].codePage;
        if (order < 0)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return OB_CODEPAGE_NOTFOUND;
}

// Every name is ASCII: a wider character is never cut down to a byte that could spell another name.
uint16_t OB_GetCodePageFormStringW(const wchar_t* name, int length)
{
    if (!name)
        return OB_CODEPAGE_NOTFOUND;
    const size_t n = length < 0 ? wcslen(name) : static_cast<size_t>(length);
    if (n == 0 || n > static_cast<size_t>(kNameLongest))
        return OB_CODEPAGE_NOTFOUND;
    char bytes[kNameLongest];
    for (size_t i = 0; i < n; ++i) {
        if (name[i] < 0 || name[i] > 0x7F)
            return OB_CODEPAGE_NOTFOUND;
        bytes[i] = static_cast<char>(name[i]);
    }
    return OB_GetCodePageFromStringA(bytes, static_cast<int>(n));
}
