#ifndef COB_UTF8ENCODER_H
#define COB_UTF8ENCODER_H

#include "COB_BinaryBuf.h"

class COB_ByteString;
class COB_ByteStringL;

// Incremental UTF-8 encoder: characters go in one at a time, bytes collect in a byte buffer.
// Values up to 0x7FFFFFFF are encoded in one to six bytes; negative values write nothing.
class COB_UTF8Encoder
{
public:
    explicit COB_UTF8Encoder(_IOB_Allocator* allocator = nullptr) : m_Buffer(allocator) {}

    void Input(wchar_t ch);
    COB_ByteStringC GetResult() const;
    COB_BinaryBuf& GetBuf() { return m_Buffer; }

private:
    void AppendByte(uint8_t byte);

    COB_BinaryBuf m_Buffer;
};

// The UTF-8 bytes of len characters (len < 0: up to the terminating zero).
COB_ByteString OB_UTF8Encode(const wchar_t* s, int len);
// The same, built with allocator a and delivered into out through it (null: the default manager).
void OB_UTF8Encode(const wchar_t* s, int len, COB_ByteStringL& out, _IOB_Allocator* a);

#endif
