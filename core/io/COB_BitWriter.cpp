#include "COB_BitWriter.h"

#include "COB_BinaryBuf.h"

namespace {

uint64_t LowBits(uint64_t value, int n)
{
    return n >= 64 ? value : value & ((uint64_t(1) << n) - 1);
}

} // namespace

void COB_BitWriter::WriteBits(long long value, int n)
{
    if (n <= 0 || n > 64 || !m_pBuffer)
        return;
    if ((n + 7) / 8 + m_ByteIndex >= m_pBuffer->GetSize() && !m_pBuffer->AppendFill(0, 20))
        return;
    uint8_t* bytes = m_pBuffer->GetBuffer();
    // Bits above n would land on the bits already written in front of the field.
    uint64_t bits = LowBits(static_cast<uint64_t>(value), n);
    int remaining = n;
    if (m_BitOffset > 0) {
        int k = m_BitOffset + n <= 8 ? n : 8 - m_BitOffset;
        bytes[m_ByteIndex] |= static_cast<uint8_t>((bits >> (n - k)) << (8 - (m_BitOffset + k)));
        if (m_BitOffset + n >= 8)
            ++m_ByteIndex;
        m_BitOffset = (m_BitOffset + k) % 8;
        remaining = n - k;
        if (remaining == 0)
            return;
        bits = LowBits(bits, remaining);
    }
    while (remaining >= 8) {
        bytes[m_ByteIndex++] |= static_cast<uint8_t>(bits >> (remaining - 8));
        remaining -= 8;
        bits = LowBits(bits, remaining);
    }
    if (remaining > 0) {
        bytes[m_ByteIndex] |= static_cast<uint8_t>(bits << (8 - remaining));
        m_BitOffset = remaining;
    }
}

void COB_BitWriter::ByteAlign()
{
    if (m_BitOffset != 0) {
        ++m_ByteIndex;
        m_BitOffset = 0;
    }
}
