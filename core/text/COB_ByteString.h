#ifndef COB_BYTESTRING_H
#define COB_BYTESTRING_H

#include <cstdarg>
#include <cstdint>
#include <cstring>

#include "COB_ByteStringC.h"

struct _IOB_Allocator;
class COB_BinaryBuf;
class COB_ByteString;
class COB_WideString;
struct COB_CharMap;

// Header of a shared character block; the characters (allocated length + 1) follow it.
// nRefs: 1 owned, 2 or more shared, -1 locked (never shared again). Counts are not atomic:
// a string and its copies stay on one thread.
struct COB_ByteStringData
{
    int64_t nRefs;
    int32_t nDataLength;
    int32_t nAllocLength;

    char* data() { return reinterpret_cast<char*>(this + 1); }
    const char* data() const { return reinterpret_cast<const char*>(this + 1); }
};

// Reference-counted, copy-on-write 8-bit string. Null data means the empty string.
class COB_ByteString
{
public:
    COB_ByteString() : m_pData(nullptr) {}
    // len < 0 measures s with strlen (a null s gives empty).
    COB_ByteString(const char* s, int len = -1);
    COB_ByteString(const unsigned char* s, int len);
    explicit COB_ByteString(char ch);
    COB_ByteString(const COB_ByteString& other);
    COB_ByteString(const COB_ByteStringC& s);
    COB_ByteString(const COB_ByteStringC& a, const COB_ByteStringC& b);
    ~COB_ByteString();

    COB_ByteString& operator=(const COB_ByteString& other);
    COB_ByteString& operator=(const COB_ByteStringC& s);
    COB_ByteString& operator=(const char* s);
    COB_ByteString& operator=(const COB_BinaryBuf& buf);
    void Load(const unsigned char* s, int len);
    void AssignCopy(int len, const char* s);
    void Empty();

    // Accessors. The character pointer is never null: the empty string gives "".
    int GetLength() const { return m_pData ? m_pData->nDataLength : 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    operator const char*() const { return m_pData ? m_pData->data() : ""; }
    const char* c_str() const { return m_pData ? m_pData->data() : ""; }
    const unsigned char* GetPtr() const { return reinterpret_cast<const unsigned char*>(c_str()); }
    char GetAt(int index) const { return m_pData->data()[index]; }

    COB_ByteString& operator+=(const char* s);
    COB_ByteString& operator+=(char ch)
    {
        // Common case inline: an owned (or locked) buffer with room to spare.
        // The length is read once and stored last: character stores may alias the header, and
        // a length stored last is what the next append reads back soonest.
        COB_ByteStringData* d = m_pData;
        if (d) {
            const int32_t n = d->nDataLength;
            if (n < d->nAllocLength && d->nRefs < 2) {
                char* p = d->data();
                p[n] = ch;
                p[n + 1] = 0;
                d->nDataLength = n + 1;
                return *this;
            }
        }
        ConcatInPlace(1, &ch);
        return *this;
    }
    COB_ByteString& operator+=(const COB_ByteString& s);
    COB_ByteString& operator+=(const COB_ByteStringC& s);
    void ConcatInPlace(int len, const char* s);
    void ConcatCopy(int len1, const char* s1, int len2, const char* s2);

    bool Equal(const COB_ByteStringC& s) const;
    bool operator==(const COB_ByteString& other) const;
    bool operator==(const char* s) const { return Equal(COB_ByteStringC(s)); }
    bool EqualNoCase(const COB_ByteStringC& s) const;
    int Compare(const COB_ByteStringC& s) const;
    bool operator<(const COB_ByteString& other) const;

    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);
    char* LockBuffer();
    void Reserve(int length);
    void AllocBeforeWrite(int length);
    void CopyBeforeWrite();
    void AllocCopy(COB_ByteString& dest, int copyLen, int copyIndex, int extraLen) const;

    COB_ByteString Mid(int first, int count) const;
    COB_ByteString Mid(int first) const;
    COB_ByteString Left(int count) const;
    COB_ByteString Right(int count) const;

    int Find(char ch, int start = 0) const;
    int ReverseFind(char ch) const;
    int Find(const COB_ByteStringC& sub, int start = 0) const;

    int Insert(int index, char ch);
    int Delete(int index, int count = 1);
    int Remove(char ch);
    int Replace(const COB_ByteStringC& oldText, const COB_ByteStringC& newText);
    void SetAt(int index, char ch);
    void MakeLower();
    void MakeUpper();
    void TrimRight(const COB_ByteStringC& set);
    void TrimLeft(const COB_ByteStringC& set);
    void TrimRight(char ch);
    void TrimLeft(char ch);
    void TrimRight();
    void TrimLeft();

    uint32_t GetID(int start = 0) const;

    static COB_ByteString LoadFromFile(const COB_ByteStringC& path);
    static COB_ByteString FromUnicode(const wchar_t* s, int len = -1);
    static COB_ByteString FromUnicode(const COB_WideString& s);
    void ConvertFrom(const COB_WideString& s, COB_CharMap* map = nullptr);

    // Text coding and formatting.
    COB_WideString UTF8Decode() const;
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);
    static COB_ByteString FormatInteger(int value, unsigned flags = 0);
    static COB_ByteString FormatInteger64(long long value);
    static COB_ByteString FormatFloat(float value, int appendZero = 0);

private:
    void Release();
    bool AllocBuffer(int length);

    COB_ByteStringData* m_pData;
};

inline COB_ByteStringC::COB_ByteStringC(const COB_ByteString& s) : m_Ptr(s.GetPtr()), m_Length(s.GetLength()) {}

// First occurrence of sub in the first len bytes of s, or null (also for an empty sub).
const char* OB_strstr(const char* s, int len, const char* sub, int subLen);

#endif
