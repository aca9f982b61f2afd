#include "COB_ArchiveSaver.h"

#include "IOB_FileStream.h"

#include <cstring>

COB_ArchiveSaver::COB_ArchiveSaver(IOB_FileStream* stream, _IOB_Allocator* allocator)
    : m_SavingBuffer(allocator), m_pStream(stream)
{
}

void COB_ArchiveSaver::Piece(const void* data, int size)
{
    if (size <= 0)
        return;
    if (m_pStream) {
        if (data)
            m_pStream->WriteBlock(data, static_cast<size_t>(size));
        return;
    }
    m_SavingBuffer.AppendBlock(data, size);
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(unsigned char value)
{
    if (m_pStream)
        Piece(&value, 1);
    else
        m_SavingBuffer.AppendChar(value);
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(bool value)
{
    unsigned char byte = value ? 1 : 0;
    Piece(&byte, 1);
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(int value)
{
    Piece(&value, sizeof(value));
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(unsigned int value)
{
    Piece(&value, sizeof(value));
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(float value)
{
    Piece(&value, sizeof(value));
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(long long value)
{
    Piece(&value, sizeof(value));
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(const COB_ByteStringC& text)
{
    int length = text.GetLength() > 0 && text.GetPtr() ? text.GetLength() : 0;
    Piece(&length, sizeof(length));
    Piece(text.GetPtr(), length);
    return *this;
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(const char* text)
{
    return *this << COB_ByteStringC(text);
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(const COB_ByteString& text)
{
    return *this << COB_ByteStringC(text);
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(const wchar_t* text)
{
    return *this << COB_WideString(text ? text : L"");
}

COB_ArchiveSaver& COB_ArchiveSaver::operator<<(const COB_WideString& text)
{
    return *this << text.UTF16LE_Encode(true);
}

COB_ArchiveSaver& COB_ArchiveSaver::Write(const void* data, int size)
{
    Piece(data, size);
    return *this;
}
