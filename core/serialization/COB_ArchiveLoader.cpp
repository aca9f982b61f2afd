#include "COB_ArchiveLoader.h"

#include <cstring>
#include <vector>

COB_ArchiveLoader::COB_ArchiveLoader(const unsigned char* data, unsigned int size)
    : m_nCurrent(0), m_pLoadingBuf(data), m_nSize(data ? size : 0)
{
}

bool COB_ArchiveLoader::Read(void* out, unsigned int size)
{
    if (m_nCurrent > m_nSize || size > m_nSize - m_nCurrent)
        return false;
    if (out && size)
        std::memcpy(out, m_pLoadingBuf + m_nCurrent, size);
    m_nCurrent += size;
    return true;
}

template <typename Number>
COB_ArchiveLoader& COB_ArchiveLoader::ReadNumber(Number& value)
{
    Read(&value, sizeof(value));
    return *this;
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(unsigned char& value)
{
    return ReadNumber(value);
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(bool& value)
{
    unsigned char byte;
    if (Read(&byte, 1))
        value = byte != 0;
    return *this;
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(int& value)
{
    return ReadNumber(value);
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(unsigned int& value)
{
    return ReadNumber(value);
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(float& value)
{
    return ReadNumber(value);
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(long long& value)
{
    return ReadNumber(value);
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(COB_ByteString& text)
{
    int length;
    if (!Read(&length, sizeof(length)))
        return *this;
    text = COB_ByteString();
    if (length < 1 || static_cast<unsigned int>(length) > m_nSize - m_nCurrent)
        return *this;
    text.Load(m_pLoadingBuf + m_nCurrent, length);
    m_nCurrent += static_cast<unsigned int>(length);
    return *this;
}

COB_ArchiveLoader& COB_ArchiveLoader::operator>>(COB_WideString& text)
{
    COB_ByteString bytes;
    *this >> bytes;
    int units = bytes.GetLength() / 2;
    // The units are copied out: the string's bytes need not be aligned for 16-bit reads.
    std::vector<unsigned short> utf16(static_cast<size_t>(units) + 1, 0);
    if (units > 0)
        std::memcpy(utf16.data(), bytes.GetPtr(), static_cast<size_t>(units) * 2);
    if (units > 0 && utf16[units - 1] == 0)
        --units;
    text = COB_WideString::FromUTF16LE(utf16.data(), units);
    return *this;
}
