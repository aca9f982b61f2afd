#include "COBMEM_PyMgr.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace {

class PyMgrTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mgr = OBMEM_CreatePyMgr();
        py = static_cast<COBMEM_PyMgr*>(mgr->m_pSystemMgr->user);
    }
    void TearDown() override
    {
        for (void* block : live)
            mgr->Free(block, 0);
        OBMEM_DestroyOrbelMgr(mgr); // retires the pools; nothing pooled is alive any more
        EXPECT_EQ(py->GetMode(), -1);
        EXPECT_EQ(py->GetArenaCount(), 0u);
    }

    void* Alloc(size_t size)
    {
        void* block = mgr->Alloc(size, 0);
        live.push_back(block);
        return block;
    }
    void Free(void* block)
    {
        live.erase(std::find(live.begin(), live.end(), block));
        mgr->Free(block, 0);
    }
    static uint32_t ClassOf(void* block)
    {
        return reinterpret_cast<OBMEM_PoolHeader*>(reinterpret_cast<uintptr_t>(block) & ~uintptr_t(4095))->szidx;
    }

    COB_MemoryMgr* mgr = nullptr;
    COBMEM_PyMgr* py = nullptr;
    std::vector<void*> live;
};

TEST_F(PyMgrTest, SizeClassesAndTheFallback)
{
    EXPECT_EQ(mgr->m_Type, COB_MemoryMgr::kPooled);
    struct Case
    {
        size_t size;
        bool pooled;
        uint32_t sizeClass;
    };
    for (Case c : {Case{1, true, 0}, Case{16, true, 0}, Case{17, true, 1}, Case{512, true, 31},
                   Case{1024, true, 63}, Case{1025, false, 0}, Case{0, false, 0}}) {
        SCOPED_TRACE(c.size);
        void* block = Alloc(c.size);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);
        EXPECT_EQ(py->IsPooled(block), c.pooled);
        if (c.pooled) {
            EXPECT_EQ(ClassOf(block), c.sizeClass);
        }
    }
    // The first arena has 64 pools only when its memory happens to start on a pool boundary.
    uint32_t freePools, totalPools;
    py->GetArenaPools(0, &freePools, &totalPools);
    EXPECT_EQ(totalPools, (py->m_State.arenas[0].address & 4095) ? 63u : 64u);
    EXPECT_EQ(freePools, totalPools - 4); // four classes in use, one pool each
}

// Every byte of every block is the caller's: blocks never overlap, and the free lists survive reuse.
TEST_F(PyMgrTest, RandomTrafficKeepsEveryBlocksBytes)
{
    std::mt19937 random(121);
    struct Held
    {
        unsigned char* block;
        size_t size;
        unsigned char fill;
    };
    std::vector<Held> held;
    auto check = [](const Held& h) {
        for (size_t i = 0; i < h.size; ++i)
            if (h.block[i] != h.fill)
                return false;
        return true;
    };
    for (int step = 0; step < 60000; ++step) {
        unsigned op = random() % 10;
        if (op < 5 || held.empty()) {
            size_t size = 1 + random() % (random() % 8 ? 1024 : 3000);
            Held h{static_cast<unsigned char*>(mgr->Alloc(size, 0)), size, static_cast<unsigned char>(step)};
            ASSERT_NE(h.block, nullptr);
            std::memset(h.block, h.fill, size);
            held.push_back(h);
        } else {
            size_t index = random() % held.size();
            Held& h = held[index];
            ASSERT_TRUE(check(h)) << "step " << step;
            if (op < 8) {
                mgr->Free(h.block, 0);
                held[index] = held.back();
                held.pop_back();
            } else {
                size_t size = 1 + random() % 1400;
                h.block = static_cast<unsigned char*>(mgr->Realloc(h.block, size, 0));
                ASSERT_NE(h.block, nullptr);
                if (size > h.size)
                    std::memset(h.block + h.size, h.fill, size - h.size);
                h.size = size;
            }
        }
    }
    for (const Held& h : held) {
        EXPECT_TRUE(check(h));
        mgr->Free(h.block, 0);
    }
    EXPECT_EQ(py->GetArenaCount(), 1u); // every emptied arena but the last went back to the platform
}

TEST_F(PyMgrTest, ReallocStaysInPlaceOnlyWithinAQuarterOfItsClass)
{
    unsigned char* block = static_cast<unsigned char*>(mgr->Alloc(64, 0));
    for (int i = 0; i < 64; ++i)
        block[i] = static_cast<unsigned char>(i);
    EXPECT_EQ(mgr->Realloc(block, 49, 0), block); // 196 > 192
    unsigned char* moved = static_cast<unsigned char*>(mgr->Realloc(block, 48, 0)); // 192 is not above 192
    ASSERT_NE(moved, block);
    EXPECT_EQ(ClassOf(moved), 2u);
    for (int i = 0; i < 48; ++i)
        ASSERT_EQ(moved[i], i);

    unsigned char* small = static_cast<unsigned char*>(mgr->Alloc(32, 0));
    std::memset(small, 'q', 32);
    unsigned char* large = static_cast<unsigned char*>(mgr->Realloc(small, 2000, 0));
    EXPECT_FALSE(py->IsPooled(large));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(large), 32), std::string(32, 'q'));
    void* again = mgr->Alloc(32, 0); // the old block went back to its pool, at the head of its free list
    EXPECT_EQ(again, small);
    mgr->Free(again, 0);
    mgr->Free(large, 0);
    mgr->Free(moved, 0);
}

TEST_F(PyMgrTest, ArenaTableGrowsAndEmptiedArenasAreReleased)
{
    // 1024-byte blocks: three per pool, so arenas fill quickly.
    while (py->GetArenaCount() < 16)
        Alloc(1024);
    EXPECT_EQ(py->GetArenaSlots(), 16u);
    while (py->GetArenaCount() < 17)
        Alloc(1024);
    EXPECT_EQ(py->GetArenaSlots(), 32u);
    // Emptying arenas hands their memory back, all but the last usable one.
    for (void* block : std::vector<void*>(live))
        Free(block);
    EXPECT_EQ(py->GetArenaCount(), 1u);
}

TEST_F(PyMgrTest, RetiringWaitsForTheLastPooledBlock)
{
    void* pooled = mgr->Alloc(100, 0);
    py->Discard();
    EXPECT_EQ(py->GetMode(), 1);
    void* after = mgr->Alloc(100, 0);
    EXPECT_FALSE(py->IsPooled(after)); // no new pooled blocks
    void* grown = mgr->Realloc(pooled, 120, 0); // leaves its pool
    EXPECT_FALSE(py->IsPooled(grown));
    py->TryPurge();
    EXPECT_EQ(py->GetMode(), -1);
    EXPECT_EQ(py->GetArenaCount(), 0u);
    mgr->Free(after, 0);
    mgr->Free(grown, 0);
    void* retired = mgr->Alloc(16, 0);
    EXPECT_FALSE(py->IsPooled(retired));
    mgr->Free(retired, 0);
    EXPECT_EQ(OBMEM_SetPyConfig(), 0);
}

int g_platformAllocs = 0;
void CountPlatformAlloc(COB_MemoryMgr*, void*, size_t, uint32_t)
{
    ++g_platformAllocs;
}

// Large requests reach the platform manager, with its hooks, even when another manager is the default.
TEST_F(PyMgrTest, FallbackGoesThroughThePlatformManager)
{
    _OBMEM_DebuggerHooks hooks = {CountPlatformAlloc, nullptr, nullptr, nullptr, nullptr, nullptr};
    OBMEM_SetDefaultMgr(mgr);
    OBMEM_UseDebugger(OBMEM_GetPlatformMgr(), &hooks);
    Alloc(100);
    EXPECT_EQ(g_platformAllocs, 0);
    Alloc(5000);
    EXPECT_EQ(g_platformAllocs, 1);
    OBMEM_UseDebugger(OBMEM_GetPlatformMgr(), nullptr);
    OBMEM_ResetSystemMgr();
}

TEST_F(PyMgrTest, ThreadsShareTheManager)
{
    std::vector<std::thread> threads;
    std::atomic<int> damaged{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([this, t, &damaged] {
            std::vector<unsigned char*> mine;
            for (int i = 0; i < 20000; ++i) {
                size_t size = 1 + (i * 37 + t) % 1024;
                unsigned char* block = static_cast<unsigned char*>(mgr->Alloc(size, 0));
                block[0] = block[size - 1] = static_cast<unsigned char>(t);
                mine.push_back(block);
                if (i % 3 == 2) {
                    unsigned char* old = mine[mine.size() / 2];
                    if (old[0] != t)
                        ++damaged;
                    mgr->Free(old, 0);
                    mine.erase(mine.begin() + mine.size() / 2);
                }
            }
            for (unsigned char* block : mine)
                mgr->Free(block, 0);
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(damaged, 0);
}

} // namespace
