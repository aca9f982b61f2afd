#ifndef OB_FILESTREAM_H
#define OB_FILESTREAM_H

#include <cstdint>

#include "COB_WideStringC.h"
#include "IOB_FileAccess.h"
#include "IOB_FileStream.h"
#include "IOB_MemoryStream.h"

struct _IOB_Allocator;

// Opens path (null counts as empty) with OB_FILEMODE_* modes; null when it cannot be opened.
// The stream and its file handle are allocated through allocator (null = the default manager).
IOB_FileStream* OB_CreateFileStream(const char* path, uint32_t modes, _IOB_Allocator* allocator = nullptr);
IOB_FileStream* OB_CreateFileStream(const wchar_t* path, uint32_t modes, _IOB_Allocator* allocator = nullptr);

// An existing file, read only; null when it is missing or unreadable.
IOB_FileRead* OB_CreateFileRead(const char* path, _IOB_Allocator* allocator = nullptr);
IOB_FileRead* OB_CreateFileRead(const wchar_t* path, _IOB_Allocator* allocator = nullptr);

// A file emptied (or created) for writing.
IOB_FileWrite* OB_CreateFileWrite(const char* path, _IOB_Allocator* allocator = nullptr);
IOB_FileWrite* OB_CreateFileWrite(const wchar_t* path, _IOB_Allocator* allocator = nullptr);

// A path holder that opens streams on demand; null for an empty path.
IOB_FileAccess* OB_CreateDefaultFileAccess(const COB_WideStringC& path, _IOB_Allocator* allocator = nullptr);

// A contiguous memory stream over a caller's buffer holding size bytes of data; the stream frees the
// buffer at the end (through allocator) only when takeOver is true.
IOB_MemoryStream* OB_CreateMemoryStream(void* buffer, size_t size, bool takeOver, _IOB_Allocator* allocator = nullptr);
// An empty memory stream that owns what it allocates; contiguous or in blocks of 64 KB.
IOB_MemoryStream* OB_CreateMemoryStream(bool contiguous, _IOB_Allocator* allocator = nullptr);

#endif
