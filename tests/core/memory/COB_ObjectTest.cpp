#include "COB_MemoryMgr.h"
#include "COB_Object.h"

#include "DefaultMgrCountingTest.h"

#include <gtest/gtest.h>

namespace {

struct Counted : public COB_Object
{
    int value = 7;
};

class ObjectTest : public DefaultMgrCountingTest
{
};

TEST_F(ObjectTest, AllocatesThroughTheDefaultManager)
{
    Counted* one = new Counted;
    Counted* many = new Counted[3];
    Counted* tagged = new (__FILE__, __LINE__) Counted;
    EXPECT_EQ(g_allocs, 3);
    EXPECT_EQ(one->value + many[2].value + tagged->value, 21);
    delete one;
    delete[] many;
    delete tagged;
    EXPECT_EQ(g_frees, 3);
}

void* Refuse(_OBMEM_SystemMgr*, size_t, uint32_t)
{
    return nullptr;
}
void* RefuseDebug(_OBMEM_SystemMgr*, size_t, uint32_t, const char*, int)
{
    return nullptr;
}
void* RefuseRealloc(_OBMEM_SystemMgr*, void*, size_t, uint32_t)
{
    return nullptr;
}
void* RefuseReallocDebug(_OBMEM_SystemMgr*, void*, size_t, uint32_t, const char*, int)
{
    return nullptr;
}
void NoFree(_OBMEM_SystemMgr*, void*, uint32_t) {}
void CountOOM(COB_MemoryMgr*, void* param)
{
    ++*static_cast<int*>(param);
}

TEST_F(ObjectTest, FailedAllocationYieldsNullAfterTheHandler)
{
    _OBMEM_SystemMgr refusing = {Refuse, RefuseDebug, RefuseRealloc, RefuseReallocDebug, nullptr,
                                 nullptr, NoFree, nullptr, nullptr, nullptr};
    COB_MemoryMgr mgr;
    mgr.Init(&refusing, COB_MemoryMgr::kCreated);
    int ooms = 0;
    OBMEM_SetOOMHandler(&mgr, CountOOM, &ooms);
    OBMEM_SetDefaultMgr(&mgr);
    Counted* one = new Counted;
    Counted* many = new Counted[4];
    OBMEM_ResetSystemMgr();
    EXPECT_EQ(one, nullptr);
    EXPECT_EQ(many, nullptr);
    EXPECT_EQ(ooms, 2);
}

} // namespace
