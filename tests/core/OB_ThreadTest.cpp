#include "OB_Thread.h"

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

TEST(OB_Thread, PriorityScale)
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

TEST(OB_Thread, SetPriorityOfTheCallingThread)
{
    _OB_HTHREAD self = OB_Thread_GetHandle();
    EXPECT_EQ(OB_Thread_GetPriority(self), 0);
    EXPECT_EQ(OB_Thread_SetPriority(self, -1), 0);
    EXPECT_EQ(OB_Thread_GetPriority(self), -1);
    EXPECT_EQ(OB_Thread_SetPriority(self, 0), 0);
}

TEST(OB_Thread, WithoutProcessContextNoThreadIsCreated)
{
    Seen seen;
    EXPECT_EQ(OB_Thread_Create(0, 0, ReadOwnPriority, &seen), 0u);
    EXPECT_EQ(seen.runs.load(), 0);
}

TEST(OB_Thread, WaitForMultipleThreads)
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
