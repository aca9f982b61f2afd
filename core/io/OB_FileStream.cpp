#include "OB_FileStream.h"

#include "COB_CRTFileAccess.h"
#include "COB_CRTFileStream.h"
#include "COB_MemoryMgr.h"
#include "IOBCRT_FileAccess.h"

#include <new>

namespace {

template <typename Char>
IOB_FileStream* CreateFileStream(const Char* path, uint32_t modes, _IOB_Allocator* allocator)
{
    IOBCRT_FileAccess* file = OBCRT_FileAccess_Create(allocator);
    if (!file)
        return nullptr;
    static const Char kEmpty[1] = {0};
    if (!file->Open(path ? path : kEmpty, modes)) {
        file->Release(allocator);
        return nullptr;
    }
    COB_CRTFileStream* stream;
    if (allocator) {
        void* block = allocator->Alloc(allocator, sizeof(COB_CRTFileStream));
        stream = block ? ::new (block) COB_CRTFileStream(file, allocator) : nullptr;
    } else {
        stream = new COB_CRTFileStream(file, nullptr);
    }
    if (!stream)
        file->Release(allocator); // closes the file: nothing is left behind
    return stream;
}

} // namespace

IOB_FileStream* OB_CreateFileStream(const char* path, uint32_t modes, _IOB_Allocator* allocator)
{
    return CreateFileStream(path, modes, allocator);
}

IOB_FileStream* OB_CreateFileStream(const wchar_t* path, uint32_t modes, _IOB_Allocator* allocator)
{
    return CreateFileStream(path, modes, allocator);
}

IOB_FileRead* OB_CreateFileRead(const char* path, _IOB_Allocator* allocator)
{
    return OB_CreateFileStream(path, OB_FILEMODE_READONLY, allocator);
}

IOB_FileRead* OB_CreateFileRead(const wchar_t* path, _IOB_Allocator* allocator)
{
    return OB_CreateFileStream(path, OB_FILEMODE_READONLY, allocator);
}

IOB_FileWrite* OB_CreateFileWrite(const char* path, _IOB_Allocator* allocator)
{
    return OB_CreateFileStream(path, OB_FILEMODE_TRUNCATE, allocator);
}

IOB_FileWrite* OB_CreateFileWrite(const wchar_t* path, _IOB_Allocator* allocator)
{
    return OB_CreateFileStream(path, OB_FILEMODE_TRUNCATE, allocator);
}

IOB_FileAccess* OB_CreateDefaultFileAccess(const COB_WideStringC& path, _IOB_Allocator* allocator)
{
    if (path.IsEmpty())
        return nullptr;
    COB_CRTFileAccess* access;
    if (allocator) {
        void* block = allocator->Alloc(allocator, sizeof(COB_CRTFileAccess));
        access = block ? ::new (block) COB_CRTFileAccess : nullptr;
    } else {
        access = new COB_CRTFileAccess;
    }
    if (access)
        access->Init(path, allocator);
    return access;
}
