#ifndef COB_BYTESTRINGC_H
#define COB_BYTESTRINGC_H

#include <cstdint>
#include <cstring>

class COB_ByteString;

// Non-owning view of bytes: a pointer and a length. Never allocates.
class COB_ByteStringC
{
public:
    COB_ByteStringC() : m_Ptr(nullptr), m_Length(0) {}
    COB_ByteStringC(const char* s)
        : m_Ptr(reinterpret_cast<const unsigned char*>(s)), m_Length(s ? static_cast<int>(strlen(s)) : 0)
    {
    }
    COB_ByteStringC(const char* s, int len) : m_Ptr(reinterpret_cast<const unsigned char*>(s)), m_Length(len) {}
    COB_ByteStringC(const unsigned char* s, int len) : m_Ptr(s), m_Length(len) {}
    inline COB_ByteStringC(const COB_ByteString& s); // defined in COB_ByteString.h
    ~COB_ByteStringC() {}

    const unsigned char* GetPtr() const { return m_Ptr; }
    const char* GetCStr() const { return reinterpret_cast<const char*>(m_Ptr); }
    int GetLength() const { return m_Length; }
    bool IsEmpty() const { return m_Length == 0; }
    unsigned char GetAt(int index) const { return m_Ptr[index]; }

    bool operator==(const COB_ByteStringC& other) const
    {
        return m_Length == other.m_Length && (m_Length == 0 || memcmp(m_Ptr, other.m_Ptr, m_Length) == 0);
    }
    bool operator!=(const COB_ByteStringC& other) const { return !(*this == other); }

    // Up to four bytes from start, first byte in the highest 8 bits; 0 outside the text.
    uint32_t GetID(int start = 0) const
    {
        if (start < 0 || start >= m_Length)
            return 0;
        uint32_t id = 0;
        int n = m_Length - start < 4 ? m_Length - start : 4;
        for (int i = 0; i < n; ++i)
            id |= static_cast<uint32_t>(m_Ptr[start + i]) << (24 - 8 * i);
        return id;
    }

private:
    const unsigned char* m_Ptr;
    int m_Length;
};

#endif
