#ifndef COB_BYTESTRINGL_H
#define COB_BYTESTRINGL_H

#include "COB_ByteStringC.h"

struct _IOB_Allocator;

// A plain owned byte array (NUL-terminated) whose memory comes from the allocator each
// operation is given (null: the default manager). It does not free itself: call Empty.
class COB_ByteStringL
{
public:
    COB_ByteStringL() : m_Ptr(nullptr), m_Length(0) {}

    void Empty(_IOB_Allocator* allocator);
    // Room for len bytes plus a terminator; the content is not initialised.
    char* AllocBuffer(int len, _IOB_Allocator* allocator);
    void Set(const COB_ByteStringC& s, _IOB_Allocator* allocator);

    const char* GetPtr() const { return m_Ptr; }
    char* GetBuffer() { return m_Ptr; }
    int GetLength() const { return m_Length; }
    bool IsEmpty() const { return m_Length == 0; }
    operator COB_ByteStringC() const { return COB_ByteStringC(m_Ptr, m_Length); }

private:
    char* m_Ptr;
    int m_Length;
};

#endif
