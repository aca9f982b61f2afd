#include "OB_UrlCoding.h"

namespace {

bool IsUnsafe(unsigned char c)
{
    if (c <= 0x20 || c >= 0x7F)
        return true;
    switch (c) {
    case '"': case '#': case '%': case '<': case '>': case '[': case '\\': case ']':
    case '^': case '`': case '{': case '|': case '}': case '~':
        return true;
    default:
        return false;
    }
}

int HexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

COB_ByteString Escape(const COB_WideString& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    const COB_ByteString utf8 = text.UTF8Encode();
    COB_ByteString result;
    result.Reserve(utf8.GetLength());
    for (int i = 0, n = utf8.GetLength(); i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8.GetAt(i));
        if (IsUnsafe(c)) {
            result += '%';
            result += kHex[c >> 4];
            result += kHex[c & 15];
        } else {
            result += static_cast<char>(c);
        }
    }
    return result;
}

COB_WideString Unescape(const COB_ByteString& text)
{
    const unsigned char* p = text.GetPtr();
    const int length = text.GetLength();
    COB_ByteString bytes;
    bytes.Reserve(length);
    for (int i = 0; i < length;) {
        int high = -1, low = -1;
        if (p[i] == '%' && i < length - 2 && (high = HexValue(p[i + 1])) >= 0 && (low = HexValue(p[i + 2])) >= 0) {
            bytes += static_cast<char>(high * 16 + low);
            i += 3;
        } else {
            bytes += static_cast<char>(p[i]);
            ++i;
        }
    }
    return COB_WideString::FromUTF8(bytes.c_str(), bytes.GetLength());
}

} // namespace

// The local code page once stood between the characters and their escapes, which lost every
// character the locale could not represent; UTF-8 keeps them all.
COB_ByteString OB_UrlEncode(const COB_WideString& text)
{
    return Escape(text);
}

COB_WideString OB_UrlDecode(const COB_ByteString& text)
{
    return Unescape(text);
}

COB_ByteString OB_EncodeURI(const COB_WideString& text)
{
    return Escape(text);
}

COB_WideString OB_DecodeURI(const COB_ByteString& text)
{
    return Unescape(text);
}
