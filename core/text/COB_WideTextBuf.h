#ifndef COB_WIDETEXTBUF_H
#define COB_WIDETEXTBUF_H

#include "COB_BinaryBuf.h"

class COB_WideStringC;
class COB_WideString;
class COB_WideStringL;

// Wide text builder: counts its data in bytes, four per wchar_t.
class COB_WideTextBuf : public COB_BinaryBuf
{
public:
    explicit COB_WideTextBuf(_IOB_Allocator* allocator = nullptr) : COB_BinaryBuf(allocator) {}

    bool AppendChar(wchar_t c);
    COB_WideTextBuf& operator<<(const COB_WideStringC& text);
    COB_WideTextBuf& operator<<(const COB_WideString& text);
    // text must not be null.
    COB_WideTextBuf& operator<<(const wchar_t* text);
    COB_WideTextBuf& operator<<(int value);
    // Written in single precision, as the float writer makes it.
    COB_WideTextBuf& operator<<(double value);
    COB_WideTextBuf& operator<<(const COB_WideTextBuf& other);
    COB_WideTextBuf& operator=(const COB_WideStringC& text);

    COB_WideStringC GetWideString() const;
    void GetWideStringL(COB_WideStringL& out) const;
    int GetLength() const { return m_DataSize / 4; }
};

#endif
