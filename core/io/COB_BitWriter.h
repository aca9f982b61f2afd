#ifndef COB_BITWRITER_H
#define COB_BITWRITER_H

#include <cstdint>

class COB_BinaryBuf;

// Writes bit fields, most significant bit first, into a byte buffer it does not own. Bits are ORed in,
// so the buffer grows by zero bytes ahead of the writing (its data size may exceed what was written).
class COB_BitWriter
{
public:
    explicit COB_BitWriter(COB_BinaryBuf* target) : m_pBuffer(target), m_BitOffset(0), m_ByteIndex(0) {}

    // The low n bits of value (n up to 64); nothing for n above 64.
    void WriteBits(long long value, int n);
    void ByteAlign();

    // Bytes written: the byte index, plus the partly written byte.
    int GetCurByteCount() const { return m_ByteIndex + (m_BitOffset != 0 ? 1 : 0); }
    int GetByteIndex() const { return m_ByteIndex; }
    int GetBitOffset() const { return m_BitOffset; }

private:
    COB_BinaryBuf* m_pBuffer;
    int m_BitOffset;
    int m_ByteIndex;
};

#endif
