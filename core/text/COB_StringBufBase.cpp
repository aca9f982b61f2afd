#include "COB_StringBufBase.h"

#include "OB_NumberText.h"

void COB_StringBufBase::Copy(const COB_ByteStringC& s)
{
    const int size = s.GetLength() < m_Limit ? s.GetLength() : m_Limit;
    m_Size = size > 0 ? size : 0;
    if (m_Size > 0)
        memcpy(GetBuffer(), s.GetPtr(), static_cast<size_t>(m_Size));
}

void COB_StringBufBase::Append(const COB_ByteStringC& s)
{
    const int room = m_Limit - m_Size;
    const int count = s.GetLength() < room ? s.GetLength() : room;
    if (count <= 0)
        return;
    memcpy(GetBuffer() + m_Size, s.GetPtr(), static_cast<size_t>(count));
    m_Size += count;
}

void COB_StringBufBase::Append(int value, unsigned int flags)
{
    char text[16];
    const int len = OB_FormatIntegerText(value, flags, text);
    Append(COB_ByteStringC(text, len));
}
