#include "COB_ContinuousBytesCache.h"

#include "MemoryFileRead.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<COB_ContinuousBytesCache> Cache(uint64_t capacity)
{
    return std::unique_ptr<COB_ContinuousBytesCache>(
        static_cast<COB_ContinuousBytesCache*>(OB_CreateContinuousBytesCache(capacity)));
}

std::string Held(COB_ContinuousBytesCache& cache)
{
    OB_BytesRange range = cache.GetRange();
    std::string out(range.length, '?');
    cache.ReadRange(&out[0], range);
    return out;
}

TEST(COB_ContinuousBytesCache, AddRangeExtendsAtEitherEndOrReplaces)
{
    auto cache = Cache(8);
    ASSERT_TRUE(cache);
    cache->AddRange("abcdef", 100, 6);
    EXPECT_EQ(cache->GetRange().offset, 100);
    cache->AddRange("ghij", 106, 4); // after: two bytes drop out at the front
    EXPECT_EQ(cache->GetRange().offset, 102);
    EXPECT_EQ(cache->GetRange().length, 8u);
    EXPECT_EQ(Held(*cache), "cdefghij");

    cache->AddRange("AB", 100, 2); // before: the tail that no longer fits goes
    EXPECT_EQ(cache->GetRange().offset, 100);
    EXPECT_EQ(Held(*cache), "ABcdefgh");

    cache->AddRange("0123456789", 500, 10); // not touching: the last 8 bytes replace everything
    EXPECT_EQ(cache->GetRange().offset, 502);
    EXPECT_EQ(Held(*cache), "23456789");
}

TEST(COB_ContinuousBytesCache, ReadRangeCopiesTheOverlapInPlace)
{
    auto cache = Cache(8);
    cache->AddRange("abcdef", 100, 6);
    std::string out(10, '.');
    OB_BytesRange got = cache->ReadRange(&out[0], {97, 10});
    EXPECT_EQ(got.offset, 100);
    EXPECT_EQ(got.length, 6u);
    EXPECT_EQ(out, "...abcdef.");
    EXPECT_EQ(cache->ReadRange(&out[0], {106, 4}).length, 0u);
    EXPECT_EQ(cache->ReadRange(&out[0], {90, 10}).length, 0u);
    cache->Clear();
    EXPECT_EQ(cache->ReadRange(&out[0], {100, 6}).length, 0u);
}

TEST(COB_ContinuousBytesCache, LoadKeepsOnlyWhatTheFileDelivered)
{
    MemoryFileRead file("0123456789abc");
    auto cache = Cache(8);
    cache->Load(&file, 2, 100);
    EXPECT_EQ(cache->GetRange().offset, 2);
    EXPECT_EQ(Held(*cache), "23456789");
    cache->Load(&file, 9, 100); // the file ends before the capacity
    EXPECT_EQ(Held(*cache), "9abc");
    file.fail = true;
    cache->Load(&file, 0, 4);
    EXPECT_EQ(cache->GetRange().length, 0u);
}

} // namespace
