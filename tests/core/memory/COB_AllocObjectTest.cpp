#include "COB_AllocObject.h"
#include "COB_MemoryMgr.h"

#include "DefaultMgrCountingTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

class AllocObjectTest : public DefaultMgrCountingTest
{
};

// An allocator that counts and remembers the last block it handed out.
struct CountingAllocator
{
    _IOB_Allocator table;
    int allocs = 0;
    int frees = 0;
    bool fail = false;
};

CountingAllocator* Of(_IOB_Allocator* a)
{
    return reinterpret_cast<CountingAllocator*>(a);
}
void* CAAlloc(_IOB_Allocator* a, size_t size)
{
    if (Of(a)->fail)
        return nullptr;
    ++Of(a)->allocs;
    return std::malloc(size);
}
void* CAAllocDebug(_IOB_Allocator* a, size_t size, const char*, int)
{
    return CAAlloc(a, size);
}
void* CARealloc(_IOB_Allocator*, void* block, size_t size)
{
    return std::realloc(block, size);
}
void* CAReallocDebug(_IOB_Allocator*, void* block, size_t size, const char*, int)
{
    return std::realloc(block, size);
}
void CAFree(_IOB_Allocator* a, void* block)
{
    ++Of(a)->frees;
    std::free(block);
}

struct Remembering : public COB_AllocObject
{
    Remembering() : payload(42) {}
    int payload;
};

TEST_F(AllocObjectTest, AllocObjectFreesThroughTheAllocatorThatMadeIt)
{
    CountingAllocator counting;
    counting.table = {CAAllocDebug, CAAlloc, CAReallocDebug, CARealloc, CAFree};
    _IOB_Allocator* allocator = &counting.table;

    Remembering* own = new (allocator) Remembering;
    Remembering* tagged = new (allocator, __FILE__, __LINE__) Remembering;
    Remembering* byDefault = new (static_cast<_IOB_Allocator*>(nullptr)) Remembering;
    EXPECT_EQ(own->GetAllocator(), allocator);
    EXPECT_EQ(byDefault->GetAllocator(), nullptr);
    EXPECT_EQ(own->payload + tagged->payload, 84);
    EXPECT_EQ(counting.allocs, 2);
    EXPECT_EQ(g_allocs, 1);

    delete own;
    delete tagged;
    delete byDefault;
    EXPECT_EQ(counting.frees, 2);
    EXPECT_EQ(g_frees, 1);
}

TEST_F(AllocObjectTest, AllocObjectFromAFailingAllocatorIsNull)
{
    CountingAllocator counting;
    counting.table = {CAAllocDebug, CAAlloc, CAReallocDebug, CARealloc, CAFree};
    counting.fail = true;
    EXPECT_EQ(new (&counting.table) Remembering, nullptr);
}

void* Refuse(_OBMEM_SystemMgr*, size_t, uint32_t)
{
    return nullptr;
}
void* RefuseDebug(_OBMEM_SystemMgr*, size_t, uint32_t, const char*, int)
{
    return nullptr;
}
void NoFree(_OBMEM_SystemMgr*, void*, uint32_t) {}
void SayOOM(COB_MemoryMgr*, void*)
{
    std::fputs("handler ran\n", stderr);
}

// Without an allocator an object cannot come back null: the handler is told, then the process ends.
TEST(COB_AllocObjectDeathTest, DefaultPathFailureEndsTheProcess)
{
    _OBMEM_SystemMgr refusing = {Refuse, RefuseDebug, nullptr, nullptr, nullptr,
                                 nullptr, NoFree, nullptr, nullptr, nullptr};
    COB_MemoryMgr mgr;
    mgr.Init(&refusing, COB_MemoryMgr::kCreated);
    OBMEM_SetOOMHandler(&mgr, SayOOM, nullptr);
    auto allocate = [&](bool tagged) {
        OBMEM_SetDefaultMgr(&mgr);
        Remembering* object = tagged ? new (nullptr, __FILE__, __LINE__) Remembering
                                     : new (static_cast<_IOB_Allocator*>(nullptr)) Remembering;
        OBMEM_ResetSystemMgr();
        return object;
    };
    EXPECT_DEATH(allocate(false), "handler ran");
    EXPECT_DEATH(allocate(true), "handler ran");
}

} // namespace
