#include "COB_BinaryBuf.h"

#include "COB_ByteStringC.h"
#include "COB_ByteStringL.h"
#include "COB_MemoryMgr.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Data(const COB_BinaryBuf& buf)
{
    return std::string(reinterpret_cast<const char*>(buf.GetBuffer()), static_cast<size_t>(buf.GetSize()));
}

// An allocator that records every request, refuses sizes above a limit and always moves a block
// on reallocation (scribbling over the old one), so stale pointers show.
struct TestAllocator
{
    _IOB_Allocator table;
    std::vector<size_t> requests;
    size_t limit = 1 << 20;
    int live = 0;

    static TestAllocator* Self(_IOB_Allocator* a) { return reinterpret_cast<TestAllocator*>(a); }
    static void* Alloc(_IOB_Allocator* a, size_t size)
    {
        TestAllocator* self = Self(a);
        self->requests.push_back(size);
        if (size > self->limit)
            return nullptr;
        ++self->live;
        // The size sits in front of the block so that a move can copy it.
        size_t* block = static_cast<size_t*>(malloc(size + sizeof(size_t)));
        *block = size;
        return block + 1;
    }
    static void* AllocD(_IOB_Allocator* a, size_t size, const char*, int) { return Alloc(a, size); }
    static void* Realloc(_IOB_Allocator* a, void* old, size_t size)
    {
        if (!old)
            return Alloc(a, size);
        void* fresh = Alloc(a, size);
        if (!fresh)
            return nullptr;
        size_t oldSize = static_cast<size_t*>(old)[-1];
        memcpy(fresh, old, oldSize < size ? oldSize : size);
        Free(a, old);
        return fresh;
    }
    static void* ReallocD(_IOB_Allocator* a, void* old, size_t size, const char*, int) { return Realloc(a, old, size); }
    static void Free(_IOB_Allocator* a, void* block)
    {
        if (!block)
            return;
        --Self(a)->live;
        size_t* base = static_cast<size_t*>(block) - 1;
        memset(block, 0xEE, *base);
        free(base);
    }

    TestAllocator() : table{AllocD, Alloc, ReallocD, Realloc, Free} {}
    _IOB_Allocator* get() { return &table; }
};

} // namespace

TEST(COB_BinaryBuf, AutomaticGrowthSequence)
{
    // Steps of 128 bytes until a quarter of the allocation exceeds 127, then a quarter.
    COB_BinaryBuf buf;
    std::vector<int> sizes;
    for (int i = 0; i < 1300; ++i) {
        ASSERT_TRUE(buf.AppendBlock("x", 1));
        if (sizes.empty() || sizes.back() != buf.GetAllocSize())
            sizes.push_back(buf.GetAllocSize());
    }
    EXPECT_EQ(sizes, (std::vector<int>{128, 256, 384, 512, 640, 800, 1000, 1250, 1560}));
    EXPECT_EQ(buf.GetSize(), 1300);
    EXPECT_EQ(Data(buf), std::string(1300, 'x'));

    COB_BinaryBuf first;
    first.AppendBlock(nullptr, 10); // reserves without writing
    EXPECT_EQ(first.GetSize(), 10);
    EXPECT_EQ(first.GetAllocSize(), 128);
    first.AppendBlock(nullptr, 119);
    EXPECT_EQ(first.GetAllocSize(), 256);

    COB_BinaryBuf big;
    ASSERT_TRUE(big.EstimateSize(1024));
    EXPECT_EQ(big.GetAllocSize(), 1024);
    big.AppendFill('a', 1025); // step 1024 / 4 = 256
    EXPECT_EQ(big.GetAllocSize(), 1280);
}

TEST(COB_BinaryBuf, FixedStepFromEstimateSize)
{
    COB_BinaryBuf buf;
    ASSERT_TRUE(buf.EstimateSize(1000, 64));
    EXPECT_EQ(buf.GetAllocSize(), 1024);
    EXPECT_EQ(buf.GetSize(), 0);
    EXPECT_TRUE(buf.EstimateSize(500, 64)); // already room: nothing changes
    EXPECT_EQ(buf.GetAllocSize(), 1024);
    buf.AppendFill(0, 1025);
    EXPECT_EQ(buf.GetAllocSize(), 1088);
}

TEST(COB_BinaryBuf, EditingOperations)
{
    COB_BinaryBuf buf;
    ASSERT_TRUE(buf.CopyData("abcd", 4));
    buf.Delete(2, 3); // past the end: nothing
    buf.Delete(-1, 1);
    EXPECT_EQ(Data(buf), "abcd");
    buf.Delete(1, 2);
    EXPECT_EQ(Data(buf), "ad");
    ASSERT_TRUE(buf.InsertBlock(1, "XY", 2));
    ASSERT_TRUE(buf.InsertBlock(0, "<", 1));
    ASSERT_TRUE(buf.InsertBlock(buf.GetSize(), ">", 1));
    EXPECT_EQ(Data(buf), "<aXYd>");
    EXPECT_FALSE(buf.InsertBlock(99, "z", 1));
    ASSERT_TRUE(buf.AppendFill('-', 3));
    EXPECT_EQ(Data(buf), "<aXYd>---");
    EXPECT_TRUE(buf.CopyData(nullptr, 0));
    EXPECT_EQ(buf.GetSize(), 0);
    EXPECT_GT(buf.GetAllocSize(), 0); // Clear and empty copies keep the block
    EXPECT_EQ(buf.GetByteString().GetLength(), 0);

    COB_BinaryBuf empty;
    EXPECT_FALSE(empty.AppendBlock("", 0)); // no block yet
}

TEST(COB_BinaryBuf, OwnershipTransfers)
{
    COB_BinaryBuf source;
    source.AppendBlock("0123456789", 10);
    ASSERT_EQ(source.GetAllocSize(), 128);
    COB_BinaryBuf target;
    target.AppendBlock("old", 3);
    target.TakeOver(source);
    EXPECT_EQ(target.GetSize(), 10);
    EXPECT_EQ(target.GetAllocSize(), 10);
    EXPECT_EQ(source.GetBuffer(), nullptr);
    EXPECT_EQ(source.GetSize(), 0);
    EXPECT_EQ(source.GetAllocSize(), 0);
    target.AppendBlock("!", 1);
    EXPECT_EQ(Data(target), "0123456789!");

    uint8_t* block = target.GetBuffer();
    int size = target.GetSize();
    target.DetachBuffer();
    EXPECT_EQ(target.GetBuffer(), nullptr);
    EXPECT_EQ(target.GetAllocSize(), 0);
    COB_BinaryBuf adopter;
    adopter.AttachData(block, size);
    EXPECT_EQ(Data(adopter), "0123456789!");
    EXPECT_EQ(adopter.GetAllocSize(), size);
}

TEST(COB_BinaryBuf, UsesItsAllocator)
{
    TestAllocator alloc;
    {
        COB_BinaryBuf sized(16, alloc.get());
        EXPECT_EQ(sized.GetSize(), 16);
        EXPECT_EQ(sized.GetAllocSize(), 16);
        COB_BinaryBuf buf(alloc.get());
        buf.AppendBlock("abc", 3);
        buf.AppendFill('d', 200);
        EXPECT_EQ(alloc.live, 2);
        COB_ByteStringL copy;
        buf.GetByteStringL(copy);
        EXPECT_EQ(alloc.live, 3);
        EXPECT_EQ(std::string(copy.GetPtr(), 3), "abc");
        EXPECT_EQ(copy.GetLength(), 203);
        copy.Empty(alloc.get());
    }
    EXPECT_EQ(alloc.live, 0);

    alloc.limit = 8;
    COB_BinaryBuf failed(16, alloc.get());
    EXPECT_EQ(failed.GetBuffer(), nullptr);
    EXPECT_EQ(failed.GetSize(), 0);
    EXPECT_EQ(failed.GetAllocSize(), 0);
    EXPECT_FALSE(failed.AppendBlock("x", 1));
}

TEST(COB_BinaryBuf, SourceInsideTheBufferSurvivesAMove)
{
    TestAllocator alloc;
    COB_BinaryBuf buf(alloc.get());
    buf.EstimateSize(4, 4);
    buf.AppendBlock("abcd", 4);
    ASSERT_EQ(buf.GetAllocSize(), 4);
    ASSERT_TRUE(buf.AppendBlock(buf.GetBuffer() + 1, 3)); // the block moves while copying
    EXPECT_EQ(Data(buf), "abcdbcd");
    ASSERT_TRUE(buf.InsertBlock(0, buf.GetBuffer() + 4, 3));
    EXPECT_EQ(Data(buf), "bcdabcdbcd");
    ASSERT_TRUE(buf.CopyData(buf.GetBuffer() + 3, 4));
    EXPECT_EQ(Data(buf), "abcd");
}

TEST(COB_BinaryBuf, SizesBeyondThirtyTwoBitsFail)
{
    TestAllocator alloc;
    COB_BinaryBuf buf(alloc.get());
    // A size that only fits when rounded down: asked for exactly the 32-bit maximum, not more.
    EXPECT_FALSE(buf.ExpandBuf(INT_MAX - 1));
    ASSERT_EQ(alloc.requests.size(), 1u);
    EXPECT_EQ(alloc.requests[0], static_cast<size_t>(INT_MAX));
    EXPECT_EQ(buf.GetBuffer(), nullptr);

    // A buffer whose data size is near the limit: the total would wrap in 32 bits. Nothing may
    // be written past the block and no request is made.
    void* block = TestAllocator::Alloc(alloc.get(), 16);
    buf.AttachData(block, INT_MAX - 5);
    alloc.requests.clear();
    EXPECT_FALSE(buf.ExpandBuf(10));
    EXPECT_FALSE(buf.AppendBlock("0123456789", 10));
    EXPECT_FALSE(buf.AppendFill('x', 10));
    EXPECT_FALSE(buf.InsertBlock(0, "0123456789", 10));
    EXPECT_TRUE(alloc.requests.empty());
    EXPECT_EQ(buf.GetSize(), INT_MAX - 5);
    buf.Delete(INT_MAX - 10, 10); // beyond the data: refused, not wrapped
    EXPECT_EQ(buf.GetSize(), INT_MAX - 5);
}
