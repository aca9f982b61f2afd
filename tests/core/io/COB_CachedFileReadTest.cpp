#include "COB_CachedFileRead.h"

#include "MemoryFileRead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(COB_CachedFileRead, InitRules)
{
    std::vector<uint8_t> area(4 * 4096);
    COB_CachedFileRead* small = new COB_CachedFileRead;
    EXPECT_FALSE(small->AttachFile(nullptr, false)); // before Init
    EXPECT_FALSE(small->Init(1024, 4, area.data()));
    EXPECT_TRUE(small->Init(1024, 4, nullptr)); // no cache: reads go straight to the file
    EXPECT_FALSE(small->Init(4096, 4, area.data()));
    MemoryFileRead file("hello world");
    ASSERT_TRUE(small->AttachFile(&file, false));
    char out[5];
    ASSERT_TRUE(small->ReadBlock(out, 6, 5));
    EXPECT_EQ(std::string(out, 5), "world");
    EXPECT_EQ(small->GetPosition(), 11);
    EXPECT_TRUE(small->IsEOF());
    small->Release();
    EXPECT_EQ(file.releases, 0); // not taken over
}

TEST(COB_CachedFileRead, ReadsThroughTheCacheAndReleasesAnOwnedFile)
{
    std::string bytes(3 * 4096, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 253);
    MemoryFileRead file(bytes);
    std::vector<uint8_t> area(2 * 4096);
    COB_CachedFileRead* stream = new COB_CachedFileRead;
    EXPECT_TRUE(stream->IsEOF());
    EXPECT_EQ(stream->GetSize(), 0);
    ASSERT_TRUE(stream->Init(4096, 2, area.data()));
    ASSERT_TRUE(stream->AttachFile(&file, true));
    EXPECT_EQ(stream->SetPosition(5), -1);
    EXPECT_FALSE(stream->WriteBlock("x", 0, 1));
    EXPECT_FALSE(stream->Flush());

    std::string out(1000, '?');
    size_t total = 0;
    size_t n;
    while ((n = stream->ReadBlock(&out[0], out.size())) > 0) {
        EXPECT_TRUE(out.compare(0, n, bytes, total, n) == 0);
        total += n;
    }
    EXPECT_EQ(total, bytes.size());
    EXPECT_EQ(file.reads, 3); // one read per chunk
    EXPECT_TRUE(stream->PreCache(0, 1));

    file.fail = true;
    EXPECT_FALSE(stream->ReadBlock(&out[0], 4096, 10)); // the chunk at 4096 was evicted
    EXPECT_EQ(stream->GetPosition(), static_cast<OB_FILESIZE>(bytes.size()));

    IOB_FileStream* again = stream->Retain();
    stream->Release();
    EXPECT_EQ(file.releases, 0);
    again->Release();
    EXPECT_EQ(file.releases, 1);
}

} // namespace
