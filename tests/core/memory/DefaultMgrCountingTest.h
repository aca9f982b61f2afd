#pragma once

#include "COB_MemoryMgr.h"

#include <gtest/gtest.h>

// Blocks the default memory manager handed out and took back during the current test.
inline int g_allocs = 0;
inline int g_frees = 0;

namespace defaultmgrcounting {

inline void CountAlloc(COB_MemoryMgr*, void*, size_t, uint32_t)
{
    ++g_allocs;
}
inline void CountAllocDebug(COB_MemoryMgr*, void*, size_t, uint32_t, const char*, int)
{
    ++g_allocs;
}
inline void CountFree(COB_MemoryMgr*, void*, uint32_t)
{
    ++g_frees;
}

inline _OBMEM_DebuggerHooks g_counting = {CountAlloc, CountAllocDebug, nullptr, nullptr, CountFree, nullptr};

} // namespace defaultmgrcounting

// A test during which the default memory manager counts its allocations and frees.
class DefaultMgrCountingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_allocs = g_frees = 0;
        OBMEM_UseDebugger(OBMEM_GetDefaultMgr(), &defaultmgrcounting::g_counting);
    }
    void TearDown() override { OBMEM_UseDebugger(OBMEM_GetDefaultMgr(), nullptr); }
};
