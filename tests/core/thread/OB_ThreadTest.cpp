#include "OB_Thread.h"

#include "COB_ProcessContext.h"
#include "COB_ThreadContext.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Seen
{
    std::atomic<int> runs{0};
    int priority = -100;
    _OB_HTHREAD self = 0;
};

void ReadOwnPriority(void* param)
{
    Seen* seen = static_cast<Seen*>(param);
    seen->self = OB_Thread_GetHandle();
    seen->priority = OB_Thread_GetPriority(seen->self);
    ++seen->runs;
}

// Threads run their procedure only inside a process context.
class OB_ThreadTest : public ::testing::Test
{
protected:
    void SetUp() override { OB_Process_Initialize(); }
    void TearDown() override { OB_Process_Finalize(); }
};

TEST_F(OB_ThreadTest, PriorityScale)
{
    struct Case
    {
        int priority, sched, readBack;
    };
    const Case cases[] = {{-2, 1, -2}, {-1, 25, -1}, {0, 50, 0}, {1, 75, 1}, {2, 99, 2}, {7, 50, 0}, {-3, 50, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.priority);
        EXPECT_EQ(OBCRT_Thread_PriorityToSched(c.priority), c.sched);
        Seen seen;
        _OB_HTHREAD thread = OBCRT_Thread_Create(c.priority, 0, ReadOwnPriority, &seen);
        ASSERT_NE(thread, 0u);
        EXPECT_EQ(OB_Thread_WaitForSingleThread(thread), 0);
        EXPECT_EQ(seen.runs.load(), 1);
        EXPECT_EQ(seen.self, thread);
        EXPECT_EQ(seen.priority, c.readBack);
    }
    // Read back rounds to the nearest step.
    EXPECT_EQ(OBCRT_Thread_SchedToPriority(31), -1);
    EXPECT_EQ(OBCRT_Thread_SchedToPriority(63), 1);
}

TEST_F(OB_ThreadTest, SetPriorityOfTheCallingThread)
{
    _OB_HTHREAD self = OB_Thread_GetHandle();
    EXPECT_EQ(OB_Thread_GetPriority(self), 0);
    EXPECT_EQ(OB_Thread_SetPriority(self, -1), 0);
    EXPECT_EQ(OB_Thread_GetPriority(self), -1);
    EXPECT_EQ(OB_Thread_SetPriority(self, 0), 0);
}

TEST(OB_Thread, WithoutProcessContextNoThreadIsCreatedOrRun)
{
    Seen seen;
    EXPECT_EQ(OB_Thread_Create(0, 0, ReadOwnPriority, &seen), 0u);
    // The platform layer starts one, which ends without running the procedure.
    _OB_HTHREAD thread = OBCRT_Thread_Create(0, 0, ReadOwnPriority, &seen);
    ASSERT_NE(thread, 0u);
    EXPECT_EQ(OB_Thread_WaitForSingleThread(thread), 0);
    EXPECT_EQ(seen.runs.load(), 0);
}

TEST_F(OB_ThreadTest, WaitForMultipleThreads)
{
    EXPECT_EQ(OB_Thread_WaitForMultipleThreads(nullptr, 0), 0);
    Seen seen[3];
    _OB_HTHREAD threads[3];
    for (int i = 0; i < 3; ++i)
        threads[i] = OBCRT_Thread_Create(0, 0, ReadOwnPriority, &seen[i]);
    EXPECT_EQ(OB_Thread_WaitForMultipleThreads(threads, 3), 0);
    for (const Seen& s : seen)
        EXPECT_EQ(s.runs.load(), 1);
    EXPECT_EQ(OBCRT_Thread_Create(0, 0, nullptr, nullptr), 0u);
    OB_Thread_Yield();
}

} // namespace

namespace {

struct ContextSeen
{
    COB_ThreadContext* context = nullptr;
    uint32_t lastError = 0;
    int released = 0;
};

int g_key;

void UseOwnContext(void* param)
{
    ContextSeen* seen = static_cast<ContextSeen*>(param);
    seen->context = OB_Thread_GetContext();
    OB_Thread_SetLastError(42);
    seen->lastError = OB_Thread_GetLastError();
    OB_Thread_SetPrivateData(&g_key, &seen->released, [](void* counter) { ++*static_cast<int*>(counter); });
}

TEST_F(OB_ThreadTest, EachThreadRunsInAContextOfItsOwnRemovedWhenItEnds)
{
    COB_ThreadContext* mine = OB_Thread_GetContext();
    ASSERT_NE(mine, nullptr);
    OB_Thread_SetLastError(7);
    ContextSeen seen[2];
    _OB_HTHREAD threads[2];
    for (int i = 0; i < 2; ++i) {
        threads[i] = OB_Thread_Create(1, 0, UseOwnContext, &seen[i]);
        ASSERT_NE(threads[i], 0u);
    }
    EXPECT_EQ(OB_Thread_WaitForMultipleThreads(threads, 2), 0);
    for (const ContextSeen& s : seen) {
        EXPECT_NE(s.context, nullptr);
        EXPECT_NE(s.context, mine);
        EXPECT_EQ(s.lastError, 42u);
        EXPECT_EQ(s.released, 1); // private data freed with the context
    }
    EXPECT_EQ(OB_Thread_GetLastError(), 7u);
    EXPECT_EQ(OB_Process_GetContext()->m_ThreadMap.GetCount(), 1);
}

void ExitEarly(void* param)
{
    UseOwnContext(param);
    OB_Thread_Exit();
}

TEST_F(OB_ThreadTest, ExitingEarlyLeavesNoContextBehind)
{
    // The handle of an ended thread is soon reused; its context must not be found under it.
    ContextSeen seen;
    _OB_HTHREAD thread = OB_Thread_Create(0, 0, ExitEarly, &seen);
    ASSERT_NE(thread, 0u);
    EXPECT_EQ(OB_Thread_WaitForSingleThread(thread), 0);
    EXPECT_EQ(seen.released, 1);
    EXPECT_EQ(OB_Process_GetContext()->m_ThreadMap.GetCount(), 1);
}

} // namespace
