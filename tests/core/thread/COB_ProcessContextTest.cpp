#include "COB_ProcessContext.h"

#include "COB_MemoryMgr.h"
#include "COB_ThreadContext.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

int g_processKey, g_threadKey, g_otherKey;

void Count(void* counter)
{
    ++*static_cast<int*>(counter);
}

TEST(COB_ProcessContext, WithoutInitialisationNothingIsKept)
{
    ASSERT_EQ(OB_Process_GetContext(), nullptr);
    OB_Thread_SetLastError(5);
    EXPECT_EQ(OB_Thread_GetLastError(), 0u);
    int counter = 0;
    OB_Process_SetPrivateData(&g_processKey, &counter, Count);
    OB_Thread_SetPrivateData(&g_threadKey, &counter, Count);
    EXPECT_EQ(OB_Process_GetPrivateData(&g_processKey), nullptr);
    EXPECT_EQ(OB_Thread_GetPrivateData(&g_threadKey), nullptr);
    EXPECT_EQ(OB_Process_GetPrivateData(), nullptr);
    EXPECT_EQ(OB_Thread_GetExceptionContext(), nullptr);
    EXPECT_FALSE(OB_Process_RemovePrivateData(&g_processKey));
    OB_Thread_SetHandler(&counter);
    EXPECT_EQ(OB_Thread_GetHandler(), nullptr);
    OB_Process_Finalize(); // nothing to do
    EXPECT_EQ(OB_Process_GetID(), static_cast<int>(getpid()));
}

TEST(COB_ProcessContext, LifecycleFreesEveryPrivateRecord)
{
    OB_Process_Initialize();
    COB_ProcessContext* process = OB_Process_GetContext();
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(OBMEM_GetDefaultMgr()->m_pProcessContext, process);
    OB_Process_Initialize(); // a second call keeps the first context
    EXPECT_EQ(OB_Process_GetContext(), process);

    COB_ThreadContext* thread = OB_Thread_GetContext();
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(OB_Thread_GetContext(OB_Thread_GetHandle()), thread);
    EXPECT_EQ(OB_Thread_GetExceptionContext(), &thread->m_ExceptionContext);
    ASSERT_NE(thread->m_ExceptionContext.m_pErrorContext, nullptr);
    EXPECT_EQ(thread->m_ExceptionContext.m_pErrorContext->m_Level, -1);
    EXPECT_EQ(OB_Thread_GetLastError(), 0u);
    OB_Thread_SetLastError(9);
    EXPECT_EQ(OB_Thread_GetLastError(), 9u);

    int processFreed = 0, threadFreed = 0, removed = 0;
    OB_Process_SetPrivateData(&g_processKey, &processFreed, Count);
    OB_Process_SetPrivateData(&g_otherKey, &removed, Count);
    OB_Thread_SetPrivateData(&g_threadKey, &threadFreed, Count);
    EXPECT_EQ(OB_Process_GetPrivateData(&g_processKey), &processFreed);
    EXPECT_EQ(OB_Thread_GetPrivateData(&g_threadKey), &threadFreed);
    EXPECT_EQ(OB_Thread_GetPrivateData(&g_processKey), nullptr); // the two lists are apart
    EXPECT_TRUE(OB_Process_RemovePrivateData(&g_otherKey));
    EXPECT_TRUE(OB_Thread_RemovePrivateData(&g_threadKey));
    OB_Thread_SetPrivateData(&g_threadKey, &threadFreed, Count);
    EXPECT_EQ(OB_Process_GetPrivateData()->GetSize(), 1);
    EXPECT_EQ(OB_Thread_GetPrivateData()->GetSize(), 1);
    OB_Thread_SetHandler(&removed);
    EXPECT_EQ(OB_Thread_GetHandler(), &removed);

    OB_Process_Finalize();
    EXPECT_EQ(OB_Process_GetContext(), nullptr);
    EXPECT_EQ(OBMEM_GetDefaultMgr()->m_pProcessContext, nullptr);
    EXPECT_EQ(processFreed, 1);
    EXPECT_EQ(threadFreed, 1);
    EXPECT_EQ(removed, 0); // removed records are not freed
    EXPECT_EQ(OB_Thread_GetContext(), nullptr);

    OB_Process_Initialize(); // and again from scratch
    EXPECT_NE(OB_Thread_GetContext(), nullptr);
    EXPECT_EQ(OB_Thread_GetLastError(), 0u);
    OB_Process_Finalize();
}

TEST(COB_ProcessContext, ThreadMapOperations)
{
    OB_Process_Initialize();
    COB_ProcessContext* process = OB_Process_GetContext();
    COB_ThreadContext* other = new COB_ThreadContext;
    ASSERT_TRUE(other->Initialize());
    int freed = 0;
    other->m_PrivateData.SetPrivateData(&g_threadKey, &freed, Count);
    const _OB_HTHREAD fake = static_cast<_OB_HTHREAD>(0x1234);
    EXPECT_TRUE(process->SetThreadContext(fake, other));
    EXPECT_EQ(process->GetThreadContext(fake), other);
    EXPECT_EQ(process->m_ThreadMap.GetCount(), 2);
    process->RemoveThreadContext(fake); // destroys it
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(process->GetThreadContext(fake), nullptr);
    process->RemoveThreadContext(fake);
    OB_Process_Finalize();
}

} // namespace
