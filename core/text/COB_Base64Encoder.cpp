#include "COB_Base64Encoder.h"

#include <climits>
#include <cstdint>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int EncodedLength(int size)
{
    if (size < 1)
        return 0;
    const int64_t length = 4 * (static_cast<int64_t>(size) / 3) + (size % 3 ? 4 : 0);
    return length > INT_MAX ? 0 : static_cast<int>(length);
}

template <typename Char, typename Encoder>
int EncodeInto(const unsigned char* source, int size, Char* out, Encoder encode, Char padding)
{
    const int length = EncodedLength(size);
    if (!out || length == 0)
        return length;
    int o = 0;
    int i = 0;
    for (; i + 3 <= size; i += 3) {
        const uint32_t group = (uint32_t(source[i]) << 16) | (uint32_t(source[i + 1]) << 8) | source[i + 2];
        out[o++] = encode(group >> 18);
        out[o++] = encode((group >> 12) & 63);
        out[o++] = encode((group >> 6) & 63);
        out[o++] = encode(group & 63);
    }
    if (i < size) {
        const bool two = i + 1 < size;
        const uint32_t group = (uint32_t(source[i]) << 16) | (two ? uint32_t(source[i + 1]) << 8 : 0);
        out[o++] = encode(group >> 18);
        out[o++] = encode((group >> 12) & 63);
        out[o++] = two ? encode((group >> 6) & 63) : padding;
        out[o++] = padding;
    }
    return o;
}

} // namespace

wchar_t OBCRT_DefBase64Encoder(unsigned int value)
{
    return static_cast<wchar_t>(kAlphabet[value & 63]);
}

COB_Base64Encoder::COB_Base64Encoder(wchar_t padding) : m_pEncoder(OBCRT_DefBase64Encoder), m_Padding(padding) {}

int COB_Base64Encoder::Encode(const unsigned char* source, int size, char* out) const
{
    return EncodeInto(source, size, out, [](uint32_t v) { return kAlphabet[v & 63]; }, '=');
}

int COB_Base64Encoder::Encode(const unsigned char* source, int size, wchar_t* out) const
{
    OB_BASE64_ENCODER encoder = m_pEncoder;
    return EncodeInto(source, size, out, [encoder](uint32_t v) { return encoder(v); }, m_Padding);
}

int COB_Base64Encoder::Encode(const COB_ByteStringC& source, COB_WideString& out) const
{
    const int length = EncodedLength(source.GetLength());
    if (length == 0) {
        out = COB_WideString();
        return 0;
    }
    wchar_t* buffer = out.GetBuffer(length);
    if (!buffer)
        return 0;
    Encode(source.GetPtr(), source.GetLength(), buffer);
    out.ReleaseBuffer(length);
    return length;
}

int COB_Base64Encoder::Encode(const COB_ByteStringC& source, COB_ByteString& out) const
{
    COB_WideString wide;
    Encode(source, wide);
    out = wide.UTF8Encode();
    return out.GetLength();
}
