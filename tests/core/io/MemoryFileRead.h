#pragma once

#include "IOB_FileRead.h"

#include <cstring>
#include <string>

// An IOB_FileRead over a string that counts its reads and can be told to fail them, to see what a
// cache asks of its file and what it does when the file lets it down.
class MemoryFileRead : public IOB_FileRead
{
public:
    explicit MemoryFileRead(std::string bytes) : data(std::move(bytes)) {}

    void Release() override { ++releases; }
    bool IsEOF() override { return true; }
    OB_FILESIZE GetPosition() override { return 0; }
    size_t ReadBlock(void*, size_t) override { return 0; }
    OB_FILESIZE GetSize() override { return static_cast<OB_FILESIZE>(data.size()); }
    bool ReadBlock(void* buffer, OB_FILESIZE offset, size_t size) override
    {
        ++reads;
        if (fail || offset < 0 || static_cast<size_t>(offset) > data.size() || size > data.size() - offset)
            return false;
        std::memcpy(buffer, data.data() + offset, size);
        return true;
    }

    std::string data;
    bool fail = false;
    int reads = 0;
    int releases = 0;
};
