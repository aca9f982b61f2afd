#include "COB_WideTextBuf.h"

#include "COB_WideString.h"
#include "COB_WideStringL.h"
#include "OB_NumberText.h"
#include "OB_SysShims.h"

#include <cstdint>
#include <cstring>

namespace {
const int kCharSize = static_cast<int>(sizeof(wchar_t));
}

bool COB_WideTextBuf::AppendChar(wchar_t c)
{
    if (m_AllocSize - m_DataSize < kCharSize && !ExpandBuf(kCharSize))
        return false;
    if (!m_pBuffer)
        return false;
    memcpy(m_pBuffer + m_DataSize, &c, sizeof c);
    m_DataSize += kCharSize;
    return true;
}

COB_WideTextBuf& COB_WideTextBuf::operator<<(const COB_WideStringC& text)
{
    // Byte counts are computed wide: a text too long for the 32-bit size appends nothing.
    int64_t bytes = static_cast<int64_t>(text.GetLength()) * kCharSize;
    if (bytes > 0 && bytes <= INT32_MAX)
        AppendBlock(text.GetPtr(), static_cast<int>(bytes));
    return *this;
}

COB_WideTextBuf& COB_WideTextBuf::operator<<(const COB_WideString& text)
{
    return *this << COB_WideStringC(text.c_str(), text.GetLength());
}

COB_WideTextBuf& COB_WideTextBuf::operator<<(const wchar_t* text)
{
    return *this << COB_WideStringC(text);
}

COB_WideTextBuf& COB_WideTextBuf::operator<<(int value)
{
    char text[12];
    OBSYS_itoa(value, text, 10);
    wchar_t wide[12];
    int len = 0;
    for (; text[len]; ++len)
        wide[len] = static_cast<wchar_t>(text[len]);
    AppendBlock(wide, len * kCharSize);
    return *this;
}

COB_WideTextBuf& COB_WideTextBuf::operator<<(double value)
{
    char text[OB_FTOA_BUFSIZE];
    int len = OB_ftoa_s(static_cast<float>(value), text, 0);
    if (len <= 0)
        return *this;
    wchar_t wide[OB_FTOA_BUFSIZE];
    for (int i = 0; i < len; ++i)
        wide[i] = static_cast<wchar_t>(text[i]);
    AppendBlock(wide, len * kCharSize);
    return *this;
}

COB_WideTextBuf& COB_WideTextBuf::operator<<(const COB_WideTextBuf& other)
{
    if (other.GetSize() > 0)
        AppendBlock(other.GetBuffer(), other.GetSize());
    return *this;
}

COB_WideTextBuf& COB_WideTextBuf::operator=(const COB_WideStringC& text)
{
    int64_t bytes = static_cast<int64_t>(text.GetLength()) * kCharSize;
    if (bytes >= 0 && bytes <= INT32_MAX)
        CopyData(text.GetPtr(), static_cast<int>(bytes));
    return *this;
}

COB_WideStringC COB_WideTextBuf::GetWideString() const
{
    return COB_WideStringC(reinterpret_cast<const wchar_t*>(m_pBuffer), m_DataSize / kCharSize);
}

void COB_WideTextBuf::GetWideStringL(COB_WideStringL& out) const
{
    out.Set(GetWideString(), m_pAllocator);
}
