#include "OB_Folder.h"

#include "COB_ByteString.h"
#include "COB_WideString.h"
#include "Sandbox.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FolderTest : public SandboxTest
{
protected:
    void SetUp() override { dir = sandbox.tmp().toStdString(); }

    std::string Path(const std::string& name) const { return dir + "/" + name; }
    void WriteFile(const std::string& name) const
    {
        FILE* f = std::fopen(Path(name).c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("data", f);
        std::fclose(f);
    }
    bool Exists(const std::string& name) const
    {
        struct stat info;
        return lstat(Path(name).c_str(), &info) == 0;
    }
    std::map<std::string, bool> List(const std::string& name) const
    {
        std::map<std::string, bool> entries;
        std::string path = Path(name);
        void* handle = OB_OpenFolder(path.c_str());
        EXPECT_NE(handle, nullptr);
        COB_ByteString entry;
        bool isFolder = false;
        while (OB_GetNextFile(handle, entry, isFolder, path.c_str()))
            entries[entry.c_str()] = isFolder;
        EXPECT_FALSE(OB_GetNextFile(handle, entry, isFolder, path.c_str()));
        OB_CloseFolder(handle);
        return entries;
    }

    std::string dir;
};

using Listing = std::map<std::string, bool>;

TEST_F(FolderTest, ListingReturnsEveryEntryWithItsKind)
{
    ASSERT_TRUE(OB_CreateFolder(Path("empty").c_str()));
    EXPECT_EQ(List("empty"), (Listing{{".", true}, {"..", true}}));

    ASSERT_TRUE(OB_CreateFolder(Path("full").c_str()));
    ASSERT_TRUE(OB_CreateFolder(Path("full/sub").c_str()));
    WriteFile("full/file.txt");
    ASSERT_EQ(symlink("sub", Path("full/link").c_str()), 0);
    EXPECT_EQ(List("full"), (Listing{{".", true}, {"..", true}, {"sub", true}, {"file.txt", false}, {"link", false}}));

    COB_ByteString name;
    bool isFolder = false;
    EXPECT_FALSE(OB_GetNextFile(nullptr, name, isFolder, dir.c_str()));
    EXPECT_EQ(OB_OpenFolder(Path("missing").c_str()), nullptr);
    OB_CloseFolder(nullptr);
    EXPECT_EQ(OB_GetFolderSeparator(), '/');
}

TEST_F(FolderTest, WideFormsConvertThroughTheLocale)
{
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    std::wstring wideDir(dir.begin(), dir.end());
    std::wstring folder = wideDir + L"/caf\u00E9";
    ASSERT_TRUE(OB_CreateFolder(folder.c_str()));
    EXPECT_TRUE(Exists("caf\xC3\xA9"));
    EXPECT_TRUE(OB_IsFilePathExist(folder.c_str()));
    WriteFile("caf\xC3\xA9/\xC3\xBC.txt");

    void* handle = OB_OpenFolder(folder.c_str());
    ASSERT_NE(handle, nullptr);
    std::map<std::wstring, bool> entries;
    COB_WideString name;
    bool isFolder = false;
    std::string bytePath = Path("caf\xC3\xA9");
    while (OB_GetNextFile(handle, name, isFolder, bytePath.c_str()))
        entries[name.c_str()] = isFolder;
    OB_CloseFolder(handle);
    EXPECT_EQ(entries, (std::map<std::wstring, bool>{{L".", true}, {L"..", true}, {L"\u00FC.txt", false}}));

    EXPECT_TRUE(OB_DeleteFolder(folder.c_str()));
    EXPECT_FALSE(OB_IsFilePathExist(folder.c_str()));
    std::setlocale(LC_CTYPE, "C");
}

TEST_F(FolderTest, CreateNeedsTheParent)
{
    EXPECT_FALSE(OB_CreateFolder(Path("a/b").c_str()));
    EXPECT_TRUE(OB_CreateFolder(Path("a").c_str()));
    EXPECT_FALSE(OB_CreateFolder(Path("a").c_str()));
    EXPECT_TRUE(OB_CreateFolder(Path("a/b").c_str()));
    EXPECT_FALSE(OB_CreateFolder(static_cast<const char*>(nullptr)));
}

TEST_F(FolderTest, DeleteRemovesTheWholeTree)
{
    ASSERT_TRUE(OB_CreateFolder(Path("tree").c_str()));
    ASSERT_TRUE(OB_CreateFolder(Path("tree/a").c_str()));
    ASSERT_TRUE(OB_CreateFolder(Path("tree/a/b").c_str()));
    WriteFile("tree/top.txt");
    WriteFile("tree/a/mid.txt");
    WriteFile("tree/a/b/deep.txt");
    EXPECT_TRUE(OB_DeleteFolder(Path("tree").c_str()));
    EXPECT_FALSE(Exists("tree"));
    EXPECT_FALSE(OB_DeleteFolder(Path("tree").c_str()));
    ASSERT_TRUE(OB_CreateFolder(Path("plain").c_str()));
    EXPECT_TRUE(OB_DeleteFolder(Path("plain").c_str()));
}

TEST_F(FolderTest, DeleteNeverFollowsSymbolicLinks)
{
    ASSERT_TRUE(OB_CreateFolder(Path("keep").c_str()));
    WriteFile("keep/precious.txt");
    ASSERT_TRUE(OB_CreateFolder(Path("tree").c_str()));
    ASSERT_EQ(symlink(Path("keep").c_str(), Path("tree/link").c_str()), 0);
    ASSERT_EQ(symlink(Path("keep").c_str(), Path("toplink").c_str()), 0);

    EXPECT_TRUE(OB_DeleteFolder(Path("tree").c_str()));
    EXPECT_FALSE(Exists("tree"));
    EXPECT_FALSE(OB_DeleteFolder(Path("toplink").c_str())); // a link is not a folder to delete
    EXPECT_TRUE(Exists("toplink"));
    EXPECT_TRUE(Exists("keep/precious.txt"));
}

} // namespace
