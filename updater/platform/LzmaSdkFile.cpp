#include "LzmaSdkFile.h"

#include <errno.h>
#include <stdlib.h>

namespace {

void *szAlloc(void *, size_t size)
{
    return size == 0 ? nullptr : malloc(size);
}

void szFree(void *, void *address)
{
    free(address);
}

SRes fileSeqInStreamRead(void *pp, void *buf, size_t *size)
{
    CFileSeqInStream *p = static_cast<CFileSeqInStream *>(pp);
    return File_Read(&p->file, buf, size) == 0 ? SZ_OK : SZ_ERROR_READ;
}

size_t fileOutStreamWrite(void *pp, const void *data, size_t size)
{
    CFileOutStream *p = static_cast<CFileOutStream *>(pp);
    File_Write(&p->file, data, &size);
    return size;
}

WRes fileOpen(CSzFile *p, const char *name, const char *mode)
{
    p->file = fopen(name, mode);
    if (p->file)
        return 0;
    return errno ? errno : 1;
}

} // namespace

extern "C" {

ISzAlloc g_Alloc = {szAlloc, szFree};

void File_Construct(CSzFile *p)
{
    p->file = nullptr;
}

WRes InFile_Open(CSzFile *p, const char *name)
{
    return fileOpen(p, name, "rbe");
}

WRes OutFile_Open(CSzFile *p, const char *name)
{
    return fileOpen(p, name, "wbe");
}

WRes File_Close(CSzFile *p)
{
    if (!p->file)
        return 0;
    int res = fclose(p->file);
    p->file = nullptr;
    return res == 0 ? 0 : (errno ? errno : 1);
}

WRes File_Read(CSzFile *p, void *data, size_t *size)
{
    size_t wanted = *size;
    if (wanted == 0)
        return 0;
    *size = fread(data, 1, wanted, p->file);
    return (*size == wanted || !ferror(p->file)) ? 0 : (errno ? errno : 1);
}

WRes File_Write(CSzFile *p, const void *data, size_t *size)
{
    size_t wanted = *size;
    if (wanted == 0)
        return 0;
    *size = fwrite(data, 1, wanted, p->file);
    return (*size == wanted) ? 0 : (errno ? errno : 1);
}

void FileSeqInStream_CreateVTable(CFileSeqInStream *p)
{
    p->s.Read = fileSeqInStreamRead;
}

void FileOutStream_CreateVTable(CFileOutStream *p)
{
    p->s.Write = fileOutStreamWrite;
}

SRes SeqInStream_ReadMax(ISeqInStream *stream, void *buf, size_t *size)
{
    size_t wanted = *size;
    size_t done = 0;
    *size = 0;
    while (done < wanted) {
        size_t cur = wanted - done;
        SRes res = stream->Read(stream, static_cast<Byte *>(buf) + done, &cur);
        done += cur;
        *size = done;
        if (res != SZ_OK)
            return res;
        if (cur == 0)
            break;
    }
    return SZ_OK;
}

} // extern "C"
