#include "COB_BitStream.h"

namespace {

// A field wider than the result keeps its low bits: what lies 64 or more places up is gone anyway, and
// shifting that far is undefined.
uint64_t ShiftedUp(uint64_t bits, unsigned int places)
{
    return places >= 64 ? 0 : bits << places;
}

} // namespace

void COB_BitStream::Init(const unsigned char* data, unsigned int byteCount)
{
    m_pData = data;
    // Bit counts are 32-bit: a block beyond 512 MB is read as far as they reach.
    m_BitSize = byteCount > UINT32_MAX / 8 ? UINT32_MAX & ~7u : byteCount * 8;
    m_BitPos = 0;
}

uint32_t COB_BitStream::GetBits(unsigned int n)
{
    // Compared by subtraction: position + n could wrap past 2^32 on a block near the 32-bit limit.
    if (n == 0 || n > m_BitSize || n > m_BitSize - m_BitPos)
        return 0;
    const unsigned char* byte = m_pData + m_BitPos / 8;
    unsigned int used = m_BitPos % 8;
    if (n == 1) {
        ++m_BitPos;
        return (*byte >> (7 - used)) & 1;
    }
    // Collected 64 bits wide so that no shift reaches the width of the result.
    uint64_t result = 0;
    unsigned int remaining = n;
    if (used != 0) {
        unsigned int left = 8 - used;
        uint64_t bits = *byte++ & (0xFFu >> used);
        if (left >= remaining) {
            m_BitPos += n;
            return static_cast<uint32_t>(bits >> (left - remaining));
        }
        result = ShiftedUp(bits, remaining - left);
        remaining -= left;
    }
    while (remaining >= 8) {
        remaining -= 8;
        result |= ShiftedUp(*byte++, remaining);
    }
    if (remaining > 0)
        result |= *byte >> (8 - remaining);
    m_BitPos += n;
    return static_cast<uint32_t>(result);
}

void COB_BitStream::ByteAlign()
{
    m_BitPos = (m_BitPos + 7) & ~7u;
}
