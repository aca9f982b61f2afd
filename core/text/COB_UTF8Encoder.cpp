#include "COB_UTF8Encoder.h"

#include "COB_ByteString.h"
#include "COB_ByteStringL.h"

#include <cwchar>

namespace {
const uint8_t kLeadPrefix[7] = {0, 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
}

void COB_UTF8Encoder::AppendByte(uint8_t byte)
{
    if (m_Buffer.GetSize() >= m_Buffer.GetAllocSize() && !m_Buffer.ExpandBuf(100))
        return; // dropped; the following bytes are still attempted
    m_Buffer.AppendBlock(&byte, 1);
}

void COB_UTF8Encoder::Input(wchar_t ch)
{
    if (ch < 0)
        return;
    uint32_t c = static_cast<uint32_t>(ch);
    if (c <= 0x7F) {
        AppendByte(static_cast<uint8_t>(c));
        return;
    }
    int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : c < 0x200000 ? 4 : c < 0x4000000 ? 5 : 6;
    AppendByte(static_cast<uint8_t>((c >> (6 * (n - 1))) | kLeadPrefix[n]));
    for (int k = n - 2; k >= 0; --k)
        AppendByte(static_cast<uint8_t>(0x80 | ((c >> (6 * k)) & 0x3F)));
}

COB_ByteStringC COB_UTF8Encoder::GetResult() const
{
    return m_Buffer.GetByteString();
}

COB_ByteString OB_UTF8Encode(const wchar_t* s, int len)
{
    if (len < 0)
        len = s ? static_cast<int>(wcslen(s)) : 0;
    COB_UTF8Encoder encoder;
    encoder.GetBuf().EstimateSize(len);
    for (int i = 0; i < len; ++i)
        encoder.Input(s[i]);
    return COB_ByteString(encoder.GetResult());
}

void OB_UTF8Encode(const wchar_t* s, int len, COB_ByteStringL& out, _IOB_Allocator* a)
{
    if (len < 0)
        len = s ? static_cast<int>(wcslen(s)) : 0;
    COB_UTF8Encoder encoder(a);
    encoder.GetBuf().EstimateSize(len);
    for (int i = 0; i < len; ++i)
        encoder.Input(s[i]);
    out.Set(encoder.GetResult(), a);
}
