#include "COB_GrowOnlyPool.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Chunk allocator that counts live chunks and can be told to refuse.
struct ChunkSource
{
    _IOB_Allocator table;
    int live = 0;
    bool refuse = false;
    size_t lastSize = 0;
};

ChunkSource* Of(_IOB_Allocator* a)
{
    return reinterpret_cast<ChunkSource*>(a);
}
void* SrcAlloc(_IOB_Allocator* a, size_t size)
{
    Of(a)->lastSize = size;
    if (Of(a)->refuse)
        return nullptr;
    ++Of(a)->live;
    return std::malloc(size);
}
void* SrcAllocDebug(_IOB_Allocator* a, size_t size, const char*, int)
{
    return SrcAlloc(a, size);
}
void* SrcRealloc(_IOB_Allocator*, void*, size_t)
{
    return nullptr;
}
void* SrcReallocDebug(_IOB_Allocator*, void*, size_t, const char*, int)
{
    return nullptr;
}
void SrcFree(_IOB_Allocator* a, void* block)
{
    --Of(a)->live;
    std::free(block);
}

class GrowOnlyPoolTest : public ::testing::Test
{
protected:
    GrowOnlyPoolTest() { source.table = {SrcAllocDebug, SrcAlloc, SrcReallocDebug, SrcRealloc, SrcFree}; }
    ChunkSource source;
};

const uintptr_t kAlign = alignof(std::max_align_t);

TEST_F(GrowOnlyPoolTest, CarvesAlignedBlocksFromTheNewestChunkWithRoom)
{
    COB_GrowOnlyPool pool(&source.table, 1000);
    char* a = static_cast<char*>(pool.Alloc(1));
    char* b = static_cast<char*>(pool.Alloc(3));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(source.live, 1);
    // Every block is aligned for any type, so a 1-byte block takes a whole alignment unit.
    EXPECT_EQ(b - a, static_cast<ptrdiff_t>(kAlign));
    EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % kAlign, 0u);

    char* big = static_cast<char*>(pool.Alloc(2000)); // bigger than a chunk: a chunk of its own
    EXPECT_EQ(source.live, 2);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(big) % kAlign, 0u);
    std::memset(big, 0x5a, 2000);

    // The 2000-byte chunk is full; the first chunk still has room.
    char* c = static_cast<char*>(pool.Alloc(4));
    EXPECT_EQ(c - b, static_cast<ptrdiff_t>(kAlign));
    EXPECT_EQ(source.live, 2);

    // A double stored in a block must be naturally aligned.
    double* d = static_cast<double*>(pool.Alloc(sizeof(double) * 2));
    d[0] = 1.5;
    EXPECT_EQ(d[0], 1.5);

    pool.FreeAll();
    EXPECT_EQ(source.live, 0);
}

TEST_F(GrowOnlyPoolTest, AsAnAllocatorReallocIsNullAndFreeKeepsMemory)
{
    COB_GrowOnlyPool pool(&source.table, 64);
    _IOB_Allocator* allocator = pool;
    char* block = static_cast<char*>(allocator->Alloc(allocator, 6));
    std::memcpy(block, "hello", 6);
    EXPECT_EQ(allocator->Realloc(allocator, block, 100), nullptr);
    EXPECT_EQ(allocator->ReallocDebug(allocator, block, 100, "f", 1), nullptr);
    allocator->Free(allocator, block);
    EXPECT_STREQ(block, "hello");
    char* next = static_cast<char*>(allocator->AllocDebug(allocator, 6, "f", 1));
    EXPECT_NE(next, block);
}

TEST_F(GrowOnlyPoolTest, RefusedChunkGivesNull)
{
    COB_GrowOnlyPool pool(&source.table, 64);
    source.refuse = true;
    EXPECT_EQ(pool.Alloc(8), nullptr);
    source.refuse = false;
    EXPECT_NE(pool.Alloc(8), nullptr);
    // A size whose chunk could never be described is refused without calling the source.
    source.lastSize = 0;
    EXPECT_EQ(pool.Alloc(SIZE_MAX - 8), nullptr);
    EXPECT_EQ(source.lastSize, 0u);
}

TEST_F(GrowOnlyPoolTest, DestructorAndSetAllocator)
{
    ChunkSource other;
    other.table = source.table;
    {
        COB_GrowOnlyPool pool(&source.table, 32);
        pool.Alloc(8);
        pool.FreeAll();
        pool.SetAllocator(&other.table);
        pool.Alloc(8);
        pool.Alloc(8);
        EXPECT_EQ(source.live, 0);
        EXPECT_EQ(other.live, 1);
    }
    EXPECT_EQ(other.live, 0);
    COB_GrowOnlyPool byDefault(nullptr, 16);
    EXPECT_NE(byDefault.Alloc(40), nullptr);
}

} // namespace
