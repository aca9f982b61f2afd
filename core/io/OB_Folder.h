#ifndef OB_FOLDER_H
#define OB_FOLDER_H

class COB_ByteString;
class COB_WideString;

// Folder handles are the platform's directory streams, opaque to callers; the separator is '/'.
void* OB_OpenFolder(const char* path);
void* OB_OpenFolder(const wchar_t* path);
// Next entry ("." and ".." included); false for a null handle or at the end.
bool OB_GetNextFile(void* handle, COB_ByteString& name, bool& isFolder, const char* folderPath);
bool OB_GetNextFile(void* handle, COB_WideString& name, bool& isFolder, const char* folderPath);
void OB_CloseFolder(void* handle);
char OB_GetFolderSeparator();
bool OB_CreateFolder(const char* path);
bool OB_CreateFolder(const wchar_t* path);
// Deletes the folder and everything in it; symbolic links are removed, never followed.
bool OB_DeleteFolder(const char* path);
bool OB_DeleteFolder(const wchar_t* path);
bool OB_IsFilePathExist(const wchar_t* path);

#endif
