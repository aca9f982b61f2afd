#ifndef COB_UTF8DECODER_H
#define COB_UTF8DECODER_H

#include "COB_WideTextBuf.h"

// Incremental UTF-8 decoder: bytes go in one at a time, characters collect in a text builder.
// Never fails: stray continuation bytes and 0xFE/0xFF are skipped, an interrupted sequence gives
// nothing, and a sequence that is overlong, encodes a surrogate or 0, or lies above U+10FFFF
// gives U+FFFD, so that no disguised character (such as an overlong '/') comes through.
class COB_UTF8Decoder
{
public:
    explicit COB_UTF8Decoder(_IOB_Allocator* allocator = nullptr) : m_Pending(0), m_Value(0), m_Text(allocator) {}

    void Input(unsigned char byte);
    void AppendChar(unsigned int ch) { m_Text.AppendChar(static_cast<wchar_t>(ch)); }
    void Clear()
    {
        m_Text.Clear();
        m_Pending = 0;
    }

    COB_WideStringC GetResult() const;
    COB_WideTextBuf& GetText() { return m_Text; }

private:
    unsigned int m_Pending;
    unsigned int m_Value;
    unsigned int m_Length = 0; // bytes of the sequence in progress, to reject overlong forms
    COB_WideTextBuf m_Text;
};

#endif
