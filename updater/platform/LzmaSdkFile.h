#pragma once

// The LZMA SDK's allocator and file-stream helpers. Debian's lzma-dev ships only
// the codec sources, so these few pieces of the SDK's utility layer live here,
// with the SDK's own names and calling conventions.

#include <stdio.h>

#include <Types.h>

EXTERN_C_BEGIN

// Plain malloc/free behind the SDK's allocator interface.
extern ISzAlloc g_Alloc;

typedef struct
{
    FILE *file;
} CSzFile;

void File_Construct(CSzFile *p);
WRes InFile_Open(CSzFile *p, const char *name);
WRes OutFile_Open(CSzFile *p, const char *name);
WRes File_Close(CSzFile *p);
// On entry *size is the room, on return the bytes moved; a short count is not an error.
WRes File_Read(CSzFile *p, void *data, size_t *size);
WRes File_Write(CSzFile *p, const void *data, size_t *size);

typedef struct
{
    ISeqInStream s;
    CSzFile file;
} CFileSeqInStream;

void FileSeqInStream_CreateVTable(CFileSeqInStream *p);

typedef struct
{
    ISeqOutStream s;
    CSzFile file;
} CFileOutStream;

void FileOutStream_CreateVTable(CFileOutStream *p);

// Reads until *size bytes have arrived or the stream ends; *size becomes the count read.
SRes SeqInStream_ReadMax(ISeqInStream *stream, void *buf, size_t *size);

EXTERN_C_END
