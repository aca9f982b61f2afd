#ifndef COB_WIDESTRINGL_H
#define COB_WIDESTRINGL_H

#include "COB_WideStringC.h"

struct _IOB_Allocator;

// A plain owned wide array (NUL-terminated) whose memory comes from the allocator each
// operation is given (null: the default manager). It does not free itself: call Empty.
class COB_WideStringL
{
public:
    COB_WideStringL() : m_Ptr(nullptr), m_Length(0) {}

    void Empty(_IOB_Allocator* allocator);
    // Room for len characters plus a terminator; the content is not initialised.
    wchar_t* AllocBuffer(int len, _IOB_Allocator* allocator);
    void Set(const COB_WideStringC& s, _IOB_Allocator* allocator);
    int GetInteger() const;
    float GetFloat() const;
    // Removes trailing characters found in set (a null or empty set does nothing).
    void TrimRight(const wchar_t* set);

    const wchar_t* GetPtr() const { return m_Ptr; }
    int GetLength() const { return m_Length; }
    bool IsEmpty() const { return m_Length == 0; }
    operator COB_WideStringC() const { return COB_WideStringC(m_Ptr, m_Length); }

private:
    wchar_t* m_Ptr;
    int m_Length;
};

#endif
