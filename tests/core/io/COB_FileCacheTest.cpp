#include "COB_FileCache.h"

#include "MemoryFileRead.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 13 + i / 4096);
    return bytes;
}

class FileCacheTest : public ::testing::Test
{
protected:
    FileCacheTest() : file(Pattern(5 * 4096 + 100)), area(3 * 4096) {}
    void SetUp() override { ASSERT_TRUE(cache.InitChunk(4096, 3, area.data())); }

    std::string Read(OB_FILESIZE offset, size_t size)
    {
        std::string out(size, '?');
        EXPECT_TRUE(cache.ReadBlock(&file, &out[0], offset, size));
        return out;
    }
    std::vector<OB_FILESIZE> Cached() const
    {
        std::vector<OB_FILESIZE> offsets;
        for (int i = 0; i < cache.GetChunksInUse(); ++i)
            offsets.push_back(cache.GetChunk(i)->offset);
        return offsets;
    }

    MemoryFileRead file;
    std::vector<uint8_t> area;
    COB_FileCache cache;
};

TEST_F(FileCacheTest, LeastRecentlyUsedChunkIsReplacedAndTheTableStaysSorted)
{
    for (OB_FILESIZE offset : {0, 4096, 8192})
        Read(offset, 1);
    EXPECT_EQ(Cached(), (std::vector<OB_FILESIZE>{0, 4096, 8192}));
    Read(12288, 1);
    EXPECT_EQ(Cached(), (std::vector<OB_FILESIZE>{4096, 8192, 12288}));
    Read(0, 1);
    EXPECT_EQ(Cached(), (std::vector<OB_FILESIZE>{0, 8192, 12288}));
    // Hits do not touch the file.
    int reads = file.reads;
    EXPECT_EQ(Read(8192, 4096), file.data.substr(8192, 4096));
    EXPECT_EQ(Read(1, 10), file.data.substr(1, 10));
    EXPECT_EQ(file.reads, reads);
}

TEST_F(FileCacheTest, ReadsSpanChunksAndTheShortLastChunk)
{
    EXPECT_EQ(Read(4090, 10), file.data.substr(4090, 10));
    EXPECT_EQ(Read(5 * 4096 - 5, 105), file.data.substr(5 * 4096 - 5, 105));
    EXPECT_EQ(Read(100, 3 * 4096), file.data.substr(100, 3 * 4096));
    char c;
    EXPECT_FALSE(cache.ReadBlock(&file, &c, static_cast<OB_FILESIZE>(file.data.size()), 1));
    EXPECT_FALSE(cache.ReadBlock(&file, &c, -1, 1));
}

// A chunk the file could not deliver is reported, and never served later as if it held the file's bytes.
TEST_F(FileCacheTest, FailedFileReadIsReportedAndNothingStaleStays)
{
    for (OB_FILESIZE offset : {0, 4096, 8192})
        Read(offset, 1);
    file.fail = true;
    std::string out(10, '?');
    EXPECT_FALSE(cache.ReadBlock(&file, &out[0], 12288, 10));
    EXPECT_EQ(Cached().size(), 2u); // the evicted chunk's record no longer claims any offset
    EXPECT_FALSE(cache.PreCache(&file, 16384, 1));
    file.fail = false;
    EXPECT_EQ(Read(12288, 10), file.data.substr(12288, 10));
    EXPECT_EQ(Read(0, 10), file.data.substr(0, 10));
    std::vector<OB_FILESIZE> cached = Cached();
    EXPECT_TRUE(std::is_sorted(cached.begin(), cached.end()));
    EXPECT_EQ(std::set<OB_FILESIZE>(cached.begin(), cached.end()).size(), cached.size());
}

TEST_F(FileCacheTest, PreCacheLoadsConsecutiveChunksUpToTheEnd)
{
    EXPECT_FALSE(cache.PreCache(&file, -1, 1));
    EXPECT_FALSE(cache.PreCache(&file, 0, 0));
    EXPECT_FALSE(cache.PreCache(&file, static_cast<OB_FILESIZE>(file.data.size()), 1));
    EXPECT_TRUE(cache.PreCache(&file, 4097, 2));
    EXPECT_EQ(Cached(), (std::vector<OB_FILESIZE>{4096, 8192}));
    EXPECT_TRUE(cache.PreCache(&file, 5 * 4096, 3)); // only the last, short chunk exists
    EXPECT_EQ(Cached(), (std::vector<OB_FILESIZE>{4096, 8192, 20480}));
    cache.Clear();
    EXPECT_TRUE(Cached().empty());
}

TEST(COB_FileCache, WithoutAnAreaReadsGoToTheFile)
{
    MemoryFileRead file("abcdef");
    COB_FileCache cache;
    ASSERT_TRUE(cache.InitChunk(4096, 3, nullptr));
    EXPECT_FALSE(cache.IsActive());
    EXPECT_FALSE(cache.PreCache(&file, 0, 1));
    char out[3];
    ASSERT_TRUE(cache.ReadBlock(&file, out, 2, 3));
    EXPECT_EQ(std::string(out, 3), "cde");
    EXPECT_EQ(file.reads, 1);
}

} // namespace
