#include "COB_MemoryMgr.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Records what the hooks and the out-of-memory handler of a manager see, in order.
struct Journal
{
    std::vector<std::string> events;
};

Journal* g_journal = nullptr;

void OnAlloc(COB_MemoryMgr*, void* block, size_t, uint32_t)
{
    g_journal->events.push_back(block ? "alloc" : "alloc-null");
}
void OnAllocDebug(COB_MemoryMgr*, void* block, size_t, uint32_t, const char*, int)
{
    g_journal->events.push_back(block ? "allocdebug" : "allocdebug-null");
}
void OnRealloc(COB_MemoryMgr*, void*, void* block, size_t, uint32_t)
{
    g_journal->events.push_back(block ? "realloc" : "realloc-null");
}
void OnReallocDebug(COB_MemoryMgr*, void*, void* block, size_t, uint32_t, const char*, int)
{
    g_journal->events.push_back(block ? "reallocdebug" : "reallocdebug-null");
}
void OnFree(COB_MemoryMgr*, void*, uint32_t)
{
    g_journal->events.push_back("free");
}
void OnTag(COB_MemoryMgr*, const char* tag, void*)
{
    g_journal->events.push_back(std::string("tag:") + tag);
}
void OnOOM(COB_MemoryMgr*, void* param)
{
    static_cast<Journal*>(param)->events.push_back("oom");
}

_OBMEM_DebuggerHooks g_hooks = {OnAlloc, OnAllocDebug, OnRealloc, OnReallocDebug, OnFree, OnTag};

// A system table that refuses requests above a limit, counts live blocks and collect calls.
struct FakeSystem
{
    _OBMEM_SystemMgr table;
    size_t limit = 1 << 20;
    int live = 0;
    int collects = 0;
    size_t lastSize = 0;
};

FakeSystem* Fake(_OBMEM_SystemMgr* t)
{
    return reinterpret_cast<FakeSystem*>(t);
}
void* FakeAlloc(_OBMEM_SystemMgr* t, size_t size, uint32_t)
{
    Fake(t)->lastSize = size;
    if (size > Fake(t)->limit)
        return nullptr;
    ++Fake(t)->live;
    return std::malloc(size ? size : 1);
}
void* FakeAllocDebug(_OBMEM_SystemMgr* t, size_t size, uint32_t flags, const char*, int)
{
    return FakeAlloc(t, size, flags);
}
void* FakeRealloc(_OBMEM_SystemMgr* t, void* block, size_t size, uint32_t)
{
    Fake(t)->lastSize = size;
    if (size > Fake(t)->limit)
        return nullptr;
    if (!block)
        ++Fake(t)->live;
    return std::realloc(block, size);
}
void* FakeReallocDebug(_OBMEM_SystemMgr* t, void* block, size_t size, uint32_t flags, const char*, int)
{
    return FakeRealloc(t, block, size, flags);
}
void FakeFree(_OBMEM_SystemMgr* t, void* block, uint32_t)
{
    --Fake(t)->live;
    std::free(block);
}
void FakeCollect(_OBMEM_SystemMgr* t)
{
    ++Fake(t)->collects;
}

class MemoryMgrTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fake.table = {FakeAlloc, FakeAllocDebug, FakeRealloc, FakeReallocDebug, nullptr, nullptr,
                      FakeFree,  nullptr,        FakeCollect, nullptr};
        g_journal = &journal;
        mgr = OBMEM_CreateOrbelMgr(&fake.table);
        ASSERT_NE(mgr, nullptr);
        OBMEM_UseDebugger(mgr, &g_hooks);
        OBMEM_SetOOMHandler(mgr, OnOOM, &journal);
        journal.events.clear();
    }
    void TearDown() override
    {
        OBMEM_ResetSystemMgr();
        OBMEM_DestroyOrbelMgr(mgr);
        g_journal = nullptr;
    }

    FakeSystem fake;
    Journal journal;
    COB_MemoryMgr* mgr = nullptr;
};

using Events = std::vector<std::string>;

TEST_F(MemoryMgrTest, HookSeesEveryAllocationBeforeTheHandler)
{
    void* a = OBMEM_Alloc(mgr, 16, 0);
    void* d = OBMEM_AllocDebug(mgr, 16, 0, "f.cpp", 3);
    EXPECT_EQ(OBMEM_Alloc(mgr, fake.limit + 1, 0), nullptr);
    EXPECT_EQ(OBMEM_Alloc(mgr, fake.limit + 1, OBMEM_MAYFAIL), nullptr);
    a = OBMEM_Realloc(mgr, a, 32, 0);
    EXPECT_EQ(OBMEM_ReallocDebug(mgr, d, fake.limit + 1, 0, "f.cpp", 4), nullptr);
    OBMEM_Free(mgr, a, 0);
    OBMEM_Free(mgr, d, 0);
    OBMEM_Free(mgr, nullptr, 0);
    OBMEM_OutputDebugTag(mgr, "x", nullptr);
    EXPECT_EQ(journal.events, (Events{"alloc", "allocdebug", "alloc-null", "oom", "alloc-null", "realloc",
                                      "reallocdebug-null", "oom", "free", "free", "tag:x"}));
    EXPECT_EQ(fake.live, 1); // the record itself
}

TEST_F(MemoryMgrTest, EmbeddedAllocatorUsesFlagsZero)
{
    _IOB_Allocator* allocator = mgr->GetAllocator();
    EXPECT_EQ(allocator->Alloc(allocator, fake.limit + 1), nullptr);
    void* block = allocator->AllocDebug(allocator, 8, "f", 1);
    ASSERT_NE(block, nullptr);
    allocator->Free(allocator, block);
    allocator->Free(allocator, nullptr);
    EXPECT_EQ(journal.events, (Events{"alloc-null", "oom", "allocdebug", "free"}));
}

TEST_F(MemoryMgrTest, CountTimesUnitLimits)
{
    OBMEM_SetDefaultMgr(mgr);
    fake.limit = SIZE_MAX;
    struct Case
    {
        size_t count, unit;
        uint32_t flags;
        size_t requested; // 0 = nothing reaches the system
        Events events;
    };
    const Case cases[] = {
        {0, 8, 0, 0, {}},
        {8, 0, 0, 0, {}},
        {0x40000000, 2, 0, 0, {"oom"}},
        {0x40000000, 2, OBMEM_MAYFAIL, 0, {}},
        {0x7fffffff, 2, 0, 0, {"oom"}},
        {3, 5, 0, 15, {"alloc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " x " << c.unit);
        journal.events.clear();
        fake.lastSize = 0;
        void* block = OBMEM_DefaultAlloc2(c.count, c.unit, c.flags);
        EXPECT_EQ(block != nullptr, c.requested != 0);
        EXPECT_EQ(fake.lastSize, c.requested);
        EXPECT_EQ(journal.events, c.events);
        OBMEM_DefaultFree(block, 0);
    }
}

TEST_F(MemoryMgrTest, LargestCountTimesUnitRequestIsPassedOn)
{
    OBMEM_SetDefaultMgr(mgr);
    fake.limit = 0; // refuse, only the requested size matters
    EXPECT_EQ(OBMEM_DefaultAlloc2(0x7fffffff, 1, OBMEM_MAYFAIL), nullptr);
    EXPECT_EQ(fake.lastSize, 0x7fffffffu);
    EXPECT_EQ(journal.events, (Events{"alloc-null"}));
}

TEST_F(MemoryMgrTest, DefaultReallocOfNullAllocatesAndZeroCountKeepsTheBlock)
{
    OBMEM_SetDefaultMgr(mgr);
    char* block = static_cast<char*>(OBMEM_DefaultRealloc(nullptr, 16, 0));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "fifteen chars!!", 16);
    EXPECT_EQ(OBMEM_DefaultRealloc2(block, 0, 4, 0), nullptr);
    EXPECT_EQ(OBMEM_DefaultRealloc2(block, 4, 0, 0), nullptr);
    EXPECT_STREQ(block, "fifteen chars!!");
    block = static_cast<char*>(OBMEM_DefaultRealloc2(block, 8, 4, 0));
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block, "fifteen chars!!");
    char* again = static_cast<char*>(OBMEM_DefaultReallocDebug2(nullptr, 2, 2, 0, "f", 1));
    OBMEM_DefaultFree(block, 0);
    OBMEM_DefaultFree(again, 0);
    OBMEM_DefaultFree(nullptr, 0);
    EXPECT_EQ(journal.events, (Events{"alloc", "realloc", "allocdebug", "free", "free"}));
}

TEST_F(MemoryMgrTest, DestroyCollectsAndFreesTheRecord)
{
    OBMEM_DestroyOrbelMgr(mgr);
    mgr = nullptr;
    EXPECT_EQ(fake.collects, 1);
    EXPECT_EQ(fake.live, 0);
    EXPECT_EQ(OBMEM_CreateOrbelMgr(nullptr), nullptr);
    OBMEM_DestroyOrbelMgr(nullptr);
}

TEST(DefaultMemoryMgr, IsTheStaticPlatformManager)
{
    COB_MemoryMgr* def = OBMEM_GetDefaultMgr();
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->m_Type, COB_MemoryMgr::kDefault);
    EXPECT_FALSE(def->m_bRelease);
    EXPECT_EQ(def->m_pDebugger, nullptr);
    EXPECT_EQ(def->m_OOMHandler, nullptr);
    EXPECT_EQ(OBMEM_GetDefAllocator(), def->GetAllocator());
    EXPECT_EQ(OBMEM_ResetSystemMgr(), def);
    void* block = OBMEM_DefaultAlloc(10, 0);
    EXPECT_NE(block, nullptr);
    OBMEM_DefaultFree(block, 0);
}

// The default manager over the platform functions still reports every outcome to the hooks and the
// handler, and a failed or zero-size reallocation never loses the caller's block.
TEST(DefaultMemoryMgr, PlatformPathReportsFailuresAndKeepsBlocks)
{
    Journal journal;
    g_journal = &journal;
    COB_MemoryMgr* def = OBMEM_GetDefaultMgr();
    OBMEM_UseDebugger(def, &g_hooks);
    OBMEM_SetOOMHandler(def, OnOOM, &journal);
    volatile size_t huge = static_cast<size_t>(PTRDIFF_MAX) + 1; // beyond what malloc ever grants

    EXPECT_EQ(OBMEM_DefaultAlloc(huge, 0), nullptr);
    EXPECT_EQ(OBMEM_DefaultAlloc(huge, OBMEM_MAYFAIL), nullptr);
    EXPECT_EQ(OBMEM_DefaultAllocDebug(huge, 0, "f", 1), nullptr);
    char* block = static_cast<char*>(OBMEM_DefaultAlloc(16, 0));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "kept", 5);
    EXPECT_EQ(OBMEM_DefaultRealloc(block, huge, 0), nullptr);
    EXPECT_EQ(OBMEM_DefaultReallocDebug(block, huge, 0, "f", 2), nullptr);
    EXPECT_STREQ(block, "kept");
    char* shrunk = static_cast<char*>(OBMEM_DefaultRealloc(block, 0, 0));
    EXPECT_NE(shrunk, nullptr);
    shrunk = static_cast<char*>(OBMEM_DefaultReallocDebug(shrunk, 0, 0, "f", 3));
    EXPECT_NE(shrunk, nullptr);
    OBMEM_DefaultFree(shrunk, 0);

    OBMEM_UseDebugger(def, nullptr);
    OBMEM_SetOOMHandler(def, nullptr, nullptr);
    g_journal = nullptr;
    EXPECT_EQ(journal.events,
              (Events{"alloc-null", "oom", "alloc-null", "allocdebug-null", "oom", "alloc", "realloc-null", "oom",
                      "reallocdebug-null", "oom", "realloc", "reallocdebug", "free"}));
}

} // namespace
