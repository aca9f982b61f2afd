#ifndef COB_BITSTREAM_H
#define COB_BITSTREAM_H

#include <cstdint>

// Reads bit fields, most significant bit first, from a memory block it does not own.
class COB_BitStream
{
public:
    COB_BitStream() : m_BitPos(0), m_BitSize(0), m_pData(nullptr) {}

    void Init(const unsigned char* data, unsigned int byteCount);
    // The next n bits (n at most 32) as a number; 0 without moving when fewer than n bits are left.
    uint32_t GetBits(unsigned int n);
    void ByteAlign();

    bool IsEOF() const { return m_BitPos >= m_BitSize; }
    uint32_t GetPos() const { return m_BitPos; }

private:
    uint32_t m_BitPos;
    uint32_t m_BitSize;
    const unsigned char* m_pData;
};

#endif
