#ifndef COB_BYTETEXTBUF_H
#define COB_BYTETEXTBUF_H

#include "COB_BinaryBuf.h"

// Byte text builder: appends bytes and decimal numbers, without a terminator.
class COB_ByteTextBuf : public COB_BinaryBuf
{
public:
    explicit COB_ByteTextBuf(_IOB_Allocator* allocator = nullptr) : COB_BinaryBuf(allocator) {}

    COB_ByteTextBuf& operator<<(const COB_ByteStringC& text);
    COB_ByteTextBuf& operator<<(int value);
    COB_ByteTextBuf& operator<<(unsigned int value);
    COB_ByteTextBuf& operator<<(long long value);
    // Written in single precision, as the float writer makes it.
    COB_ByteTextBuf& operator<<(double value);
    COB_ByteTextBuf& operator<<(const COB_ByteTextBuf& other);
    COB_ByteTextBuf& operator=(const COB_ByteStringC& text);

    // Grows by 100 bytes when full; the byte is dropped when that fails.
    void AppendChar(int byte)
    {
        if (m_DataSize >= m_AllocSize && (!ExpandBuf(100) || !m_pBuffer))
            return;
        m_pBuffer[m_DataSize++] = static_cast<uint8_t>(byte);
    }
};

#endif
