#include "COB_MMapedFile.h"

#include "SandboxFileTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class MMapedFileTest : public SandboxFileTest
{
protected:
    std::wstring WPath(const std::string& name) const { return QString::fromStdString(Path(name)).toStdWString(); }
    COB_MMapedFile* Map(const std::string& name, OB_FILESIZE offset = 0, uint64_t length = 65536)
    {
        std::wstring path = WPath(name);
        return COB_MMapedFile::Create(COB_WideStringC(path.c_str()), offset, length);
    }
    static std::string Pattern(size_t size)
    {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>('A' + i % 23);
        return bytes;
    }
};

// Opening and reading leave an existing file exactly as it was, whatever its size.
TEST_F(MMapedFileTest, OpeningAndReadingNeverChangeTheFile)
{
    for (size_t size : {1, 100, 4096, 5000, 65536, 70000}) {
        SCOPED_TRACE(size);
        const std::string bytes = Pattern(size);
        Write("f", bytes);
        COB_MMapedFile* file = Map("f", 0, 1 << 20);
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(file->IsValid());
        EXPECT_EQ(file->GetSize(), static_cast<OB_FILESIZE>(size));
        EXPECT_EQ(std::string(static_cast<const char*>(file->GetMemory()), size), bytes);
        std::vector<char> buf(size);
        EXPECT_TRUE(file->ReadBlock(buf.data(), 0, size));
        EXPECT_EQ(std::string(buf.data(), size), bytes);
        char c;
        EXPECT_FALSE(file->ReadBlock(&c, static_cast<OB_FILESIZE>(size), 1));
        EXPECT_FALSE(file->ReadBlock(&c, 1 << 20, 1));
        EXPECT_EQ(file->GetSize(), static_cast<OB_FILESIZE>(size));
        file->Release();
        EXPECT_EQ(Read("f"), bytes);
    }
}

TEST_F(MMapedFileTest, NewPathIsOnePageOfZerosWithMode0644)
{
    umask(022);
    COB_MMapedFile* file = Map("new");
    ASSERT_NE(file, nullptr);
    struct stat st;
    ASSERT_EQ(stat(Path("new").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    EXPECT_EQ(st.st_size, OB_DEFAULT_MMAP_SIZE);
    EXPECT_EQ(OB_DEFAULT_MMAP_SIZE, getpagesize());
    ASSERT_TRUE(file->IsValid());
    EXPECT_EQ(file->GetSize(), OB_DEFAULT_MMAP_SIZE);
    const std::string page(static_cast<size_t>(OB_DEFAULT_MMAP_SIZE), '\0');
    EXPECT_EQ(std::string(static_cast<const char*>(file->GetMemory()), page.size()), page);
    EXPECT_EQ(file->GetName(), WPath("new").c_str());
    file->Release();
    EXPECT_EQ(Read("new"), page);
}

TEST_F(MMapedFileTest, ExistingEmptyFileStaysEmptyUntilWritten)
{
    Write("empty", "");
    COB_MMapedFile* file = Map("empty");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->IsValid()); // nothing to map yet
    EXPECT_EQ(file->GetSize(), 0);
    EXPECT_TRUE(file->IsEOF());
    char buf[4];
    EXPECT_EQ(file->ReadBlock(buf, 4), 0u);
    EXPECT_FALSE(file->ReadBlock(buf, 0, 1));
    EXPECT_EQ(Read("empty"), "");

    // Writing grows the file to the next 64 KB and maps it.
    EXPECT_TRUE(file->WriteBlock("abc", 3));
    EXPECT_TRUE(file->IsValid());
    EXPECT_EQ(file->GetSize(), 65536);
    EXPECT_EQ(file->GetPosition(), 3);
    EXPECT_TRUE(file->Flush());
    file->Release();
    std::string bytes = Read("empty");
    ASSERT_EQ(bytes.size(), 65536u);
    EXPECT_EQ(bytes.substr(0, 3), "abc");
    EXPECT_EQ(bytes.find_first_not_of('\0', 3), std::string::npos);
}

TEST_F(MMapedFileTest, ReadsStayInsideTheFile)
{
    Write("hundred", Pattern(100));
    COB_MMapedFile* file = Map("hundred");
    ASSERT_NE(file, nullptr);
    struct
    {
        OB_FILESIZE offset;
        size_t size;
        bool ok;
    } cases[] = {
        {0, 100, true},   {99, 1, true},     {90, 20, false}, {100, 1, false},
        {5000, 10, false}, {65536, 1, false}, {-1, 1, false},  {0, 0, false},
    };
    char buf[128];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(file->ReadBlock(buf, c.offset, c.size), c.ok);
        EXPECT_EQ(file->GetSize(), 100);
    }
    file->Release();
    EXPECT_EQ(Read("hundred"), Pattern(100));
}

TEST_F(MMapedFileTest, SequentialReadReportsTheEnd)
{
    Write("hundred", Pattern(100));
    COB_MMapedFile* file = Map("hundred");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->IsEOF());
    char buf[60];
    EXPECT_EQ(file->ReadBlock(buf, 60), 60u);
    EXPECT_EQ(file->GetPosition(), 60);
    EXPECT_EQ(file->ReadBlock(buf, 60), 40u);
    EXPECT_EQ(std::string(buf, 40), Pattern(100).substr(60));
    EXPECT_TRUE(file->IsEOF());
    EXPECT_EQ(file->ReadBlock(buf, 60), 0u);
    EXPECT_EQ(file->SetPosition(0), -1);
    EXPECT_EQ(file->Retain(), nullptr);
    file->Release();
}

TEST_F(MMapedFileTest, WritesGrowTheFileAndMoveTheWindow)
{
    Write("page", std::string(4096, '\0'));
    COB_MMapedFile* file = Map("page", 0, 4096);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->IsValid());
    ASSERT_TRUE(file->WriteBlock("0123456789", 100000, 10));
    EXPECT_EQ(file->GetSize(), 131072);
    EXPECT_EQ(std::string(static_cast<const char*>(file->GetMemory()) + (100000 - 65536), 10), "0123456789");

    // A write across the 64 KB boundary lands whole, in two windows.
    const std::string across = Pattern(40);
    ASSERT_TRUE(file->WriteBlock(across.data(), 65536 - 15, across.size()));
    EXPECT_EQ(file->GetPosition(), 65536 + 25);
    char buf[40];
    ASSERT_TRUE(file->ReadBlock(buf, 65536 - 15, 40));
    EXPECT_EQ(std::string(buf, 40), across);
    EXPECT_FALSE(file->WriteBlock("x", -1, 1));
    EXPECT_FALSE(file->WriteBlock(nullptr, 0, 1));
    EXPECT_TRUE(file->Flush());
    file->Release();

    std::string bytes = Read("page");
    ASSERT_EQ(bytes.size(), 131072u);
    EXPECT_EQ(bytes.substr(100000, 10), "0123456789");
    EXPECT_EQ(bytes.substr(65536 - 15, 40), across);
}

TEST_F(MMapedFileTest, WindowAtAnOffsetAndRefusedWindows)
{
    const std::string bytes = Pattern(70000);
    Write("f", bytes);
    COB_MMapedFile* file = Map("f", 65536, 65536);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->IsValid());
    EXPECT_EQ(std::string(static_cast<const char*>(file->GetMemory()), 70000 - 65536), bytes.substr(65536));
    file->Release();

    struct
    {
        OB_FILESIZE offset;
        uint64_t length;
    } refused[] = {{100, 4096}, {70000, 4096}, {131072, 4096}, {-4096, 4096}, {0, 0}};
    for (const auto& r : refused) {
        SCOPED_TRACE(r.offset);
        COB_MMapedFile* f = Map("f", r.offset, r.length);
        ASSERT_NE(f, nullptr);
        EXPECT_FALSE(f->IsValid());
        char buf[10];
        EXPECT_TRUE(f->ReadBlock(buf, 69990, 10)); // the window moves on demand
        EXPECT_EQ(std::string(buf, 10), bytes.substr(69990));
        f->Release();
    }
    EXPECT_EQ(Read("f"), bytes);
}

// Another writer cuts the file short while it is mapped: reads fail instead of faulting.
TEST_F(MMapedFileTest, FileCutShortUnderneath)
{
    Write("f", Pattern(70000));
    COB_MMapedFile* file = Map("f", 0, 1 << 20);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->IsValid());
    ASSERT_EQ(truncate(Path("f").c_str(), 10), 0);
    char buf[10];
    EXPECT_FALSE(file->ReadBlock(buf, 60000, 10));
    EXPECT_EQ(file->GetSize(), 10);
    EXPECT_TRUE(file->ReadBlock(buf, 0, 10));
    EXPECT_EQ(std::string(buf, 10), Pattern(10));
    file->Release();
}

TEST_F(MMapedFileTest, UnopenableFileIsInvalid)
{
    COB_MMapedFile* file = Map("no/such/folder/f");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->IsValid());
    EXPECT_EQ(file->GetMemory(), nullptr);
    EXPECT_EQ(file->GetSize(), 0);
    char buf[4];
    EXPECT_FALSE(file->ReadBlock(buf, 0, 1));
    EXPECT_FALSE(file->WriteBlock("x", 0, 1));
    EXPECT_FALSE(file->ReMap(0, 10));
    EXPECT_FALSE(file->Flush());
    file->Release();
}

} // namespace
