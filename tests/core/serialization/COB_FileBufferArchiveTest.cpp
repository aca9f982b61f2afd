#include "COB_FileBufferArchive.h"

#include "COB_ByteStringC.h"
#include "OB_FileStream.h"
#include "SandboxFileTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A sink that keeps what it is handed.
class Collecting : public IOB_BufferArchive
{
public:
    explicit Collecting(int size) : IOB_BufferArchive(size, nullptr) {}
    bool DoWork(const void* data, size_t size) override
    {
        out.append(static_cast<const char*>(data), size);
        ++calls;
        return true;
    }
    std::string out;
    int calls = 0;
};

TEST(IOB_BufferArchive, FullBuffersReachTheSinkAndNumbersAreDecimal)
{
    Collecting archive(4);
    EXPECT_EQ(archive.AppendBlock(nullptr, 3), 0);
    EXPECT_EQ(archive.AppendBlock("x", 0), 0);
    EXPECT_EQ(archive.AppendBlock("abcdefghij", 10), 10);
    EXPECT_EQ(archive.out, "abcdefgh");
    EXPECT_EQ(archive.GetPendingLength(), 2);
    // A count of 2^32 - 1 is written as the count it is.
    EXPECT_EQ(archive.AppendDWord(4294967295u), 10);
    EXPECT_EQ(archive.AppendInt64(-12345678901LL), 12);
    EXPECT_EQ(archive.AppendByte('!'), 1);
    EXPECT_EQ(archive.AppendString(COB_ByteStringC("end")), 3);
    EXPECT_TRUE(archive.Flush());
    EXPECT_EQ(archive.out, "abcdefghij4294967295-12345678901!end");
    EXPECT_EQ(archive.GetPendingLength(), 0);
}

TEST(IOB_BufferArchive, ClearDiscardsWhatIsPending)
{
    Collecting archive(8);
    archive.AppendBlock("abc", 3);
    archive.Clear();
    EXPECT_EQ(archive.GetPendingLength(), 0);
    archive.AppendBlock("de", 2);
    archive.Flush();
    EXPECT_EQ(archive.out, "de");
}

class FileBufferArchiveTest : public SandboxFileTest
{
};

TEST_F(FileBufferArchiveTest, WithoutAStreamTheSinkFails)
{
    COB_FileBufferArchive archive(4);
    EXPECT_EQ(archive.AppendBlock("ab", 2), 2);
    EXPECT_EQ(archive.AppendBlock("cd", 2), -1);
    EXPECT_FALSE(archive.Flush());
    EXPECT_FALSE(archive.AttachFile(static_cast<IOB_StreamWrite*>(nullptr), true));
    EXPECT_FALSE(archive.AttachFile(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(archive.AttachFile(Path("no/such/folder/file").c_str()));
}

TEST_F(FileBufferArchiveTest, WritesThroughToItsFileOnlyWhenFlushed)
{
    {
        COB_FileBufferArchive archive(8);
        ASSERT_TRUE(archive.AttachFile(Path("out").c_str()));
        archive.AppendBlock("0123456789", 10);
        EXPECT_EQ(Read("out"), "01234567");
        EXPECT_TRUE(archive.Flush());
        EXPECT_EQ(Read("out"), "0123456789");
        archive.AppendBlock("lost", 4); // not flushed: dropped with the archive
    }
    EXPECT_EQ(Read("out"), "0123456789");

    IOB_MemoryStream* stream = OB_CreateMemoryStream(true);
    COB_FileBufferArchive archive(8);
    ASSERT_TRUE(archive.AttachFile(stream, false));
    archive.AppendDWord(7);
    EXPECT_TRUE(archive.Flush());
    archive.Clear(); // forgets the stream without releasing it
    EXPECT_EQ(stream->GetSize(), 1);
    stream->Release();
}

// Attaching the stream the archive already owns keeps it: the archive releases it once, at the end.
TEST_F(FileBufferArchiveTest, AttachingItsOwnStreamAgainKeepsIt)
{
    IOB_MemoryStream* stream = OB_CreateMemoryStream(true);
    stream->Retain(); // ours, besides the archive's
    {
        COB_FileBufferArchive archive(8);
        ASSERT_TRUE(archive.AttachFile(stream, true));
        ASSERT_TRUE(archive.AttachFile(stream, true));
        archive.AppendBlock("kept", 4);
        EXPECT_TRUE(archive.Flush());
    }
    // One reference is left: Retain hands the stream out again only while it is alive.
    IOB_FileStream* again = stream->Retain();
    EXPECT_EQ(again->GetSize(), 4);
    again->Release();
    stream->Release();
}

} // namespace
