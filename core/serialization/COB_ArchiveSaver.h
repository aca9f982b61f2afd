#ifndef COB_ARCHIVESAVER_H
#define COB_ARCHIVESAVER_H

#include "COB_ByteString.h"
#include "COB_ByteTextBuf.h"
#include "COB_WideString.h"

class IOB_FileStream;

// Writes the library's binary archive: numbers as they lie in memory (little-endian), strings as a 4-byte
// length and their bytes, wide strings in UTF-16LE with a terminating zero unit. No header and no tags:
// the reader must know the sequence of types. Output goes to the stream given (appended, results
// ignored), or else into the saver's own buffer, where a value that cannot be stored is dropped.
class COB_ArchiveSaver
{
public:
    explicit COB_ArchiveSaver(IOB_FileStream* stream = nullptr, _IOB_Allocator* allocator = nullptr);

    COB_ArchiveSaver& operator<<(unsigned char value);
    COB_ArchiveSaver& operator<<(bool value);
    COB_ArchiveSaver& operator<<(int value);
    COB_ArchiveSaver& operator<<(unsigned int value);
    COB_ArchiveSaver& operator<<(float value);
    COB_ArchiveSaver& operator<<(long long value);
    COB_ArchiveSaver& operator<<(const COB_ByteStringC& text);
    COB_ArchiveSaver& operator<<(const char* text);
    COB_ArchiveSaver& operator<<(const COB_ByteString& text);
    COB_ArchiveSaver& operator<<(const wchar_t* text);
    COB_ArchiveSaver& operator<<(const COB_WideString& text);
    // Raw bytes without a length; a null pointer only reserves size bytes in the buffer.
    COB_ArchiveSaver& Write(const void* data, int size);

    const uint8_t* GetBuffer() const { return m_SavingBuffer.GetBuffer(); }
    int GetLength() const { return m_SavingBuffer.GetSize(); }

private:
    void Piece(const void* data, int size);

    COB_ByteTextBuf m_SavingBuffer;
    IOB_FileStream* m_pStream;
};

#endif
