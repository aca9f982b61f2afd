#ifndef OB_FILE_H
#define OB_FILE_H

#include <cstddef>
#include <cstdint>

#include "COB_ByteStringC.h"
#include "COB_WideStringC.h"
#include "IOBCRT_FileAccess.h"

struct _IOB_Allocator;

// Handle of the file functions below: the platform file handle itself.
typedef IOBCRT_FileAccess* _OB_HFILE;

// modes: OB_FILEMODE_* bits; null when the file cannot be opened.
_OB_HFILE OB_File_Open(const COB_ByteStringC& path, uint32_t modes, _IOB_Allocator* allocator = nullptr);
_OB_HFILE OB_File_Open(const COB_WideStringC& path, uint32_t modes, _IOB_Allocator* allocator = nullptr);
// Closes and frees the handle (allocator: the one given to OB_File_Open).
void OB_File_Close(_OB_HFILE file, _IOB_Allocator* allocator = nullptr);
OB_FILESIZE OB_File_GetSize(_OB_HFILE file);
OB_FILESIZE OB_File_GetPosition(_OB_HFILE file);
OB_FILESIZE OB_File_SetPosition(_OB_HFILE file, OB_FILESIZE offset);
size_t OB_File_Read(_OB_HFILE file, void* buffer, size_t size);
size_t OB_File_ReadPos(_OB_HFILE file, void* buffer, size_t size, OB_FILESIZE offset);
size_t OB_File_Write(_OB_HFILE file, const void* buffer, size_t size);
size_t OB_File_WritePos(_OB_HFILE file, const void* buffer, size_t size, OB_FILESIZE offset);
bool OB_File_Flush(_OB_HFILE file);
bool OB_File_Truncate(_OB_HFILE file, OB_FILESIZE size);

// Whole-file utilities; wide paths are encoded as UTF-8.
bool OB_File_Exist(const COB_ByteStringC& path);
bool OB_File_Exist(const COB_WideStringC& path);
bool OB_File_Delete(const COB_ByteStringC& path);
bool OB_File_Delete(const COB_WideStringC& path);
// True only when every byte of a non-empty source reached the destination.
bool OB_File_Copy(const COB_ByteStringC& source, const COB_ByteStringC& destination);
bool OB_File_Copy(const COB_WideStringC& source, const COB_WideStringC& destination);
bool OB_File_Move(const COB_ByteStringC& source, const COB_ByteStringC& destination);
bool OB_File_Move(const COB_WideStringC& source, const COB_WideStringC& destination);

#endif
