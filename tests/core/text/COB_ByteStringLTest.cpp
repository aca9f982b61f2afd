#include "COB_ByteStringL.h"
#include "COB_MemoryMgr.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// An allocator that counts what goes through it.
struct CountingAllocator {
    _IOB_Allocator table;
    int allocs = 0;
    int frees = 0;
};

CountingAllocator* Self(_IOB_Allocator* a)
{
    return reinterpret_cast<CountingAllocator*>(a);
}

CountingAllocator MakeCounting()
{
    CountingAllocator c;
    c.table.AllocDebug = [](_IOB_Allocator* a, size_t size, const char*, int) { return Self(a)->table.Alloc(a, size); };
    c.table.Alloc = [](_IOB_Allocator* a, size_t size) {
        ++Self(a)->allocs;
        return malloc(size);
    };
    c.table.ReallocDebug = [](_IOB_Allocator*, void*, size_t, const char*, int) -> void* { return nullptr; };
    c.table.Realloc = [](_IOB_Allocator*, void*, size_t) -> void* { return nullptr; };
    c.table.Free = [](_IOB_Allocator* a, void* block) {
        ++Self(a)->frees;
        free(block);
    };
    return c;
}

} // namespace

TEST(COB_ByteStringL, OwnsATerminatedCopyThroughTheGivenAllocator)
{
    CountingAllocator counting = MakeCounting();
    _IOB_Allocator* a = &counting.table;
    COB_ByteStringL s;
    s.Set(COB_ByteStringC("a\0b", 3), a);
    ASSERT_EQ(s.GetLength(), 3);
    EXPECT_EQ(std::string(s.GetPtr(), 4), std::string("a\0b\0", 4));
    EXPECT_EQ(counting.allocs, 1);

    s.Set(COB_ByteStringC(), a);
    EXPECT_EQ(s.GetPtr(), nullptr);
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_EQ(counting.frees, 1);

    char* p = s.AllocBuffer(5, a);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(s.GetLength(), 5);
    s.Empty(a);
    EXPECT_EQ(counting.allocs, counting.frees);

    // Without an allocator the default manager serves.
    s.Set("xyz", nullptr);
    EXPECT_EQ(std::string(s.GetPtr()), "xyz");
    s.Empty(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}
