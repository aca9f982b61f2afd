#include "OB_Folder.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

COB_ByteString ToBytes(const wchar_t* path)
{
    return COB_ByteString::FromUnicode(path);
}

std::string Join(const char* folder, const char* name)
{
    std::string path = folder ? folder : "";
    if (!path.empty())
        path += '/';
    return path + name;
}

// Folder test of an entry: by its type when the system knows it, else by examining the path;
// following links or not as asked.
bool IsFolderEntry(const dirent* entry, const char* folderPath, bool followLinks)
{
#ifdef _DIRENT_HAVE_D_TYPE
    if (entry->d_type != DT_UNKNOWN)
        return entry->d_type == DT_DIR;
#endif
    struct stat info;
    std::string path = Join(folderPath, entry->d_name);
    int result = followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
    return result == 0 && S_ISDIR(info.st_mode);
}

bool DeleteTree(const char* path)
{
    if (rmdir(path) == 0)
        return true;
    // A link to a folder is not this folder: its target is never emptied.
    struct stat info;
    if (lstat(path, &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    DIR* folder = opendir(path);
    if (!folder)
        return false;
    while (dirent* entry = readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        std::string child = Join(path, entry->d_name);
        if (IsFolderEntry(entry, path, false))
            DeleteTree(child.c_str());
        else
            std::remove(child.c_str());
    }
    closedir(folder);
    return rmdir(path) == 0;
}

} // namespace

void* OB_OpenFolder(const char* path)
{
    if (!path)
        return nullptr;
    return opendir(path);
}

void* OB_OpenFolder(const wchar_t* path)
{
    if (!path)
        return nullptr;
    return opendir(ToBytes(path).c_str());
}

bool OB_GetNextFile(void* handle, COB_ByteString& name, bool& isFolder, const char* folderPath)
{
    if (!handle)
        return false;
    dirent* entry = readdir(static_cast<DIR*>(handle));
    if (!entry)
        return false;
    name = COB_ByteString(entry->d_name);
    isFolder = IsFolderEntry(entry, folderPath, true);
    return true;
}

bool OB_GetNextFile(void* handle, COB_WideString& name, bool& isFolder, const char* folderPath)
{
    if (!handle)
        return false;
    dirent* entry = readdir(static_cast<DIR*>(handle));
    if (!entry)
        return false;
    name = COB_WideString::FromLocal(entry->d_name);
    isFolder = IsFolderEntry(entry, folderPath, true);
    return true;
}

void OB_CloseFolder(void* handle)
{
    if (handle)
        closedir(static_cast<DIR*>(handle));
}

char OB_GetFolderSeparator()
{
    return '/';
}

bool OB_CreateFolder(const char* path)
{
    return path && mkdir(path, 0755) == 0;
}

bool OB_CreateFolder(const wchar_t* path)
{
    return path && mkdir(ToBytes(path).c_str(), 0755) == 0;
}

bool OB_DeleteFolder(const char* path)
{
    return path && DeleteTree(path);
}

bool OB_DeleteFolder(const wchar_t* path)
{
    // Walked in bytes: every name reaches the system exactly as it was listed.
    return path && DeleteTree(ToBytes(path).c_str());
}

bool OB_IsFilePathExist(const wchar_t* path)
{
    return path && access(ToBytes(path).c_str(), F_OK) == 0;
}
