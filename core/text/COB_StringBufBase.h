#ifndef COB_STRINGBUFBASE_H
#define COB_STRINGBUFBASE_H

#include "COB_ByteStringC.h"

// A fixed-capacity character array that never allocates: the limit and the size, then the
// limit bytes of storage that a derived buffer places right behind them. No terminator is kept;
// appends beyond the limit are cut silently.
class COB_StringBufBase
{
public:
    void Copy(const COB_ByteStringC& s);
    void Append(const COB_ByteStringC& s);
    // value as COB_ByteString::FormatInteger writes it (flags 1 signed, 2 hex, 4 capitals).
    void Append(int value, unsigned int flags);

    char* GetBuffer() { return reinterpret_cast<char*>(this + 1); }
    const char* GetBuffer() const { return reinterpret_cast<const char*>(this + 1); }
    int GetSize() const { return m_Size; }
    int GetLimit() const { return m_Limit; }
    COB_ByteStringC GetByteString() const { return COB_ByteStringC(GetBuffer(), m_Size); }

protected:
    explicit COB_StringBufBase(int limit) : m_Limit(limit), m_Size(0) {}

    int m_Limit;
    int m_Size;
};

// The storage of a buffer of N bytes.
template <int N>
class COB_StringBuf : public COB_StringBufBase
{
public:
    COB_StringBuf() : COB_StringBufBase(N) {}

private:
    char m_Storage[N];
};

#endif
