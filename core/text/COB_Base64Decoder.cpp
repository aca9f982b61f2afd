#include "COB_Base64Decoder.h"

#include <cstdint>

namespace {

bool IsAsciiSpace(uint32_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// A character outside the alphabet used to go through the shifts as 255 and corrupt its
// neighbours' bits; white space is now skipped and anything else ends the text.
template <typename Char, typename Decoder>
int DecodeInto(const Char* source, int size, unsigned char* out, Decoder decode, Char padding)
{
    if (!source || size < 1)
        return 0;
    while (size > 0 && source[size - 1] == padding)
        --size;
    unsigned char group[4];
    int filled = 0;
    int written = 0;
    auto flush = [&](int count) {
        // count characters give count - 1 bytes, except that a lone character still gives one.
        const unsigned char bytes[3] = {static_cast<unsigned char>((group[0] << 2) | (group[1] >> 4)),
                                        static_cast<unsigned char>((group[1] << 4) | (group[2] >> 2)),
                                        static_cast<unsigned char>((group[2] << 6) | group[3])};
        const int n = count == 1 ? 1 : count - 1;
        for (int k = 0; k < n; ++k) {
            if (out)
                out[written] = bytes[k];
            ++written;
        }
    };
    for (int i = 0; i < size; ++i) {
        const unsigned char value = decode(source[i]);
        if (value >= 64) {
            if (IsAsciiSpace(static_cast<uint32_t>(source[i])))
                continue;
            break;
        }
        group[filled++] = value;
        if (filled == 4) {
            flush(4);
            filled = 0;
        }
    }
    if (filled) {
        for (int k = filled; k < 4; ++k)
            group[k] = 0;
        flush(filled);
    }
    return written;
}

unsigned char DefaultValue(uint32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c - 'A');
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 26);
    if (c >= '0' && c <= '9')
        return static_cast<unsigned char>(c - '0' + 52);
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 255;
}

} // namespace

unsigned char OBCRT_DefBase64Decoder(wchar_t c)
{
    return DefaultValue(static_cast<uint32_t>(c));
}

COB_Base64Decoder::COB_Base64Decoder(wchar_t padding) : m_pDecoder(OBCRT_DefBase64Decoder), m_Padding(padding) {}

int COB_Base64Decoder::Decode(const char* source, int size, unsigned char* out) const
{
    return DecodeInto(reinterpret_cast<const unsigned char*>(source), size, out,
                      [](unsigned char c) { return DefaultValue(c); }, static_cast<unsigned char>('='));
}

int COB_Base64Decoder::Decode(const wchar_t* source, int size, unsigned char* out) const
{
    OB_BASE64_DECODER decoder = m_pDecoder;
    return DecodeInto(source, size, out, [decoder](wchar_t c) { return decoder(c); }, m_Padding);
}

int COB_Base64Decoder::Decode(const COB_WideStringC& source, COB_ByteString& out) const
{
    const int length = Decode(source.GetPtr(), source.GetLength(), nullptr);
    if (length == 0) {
        out = COB_ByteString();
        return 0;
    }
    char* buffer = out.GetBuffer(length);
    if (!buffer)
        return 0;
    Decode(source.GetPtr(), source.GetLength(), reinterpret_cast<unsigned char*>(buffer));
    out.ReleaseBuffer(length);
    return length;
}

int COB_Base64Decoder::Decode(const COB_ByteStringC& source, COB_ByteString& out) const
{
    const COB_WideString wide = COB_WideString::FromUTF8(source.GetCStr(), source.GetLength());
    return Decode(COB_WideStringC(wide), out);
}
