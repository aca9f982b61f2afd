#ifndef OB_FILESIZE_H
#define OB_FILESIZE_H

#include <cstdint>

// Positions, offsets and sizes of files and streams: signed 64-bit, -1 where a call reports failure.
typedef int64_t OB_FILESIZE;

// Open modes of file streams and platform file handles (bit set; 0 = read and write, create if missing,
// keep the contents).
enum : uint32_t
{
    OB_FILEMODE_READONLY = 1, // open an existing file for reading only
    OB_FILEMODE_TRUNCATE = 2, // read and write, created if missing, emptied on open
};

#endif
