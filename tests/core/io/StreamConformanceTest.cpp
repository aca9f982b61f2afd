// The behaviour every file stream shares, run over each implementation holding the same bytes.
#include "COB_CachedFileRead.h"
#include "COB_MMapedFile.h"
#include "OB_FileStream.h"
#include "SandboxFileTest.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const size_t kSize = 10000;

std::string Content()
{
    std::string bytes(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) % 251);
    return bytes;
}

typedef const char* Kind;

const Kind kAll[] = {"file", "memory_contiguous", "memory_blocks", "memory_caller_buffer", "cached", "mapped"};
const Kind kWritable[] = {"file", "memory_contiguous", "memory_blocks", "memory_caller_buffer", "mapped"};
const Kind kWindowed[] = {"file", "memory_contiguous", "memory_blocks", "memory_caller_buffer"};

class StreamConformance : public SandboxFileTest, public ::testing::WithParamInterface<Kind>
{
protected:
    void SetUp() override
    {
        content = Content();
        stream = Make(GetParam());
        ASSERT_NE(stream, nullptr);
        ASSERT_EQ(stream->GetSize(), static_cast<OB_FILESIZE>(kSize));
    }
    void TearDown() override
    {
        if (stream)
            stream->Release();
    }

    IOB_FileStream* Make(const std::string& kind)
    {
        if (kind.rfind("memory", 0) == 0) {
            IOB_MemoryStream* memory;
            if (kind == "memory_caller_buffer") {
                void* copy = std::malloc(kSize);
                std::memcpy(copy, content.data(), kSize);
                return OB_CreateMemoryStream(copy, kSize, true);
            }
            memory = OB_CreateMemoryStream(kind == "memory_contiguous");
            // Small blocks, so that reads and writes cross block boundaries.
            memory->PresetSizes(0, 4096);
            EXPECT_TRUE(memory->WriteBlock(content.data(), 0, kSize));
            memory->SetPosition(0);
            return memory;
        }
        Write("data", content);
        if (kind == "file")
            return OB_CreateFileStream(Path("data").c_str(), 0);
        if (kind == "mapped") {
            std::wstring path = QString::fromStdString(Path("data")).toStdWString();
            return COB_MMapedFile::Create(COB_WideStringC(path.c_str()), 0, 65536);
        }
        COB_CachedFileRead* cached = new COB_CachedFileRead;
        area.assign(2 * 4096, 0);
        EXPECT_TRUE(cached->Init(4096, 2, area.data()));
        EXPECT_TRUE(cached->AttachFile(OB_CreateFileRead(Path("data").c_str()), true));
        return cached;
    }

    std::string At(OB_FILESIZE offset, size_t size) { return content.substr(static_cast<size_t>(offset), size); }

    std::string content;
    std::vector<uint8_t> area;
    IOB_FileStream* stream = nullptr;
};

TEST_P(StreamConformance, PositionedReadsGiveExactBytesAndRefuseRangesPastTheEnd)
{
    struct Case
    {
        OB_FILESIZE offset;
        size_t size;
    };
    for (Case c : {Case{0, 1}, Case{4090, 10}, Case{8189, 4}, Case{3000, 6000}, Case{9999, 1}, Case{0, kSize}}) {
        SCOPED_TRACE(c.offset);
        std::string buffer(c.size, '?');
        ASSERT_TRUE(stream->ReadBlock(&buffer[0], c.offset, c.size));
        EXPECT_TRUE(buffer == At(c.offset, c.size));
    }
    char buffer[4];
    for (Case c : {Case{9999, 2}, Case{10000, 1}, Case{-1, 1}, Case{20000, 4}}) {
        SCOPED_TRACE(c.offset);
        EXPECT_FALSE(stream->ReadBlock(buffer, c.offset, c.size));
    }
}

TEST_P(StreamConformance, SequentialReadsCoverTheDataOnceThenStopAtTheEnd)
{
    std::string whole;
    char piece[777];
    size_t n;
    while ((n = stream->ReadBlock(piece, sizeof(piece))) > 0)
        whole.append(piece, n);
    EXPECT_EQ(whole.size(), content.size());
    EXPECT_TRUE(whole == content);
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_EQ(stream->GetPosition(), static_cast<OB_FILESIZE>(kSize));
    EXPECT_EQ(stream->ReadBlock(piece, sizeof(piece)), 0u);
}

class WritableStream : public StreamConformance
{
};
class WindowedStream : public StreamConformance
{
};

TEST_P(WritableStream, WrittenBytesReadBack)
{
    EXPECT_FALSE(stream->WriteBlock("never", 0, 0)); // writing nothing is not a success
    std::string bytes(300, 'w');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(stream->WriteBlock(bytes.data(), 4000, bytes.size()));
    content.replace(4000, bytes.size(), bytes);
    std::string buffer(400, '?');
    ASSERT_TRUE(stream->ReadBlock(&buffer[0], 3950, buffer.size()));
    EXPECT_TRUE(buffer == At(3950, 400));
    EXPECT_EQ(stream->GetSize(), static_cast<OB_FILESIZE>(kSize));
}

TEST_P(WindowedStream, WindowMakesEveryOffsetRelative)
{
    EXPECT_FALSE(stream->SetWindow(9900, 200));
    EXPECT_FALSE(stream->SetWindow(-1, 10));
    ASSERT_TRUE(stream->SetWindow(100, 50));
    EXPECT_EQ(stream->GetSize(), 50);
    EXPECT_EQ(stream->GetPosition(), 0);
    char buffer[80];
    ASSERT_TRUE(stream->ReadBlock(buffer, 40, 10));
    EXPECT_EQ(std::string(buffer, 10), At(140, 10));
    ASSERT_EQ(stream->SetPosition(0), 0);
    EXPECT_EQ(stream->SetPosition(51), -1);
    ASSERT_EQ(stream->ReadBlock(buffer, sizeof(buffer)), 50u);
    EXPECT_EQ(std::string(buffer, 50), At(100, 50));
    EXPECT_TRUE(stream->IsEOF());
    stream->ClearWindow();
    EXPECT_EQ(stream->GetSize(), static_cast<OB_FILESIZE>(kSize));
}

std::string NameOf(const ::testing::TestParamInfo<Kind>& info)
{
    return info.param;
}

INSTANTIATE_TEST_SUITE_P(AllStreams, StreamConformance, ::testing::ValuesIn(kAll), NameOf);
INSTANTIATE_TEST_SUITE_P(AllStreams, WritableStream, ::testing::ValuesIn(kWritable), NameOf);
INSTANTIATE_TEST_SUITE_P(AllStreams, WindowedStream, ::testing::ValuesIn(kWindowed), NameOf);

} // namespace
