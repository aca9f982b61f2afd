#ifndef COB_WIDESTRINGC_H
#define COB_WIDESTRINGC_H

#include <cwchar>

class COB_WideString;

// Non-owning view of wide characters: a pointer and a length. Never allocates.
class COB_WideStringC
{
public:
    COB_WideStringC() : m_Ptr(nullptr), m_Length(0) {}
    COB_WideStringC(const wchar_t* s) : m_Ptr(s), m_Length(s ? static_cast<int>(wcslen(s)) : 0) {}
    COB_WideStringC(const wchar_t* s, int len) : m_Ptr(s), m_Length(len) {}
    inline COB_WideStringC(const COB_WideString& s); // defined in COB_WideString.h
    ~COB_WideStringC() {}

    const wchar_t* GetPtr() const { return m_Ptr; }
    int GetLength() const { return m_Length; }
    bool IsEmpty() const { return m_Length == 0; }
    wchar_t GetAt(int index) const { return m_Ptr[index]; }

    bool operator==(const COB_WideStringC& other) const
    {
        return m_Length == other.m_Length &&
               (m_Length == 0 || wmemcmp(m_Ptr, other.m_Ptr, static_cast<size_t>(m_Length)) == 0);
    }
    bool operator!=(const COB_WideStringC& other) const { return !(*this == other); }

private:
    const wchar_t* m_Ptr;
    int m_Length;
};

#endif
