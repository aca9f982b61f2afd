#include "COB_ByteTextBuf.h"

#include "COB_ByteStringC.h"
#include "OB_NumberText.h"
#include "OB_SysShims.h"

#include <cstring>

COB_ByteTextBuf& COB_ByteTextBuf::operator<<(const COB_ByteStringC& text)
{
    if (text.GetLength() > 0)
        AppendBlock(text.GetPtr(), text.GetLength());
    return *this;
}

COB_ByteTextBuf& COB_ByteTextBuf::operator<<(int value)
{
    char text[12];
    OBSYS_itoa(value, text, 10);
    AppendBlock(text, static_cast<int>(strlen(text)));
    return *this;
}

COB_ByteTextBuf& COB_ByteTextBuf::operator<<(unsigned int value)
{
    // Written as unsigned decimal: 4294967295 must not come out as "-1".
    char text[21];
    OBSYS_i64toa(static_cast<long long>(value), text, 10);
    AppendBlock(text, static_cast<int>(strlen(text)));
    return *this;
}

COB_ByteTextBuf& COB_ByteTextBuf::operator<<(long long value)
{
    char text[21];
    OBSYS_i64toa(value, text, 10);
    AppendBlock(text, static_cast<int>(strlen(text)));
    return *this;
}

COB_ByteTextBuf& COB_ByteTextBuf::operator<<(double value)
{
    char text[OB_FTOA_BUFSIZE];
    int len = OB_ftoa_s(static_cast<float>(value), text, 0);
    if (len > 0)
        AppendBlock(text, len);
    return *this;
}

COB_ByteTextBuf& COB_ByteTextBuf::operator<<(const COB_ByteTextBuf& other)
{
    if (other.GetSize() > 0)
        AppendBlock(other.GetBuffer(), other.GetSize());
    return *this;
}

COB_ByteTextBuf& COB_ByteTextBuf::operator=(const COB_ByteStringC& text)
{
    CopyData(text.GetPtr(), text.GetLength());
    return *this;
}
