#include "COB_LimitCacheStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(COB_LimitCacheStream, WithoutCapacityOnlyCounts)
{
    COB_LimitCacheStream* s = new COB_LimitCacheStream(100, 50, 0);
    EXPECT_EQ(s->GetCapacity(), 0u);
    EXPECT_TRUE(s->IsEOF());
    EXPECT_TRUE(s->WriteBlock("abc", 3));
    EXPECT_TRUE(s->WriteBlock("de", 1, 2));
    EXPECT_EQ(s->GetSize(), 5);
    EXPECT_EQ(s->GetPosition(), 5);
    EXPECT_EQ(s->SetPosition(1), 5);
    char c;
    EXPECT_FALSE(s->ReadBlock(&c, 0, 1));
    EXPECT_EQ(s->ReadBlock(&c, 1), 0u);
    s->Release();
}

TEST(COB_LimitCacheStream, InsertsWhatFitsThenCounts)
{
    COB_LimitCacheStream* s = new COB_LimitCacheStream(8, 100, 0);
    ASSERT_EQ(s->GetCapacity(), 8u);
    EXPECT_FALSE(s->WriteBlock("x", -1, 1));
    EXPECT_FALSE(s->WriteBlock("x", 1, 1)); // beyond the data
    EXPECT_TRUE(s->WriteBlock("abc", 0, 3));
    EXPECT_TRUE(s->WriteBlock("XY", 1, 2));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s->GetBuffer()), 5), "aXYbc");
    char out[8];
    ASSERT_EQ(s->ReadBlock(out, sizeof(out)), 5u);
    EXPECT_EQ(std::string(out, 5), "aXYbc");
    EXPECT_TRUE(s->IsEOF());

    EXPECT_TRUE(s->WriteBlock("0123456789", 10));
    EXPECT_EQ(s->GetSize(), 15);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s->GetBuffer()), 5), "aXYbc");
    EXPECT_TRUE(s->ReadBlock(out, 3, 2));
    EXPECT_FALSE(s->ReadBlock(out, 4, 5)); // reaches past the 8 bytes of buffer
    // Bytes 5 to 7 of the buffer never received the data that was counted there.
    EXPECT_FALSE(s->ReadBlock(out, 3, 3));
    ASSERT_EQ(s->SetPosition(4), 4);
    EXPECT_EQ(s->ReadBlock(out, sizeof(out)), 1u);

    // An insertion that cannot be kept moves everything behind its offset out of the buffer.
    EXPECT_TRUE(s->WriteBlock("!", 2, 1));
    EXPECT_TRUE(s->ReadBlock(out, 0, 2));
    EXPECT_FALSE(s->ReadBlock(out, 0, 3));
    s->Release();
}

// Counted bytes that were never kept stay unreadable when an insertion in front moves them up.
TEST(COB_LimitCacheStream, InsertionKeepsCountedBytesUnreadable)
{
    COB_LimitCacheStream* s = new COB_LimitCacheStream(16, 100, 0);
    EXPECT_TRUE(s->WriteBlock("ab", 2));
    EXPECT_TRUE(s->WriteBlock(nullptr, 3)); // counted, not kept
    EXPECT_TRUE(s->WriteBlock("XY", 1, 2));
    EXPECT_EQ(s->GetSize(), 7);
    char out[8];
    EXPECT_TRUE(s->ReadBlock(out, 0, 4));
    EXPECT_EQ(std::string(out, 4), "aXYb");
    EXPECT_FALSE(s->ReadBlock(out, 0, 5));
    EXPECT_EQ(s->ReadBlock(out, sizeof(out)), 4u);

    // A null insertion keeps the old bytes in its gap: readable only where they were kept.
    EXPECT_TRUE(s->WriteBlock(nullptr, 0, 2));
    EXPECT_TRUE(s->ReadBlock(out, 0, 6));
    EXPECT_EQ(std::string(out, 6), "aXaXYb");
    EXPECT_TRUE(s->WriteBlock(nullptr, 5, 3));
    EXPECT_TRUE(s->ReadBlock(out, 0, 6));
    EXPECT_FALSE(s->ReadBlock(out, 0, 7));
    s->Release();
}

// Each holder that retained the stream releases it once; the stream lives until the last one.
TEST(COB_LimitCacheStream, RetainGivesAStreamThatOutlivesTheFirstRelease)
{
    COB_LimitCacheStream* s = new COB_LimitCacheStream(8, 100, 8);
    EXPECT_EQ(s->GetCapacity(), 16u);
    IOB_FileStream* other = s->Retain();
    ASSERT_EQ(other, s);
    s->Release();
    EXPECT_TRUE(other->WriteBlock("still here", 10));
    EXPECT_EQ(other->GetSize(), 10);
    other->Release();
}

} // namespace
