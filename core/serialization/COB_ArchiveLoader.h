#ifndef COB_ARCHIVELOADER_H
#define COB_ARCHIVELOADER_H

#include <cstdint>

#include "COB_ByteString.h"
#include "COB_WideString.h"

// Reads back what COB_ArchiveSaver wrote, from a memory block it does not own. A value that is not
// all there leaves its variable and the position as they were.
class COB_ArchiveLoader
{
public:
    COB_ArchiveLoader(const unsigned char* data, unsigned int size);

    bool IsEOF() const { return m_nCurrent >= m_nSize; }
    unsigned int GetPosition() const { return m_nCurrent; }

    COB_ArchiveLoader& operator>>(unsigned char& value);
    COB_ArchiveLoader& operator>>(bool& value);
    COB_ArchiveLoader& operator>>(int& value);
    COB_ArchiveLoader& operator>>(unsigned int& value);
    COB_ArchiveLoader& operator>>(float& value);
    COB_ArchiveLoader& operator>>(long long& value);
    // Empty when the length word says less than 1 or more than remains; the position then stays
    // just behind the length word.
    COB_ArchiveLoader& operator>>(COB_ByteString& text);
    // Always assigned: empty when the read fails. The stored terminating zero unit is not kept.
    COB_ArchiveLoader& operator>>(COB_WideString& text);
    // Copies size bytes (skips them when out is null); false when fewer remain.
    bool Read(void* out, unsigned int size);

private:
    template <typename Number>
    COB_ArchiveLoader& ReadNumber(Number& value);

    unsigned int m_nCurrent;
    const unsigned char* m_pLoadingBuf;
    unsigned int m_nSize;
};

#endif
