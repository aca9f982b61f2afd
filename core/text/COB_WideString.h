#ifndef COB_WIDESTRING_H
#define COB_WIDESTRING_H

#include <cstdarg>
#include <cstdint>
#include <cwchar>

#include "COB_WideStringC.h"

class COB_ByteString;
struct COB_CharMap;

// Header of a shared wide block; allocated length + 1 characters follow it.
// nRefs: 1 owned, 2 or more shared, -1 locked. Counts are not atomic.
struct COB_WideStringData
{
    int64_t nRefs;
    int32_t nDataLength;
    int32_t nAllocLength;

    wchar_t* data() { return reinterpret_cast<wchar_t*>(this + 1); }
    const wchar_t* data() const { return reinterpret_cast<const wchar_t*>(this + 1); }
};

// Reference-counted, copy-on-write string of 32-bit wchar_t characters. Null data is empty.
class COB_WideString
{
public:
    COB_WideString() : m_pData(nullptr) {}
    // len < 0 measures s with wcslen (a null s gives empty).
    COB_WideString(const wchar_t* s, int len = -1) : m_pData(nullptr) { InitStr(s, len); }
    explicit COB_WideString(wchar_t ch);
    COB_WideString(const COB_WideString& other);
    COB_WideString(const COB_WideStringC& s);
    COB_WideString(const COB_WideStringC& a, const COB_WideStringC& b);
    ~COB_WideString();

    void InitStr(const wchar_t* s, int len);
    COB_WideString& operator=(const COB_WideString& other);
    COB_WideString& operator=(const COB_WideStringC& s);
    COB_WideString& operator=(const wchar_t* s);
    void AssignCopy(int len, const wchar_t* s);
    void Empty();

    // Accessors. The character pointer is never null: the empty string gives L"".
    int GetLength() const { return m_pData ? m_pData->nDataLength : 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    operator const wchar_t*() const { return m_pData ? m_pData->data() : L""; }
    const wchar_t* c_str() const { return m_pData ? m_pData->data() : L""; }
    wchar_t GetAt(int index) const { return m_pData->data()[index]; }

    COB_WideString& operator+=(wchar_t ch)
    {
        // Common case inline: an owned (or locked) buffer with room to spare.
        // The length is read once and stored last, as the next append reads it back first.
        COB_WideStringData* d = m_pData;
        if (d) {
            const int32_t n = d->nDataLength;
            if (n < d->nAllocLength && d->nRefs < 2) {
                wchar_t* p = d->data();
                p[n] = ch;
                p[n + 1] = 0;
                d->nDataLength = n + 1;
                return *this;
            }
        }
        ConcatInPlace(1, &ch);
        return *this;
    }
    COB_WideString& operator+=(const wchar_t* s);
    COB_WideString& operator+=(const COB_WideString& s);
    COB_WideString& operator+=(const COB_WideStringC& s);
    void ConcatInPlace(int len, const wchar_t* s);
    void ConcatCopy(int len1, const wchar_t* s1, int len2, const wchar_t* s2);

    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);
    wchar_t* LockBuffer();
    void Reserve(int length);
    void AllocBeforeWrite(int length);
    void CopyBeforeWrite();
    void AllocCopy(COB_WideString& dest, int copyLen, int copyIndex, int extraLen) const;

    COB_WideString Mid(int first, int count) const;
    COB_WideString Mid(int first) const;
    COB_WideString Left(int count) const;
    COB_WideString Right(int count) const;

    int Insert(int index, wchar_t ch);
    int Delete(int index, int count = 1);
    int Remove(wchar_t ch);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    void SetAt(int index, wchar_t ch);
    void MakeLower();
    void MakeUpper();
    void TrimRight(const wchar_t* set);
    void TrimLeft(const wchar_t* set);
    void TrimRight(wchar_t ch);
    void TrimLeft(wchar_t ch);
    void TrimRight();
    void TrimLeft();

    int Find(const wchar_t* sub, int start = 0) const;
    int Find(wchar_t ch, int start = 0) const;

    int Compare(const COB_WideString& other) const;
    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;
    bool Equal(const COB_WideStringC& s) const;

    // Conversions. UTF-16 forms pair characters above U+FFFF into surrogates and join pairs back.
    COB_ByteString UTF8Encode() const;
    COB_ByteString UTF16LE_Encode(bool addTerminator) const;
    static COB_WideString FromUTF8(const char* s, int len = -1);
    static COB_WideString FromUTF16LE(const unsigned short* s, int len = -1);
    static COB_WideString FromUTF16BE(const unsigned short* s, int len = -1);
    static int WStringLength(const unsigned short* s);
    static COB_WideString FromLocal(const char* s, int len = -1);
    void ConvertFrom(const COB_ByteString& s, COB_CharMap* map = nullptr);

    int GetInteger() const;
    float GetFloat() const;
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);

private:
    void Release();
    void FromUTF16(const unsigned short* s, int len, bool swap);

    COB_WideStringData* m_pData;
};

inline COB_WideStringC::COB_WideStringC(const COB_WideString& s) : m_Ptr(s.c_str()), m_Length(s.GetLength()) {}

// Equal when lengths and characters are equal; no buffer and a null pointer count as length 0.
bool operator==(const COB_WideString& a, const COB_WideString& b);
bool operator==(const COB_WideString& a, const COB_WideStringC& b);
bool operator==(const COB_WideStringC& a, const COB_WideString& b);
bool operator==(const COB_WideString& a, const wchar_t* b);
bool operator==(const wchar_t* a, const COB_WideString& b);
inline bool operator!=(const COB_WideString& a, const COB_WideString& b) { return !(a == b); }
inline bool operator!=(const COB_WideString& a, const COB_WideStringC& b) { return !(a == b); }
inline bool operator!=(const COB_WideStringC& a, const COB_WideString& b) { return !(a == b); }
inline bool operator!=(const COB_WideString& a, const wchar_t* b) { return !(a == b); }
inline bool operator!=(const wchar_t* a, const COB_WideString& b) { return !(a == b); }
bool operator<(const COB_WideString& a, const COB_WideString& b);

#endif
