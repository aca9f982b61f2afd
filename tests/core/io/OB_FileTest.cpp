#include "OB_File.h"

#include "COBCRT_FileAccess_Posix.h"
#include "COB_ByteString.h"
#include "SandboxFileTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class FileTest : public SandboxFileTest
{
protected:
    bool Exists(const std::string& name) const { return access(Path(name).c_str(), F_OK) == 0; }
    static std::string Pattern(size_t size)
    {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 7 + i / 251);
        return bytes;
    }
};

TEST_F(FileTest, OpenModesCreateKeepOrEmpty)
{
    struct Case
    {
        uint32_t mode;
        bool existing;
        bool opens;
        const char* contentsAfter; // nullptr: the file does not exist afterwards
    } cases[] = {
        {OB_FILEMODE_READONLY, false, false, nullptr},
        {OB_FILEMODE_READONLY, true, true, "keep me"},
        {0, false, true, ""},
        {0, true, true, "keep me"},
        {OB_FILEMODE_TRUNCATE, false, true, ""},
        {OB_FILEMODE_TRUNCATE, true, true, ""},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(i);
        std::string name = "f" + std::to_string(i++);
        if (c.existing)
            Write(name, "keep me");
        _OB_HFILE file = OB_File_Open(COB_ByteStringC(Path(name).c_str()), c.mode);
        EXPECT_EQ(file != nullptr, c.opens);
        OB_File_Close(file);
        EXPECT_EQ(Read(name), c.contentsAfter ? c.contentsAfter : "<missing>");
    }
    // New files are created rw-r--r-- (under the usual mask).
    umask(022);
    OB_File_Close(OB_File_Open(COB_ByteStringC(Path("new").c_str()), 0));
    struct stat st;
    ASSERT_EQ(stat(Path("new").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(FileTest, FlagsForModes)
{
    int flags = 0, permissions = -1;
    EXPECT_EQ(OBCRT_Posix_GetFileMode(OB_FILEMODE_READONLY, flags, permissions), O_RDONLY);
    EXPECT_EQ(permissions, 0);
    EXPECT_EQ(OBCRT_Posix_GetFileMode(0, flags, permissions), O_RDWR | O_CREAT);
    EXPECT_EQ(permissions, 0644);
    EXPECT_EQ(OBCRT_Posix_GetFileMode(OB_FILEMODE_TRUNCATE, flags, permissions), O_RDWR | O_CREAT | O_TRUNC);
    EXPECT_EQ(flags, O_RDWR | O_CREAT | O_TRUNC);
}

TEST_F(FileTest, ReadOnlyHandleRefusesWrites)
{
    Write("ro", "abc");
    _OB_HFILE file = OB_File_Open(COB_ByteStringC(Path("ro").c_str()), OB_FILEMODE_READONLY);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(OB_File_Write(file, "xyz", 3), 0u);
    EXPECT_EQ(OB_File_WritePos(file, "xyz", 3, 0), 0u);
    EXPECT_FALSE(OB_File_Truncate(file, 0));
    OB_File_Close(file);
    EXPECT_EQ(Read("ro"), "abc");
}

TEST_F(FileTest, PositionedAndSequentialTransfers)
{
    _OB_HFILE file = OB_File_Open(COB_ByteStringC(Path("rw").c_str()), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(OB_File_Write(file, "0123456789", 10), 10u);
    EXPECT_EQ(OB_File_GetPosition(file), 10);
    EXPECT_EQ(OB_File_GetSize(file), 10);
    // Writing past the end leaves a gap of zeros.
    EXPECT_EQ(OB_File_WritePos(file, "ab", 2, 12), 2u);
    EXPECT_EQ(OB_File_GetSize(file), 14);
    EXPECT_EQ(OB_File_GetPosition(file), 14);

    char buf[32] = {};
    struct
    {
        OB_FILESIZE offset;
        size_t size;
        size_t got;
        std::string bytes;
    } reads[] = {
        {0, 4, 4, "0123"},
        {8, 10, 6, std::string("89\0\0ab", 6)}, // a read running past the end returns what there is
        {13, 1, 1, "b"},
        {14, 1, 0, ""}, // at exactly the size
        {100, 1, 0, ""},
        {-1, 1, 0, ""},
    };
    for (const auto& r : reads) {
        SCOPED_TRACE(r.offset);
        ASSERT_EQ(OB_File_ReadPos(file, buf, r.size, r.offset), r.got);
        EXPECT_EQ(std::string(buf, r.got), r.bytes);
    }
    EXPECT_EQ(OB_File_SetPosition(file, 2), 2);
    EXPECT_EQ(OB_File_Read(file, buf, 3), 3u);
    EXPECT_EQ(std::string(buf, 3), "234");
    EXPECT_EQ(OB_File_GetPosition(file), 5);
    EXPECT_EQ(OB_File_SetPosition(file, -5), -1);
    EXPECT_EQ(OB_File_WritePos(file, "x", 1, -1), 0u);

    EXPECT_TRUE(OB_File_Truncate(file, 4));
    EXPECT_EQ(OB_File_GetSize(file), 4);
    EXPECT_FALSE(OB_File_Truncate(file, -1));
    EXPECT_TRUE(OB_File_Flush(file));
    OB_File_Close(file);
    EXPECT_EQ(Read("rw"), "0123");
}

TEST_F(FileTest, SizesAndOffsetsBeyondFourGigabytes)
{
    const OB_FILESIZE far = (OB_FILESIZE(5) << 30) + 3; // 5 GB + 3: kept sparse by the file system
    _OB_HFILE file = OB_File_Open(COB_ByteStringC(Path("big").c_str()), OB_FILEMODE_TRUNCATE);
    ASSERT_NE(file, nullptr);
    if (OB_File_WritePos(file, "end", 3, far) != 3u) {
        OB_File_Close(file);
        GTEST_SKIP() << "no sparse 5 GB files here";
    }
    EXPECT_EQ(OB_File_GetSize(file), far + 3);
    EXPECT_EQ(OB_File_GetPosition(file), far + 3);
    char buf[3];
    EXPECT_EQ(OB_File_ReadPos(file, buf, 3, far), 3u);
    EXPECT_EQ(std::string(buf, 3), "end");
    EXPECT_EQ(OB_File_SetPosition(file, far + 1), far + 1);
    EXPECT_TRUE(OB_File_Truncate(file, far));
    EXPECT_EQ(OB_File_GetSize(file), far);
    OB_File_Close(file);
}

TEST_F(FileTest, ClosedHandleReportsNothing)
{
    COBCRT_FileAccess_Posix file;
    char buf[4];
    EXPECT_EQ(file.GetSize(), 0);
    EXPECT_EQ(file.GetPosition(), -1);
    EXPECT_EQ(file.SetPosition(0), -1);
    EXPECT_EQ(file.Read(buf, 4), 0u);
    EXPECT_EQ(file.Write("abcd", 4), 0u);
    EXPECT_EQ(file.ReadPos(buf, 4, 0), 0u);
    EXPECT_EQ(file.WritePos("abcd", 4, 0), 0u);
    EXPECT_FALSE(file.Flush());
    EXPECT_FALSE(file.Truncate(0));

    ASSERT_TRUE(file.Open(COB_ByteStringC(Path("once").c_str()), 0));
    EXPECT_FALSE(file.Open(COB_ByteStringC(Path("twice").c_str()), 0)); // already open
    EXPECT_FALSE(Exists("twice"));
    file.Close();
    EXPECT_EQ(file.GetPosition(), -1);
}

TEST_F(FileTest, PathsAreExactAndWidePathsAreUTF8)
{
    // A NUL inside the path text must not open the file named by the part before it.
    Write("real", "x");
    std::string withNul = Path("real") + std::string("\0.bak", 5);
    EXPECT_EQ(OB_File_Open(COB_ByteStringC(withNul.data(), static_cast<int>(withNul.size())), 0), nullptr);
    EXPECT_FALSE(OB_File_Exist(COB_ByteStringC(withNul.data(), static_cast<int>(withNul.size()))));
    EXPECT_FALSE(OB_File_Delete(COB_ByteStringC(withNul.data(), static_cast<int>(withNul.size()))));
    EXPECT_TRUE(Exists("real"));

    // A view that is not NUL-terminated names only its own bytes.
    std::string longer = Path("real") + "XYZ";
    EXPECT_TRUE(OB_File_Exist(COB_ByteStringC(longer.data(), static_cast<int>(longer.size()) - 3)));

    std::wstring wide = QString::fromStdString(Path("")).toStdWString() + L"d\u00e9j\u00e0-\u6587.xml";
    _OB_HFILE file = OB_File_Open(COB_WideStringC(wide.c_str()), OB_FILEMODE_TRUNCATE);
    ASSERT_NE(file, nullptr);
    OB_File_Close(file);
    EXPECT_TRUE(Exists("d\xc3\xa9j\xc3\xa0-\xe6\x96\x87.xml"));
    EXPECT_TRUE(OB_File_Exist(COB_WideStringC(wide.c_str())));
    EXPECT_TRUE(OB_File_Delete(COB_WideStringC(wide.c_str())));
    EXPECT_FALSE(OB_File_Exist(COB_WideStringC(wide.c_str())));
}

// The descriptor may hand over fewer bytes than asked (a pipe fed in pieces): Read keeps going.
TEST_F(FileTest, ReadCollectsShortTransfers)
{
    ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);
    std::string fifo = Path("fifo");
    std::thread writer([fifo] {
        int fd = open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(write(fd, "hello", 5), 5);
        // The rest only once the reader took the first part, so that its read comes back short.
        int waiting = 5;
        for (int tries = 0; tries < 20000 && ioctl(fd, FIONREAD, &waiting) == 0 && waiting > 0; ++tries)
            usleep(1000);
        EXPECT_EQ(waiting, 0);
        EXPECT_EQ(write(fd, " world", 6), 6);
        close(fd);
    });
    _OB_HFILE file = OB_File_Open(COB_ByteStringC(fifo.c_str()), OB_FILEMODE_READONLY);
    ASSERT_NE(file, nullptr);
    char buf[32] = {};
    EXPECT_EQ(OB_File_Read(file, buf, 11), 11u);
    EXPECT_EQ(std::string(buf, 11), "hello world");
    EXPECT_EQ(OB_File_Read(file, buf, 5), 0u); // the end
    OB_File_Close(file);
    writer.join();
}

TEST_F(FileTest, CopyOutcomes)
{
    const std::string big = Pattern(100000); // several 32 KB rounds and a partial one
    struct Case
    {
        const char* name;
        std::string source;      // contents; "<missing>" = no source; "<dir>" = a folder
        std::string destination; // existing destination contents, "<missing>" = none
        const char* target;      // destination name
        bool result;
        std::string after; // destination afterwards
    } cases[] = {
        {"several rounds", big, "<missing>", "to", true, big},
        {"one byte", "x", "<missing>", "to", true, "x"},
        {"longer destination is cut", "short", std::string(50000, 'z'), "to", true, "short"},
        {"empty source", "", "<missing>", "to", false, "<missing>"},
        {"empty source keeps destination", "", "old", "to", false, "old"},
        {"missing source", "<missing>", "<missing>", "to", false, "<missing>"},
        {"folder as source", "<dir>", "<missing>", "to", false, ""},
        {"destination folder missing", "abc", "<missing>", "no/such/to", false, "<missing>"},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string dir = "c" + std::to_string(i++);
        ASSERT_EQ(mkdir(Path(dir).c_str(), 0755), 0);
        std::string from = dir + "/from", to = dir + "/" + c.target;
        if (c.source == "<dir>")
            ASSERT_EQ(mkdir(Path(from).c_str(), 0755), 0);
        else if (c.source != "<missing>")
            Write(from, c.source);
        if (c.destination != "<missing>")
            Write(to, c.destination);
        EXPECT_EQ(OB_File_Copy(COB_ByteStringC(Path(from).c_str()), COB_ByteStringC(Path(to).c_str())), c.result);
        EXPECT_EQ(Read(to), c.after);
    }
    std::wstring wfrom = QString::fromStdString(Path("c0/from")).toStdWString();
    std::wstring wto = QString::fromStdString(Path("c0/w\u00fc")).toStdWString();
    EXPECT_TRUE(OB_File_Copy(COB_WideStringC(wfrom.c_str()), COB_WideStringC(wto.c_str())));
    EXPECT_EQ(Read("c0/w\xc3\xbc"), big);
}

TEST_F(FileTest, CopyOntoItselfFailsAndKeepsTheFile)
{
    Write("same", "precious");
    ASSERT_EQ(link(Path("same").c_str(), Path("alias").c_str()), 0);
    EXPECT_FALSE(OB_File_Copy(COB_ByteStringC(Path("same").c_str()), COB_ByteStringC(Path("same").c_str())));
    EXPECT_FALSE(OB_File_Copy(COB_ByteStringC(Path("same").c_str()), COB_ByteStringC(Path("alias").c_str())));
    EXPECT_EQ(Read("same"), "precious");
}

// A destination that cannot take every byte: the copy stops part-way and says so.
TEST_F(FileTest, PartialCopyIsFailure)
{
    Write("from", Pattern(100000));
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {50000, RLIM_INFINITY};
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    limit.rlim_max = old.rlim_max;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    bool copied = OB_File_Copy(COB_ByteStringC(Path("from").c_str()), COB_ByteStringC(Path("to").c_str()));
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(copied);
    EXPECT_EQ(Read("to").size(), 50000u);
}

TEST_F(FileTest, MoveDeleteExist)
{
    Write("a", "moved");
    EXPECT_TRUE(OB_File_Exist(COB_ByteStringC(Path("a").c_str())));
    EXPECT_TRUE(OB_File_Move(COB_ByteStringC(Path("a").c_str()), COB_ByteStringC(Path("b").c_str())));
    EXPECT_FALSE(Exists("a"));
    EXPECT_EQ(Read("b"), "moved");
    EXPECT_FALSE(OB_File_Move(COB_ByteStringC(Path("a").c_str()), COB_ByteStringC(Path("c").c_str())));
    EXPECT_FALSE(OB_File_Move(COB_ByteStringC(Path("b").c_str()), COB_ByteStringC(Path("no/c").c_str())));
    EXPECT_EQ(Read("b"), "moved");

    std::wstring wb = QString::fromStdString(Path("b")).toStdWString();
    std::wstring wc = QString::fromStdString(Path("\u00e7")).toStdWString();
    EXPECT_TRUE(OB_File_Move(COB_WideStringC(wb.c_str()), COB_WideStringC(wc.c_str())));
    EXPECT_TRUE(OB_File_Delete(COB_WideStringC(wc.c_str())));
    EXPECT_FALSE(OB_File_Exist(COB_WideStringC(wc.c_str())));
    EXPECT_FALSE(OB_File_Delete(COB_WideStringC(wc.c_str())));
    EXPECT_FALSE(OB_File_Exist(COB_ByteStringC("")));
}

} // namespace
